#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Velmora developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a pseudo-translation: every message of a .ts file, plural forms
included, translated as its own source text between the markers ⟦ and ⟧.
A text that the program shows without them never went through a
translation.

Usage: pseudotranslation.py in.ts out.ts"""

import sys
import xml.etree.ElementTree as ElementTree


def main(source, target):
    tree = ElementTree.parse(source)
    for message in tree.getroot().iter('message'):
        marked = '\u27e6' + message.findtext('source') + '\u27e7'
        translation = message.find('translation')
        translation.attrib.pop('type', None)
        forms = translation.findall('numerusform')
        for form in forms:
            form.text = marked
        if not forms:
            translation.text = marked
    tree.write(target, encoding='utf-8', xml_declaration=True)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
