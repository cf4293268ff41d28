#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Checks the translations as shipped: each language of po/LINGUAS has its
# translations/velmora_<language>.ts and po/<language>.po, English its
# velmora_en.ts, and no file is there for a language not in the list; they
# are up to date with the sources (scripts/update-translations.sh, run into a
# copy, changes nothing in them); no message is left unfinished,
# untranslated or fuzzy; every translation keeps its source's placeholders,
# and the words a fluent reader corrected stay corrected;
# each language's metainfo quotes the labels of "Ok" and "STOP!" as its
# program shows them; and each translated desktop entry's keywords end with
# the English ones, which a search may be typed in whatever the language.
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

# The entry and the metainfo as the build merges them.
entry=$copy/entry.desktop
metainfo=$copy/metainfo.xml
msgfmt --desktop --template=resources/io.github.velmora.Velmora.desktop.in -d po -o "$entry" &&
    msgfmt --xml --template=resources/io.github.velmora.Velmora.metainfo.xml.in -d po -o "$metainfo" ||
    fail "msgfmt could not merge po/ into the desktop entry and the metainfo"
english=$(sed -n 's/^Keywords=//p' resources/io.github.velmora.Velmora.desktop.in)
for language in "${languages[@]}"; do
    keywords=$(sed -n "s/^Keywords\[$language\]=//p" "$entry")
    [[ $keywords == ?*"$english" ]] ||
        fail "po/$language.po: the keywords do not end with the English ones: $keywords"
done
while IFS= read -r problem; do
    fail "$problem"
done < <(python3 - "$metainfo" "${languages[@]}" <<'EOF'
import re
import sys
import xml.etree.ElementTree as ElementTree

LANG = '{http://www.w3.org/XML/1998/namespace}lang'
PLACEHOLDER = re.compile(r'%L?(?:[1-9][0-9]?|n)')
# Words a fluent reader found wrong: (language, part of the sources, what each
# of their translations holds). What a shutdown does to a running program is
# not the Stop button's verb; the warning's Stop button is the notification's
# "Annuler", not the French desktop's word for shutting down; a login session
# is no "sesión de inicio".
WORDS = (
    ('fr', 'Stop countdown', 'Annuler le compte à rebours'),
    ('es', 'not running inside a login session.', 'sesión de usuario'),
    ('es', 'It will be stopped.', 'Se cerrará.'),
    ('ru', 'It will be stopped.', 'будет закрыта'),
    ('pl', 'It will be stopped.', 'Zostanie zamknięty.'),
    ('ja', 'It will be stopped.', '終了されます。'),
    ('zh_CN', 'It will be stopped.', '它将被关闭。'),
)


def names(tag, language):
    """Whether an xml:lang names a po/ language: newer msgfmt writes BCP 47
    tags, pt-BR for pt_BR and zh-Hans-CN for zh_CN."""
    subtags = (tag or '').replace('_', '-').split('-')
    wanted = language.split('_')
    return subtags[0] == wanted[0] and all(part in subtags[1:] for part in wanted[1:])


metainfo = ElementTree.parse(sys.argv[1]).getroot()
for language in sys.argv[2:]:
    labels = {}
    for message in ElementTree.parse(f'translations/velmora_{language}.ts').getroot().iter('message'):
        source = message.findtext('source')
        translation = message.find('translation')
        forms = [form.text or '' for form in translation.findall('numerusform')] or [translation.text or '']
        for form in forms:
            lost = set(PLACEHOLDER.findall(source)) - set(PLACEHOLDER.findall(form))
            if lost:
                print(f'velmora_{language}.ts: {" ".join(sorted(lost))} missing from "{form}"')
        labels[source] = forms[0]
        for wanted, part, word in WORDS:
            if wanted == language and part in source and any(word not in form for form in forms):
                print(f'velmora_{language}.ts: "{forms[0]}" for "{source}" does not say "{word}"')
    for wanted, part, _ in WORDS:
        if wanted == language and not any(part in source for source in labels):
            print(f'velmora_{language}.ts: no source holds "{part}" any more')
    described = ' '.join(''.join(p.itertext()) for p in metainfo.iter('p') if names(p.get(LANG), language))
    for source in ('Ok', 'STOP!'):
        if labels[source] not in described:
            print(f'po/{language}.po: the metainfo does not name "{source}" as the program does, "{labels[source]}"')
EOF
)

if ((failures > 0)); then
    echo "check_translations: FAILED: $failures problem(s)" >&2
    exit 1
fi
echo "check_translations: PASSED: ${#languages[@]} languages, complete and up to date"
