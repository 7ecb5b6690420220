#!/usr/bin/env bash
# Builds the web app into build/web; the site to serve is build/web/site.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten finds the parser its JavaScript optimizer needs (acorn)
# only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
[ -f build/web/build.ninja ] || emcmake cmake -S . -B build/web -G Ninja
cmake --build build/web -j2
