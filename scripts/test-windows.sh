#!/usr/bin/env bash
# Cross-compiles the Qt-free code (engine, storage) and its tests for 64-bit Windows
# with mingw-w64 and runs the tests under wine, in a wine prefix made afresh each time; then
# builds the game's ZIP and installer and plays both under wine on a private Xvfb: the ZIP
# unzipped, the installer installed, started from its shortcut and uninstalled again.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test

build=build/windows
toolchain="$PWD/cmake/mingw-w64-x86_64-static.cmake"

# GoogleTest has no mingw package: build it from Debian's sources.
cmake -S /usr/src/googletest -B "$build/googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBUILD_GMOCK=OFF \
    -DCMAKE_INSTALL_PREFIX="$PWD/$build/googletest-install" -DCMAKE_INSTALL_MESSAGE=LAZY
cmake --build "$build/googletest" --target install

# Test discovery would run wine during the build; the programs are run directly below.
cmake -S . -B "$build/zintu" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DZINTU_BUILD_UI=OFF \
    -DGTest_DIR="$PWD/$build/googletest-install/lib/cmake/GTest" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST
cmake --build "$build/zintu"

# No display: wine must not wait for one, offer to install Mono or Gecko, or add menu
# entries to the home folder.
unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINEPREFIX="$(mktemp -d)"
export WINEPREFIX
unzipped=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$unzipped"' EXIT
wineboot --init
wineserver -w
# One server for every test program instead of one each.
wineserver -p

# One wine process per test program: starting wine for each test case would cost more
# than the tests themselves.
for tests in "$build"/zintu/tests/*/zintu_*_tests.exe; do
    echo "== $tests"
    timeout 600 wine "$tests" --gtest_brief=1
done

# The first run on a machine builds Qt for mingw-w64 (about 20 minutes); later runs reuse it.
scripts/build-windows.sh
cmake -E chdir "$unzipped" cmake -E tar xf "$PWD/$build"/game/zintu-*-win64.zip
timeout 300 python3 tests/e2e/zintu_e2e.py "$unzipped"/zintu-*-win64/zintu.exe "$build" windows
timeout 300 python3 tests/e2e/zintu_e2e.py "$build"/game/zintu-*-win64-setup.exe "$build" installer
