#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit and window tests
# offscreen, the real executable under its own Xvfb, then a short run of each fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
ctest --test-dir build/test --output-on-failure

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZINTU_BUILD_FUZZERS=ON -DZINTU_BUILD_UI=OFF \
    -DZINTU_BUILD_TESTS=OFF
cmake --build build/fuzz
# -V shows each fuzzer's count of executions.
ctest --test-dir build/fuzz -V --output-on-failure
