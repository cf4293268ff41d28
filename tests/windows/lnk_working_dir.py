#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the working folder ("Start in") of a Windows shortcut, read from
the Shell Link binary format ([MS-SHLLINK]), or nothing when it has none.
Usage: lnk_working_dir.py <shortcut.lnk>"""

import struct
import sys
import uuid

CLSID_SHELL_LINK = uuid.UUID("00021401-0000-0000-c000-000000000046")
HAS_TARGET_ID_LIST = 0x01
HAS_LINK_INFO = 0x02
HAS_NAME = 0x04
HAS_RELATIVE_PATH = 0x08
HAS_WORKING_DIR = 0x10
IS_UNICODE = 0x80


def working_dir(data):
    header_size, clsid, flags = struct.unpack_from("<I16sI", data)
    if header_size != 0x4C or uuid.UUID(bytes_le=clsid) != CLSID_SHELL_LINK:
        raise ValueError("not a shell link")
    # Windows and a Unicode installer write their strings in UTF-16.
    if not flags & IS_UNICODE:
        raise ValueError("a shell link with strings in an ANSI code page")
    offset = header_size
    if flags & HAS_TARGET_ID_LIST:
        offset += 2 + struct.unpack_from("<H", data, offset)[0]
    if flags & HAS_LINK_INFO:
        offset += struct.unpack_from("<I", data, offset)[0]
    # The strings that follow come in this order, each present only when its
    # flag is set: a count of characters, then the characters.
    for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR):
        if flags & flag:
            count = struct.unpack_from("<H", data, offset)[0]
            text = data[offset + 2:offset + 2 + 2 * count]
            offset += 2 + 2 * count
            if flag == HAS_WORKING_DIR:
                # Wine counts a terminating null, which Windows leaves out.
                return text.decode("utf-16-le").rstrip("\0")
    return ""


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as shortcut:
        print(working_dir(shortcut.read()))
