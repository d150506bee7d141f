#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit and window tests
# offscreen, the real executable under its own Xvfb, all of it again under AddressSanitizer
# and UBSan, then a short run of the fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test
ctest --test-dir build/test --output-on-failure
# The shared score folder on real Samba and SFTP shares and on local disk (needs root).
tests/share/share-test.sh build/test/tests/share/zintu_share_driver

# Every test once more under AddressSanitizer and UBSan. Only leaks inside system libraries
# are suppressed, by the list in tests/sanitizers.
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"
cmake --build build/asan
LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure

# Half a minute of the file readers' fuzzer under AddressSanitizer and UBSan; a crash fails.
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZINTU_BUILD_FUZZERS=ON -DZINTU_BUILD_UI=OFF \
    -DZINTU_BUILD_TESTS=OFF
cmake --build build/fuzz
ctest --test-dir build/fuzz --output-on-failure
