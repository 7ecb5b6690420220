#!/usr/bin/env bash
# Builds Quorvel and runs it on the series 1 2 3 4 5 at precision 0.0001.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh core

cmake -S . -B build/release -G Ninja -DQUORVEL_QT=OFF
cmake --build build/release --target quorvel-probe
printf '1 2 3 4 5' | build/release/tools/quorvel-probe --precision 0.0001
