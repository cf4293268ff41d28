# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the scripts that need Debian's archive the way this machine
# reaches it (the deb-src entries of build-qt-windows.sh, the chroots of
# debian-chroot.sh), so that no mirror is ever named in the tree.
#
# apt_lock: waits until no other of these scripts is changing apt's lists or
# the machine's packages, and holds that until the (sub)shell ends. test.sh
# makes the later stages' caches in the background while stages run, and
# apt-get fails at once on lists that another apt-get is updating.
apt_lock() {
    # A lock on apt's own folder, which every user may open and which a
    # minimal chroot has too; apt's own locks are others.
    exec {apt_lock_fd}< /var/lib/apt/lists
    flock "$apt_lock_fd"
}
#
# apt_deb_entries: each enabled deb entry of apt's sources, one-line
# (sources.list, *.list) or deb822 (*.sources), as a deb822 stanza with its
# URIs, Suites, Components, Signed-By and Trusted fields, stanzas separated
# by an empty line.
apt_deb_entries() {
    local sourcelist sourceparts file lists=() parts=()
    eval "$(apt-config shell sourcelist Dir::Etc::sourcelist/f sourceparts Dir::Etc::sourceparts/d)"
    for file in "$sourcelist" "$sourceparts"*.list; do
        [ -f "$file" ] && lists+=("$file")
    done
    for file in "$sourceparts"*.sources; do
        [ -f "$file" ] && parts+=("$file")
    done
    [ ${#lists[@]} -eq 0 ] || awk '
        { sub(/#.*/, "") }
        $1 != "deb" { next }
        {
            signed_by = ""; trusted = ""; i = 2
            if ($2 ~ /^\[/) {
                for (options = ""; i <= NF; i++) {
                    options = options " " $i
                    if ($i ~ /\]$/) { i++; break }
                }
                gsub(/[][]/, "", options)
                n = split(options, option, " ")
                for (j = 1; j <= n; j++) {
                    if (option[j] ~ /^signed-by=/) signed_by = substr(option[j], 11)
                    if (option[j] ~ /^trusted=/) trusted = substr(option[j], 9)
                }
            }
            printf "Types: deb\nURIs: %s\nSuites: %s\n", $i, $(i + 1)
            if (NF > i + 1) {
                components = $(i + 2)
                for (j = i + 3; j <= NF; j++) components = components " " $j
                printf "Components: %s\n", components
            }
            if (signed_by != "") printf "Signed-By: %s\n", signed_by
            if (trusted != "") printf "Trusted: %s\n", trusted
            print ""
        }' "${lists[@]}"
    [ ${#parts[@]} -eq 0 ] || awk '
        function flush() {
            if (deb && enabled && fields != "") printf "Types: deb\n%s\n", fields
            deb = 0; enabled = 1; keep = 0; fields = ""
        }
        FNR == 1 || /^[ \t]*$/ { flush() }
        /^#/ || /^[ \t]*$/ { next }
        # A field that goes on over several lines, such as a key.
        /^[ \t]/ { if (keep) fields = fields $0 "\n"; next }
        {
            name = tolower($0); sub(/[ \t]*:.*/, "", name)
            value = $0; sub(/^[^:]*:[ \t]*/, "", value)
            keep = name ~ /^(uris|suites|components|signed-by|trusted)$/
            if (keep) fields = fields $0 "\n"
            if (name == "types") deb = (" " value " ") ~ /[ \t]deb[ \t]/
            if (name == "enabled") enabled = tolower(value) !~ /^(no|false|off|without|disable)$/
        }
        END { flush() }' "${parts[@]}"
}

# apt_deb_entries_for_suite FROM TO: the entries of the suites of release
# FROM (FROM itself and FROM-updates, FROM-security, ...) turned into those
# of release TO, with the same mirrors, components and keys; the others are
# left out.
apt_deb_entries_for_suite() {
    apt_deb_entries | awk -v from="$1" -v to="$2" '
        function flush() {
            if (suites != "") printf "Types: deb\n%sSuites:%s\n%s\n", uris, suites, rest
            uris = ""; suites = ""; rest = ""; field = ""
        }
        /^$/ { flush(); next }
        /^[ \t]/ { if (field == "uris") uris = uris $0 "\n"; else if (field != "suites") rest = rest $0 "\n"; next }
        {
            field = tolower($0); sub(/[ \t]*:.*/, "", field)
            value = $0; sub(/^[^:]*:[ \t]*/, "", value)
            if (field == "types") next
            if (field == "uris") { uris = uris $0 "\n"; next }
            if (field != "suites") { rest = rest $0 "\n"; next }
            n = split(value, suite, /[ \t]+/)
            for (i = 1; i <= n; i++)
                if (suite[i] == from || index(suite[i], from "-") == 1)
                    suites = suites " " to substr(suite[i], length(from) + 1)
        }
        END { flush() }'
}
