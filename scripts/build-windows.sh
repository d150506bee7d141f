#!/usr/bin/env bash
# Builds the Windows game here: Qt for mingw-w64 from Debian's own qt6-base source (once, into
# a cache outside the repository), then zintu.exe, then in build/windows/game the folder to unzip,
# zintu-VERSION-win64.zip, and the installer of the same files, zintu-VERSION-win64-setup.exe.
#   build-windows.sh        everything; prints the paths of the two on its last lines
#   build-windows.sh --qt   only Qt, into the cache
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --windows

# moc, rcc and uic come from the host's Qt, which must be the very same version.
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/zintu
qt_prefix=$cache/qt6-mingw-$qt_version
work=$qt_prefix.work
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
jobs=${ZINTU_JOBS:-2}

# Debian's source through a private source list: the system's apt configuration stays as it is.
fetch_qt_source() {
    local apt=$work/apt
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/sources.list.d" \
        "$work/download"
    : >"$apt/sources.list"
    if [[ -f /etc/apt/sources.list ]]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$apt/sources.list"
    fi
    for list in /etc/apt/sources.list.d/*.sources; do
        if [[ -e $list ]]; then
            sed 's/^Types: deb$/Types: deb-src/' "$list" >"$apt/sources.list.d/${list##*/}"
        fi
    done
    local options=(-o "Dir::Etc::SourceList=$apt/sources.list"
                   -o "Dir::Etc::SourceParts=$apt/sources.list.d"
                   -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
                   -o APT::Sandbox::User=root)
    apt-get "${options[@]}" -qq update
    (cd "$work/download" && apt-get "${options[@]}" source --download-only "qt6-base=$qt_version")
    rm -rf "$work/src"
    # Unpacks the upstream tarball and applies Debian's patches.
    dpkg-source -x "$work/download"/qt6-base_*.dsc "$work/src"
}

configure_qt() {
    # opengl and dynamicgl off, as the game paints with QPainter only; no wintab in the dfsg
    # tarball; direct2d needs directwrite3 off too or qwindows.dll does not link; Debian's
    # patches turn androiddeployqt on for cross builds. The rest is what the game does not use.
    cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DINPUT_opengl=no -DFEATURE_dynamicgl=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_androiddeployqt=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_testlib=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF \
        -DFEATURE_gif=OFF -DFEATURE_freetype=OFF -DFEATURE_system_zlib=OFF \
        -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
}

# An interrupted build resumes from its work folder, which goes once Qt is installed.
build_qt() {
    if [[ -f $qt_prefix/.complete ]]; then
        echo "Qt for mingw-w64 $qt_version: $qt_prefix"
        return
    fi
    local started=$SECONDS
    rm -rf "$qt_prefix"
    [[ -f $work/src/.zintu-unpacked ]] || { fetch_qt_source && touch "$work/src/.zintu-unpacked"; }
    [[ -f $work/build/build.ninja ]] || configure_qt
    cmake --build "$work/build" --parallel "$jobs"
    cmake --install "$work/build" --strip
    echo "$qt_version" >"$qt_prefix/.complete"
    rm -rf "$work"
    echo "Qt for mingw-w64 $qt_version built in $(((SECONDS - started) / 60)) min: $qt_prefix"
}

build_qt
[[ "${1:-}" == "--qt" ]] && exit 0

# The icons are drawn during the build by a tool that runs here.
host=build/windows/host
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINTU_BUILD_TESTS=OFF
cmake --build "$host" --parallel "$jobs" --target zintu_make_icon

# A plain CMAKE_PREFIX_PATH would be searched below the mingw root: Qt's toolchain file
# adds Qt to that root and then reads ours.
game=build/windows/game
cmake -S . -B "$game" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINTU_BUILD_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    -DZINTU_HOST_MAKE_ICON="$PWD/$host/ui/common/zintu_make_icon"
cmake --build "$game" --parallel "$jobs"
rm -f "$game"/zintu-*-win64.zip "$game"/zintu-*-win64-setup.exe
(cd "$game" && cpack)
ls "$PWD/$game"/zintu-*-win64.zip "$PWD/$game"/zintu-*-win64-setup.exe
