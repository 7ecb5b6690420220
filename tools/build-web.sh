#!/usr/bin/env bash
# Builds the web app into build/web; the site to serve is build/web/site.
set -euo pipefail
cd "$(dirname "$0")/.."
# Debian's emscripten finds the parser its JavaScript optimizer needs (acorn)
# only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
# The page's editor engine and esbuild, which bundles it, as the lock file pins them.
if [ ! app/web/node_modules/.package-lock.json -nt app/web/package-lock.json ]; then
  npm ci --prefix app/web --no-audit --no-fund
fi
[ -f build/web/build.ninja ] || emcmake cmake -S . -B build/web -G Ninja
cmake --build build/web -j2
