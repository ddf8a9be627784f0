#!/usr/bin/env python3
"""Fails when a translation misses a text the library marks for translation, leaves one
unfinished, or fills other placeholders than the English text.

Usage: check.py LUPDATE HEADER TS... : lupdate gathers the marked texts of HEADER afresh."""

import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r'%%|%(\.\d+)?[sduxfge]')


def text(node):
    """The text of a source or translation, with lupdate's <byte value="xd"/> as characters."""
    parts = [node.text or '']
    for child in node:
        parts.append(chr(int(child.get('value')[1:], 16)) + (child.tail or ''))
    return ''.join(parts)


def messages(path):
    root = ET.parse(path).getroot()
    return {text(m.find('source')): m.find('translation') for m in root.iter('message')}


def main():
    lupdate, header, translations = sys.argv[1], sys.argv[2], sys.argv[3:]
    with tempfile.TemporaryDirectory() as folder:
        fresh = Path(folder) / 'fresh.ts'
        subprocess.run([lupdate, '-silent', '-locations', 'none', header, '-ts', str(fresh)],
                       check=True)
        marked = set(messages(fresh))
    faults = []
    for path in translations:
        done = messages(path)
        for source in sorted(marked):
            translation = done.get(source)
            if translation is None:
                faults.append(f'{path}: missing: {source!r}')
            elif translation.get('type') in ('unfinished', 'vanished', 'obsolete'):
                faults.append(f'{path}: unfinished: {source!r}')
            elif ([m.group(0) for m in PLACEHOLDER.finditer(source)] !=
                  [m.group(0) for m in PLACEHOLDER.finditer(text(translation))]):
                faults.append(f'{path}: other placeholders: {source!r}')
        faults += [f'{path}: no longer marked: {s!r}' for s in sorted(set(done) - marked)]
    print(f'{len(marked)} marked texts, {len(translations)} translation(s)')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
