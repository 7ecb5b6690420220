#!/usr/bin/env bash
# Builds the unit tests and the Qt window test with AddressSanitizer and
# UndefinedBehaviorSanitizer in a folder of their own and runs them; the
# window test's random session runs for SESSION_SECONDS (30 unless set). Every
# finding aborts its test, so any finding fails the run. The library's own
# checks catch an index past a container's size that still lies within its
# memory, which ASan cannot see.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh core qt

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
checks="-D_GLIBCXX_ASSERTIONS"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVEL_QT=ON -DQUORVEL_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$sanitize $checks" -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
cmake --build build/asan -j2

mkdir -p build/locale
[ -d build/locale/de_DE.UTF-8 ] || localedef -i de_DE -f UTF-8 build/locale/de_DE.UTF-8
LOCPATH="$PWD/build/locale" SESSION_SECONDS="${SESSION_SECONDS:-30}" \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j2 --exclude-regex debian_package
