#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora's Debian package with Debian's own tools (dpkg-buildpackage
# and debhelper, from debian/) out of a copy of this tree, so that the clone
# stays clean. The version is the one CMakeLists.txt gives the project.
# Usage: build-deb.sh [build-dir]     (default: build/deb)
# The last line printed is the path of the .deb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/deb}")"
src="$build/src"

stage() { echo "== build-deb: $*"; }

# Tracked files and new ones not yet committed, as the working tree has them
# (a file deleted but not yet committed is left out); nothing git ignores.
copy_tree() {
    (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
        while IFS= read -r -d '' file; do
            if [[ -e $root/$file || -L $root/$file ]]; then printf '%s\0' "$file"; fi
        done |
        tar -C "$root" --null --files-from=- -cf - | tar -C "$src" -xf -
}

# A native package: the packaging lives in the project's own tree and
# changes only with a new version, so the package's version is the project's.
write_changelog() {
    local version maintainer date
    version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
    [ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
    maintainer=$(sed -n 's/^Maintainer: //p' "$src/debian/control")
    # The last commit's date, so that a build of the same commit is the same
    # package, file dates included.
    date=$(LC_ALL=C date -R -u -d "@$(git -C "$root" log -1 --format=%ct)")
    cat > "$src/debian/changelog" <<EOF
velmora ($version) unstable; urgency=medium

  * Velmora $version, packaged from the project's own tree.

 -- $maintainer  $date
EOF
}

stage "packages"
mapfile -t packages < "$root/scripts/packages-deb.txt"
"$root/scripts/install-deps.sh" "${packages[@]}"

stage "copying the source to $src"
rm -rf "$src" "$build"/velmora_* "$build"/velmora-dbgsym_*
mkdir -p "$src"
copy_tree
write_changelog

stage "building the package (dpkg-buildpackage -b), log in $build/build.log"
(cd "$src" && dpkg-buildpackage -b -us -uc -Jauto < /dev/null) > "$build/build.log" 2>&1 ||
    { tail -n 40 "$build/build.log" >&2; exit 1; }
ls "$build"/velmora_*.deb
