#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Qt for 64-bit Windows (mingw-w64) on Debian 12 or 13 from the
# release's own source package (6.4.2 on Debian 12, 6.8.2 on Debian 13),
# once: it is kept in a cache outside the clone, apart for each release, and
# reused while the source, the options and the compiler stay the same. One
# build at a time: another run waits for it and then reuses it.
# Usage: build-qt-windows.sh
# The last line printed is the path of that Qt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/velmora"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
apt_sources=/etc/apt/sources.list.d/velmora-deb-src.sources

. "$root/scripts/release.sh"
. "$root/scripts/apt-sources.sh"

stage() { echo "== build-qt-windows: $*"; }
stop() { release_stop "$@"; }

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

release_require "needs Debian 12 or 13 for its Qt source and mingw-w64, not $release_name: run it on Debian 12 or 13 or in such a container"

# The version of qt6-base's source that apt-get source would fetch, or nothing.
qt_source_version() {
    apt-get source --print-uris -qq qt6-base 2> /dev/null | sed -n "s/^'[^']*' qt6-base_\(.*\)\.dsc .*/\1/p"
}

# A deb-src entry for each enabled deb entry of apt's sources, one-line or
# deb822, with the same URIs, suites, components and keys: the source comes
# from wherever this machine gets its packages.
deb_src_entries() {
    echo "# Written by Velmora's scripts/build-qt-windows.sh, from the deb entries of apt's other sources."
    echo
    apt_deb_entries | sed 's/^Types: deb$/Types: deb-src/'
}

# apt-get source needs deb-src entries, which many machines lack; an entry
# written by an earlier run for sources since changed is written anew.
add_deb_src_entries() {
    local entries
    entries=$(deb_src_entries)
    if [ -n "$(qt_source_version)" ] && { [ ! -f "$apt_sources" ] || [ "$(cat "$apt_sources")" = "$entries" ]; }; then
        return
    fi
    grep -q '^Types: deb-src' <<< "$entries" ||
        stop "apt has no enabled deb entry to derive a deb-src entry from: add one for qt6-base by hand"
    [ ${#sudo[@]} -eq 0 ] || command -v sudo > /dev/null ||
        stop "not root and no sudo to add deb-src entries to apt: add one for qt6-base by hand"
    echo "Adding deb-src entries for apt's deb entries to $apt_sources"
    "${sudo[@]}" tee "$apt_sources" <<< "$entries" > /dev/null
    # A machine whose apt no longer updates is worse off than one without
    # the source.
    if ! "${sudo[@]}" apt-get update -qq || [ -z "$(qt_source_version)" ]; then
        "${sudo[@]}" rm -f "$apt_sources"
        stop "no source of qt6-base through the deb-src entries derived from apt's deb entries (removed again): add a deb-src entry for qt6-base by hand"
    fi
}

# Ninja's status lines "[done/total] ..." become a line every 5 %; the whole
# output goes to the log. A shell loop, because awk (mawk) reads a pipe in
# large blocks and would hold the progress back, on Debian 13 until the end.
show_progress() {
    local log line percent shown=0
    exec {log}> "$1"
    while IFS= read -r line; do
        printf '%s\n' "$line" >&"$log"
        [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]] || continue
        percent=$((BASH_REMATCH[1] * 20 / BASH_REMATCH[2] * 5))
        if [ "$percent" -gt "$shown" ]; then
            shown=$percent
            printf '   %s: %d %% (%d of %d steps)\n' "$2" "$percent" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
        fi
    done
    exec {log}>&-
}

# The cache is reused only when it was built from this exact source, with
# these options, this toolchain file and this compiler.
make_stamp() {
    echo "qt6-base $1"
    printf '%s\n' "${qt_options[@]}"
    sha256sum < "$toolchain"
    dpkg-query -W -f '${Version}\n' g++-mingw-w64-x86-64-posix
}

build_qt() {
    local work="$qt_prefix-work"
    rm -rf "$work" "$qt_prefix"
    mkdir -p "$work"
    stage "fetching the source of Qt $qt_version (apt-get source qt6-base)"
    (cd "$work" && apt-get source -qq qt6-base < /dev/null)
    local dsc source
    dsc=$(echo "$work"/qt6-base_*.dsc)
    source=$(echo "$work"/qt6-base-"$qt_version"*/)
    [ -f "$source/CMakeLists.txt" ] || stop "no Qt $qt_version source in $work"

    stage "configuring Qt $qt_version for mingw-w64"
    cmake -G Ninja -S "$source" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_options[@]}" > "$work/configure.log" \
        || { tail -n 40 "$work/configure.log" >&2; exit 1; }
    stage "building Qt $qt_version (about 20 minutes on 2 cores)"
    NINJA_STATUS="[%f/%t] " cmake --build "$work/build" 2>&1 | show_progress "$work/build.log" "Qt $qt_version" \
        || { tail -n 40 "$work/build.log" >&2; exit 1; }
    cmake --install "$work/build" > /dev/null
    dsc=${dsc##*/qt6-base_}
    make_stamp "${dsc%.dsc}" > "$stamp_file"
    rm -rf "$work"
}

stage "packages"
mapfile -t packages < "$root/scripts/packages-windows.txt"
"$root/scripts/install-deps.sh" "${packages[@]}"
(apt_lock && add_deb_src_entries)
# Qt's host tools build the cross build, so they must be of the same version
# as the source: both the release's.
source_version=$(qt_source_version)
qt_version=${source_version%%[+-]*}
host_version=$(dpkg-query -W -f '${Version}' qt6-base-dev-tools)
[[ $host_version == "$qt_version"[+-]* ]] ||
    stop "apt offers the source of qt6-base $source_version, but the host's Qt tools are $host_version"
# Qt's own texts come from the release's translations of the same Qt: the
# .qm files are the same on every system, but another version's would miss
# or mistranslate some of this Qt's texts.
translations_version=$(dpkg-query -W -f '${Version}' qt6-translations-l10n)
[[ $translations_version == "$qt_version"[+-]* ]] ||
    stop "apt offers the source of qt6-base $source_version, but Qt's translations are $translations_version"
# Named by release as well, so that a machine with both releases (a chroot)
# never mixes them.
qt_prefix="$cache/qt-$qt_version-deb$release-mingw-w64"
stamp_file="$qt_prefix/velmora-build-stamp.txt"

# Only what a Windows program needs; direct2d stays at its default because
# turning it off breaks the link of qwindows.dll in 6.4.2, and FreeType is
# built in for the offscreen platform the tests use.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2> /dev/null)/cmake"
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
mkdir -p "$cache"
exec {lock}> "$qt_prefix.lock"
flock -n "$lock" || { stage "waiting for another build of Qt $qt_version for mingw-w64"; flock "$lock"; }
if [ -f "$stamp_file" ] && [ "$(cat "$stamp_file")" = "$(make_stamp "$source_version")" ]; then
    stage "Qt $qt_version for mingw-w64 reused from $qt_prefix"
else
    build_qt
fi
echo "$qt_prefix"

