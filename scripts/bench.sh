#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks optimised and runs them: the engine's,
# then presenting a frame of the window's picture (Qt, offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINTU_BUILD_TESTS=OFF \
    -DZINTU_BUILD_BENCHMARKS=ON
cmake --build build/bench --target zintu_bench zintu_present_bench
build/bench/bench/zintu_bench "$@"
build/bench/bench/zintu_present_bench "$@"
