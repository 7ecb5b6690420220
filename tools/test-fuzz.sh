#!/usr/bin/env bash
# Builds the fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it from the committed seed corpus for
# FUZZ_SECONDS seconds (default 60). Any finding fails the run and leaves the
# input that caused it in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh core fuzz

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DQUORVEL_FUZZ=ON -DQUORVEL_QT=OFF -DQUORVEL_TESTS=OFF -DQUORVEL_BENCH=OFF
cmake --build build/fuzz -j2 --target quorvel_fuzz

# New inputs go to build/fuzz/corpus; the committed seeds are only read.
mkdir -p build/fuzz/corpus build/fuzz/findings
build/fuzz/tests/fuzz/quorvel_fuzz -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 \
  -dict=tests/fuzz/calculate.dict -artifact_prefix=build/fuzz/findings/ -use_value_profile=1 -print_final_stats=1 \
  build/fuzz/corpus tests/fuzz/corpus
