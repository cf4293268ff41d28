#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Velmora's Debian package with Debian's own tools (dpkg-buildpackage
# and debhelper, from debian/) out of a copy of this tree, so that the clone
# stays clean. A clean tree is packaged from its last commit (git archive), as
# the version that CMakeLists.txt gives the project. A tree with changes not
# yet committed (modified, deleted or new files that git does not ignore) is
# packaged as it is, and its version is then marked <version>+dirty, which
# this script says on stderr: a version without the mark always holds what
# was committed.
# Usage: build-deb.sh [build-dir]     (default: build/deb)
# The last line printed is the path of the .deb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build/deb}")"
src="$build/src"

stage() { echo "== build-deb: $*"; }

# One line for each file that differs from the last commit; none when the
# work tree is as committed. It takes no lock: another git command may run.
uncommitted_changes() {
    git --no-optional-locks -C "$root" status --porcelain --untracked-files=normal
}

# The last commit, or with changes: the tracked files and new ones not yet
# committed, as the work tree has them (a file deleted but not yet committed
# is left out); nothing git ignores.
copy_tree() {
    if [ -z "$changes" ]; then
        git -C "$root" archive --format=tar HEAD | tar -C "$src" -xf -
        return
    fi
    (cd "$root" && git ls-files -z --cached --others --exclude-standard) |
        while IFS= read -r -d '' file; do
            if [[ -e $root/$file || -L $root/$file ]]; then printf '%s\0' "$file"; fi
        done |
        tar -C "$root" --null --files-from=- -cf - | tar -C "$src" -xf -
}

# A native package: the packaging lives in the project's own tree and
# changes only with a new version, so the package's version is the project's.
write_changelog() {
    local version maintainer date origin
    version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
    [ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }
    origin="commit $(git -C "$root" rev-parse --short=12 HEAD)"
    if [ -n "$changes" ]; then
        version+=+dirty
        origin+=" and changes not committed"
        echo "build-deb: $(wc -l <<< "$changes") file(s) differ from the last commit: packaging the work tree as it is, as version $version" >&2
    fi
    maintainer=$(sed -n 's/^Maintainer: //p' "$src/debian/control")
    # The last commit's date, so that a build of the same commit is the same
    # package, file dates included.
    date=$(LC_ALL=C date -R -u -d "@$(git -C "$root" log -1 --format=%ct)")
    cat > "$src/debian/changelog" <<EOF
velmora ($version) unstable; urgency=medium

  * Velmora $version from $origin.

 -- $maintainer  $date
EOF
}

stage "packages"
mapfile -t packages < "$root/scripts/packages-deb.txt"
"$root/scripts/install-deps.sh" "${packages[@]}"

stage "copying the source to $src"
rm -rf "$src" "$build"/velmora_* "$build"/velmora-dbgsym_*
mkdir -p "$src"
changes=$(uncommitted_changes)
copy_tree
write_changelog

stage "building the package (dpkg-buildpackage -b), log in $build/build.log"
(cd "$src" && dpkg-buildpackage -b -us -uc -Jauto < /dev/null) > "$build/build.log" 2>&1 ||
    { tail -n 40 "$build/build.log" >&2; exit 1; }
ls "$build"/velmora_*.deb
