#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Windows installer and the installed velmora.exe under Wine, on the X
# display (Wine's windows are X windows): a silent install for the user, the
# Start-menu shortcut, which must start the program in the user's settings
# folder, where it saves its settings; then for each action a delay of 0 and
# Enter, which must make exactly the Win32 calls of a power request, as
# Wine's relay trace shows them; a refused request, which must bring up the
# report, and its "Try again"; "Postpone 10 minutes" in a warning, which must
# add 10 minutes to the time left; under a German locale, the German entry for a
# reboot; then the installer opened and cancelled, which must leave the
# installed build as it was; an install over that one, one into another
# folder, which must leave nothing in the old one, and a silent uninstall,
# which all must keep the settings. Under Wine, ExitWindowsEx only
# ends the session of the prefix: the host is never touched.
# Usage: e2e_windows.sh <prefix> <installer.exe> <output-dir>
set -uo pipefail
prefix=$1
installer=$2
mkdir -p "$3"
output=$(cd "$3" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all
# Wine's default font engine draws no text in the spin boxes; DirectWrite
# does.
export WINEQT_QPA_PLATFORM=windows:fontengine=directwrite
tests=$(cd "$(dirname "$0")" && pwd)
# A working folder inside the prefix, which is all Wine can see.
cd "$prefix/drive_c"
# Where the installer puts the program, and the folder its shortcut starts
# it in, as Windows names them and as the host sees them.
user_folder() { wine cmd /c "echo %$1%" | tr -d '\r'; }
programs_windows="$(user_folder LOCALAPPDATA)\\Programs\\Velmora"
programs=$(winepath -u "$programs_windows")
settings_windows="$(user_folder APPDATA)\\Velmora"
settings=$(winepath -u "$settings_windows")
# A folder that a user may choose instead.
elsewhere_windows="$(user_folder LOCALAPPDATA)\\Elsewhere\\Velmora"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Installs silently into $programs_windows, which it names to the installer
# with /D= when given "chosen": a user's choice of folder.
install_silently() {
    cp "$installer" "$prefix/drive_c/velmora-setup.exe"
    timeout 120 wine 'C:\velmora-setup.exe' /S ${1:+"/D=$programs_windows"} ||
        fail "the silent install failed or took over 2 minutes"
    timeout 120 wineserver --wait
    local program="$programs/bin/velmora.exe"
    local file
    for file in velmora.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Concurrent.dll \
        platforms/qwindows.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
        translations/qtbase_de.qm; do
        [ -f "$programs/bin/$file" ] || fail "the installer put no $file in $programs_windows\\bin"
    done
    # The Windows style: Vista up to Qt 6.6, the modern one from Qt 6.7.
    [ -f "$programs/bin/styles/qwindowsvistastyle.dll" ] || [ -f "$programs/bin/styles/qmodernwindowsstyle.dll" ] ||
        fail "the installer put no Windows style plugin in $programs_windows\\bin\\styles"
    [[ $(x86_64-w64-mingw32-objdump -p "$program") =~ Subsystem[[:space:]]+00000002 ]] ||
        fail "velmora.exe is not a GUI program: it would open a console window"
    [[ $(wrestool --list --type=14 "$program") == *"--name='IDI_ICON1'"* ]] ||
        fail "velmora.exe carries no icon group IDI_ICON1"
    shortcut=$(find "$prefix/drive_c" -path '*Start Menu*' -name 'Velmora.lnk' | head -n1)
    [ -n "$shortcut" ] || fail "the installer made no Start-menu shortcut Velmora.lnk"
    [ -z "$shortcut" ] || grep -aq 'velmora\.exe' "$shortcut" ||
        fail "the Start-menu shortcut does not start velmora.exe"
    local start_in
    start_in=$([ -z "$shortcut" ] || python3 "$tests/lnk_working_dir.py" "$shortcut")
    [ "${start_in,,}" = "${settings_windows,,}" ] ||
        fail "the shortcut starts velmora.exe in '$start_in', not in the settings folder $settings_windows"
    [ -d "$settings" ] || fail "the installer made no settings folder $settings_windows"
}

# Starts the program as the Start menu does, through its shortcut, and saves
# its settings with "Settings" and then "Accept", which must write
# settings.dat into the settings folder; a copy goes to the output folder.
# Escape then closes the window.
save_settings_through_shortcut() {
    rm -f "$output/settings.dat"
    [ -n "$shortcut" ] || return
    timeout 60 wine start "$(winepath -w "$shortcut")"
    local main dialog
    main=$(timeout 60 xdotool search --sync --onlyvisible --name '^Velmora$' | head -n1)
    if [ -z "$main" ]; then
        fail "the shortcut started no Velmora window"
        wineserver --kill
        return
    fi
    # From the days box, Shift+Tab goes back to "Settings"; the dialog it
    # opens has "Accept" as its default button.
    xdotool windowfocus --sync "$main"
    sleep 0.5
    xdotool key shift+Tab space
    for _ in $(seq 20); do
        dialog=$(xdotool search --onlyvisible --classname velmora | grep -vx "$main" | head -n1)
        [ -n "$dialog" ] && break
        sleep 0.5
    done
    if [ -n "$dialog" ]; then
        xdotool windowfocus --sync "$dialog"
        sleep 0.5
        xdotool key Return
        # "Accept" closes the dialog once settings.dat is written.
        for _ in $(seq 20); do
            xdotool search --onlyvisible --classname velmora | grep -qx "$dialog" || break
            sleep 0.5
        done
    else
        fail "\"Settings\" opened no dialog"
    fi
    xdotool windowfocus --sync "$main"
    xdotool key Escape
    # Started through the shell, the program is no child of this script:
    # the end of Wine's server tells that it ended.
    timeout 30 wineserver --wait || { fail "velmora.exe did not end on Escape"; wineserver --kill; }
    if [ -f "$settings/settings.dat" ]; then
        cp "$settings/settings.dat" "$output/settings.dat"
    else
        fail "started through its shortcut, velmora.exe saved no settings.dat in $settings_windows"
    fi
}

uninstall_silently() {
    # The uninstaller copies itself to a temporary folder and returns at once;
    # wineserver --wait waits for that copy as well.
    timeout 120 wine "$programs_windows\\Uninstall.exe" /S ||
        fail "the silent uninstall failed or took over 2 minutes"
    timeout 120 wineserver --wait
    [ ! -e "$programs" ] || fail "the uninstaller left $programs_windows behind"
    [ -z "$(find "$prefix/drive_c" -path '*Start Menu*' -name 'Velmora.lnk')" ] ||
        fail "the uninstaller left the Start-menu shortcut behind"
}

# The entry in the user's installed apps: the folder it names.
install_location() {
    wine reg query "$uninstall_key" /v InstallLocation 2> /dev/null |
        tr -d '\r' | sed -n 's/^ *InstallLocation *REG_SZ *//p'
}

# What a user finds of the installed build: the files in its folder, the
# Start-menu shortcut and the entry in the installed apps.
installed_build() {
    (cd "$programs" 2> /dev/null && find . | sort)
    find "$prefix/drive_c" -path '*Start Menu*' -name 'Velmora.lnk'
    echo "installed apps: $(install_location)"
}

# Opens the installer as a user does and cancels it on its first page, which
# the installer's question then confirms (Yes is its default button): the
# build installed before must be as it was.
cancel_install() {
    local before setup window question=""
    before=$(installed_build)
    cp "$installer" "$prefix/drive_c/velmora-setup.exe"
    wine 'C:\velmora-setup.exe' &
    setup=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Velmora Setup$' | head -n1)
    if [ -n "$window" ]; then
        xdotool windowfocus --sync "$window"
        sleep 0.5
        xdotool key Escape
        for _ in $(seq 20); do
            question=$(xdotool search --onlyvisible --name '^Velmora Setup$' | grep -vx "$window" | head -n1)
            [ -n "$question" ] && break
            sleep 0.5
        done
        if [ -n "$question" ]; then
            xdotool windowfocus --sync "$question"
            sleep 0.5
            xdotool key Return
        else
            fail "cancelling the installer brought no question whether to quit"
        fi
    else
        fail "the installer showed no window"
    fi
    timeout 60 wineserver --wait || { fail "the cancelled installer did not end"; wineserver --kill; }
    wait "$setup" 2> /dev/null
    local after
    after=$(installed_build)
    if [ "$after" != "$before" ]; then
        fail "the cancelled installer changed the installed build (< before, > after):"
        diff <(echo "$before") <(echo "$after") | grep '^[<>]' >&2
    fi
}

# After an install into another folder: the old one, its uninstaller
# included, must be gone, and the shortcut and the installed apps must name
# the new one.
check_moved_from() {
    local old=$1
    [ ! -e "$old" ] || fail "installing into another folder left in the old one: $(cd "$old" && find . -mindepth 1 | tr '\n' ' ')"
    [ -z "$shortcut" ] || grep -aq 'Elsewhere' "$shortcut" ||
        fail "after installing into another folder, the shortcut does not start the program there"
    [ "$(install_location)" = "$programs_windows" ] ||
        fail "after installing into another folder, the installed apps name $(install_location), not $programs_windows"
}

# The settings the user saved must outlast an update and an uninstall.
check_settings_kept() {
    [ ! -f "$output/settings.dat" ] || cmp -s "$output/settings.dat" "$settings/settings.dat" ||
        fail "$1 lost the saved settings.dat"
}

# Starts the installed program in an empty working folder (no settings.dat),
# with program_environment added to its environment, and prints its window,
# once shown. Its trace goes to $1.
program_environment=()
start_velmora() {
    local folder="$prefix/drive_c/velmora-e2e"
    rm -rf "$folder"
    mkdir -p "$folder"
    (cd "$folder" && exec env "${program_environment[@]}" wine "$programs_windows\\bin\\velmora.exe" 2> "$1") &
    velmora=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Velmora$' | head -n1)
    if [ -z "$window" ]; then
        fail "no Velmora window appeared"
        kill "$velmora" 2> /dev/null
        return 1
    fi
    # With no window manager, the window gets the keyboard from X directly.
    xdotool windowfocus --sync "$window"
    sleep 0.5
}

# Waits up to 30 s for the program to end, then ends it.
wait_for_exit() {
    for _ in $(seq 60); do
        kill -0 "$velmora" 2> /dev/null || return 0
        sleep 0.5
    done
    kill "$velmora" 2> /dev/null
    return 1
}

# The traced calls that velmora.exe made, as "<thread>:Call <function>(...)".
# The trace holds those of every process that Wine starts alongside it too:
# services.exe, for one, opens its token when the prefix's session begins
# anew, as under a locale the prefix has not run in before. The program's
# threads are those that Qt6Core.dll was attached to.
program_calls() {
    awk '
        /Call PE DLL .*L"Qt6Core\.dll",reason=(PROCESS|THREAD)_ATTACH/ { ours[substr($0, 1, index($0, ":") - 1)] = 1 }
        /:Call [a-z0-9]*\.(OpenProcessToken|LookupPrivilegeValueW|AdjustTokenPrivileges|ExitWindowsEx)\(/ {
            thread = substr($0, 1, index($0, ":") - 1)
            if (thread in ours) { sub(/\) ret=.*/, ")"); print }
        }' "$1"
}

# The calls of one power request, in order, with the action's flags and
# reason 0: the token opened with TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, the
# privilege looked up, enabled, the request, the privilege disabled.
check_power_request() {
    local action=$1 flags=$2 trace=$3
    local expected=(
        '^advapi32\.OpenProcessToken\([0-9a-f]+,00000028,[0-9a-f]+\)$'
        '^advapi32\.LookupPrivilegeValueW\([0-9a-f]+,[0-9a-f]+ L"SeShutdownPrivilege",[0-9a-f]+\)$'
        '^advapi32\.AdjustTokenPrivileges\('
        "^user32\.ExitWindowsEx\($flags,00000000\)$"
        '^advapi32\.AdjustTokenPrivileges\('
    )
    local calls
    mapfile -t calls < <(program_calls "$trace" | sed 's/^[0-9a-f]*:Call //')
    local matched=$((${#calls[@]} == ${#expected[@]}))
    for i in "${!expected[@]}"; do
        [[ ${calls[i]:-} =~ ${expected[i]} ]] || matched=0
    done
    if ((!matched)); then
        fail "$action: expected the privilege pair around ExitWindowsEx($flags,00000000), traced:"
        printf '  %s\n' "${calls[@]}" >&2
    fi
}

# Waits up to three minutes for a shown window whose title matches
# $1, and prints it.
wait_for_window() {
    for _ in $(seq 360); do
        xdotool search --onlyvisible --name "$1" | head -n1 | grep . && return
        sleep 0.5
    done
}

run_action() {
    local action=$1 key=$2 flags=$3
    local trace="$output/relay-${action// /-}.log"
    WINEDEBUG=+relay start_velmora "$trace" || return
    # From the days box, Shift+Tab goes round past "Settings" to the action
    # list; a letter picks the action; Enter presses "Ok", the default button.
    xdotool key shift+Tab shift+Tab
    xdotool type "$key"
    xdotool key Return
    wait_for_exit || fail "$action: velmora.exe did not end with the session"
    check_power_request "$action" "$flags" "$trace"
}

# A German desktop. Wine gives a program the language of its locale, made
# here in a folder of its own, as the host need have no German locale. N
# typed into the action list picks "Neu starten", which only the German list
# has (the English one stays on Shutdown), and it must request a reboot.
run_in_german() {
    local locales="$output/locales"
    mkdir -p "$locales"
    localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8" 2> /dev/null
    if [ ! -d "$locales/de_DE.UTF-8" ]; then
        fail "German: localedef made no de_DE.UTF-8 locale"
        return
    fi
    # Given to Wine alone: this shell cannot take on a locale that only the
    # program's environment knows where to find.
    program_environment=(LOCPATH="$locales" LC_ALL=de_DE.UTF-8)
    run_action "Neu starten" N 00000012
    program_environment=()
}

# Wine's ExitWindowsEx starts wineboot.exe to end the prefix's session; with
# it gone the call fails, as a refused request does on Windows. The report
# must appear, and "Try again" must make the same request again, privilege
# pair included. The report appears without taking the keyboard, has no
# default button and starts with the focus on its message, so a user clicks
# into it first (on the message), then Tab reaches "Try again" and Space
# presses it. The report also asks, on a thread of its own, whether the
# token holds the privilege at all (OpenProcessToken with TOKEN_QUERY, then
# LookupPrivilegeValueW); those calls are no request. The file is put back
# at once.
# A prefix's session begins with wineboot.exe too, when the first program
# starts after Wine's server ended, and one that begins without it at times
# fails before the program runs ("failed to map the shared user data"). So
# the session begins first, with the file in place, and a persistent server
# keeps it up until the program has ended; ending the server then ends the
# session as the runs before and after expect.
run_refused_request() {
    local trace="$output/relay-refused.log"
    local wineboot="$prefix/drive_c/windows/system32/wineboot.exe"
    timeout 60 wineserver --wait
    wineserver --persistent
    timeout 120 wine cmd /c exit || fail "refused request: the Wine session did not begin"
    mv "$wineboot" "$wineboot.away"
    if WINEDEBUG=+relay start_velmora "$trace"; then
        xdotool key Return
        local report
        report=$(wait_for_window '^Shutdown not done.*Velmora$')
        if [ -z "$report" ]; then
            fail "refused request: no report window appeared"
        else
            grep -aq 'Ret  *user32\.ExitWindowsEx() retval=00000000' "$trace" ||
                fail "refused request: ExitWindowsEx did not fail as expected"
            xdotool mousemove --window "$report" 20 10 click 1
            sleep 0.5
            xdotool key Tab space
            for _ in $(seq 60); do
                [ "$(grep -ac 'Call user32\.ExitWindowsEx(00000011,00000000)' "$trace")" -ge 2 ] && break
                sleep 0.5
            done
            local calls
            calls=$(program_calls "$trace" |
                awk -F'[:.(]' '
                    $3 == "OpenProcessToken" && $0 ~ /,00000008,/ { asking[$1] = 1; next }
                    $3 == "LookupPrivilegeValueW" && asking[$1] { delete asking[$1]; next }
                    { printf "%s ", $3 }')
            local pair="OpenProcessToken LookupPrivilegeValueW AdjustTokenPrivileges ExitWindowsEx AdjustTokenPrivileges "
            [ "$calls" = "$pair$pair" ] ||
                fail "refused request: \"Try again\" did not make the request again within the privilege pair: $calls"
        fi
        kill "$velmora" 2> /dev/null
        wait "$velmora" 2> /dev/null
    fi
    mv "$wineboot.away" "$wineboot"
    wineserver --kill
    timeout 60 wineserver --wait
}

# "Postpone 10 minutes", pressed once in the warning of an 11-minute run
# with 9 minutes left, must add 10 to them. The warning warns 10 minutes
# ahead, as with no settings.dat: with 19 minutes left it goes, to come again
# when 10 are left, nine minutes on, which the Linux tests see. Kept
# "Shutdown in 10 minutes", it would tell of 10 minutes from the press. As
# with the report, a click into it comes first; then Tab passes "Stop
# countdown" to reach the button.
run_postponed() {
    start_velmora /dev/null || return
    # From the days box, Tab reaches the minutes; Enter presses "Ok".
    xdotool key Tab Tab ctrl+a type 11
    xdotool key Return
    local warning
    warning=$(wait_for_window '^Shutdown in 9 minutes.*Velmora$')
    if [ -z "$warning" ]; then
        fail "postponed: no warning with 9 minutes left"
    else
        xdotool mousemove --window "$warning" 20 10 click 1 sleep 0.5 key Tab Tab space
        for _ in $(seq 60); do
            [ -z "$(xdotool search --onlyvisible --name '^Shutdown in.*Velmora$')" ] && break
            sleep 0.5
        done
        [ -z "$(xdotool search --onlyvisible --name '^Shutdown in.*Velmora$')" ] ||
            fail "postponed: \"Postpone 10 minutes\" did not add 10 minutes: the warning stayed"
        kill -0 "$velmora" 2> /dev/null || fail "postponed: the program ended"
    fi
    kill "$velmora" 2> /dev/null
    wait "$velmora" 2> /dev/null
}

echo "e2e_windows: installing silently"
install_silently
save_settings_through_shortcut
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /f \
    /d 'user32.ExitWindowsEx;advapi32.AdjustTokenPrivileges;advapi32.OpenProcessToken;advapi32.LookupPrivilegeValueW' > /dev/null
run_action Shutdown S 00000011
run_action Reboot R 00000012
run_action "Log off" L 00000010
run_refused_request
run_postponed
run_in_german
wine reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f > /dev/null
echo "e2e_windows: opening the installer and cancelling it"
cancel_install
echo "e2e_windows: installing again over the installed build"
install_silently
check_settings_kept "installing over the installed build"
echo "e2e_windows: installing again, into another folder"
old_programs=$programs
programs_windows=$elsewhere_windows
programs=$(winepath -u "$programs_windows")
install_silently chosen
check_moved_from "$old_programs"
check_settings_kept "installing into another folder"
echo "e2e_windows: uninstalling silently"
uninstall_silently
check_settings_kept "uninstalling"
wineserver --kill 2> /dev/null

if ((failures > 0)); then
    echo "e2e_windows: FAILED: $failures problem(s)" >&2
    exit 1
fi
echo "e2e_windows: PASSED: installed, settings saved in the shortcut's folder, each action's exact power request traced, a refusal reported and retried, a run postponed, a German reboot entry, a cancelled install left the build as it was, installed again, moved and uninstalled with the settings kept"
