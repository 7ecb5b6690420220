#!/usr/bin/env bash
# Builds everything and runs every test. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh core

cmake -S . -B build/release -G Ninja -DQUORVEL_QT=OFF
cmake --build build/release
ctest --test-dir build/release --output-on-failure
tools/test-win32.sh
