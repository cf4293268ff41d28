#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs in the test chroot once per run, in the layer that every case then
# starts from: installs the package under test with apt, adds the user who
# runs it, puts stubs in place of every command that would power off,
# reboot or halt, and makes elogind ignore keys, lids and idleness.
# Usage: prepare.sh PACKAGE.deb
set -eu
here=$(dirname "$0")
install_package() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 \
        --no-install-recommends "$1" < /dev/null > /dev/null
}
# The cached chroot has the libraries it needs; a new one comes from the
# mirror, with package lists brought up to date first when it is not found.
install_package "$1" || { apt-get update -qq && install_package "$1"; }
useradd --create-home --shell /bin/bash tester
for command in poweroff reboot halt kexec shutdown; do
    install -m 755 "$here/power-stub" "/usr/sbin/$command"
done
install -D -m 644 "$here/logind.conf" /etc/elogind/logind.conf.d/velmora-test.conf
