#!/usr/bin/env bash
# Installs the Debian packages Zintu needs that are not there yet.
#   install-deps.sh          to build and play
#   install-deps.sh --test   also what the tests, fuzzers and benchmarks need, Windows ones included
#   install-deps.sh --windows  also what building the Windows game needs
#   install-deps.sh --package  also what building the Debian package needs
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          fonts-dejavu-core fonts-dejavu-extra)
# Qt for Windows is built from Debian's source with the host's Qt tools; NSIS makes the
# installer; wine runs the result.
windows=(g++-mingw-w64-x86-64-posix qt6-base-dev-tools dpkg-dev zip nsis wine wine64)
if [[ "${1:-}" == "--test" ]]; then
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
               xvfb xdotool x11-apps x11-utils imagemagick python3 libxtst6 trayer
               openbox dbus at-spi2-core python3-pyatspi
               samba smbnetfs openssh-server openssh-client sshfs fuse3 faketime strace
               desktop-file-utils appstream
               googletest "${windows[@]}")
elif [[ "${1:-}" == "--windows" ]]; then
    packages+=("${windows[@]}")
elif [[ "${1:-}" == "--package" ]]; then
    packages+=(dpkg-dev file lintian)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi
