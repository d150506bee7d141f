#!/usr/bin/env bash
# Builds the Debian package build/package/zintu_VERSION_ARCH.deb with Debian's hardening
# flags and checks it with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DZINTU_BUILD_TESTS=OFF
cmake --build build/package
(cd build/package && cpack -G DEB)
lintian build/package/zintu_*.deb
