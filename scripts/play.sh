#!/usr/bin/env bash
# Installs what is missing, builds Zintu and starts it. Extra arguments go to the game
# (a number from 10 to 20 sets the speed of the sliding ball, --symbols a symbol on every ball).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINTU_BUILD_TESTS=OFF
cmake --build build/release --target zintu
exec build/release/ui/main/zintu "$@"
