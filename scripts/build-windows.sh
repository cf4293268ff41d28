#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora for 64-bit Windows on Debian 12: Qt 6.4.2 for mingw-w64 from
# Debian's source package (built once, kept in a cache outside the clone),
# then velmora.exe, the tests and the installer from this same CMake tree.
# Usage: build-windows.sh [build-dir]     (default: build/windows)
# The last line printed is the path of the installer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/windows}")"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/velmora"
qt_version=6.4.2
qt_prefix="$cache/qt-$qt_version-mingw-w64"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

stage() { echo "== build-windows: $*"; }

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# Only what a Windows program needs; direct2d stays at its default because
# turning it off breaks the link of qwindows.dll in 6.4.2, and FreeType is
# built in for the offscreen platform the tests use.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_sql=OFF
    -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF -DFEATURE_icu=OFF
    -DFEATURE_glib=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF -DFEATURE_fontconfig=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_textmarkdownreader=OFF
)
# The cache is reused only when it was built with these options, this
# toolchain file and this compiler.
stamp_file="$qt_prefix/velmora-build-stamp.txt"
make_stamp() {
    printf '%s\n' "$qt_version" "${qt_options[@]}"
    sha256sum < "$toolchain"
    dpkg-query -W -f '${Version}\n' g++-mingw-w64-x86-64-posix
}

add_debian_sources() {
    # Without -q grep reads to the end, so apt-cache never meets a closed pipe.
    apt-cache showsrc qt6-base 2>/dev/null | grep "^Version: $qt_version" > /dev/null && return
    echo "Adding Debian's source packages (deb-src bookworm, with its updates) to apt"
    "${sudo[@]}" tee /etc/apt/sources.list.d/velmora-deb-src.sources > /dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    "${sudo[@]}" apt-get update -qq
}

build_qt() {
    local work="$cache/qt-$qt_version-work"
    rm -rf "$work" "$qt_prefix"
    mkdir -p "$work"
    stage "fetching the source of Qt $qt_version (apt-get source qt6-base)"
    add_debian_sources
    (cd "$work" && apt-get source -qq qt6-base < /dev/null)
    local source
    source=$(echo "$work"/qt6-base-"$qt_version"*/)
    [ -f "$source/CMakeLists.txt" ] || { echo "no Qt $qt_version source in $work" >&2; exit 1; }

    stage "configuring Qt $qt_version for mingw-w64"
    cmake -G Ninja -S "$source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}" > "$work/configure.log" \
        || { tail -n 40 "$work/configure.log" >&2; exit 1; }
    stage "building Qt $qt_version (about 20 minutes on 2 cores)"
    cmake --build "$work/build" > "$work/build.log" || { tail -n 40 "$work/build.log" >&2; exit 1; }
    cmake --install "$work/build" > /dev/null
    make_stamp > "$stamp_file"
    rm -rf "$work"
}

stage "packages"
mapfile -t packages < "$root/scripts/packages-windows.txt"
"$root/scripts/install-deps.sh" "${packages[@]}"

if [ -f "$stamp_file" ] && [ "$(cat "$stamp_file")" = "$(make_stamp)" ]; then
    stage "Qt $qt_version for mingw-w64 reused from $qt_prefix"
else
    build_qt
fi

stage "building velmora.exe and the tests"
"$qt_prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS=-Werror \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh;$build/wineprefix" > /dev/null
cmake --build "$build"

stage "packaging the installer and the portable .zip"
rm -f "$build"/Velmora-*-win64.exe "$build"/Velmora-*-win64.zip
(cd "$build" && cpack > cpack.log) || { cat "$build/cpack.log" >&2; exit 1; }
ls "$build"/Velmora-*-win64.exe
