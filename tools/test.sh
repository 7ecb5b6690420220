#!/usr/bin/env bash
# Builds everything and runs every test. Installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh core qt deb

cmake -S . -B build/release -G Ninja -DQUORVEL_QT=ON
cmake --build build/release -j2

# The window tests run under a German locale (see tests/qt); generate it
# privately rather than touching the system's locales.
mkdir -p build/locale
[ -d build/locale/de_DE.UTF-8 ] || localedef -i de_DE -f UTF-8 build/locale/de_DE.UTF-8
LOCPATH="$PWD/build/locale" ctest --test-dir build/release --output-on-failure
tools/test-sanitize.sh
tools/test-fuzz.sh
tools/test-win32.sh
