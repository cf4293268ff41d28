#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Brings the translations up to date with the sources, for each language of
# po/LINGUAS: the program's texts (lupdate, into translations/velmora_<lang>.ts,
# and into translations/velmora_en.ts the plural forms alone, for English, the
# language of the sources) and the desktop entry's and metainfo's (xgettext
# from the files that po/POTFILES names, msgmerge into po/<lang>.po). lupdate
# reads every folder of program sources: each top-level folder with a
# CMakeLists.txt but tests/ and bench/. New and changed messages come in
# unfinished, for a translator to fill in; messages gone from the sources go.
# No line numbers are kept, so that a change elsewhere in a source file
# leaves the translations as they are. A language new in po/LINGUAS gets its
# files here.
# Usage: update-translations.sh [dir]
#   Writes the files into DIR's translations/ and po/ instead of this tree's
#   (tests/check_translations.sh updates a copy that way and compares).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath "${1:-$root}")"
lupdate="$(qtpaths6 --query QT_HOST_BINS)/lupdate"

mapfile -t languages < <(grep -v '^#' "$root/po/LINGUAS")
sources=()
for dir in "$root"/*/; do
    case ${dir%/} in */tests | */bench) continue ;; esac
    if [ -f "$dir/CMakeLists.txt" ]; then sources+=("${dir%/}"); fi
done

# The language is named for a file that lupdate makes, which would guess
# de_DE from velmora_de.ts, and so Qt's translations for Germany alone.
update_ts() {
    local language=$1
    shift
    "$lupdate" -silent -no-obsolete -locations none -source-language en -target-language "$language" \
        "$@" "${sources[@]}" -ts "$out/translations/velmora_$language.ts"
}
# English needs numerus forms alone: "%n minute(s)" as "1 minute", "%n minutes".
update_ts en -pluralonly
for language in "${languages[@]}"; do update_ts "$language"; done

# The template is made anew each time, without the date of its making,
# which msgmerge would copy into every .po file at every run.
pot=$(mktemp --suffix=.pot)
trap 'rm -f "$pot"' EXIT
(cd "$root" && xgettext --package-name=velmora --copyright-holder="The Velmora developers" \
    --add-location=file --files-from=po/POTFILES --output=-) | sed '/^"POT-Creation-Date:/d' > "$pot"
for language in "${languages[@]}"; do
    po=$out/po/$language.po
    if [ ! -f "$po" ]; then
        # msginit writes the characters of this machine's locale, maybe ASCII.
        { printf '# SPDX-FileCopyrightText: %s The Velmora developers\n' "$(date +%Y)"
          printf '# SPDX-License-Identifier: CC0-1.0\n'
          msginit --no-translator --locale="$language" --input="$pot" --output-file=- |
              msgconv --to-code=UTF-8 | sed '1,/^msgid/{/^#/d}'
        } > "$po"
    fi
    msgmerge --quiet --update --backup=none --add-location=file "$po" "$pot"
done
