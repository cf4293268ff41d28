#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Installs a build into a temporary directory and checks what a Linux desktop
# reads from it: the program, the desktop file and the command it runs, with
# the settings that command carries over from earlier versions, the AppStream
# metainfo, both translated, and the themed icons, all under one application
# id.
# Usage: check_install.sh <cmake> <build-dir>
set -uo pipefail
cmake=$1
build_dir=$2
app_id=io.github.velmora.Velmora

# DESTDIR as well as the prefix, so that even an absolute install path
# stays inside the temporary directory.
destdir=$(mktemp -d)
trap 'rm -rf "$destdir"' EXIT
root=$destdir/usr
DESTDIR=$destdir "$cmake" --install "$build_dir" --prefix /usr >/dev/null || exit 1

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

desktop=$root/share/applications/$app_id.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "$desktop does not validate: $report"
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop file does not name the icon $app_id"

# Runs the desktop file's command the way a menu does: from the home folder,
# with the Exec value read by the rules of desktop files, strictly: first the
# escapes of a string value, then the quoting of arguments. Every installed
# program is replaced by a stub that records its path and the folder it
# starts in. The spaces in the folders' names catch a missing quote. Another
# velmora comes first on PATH, and the install's own folder is not on it:
# the command must start the program installed beside it all the same.
stub() {
    printf '#!/bin/sh\nprintf "%%s\\n" "$0" "$PWD" > "%s"\n' "$started" > "$1"
    chmod +x "$1"
}
started=$destdir/started
decoys=$destdir/other/bin
mkdir -p "$decoys"
stub "$decoys/velmora"
for program in "$root"/bin/*; do
    stub "$program"
done
exec_value=$(sed -n 's/^Exec=//p' "$desktop")
run_desktop_command() {
    local home=$1
    shift
    mkdir -p "$home"
    rm -f "$started"
    (cd "$home" && env -u XDG_CONFIG_HOME HOME="$home" PATH="$decoys:$PATH" DESTDIR="$destdir" "$@" \
        timeout 20 python3 - "$exec_value" <<'EOF'
import os
import sys

RESERVED = set(' \t\n"\'\\><~|&;$*?#`')


def fail(message):
    sys.exit(f'Exec={sys.argv[1]}: {message}')


def unescape_string(value):
    escapes = {'s': ' ', 'n': '\n', 't': '\t', 'r': '\r', '\\': '\\'}
    out, chars = [], iter(value)
    for c in chars:
        if c == '\\':
            c = escapes.get(next(chars, ''))
            if c is None:
                fail('an escape that a string value cannot hold')
        out.append(c)
    return ''.join(out)


def split_arguments(line):
    args, i = [], 0
    while i < len(line):
        if line[i] == ' ':
            i += 1
            continue
        if line[i] == '"':
            arg, i = '', i + 1
            while i < len(line) and line[i] != '"':
                if line[i] == '\\':
                    i += 1
                    if i == len(line) or line[i] not in '"`$\\':
                        fail('a backslash that quotes nothing it may quote')
                arg += line[i]
                i += 1
            if i == len(line) or (i + 1 < len(line) and line[i + 1] != ' '):
                fail('a quote that does not enclose a whole argument')
            i += 1
        else:
            end = line.find(' ', i)
            if end < 0:
                end = len(line)
            arg, i = line[i:end], end
            if RESERVED & set(arg):
                fail(f'an unquoted reserved character in {arg}')
        if '%' in arg.replace('%%', ''):
            fail('a field code, for a program that takes no file')
        args.append(arg.replace('%%', '%'))
    return args


args = split_arguments(unescape_string(sys.argv[1]))
program = args[0]
if os.path.isabs(program):
    # A program of the installed tree, which lies under DESTDIR here.
    program = os.environ['DESTDIR'] + program
    if not os.access(program, os.X_OK):
        fail(f'{args[0]} is no program that the install holds')
os.execvp(program, args)
EOF
    )
}
# Checks that the command started the installed velmora in this folder,
# which it made.
check_started_in() {
    local expected=$1 found program
    found=$(cat "$started" 2>/dev/null || echo nothing)
    program=$(realpath -qm -- "${found%%$'\n'*}")
    [[ -d $expected && $program == "$(realpath -- "$root/bin/velmora")" && $found == *$'\n'"$expected" ]] ||
        fail "the desktop file's command should start $root/bin/velmora in $expected; it started: ${found/$'\n'/ in }"
}
run_desktop_command "$destdir/home 1" XDG_CONFIG_HOME="$destdir/config home"
check_started_in "$destdir/config home/velmora"
run_desktop_command "$destdir/home 2"
check_started_in "$destdir/home 2/.config/velmora"
run_desktop_command "$destdir/home 3" XDG_CONFIG_HOME="relative config"
check_started_in "$destdir/home 3/.config/velmora"

# What a start from the menu does with the settings.dat that earlier versions
# kept in the home folder: what lies there, what lies in the program's folder
# beforehand, and what must lie there afterwards: the home folder's settings
# (copied), the folder's own (kept) or nothing. The home folder's file must
# stay as it was, and the program must start in every case: a FIFO or a
# device that the command read would hold it up, /dev/zero for good.
migration_cases=(
    "regular file|nothing|copied"
    "link to a regular file|nothing|copied"
    "regular file|settings|kept"
    "regular file|dangling link|kept"
    "nothing|nothing|nothing"
    "directory|nothing|nothing"
    "FIFO|nothing|nothing"
    "link to a device|nothing|nothing"
    "dangling link|nothing|nothing"
)
# Only root may make a device node.
if [ "$(id -u)" -eq 0 ]; then migration_cases+=("device|nothing|nothing"); fi
old_settings="250 0 3"
own_settings="700 1 2"
# Puts one kind of thing at $2 (a settings.dat).
make_settings() {
    case $1 in
    "regular file") printf '%s' "$old_settings" > "$2" ;;
    "link to a regular file") printf '%s' "$old_settings" > "$2.target" && ln -s "${2##*/}.target" "$2" ;;
    settings) printf '%s' "$own_settings" > "$2" ;;
    directory) mkdir "$2" ;;
    FIFO) mkfifo "$2" ;;
    "link to a device") ln -s /dev/zero "$2" ;;
    device) mknod "$2" c 1 5 ;;
    "dangling link") ln -s nowhere "$2" ;;
    nothing) ;;
    esac
}
# Prints what lies at $1: its kind and, for a regular file, its contents.
describe() {
    if [[ -L $1 ]]; then
        echo "link to $(readlink "$1")"
    elif [[ -f $1 ]]; then
        echo "file: $(cat "$1")"
    elif [[ -e $1 ]]; then
        stat -c %F "$1"
    else
        echo nothing
    fi
}
for case in "${migration_cases[@]}"; do
    IFS='|' read -r in_home in_folder expected <<< "$case"
    home="$destdir/migration home ($in_home, $in_folder)"
    folder=$home/.config/velmora
    mkdir -p "$folder"
    make_settings "$in_home" "$home/settings.dat"
    make_settings "$in_folder" "$folder/settings.dat"
    home_before=$(describe "$home/settings.dat")
    folder_before=$(describe "$folder/settings.dat")
    run_desktop_command "$home"
    check_started_in "$folder"
    case $expected in
    copied) wanted="file: $old_settings" ;;
    kept) wanted=$folder_before ;;
    nothing) wanted=nothing ;;
    esac
    found=$(describe "$folder/settings.dat")
    [[ $found == "$wanted" ]] ||
        fail "with a $in_home as ~/settings.dat and $in_folder in $folder: expected there $wanted, found $found"
    [[ $(describe "$home/settings.dat") == "$home_before" ]] ||
        fail "with a $in_home as ~/settings.dat: it is no longer as it was"
    leftovers=$(find "$folder" -mindepth 1 ! -name settings.dat)
    [[ -z $leftovers ]] || fail "with a $in_home as ~/settings.dat: the start left $leftovers"
done

metainfo=$root/share/metainfo/$app_id.metainfo.xml
report=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "$metainfo does not validate: $report"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
# Both speak every language of po/LINGUAS, in the keys and elements that a
# menu and a software centre show.
while read -r language; do
    for key in Name GenericName Comment Keywords; do
        grep -q "^$key\[$language\]=." "$desktop" || fail "the desktop file has no $key[$language]"
    done
    # Debian 13's msgfmt writes BCP 47 tags: pt-BR, zh-Hans-CN for zh_CN.
    tag="${language%%_*}([-_][A-Z][a-z]{3})?"
    [[ $language == *_* ]] && tag+="[-_]${language#*_}"
    grep -Eq "<summary xml:lang=\"$tag\">" "$metainfo" || fail "the metainfo has no summary in $language"
    grep -Eq "<p xml:lang=\"$tag\">" "$metainfo" || fail "the metainfo has no description in $language"
done < <(grep -v '^#' "$(dirname "$0")/../po/LINGUAS")

icons=$root/share/icons/hicolor
for size in 16 22 24 32 48 64 128 256; do
    icon=$icons/${size}x$size/apps/$app_id.png
    found=$(identify -format '%m %wx%h' "$icon" 2>&1)
    [[ $found == "PNG ${size}x$size" ]] || fail "$icon: expected a ${size} px PNG, found: $found"
done
# librsvg, which GTK desktops draw SVG icons with, renders the scalable one;
# it refuses a file without an <svg> root or without a size. ImageMagick
# reads SVG only with coders that a plain install leaves out.
icon=$icons/scalable/apps/$app_id.svg
rendered=$destdir/scalable.png
if report=$(rsvg-convert --output "$rendered" "$icon" 2>&1); then
    found=$(identify -format '%m %wx%h' "$rendered" 2>&1)
    [[ $found =~ ^PNG\ ([1-9][0-9]*)x([0-9]+)$ && ${BASH_REMATCH[1]} == "${BASH_REMATCH[2]}" ]] ||
        fail "$icon: expected a square image, rendered: $found"
else
    fail "$icon: expected an SVG image, found: $report"
fi

if ((failures > 0)); then
    echo "check_install: FAILED: $failures problem(s) in the installed files" >&2
    exit 1
fi
echo "check_install: PASSED: program, desktop file and its command, metainfo and icons installed and valid"
