#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the translations as shipped: each language of po/LINGUAS has its
# translations/velmora_<language>.ts and po/<language>.po, English its
# velmora_en.ts, and no file is there for a language not in the list; they
# are up to date with the sources (scripts/update-translations.sh, run into a
# copy, changes nothing in them); and no message is left unfinished,
# untranslated or fuzzy.
# Usage: check_translations.sh
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root" || exit 1

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

mapfile -t languages < <(grep -v '^#' po/LINGUAS)
expected=(translations/velmora_en.ts)
for language in "${languages[@]}"; do
    expected+=("translations/velmora_$language.ts" "po/$language.po")
done
found=(translations/*.ts po/*.po)
for file in "${expected[@]}"; do
    [ -f "$file" ] || fail "$file is missing: scripts/update-translations.sh makes it"
done
for file in "${found[@]}"; do
    [[ " ${expected[*]} " == *" $file "* ]] || fail "$file is for a language that po/LINGUAS does not name"
done

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r translations po "$copy"
if "$root/scripts/update-translations.sh" "$copy"; then
    diff -ru translations "$copy/translations" >&2 && diff -ru po "$copy/po" >&2 ||
        fail "the translations are out of date with the sources: run scripts/update-translations.sh"
else
    fail "scripts/update-translations.sh failed"
fi

for ts in translations/*.ts; do
    ! grep -q 'type="unfinished"' "$ts" || fail "$ts has unfinished messages"
done
for po in po/*.po; do
    statistics=$(LC_ALL=C msgfmt --check --statistics --output-file=/dev/null "$po" 2>&1) ||
        fail "$po: $statistics"
    [[ $statistics != *untranslated* && $statistics != *fuzzy* ]] || fail "$po: $statistics"
done

if ((failures > 0)); then
    echo "check_translations: FAILED: $failures problem(s)" >&2
    exit 1
fi
echo "check_translations: PASSED: ${#languages[@]} languages, complete and up to date"
