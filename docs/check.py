#!/usr/bin/env python3
"""Fails when a public class of the library has no description in the reference documentation.

Reads the XML that Doxygen writes beside the HTML; prints each class without a description
and, for information, how many public functions other than plain property accessors have one."""

import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ACCESSOR = re.compile(r'^(Get|Set|Is|Has)[A-Z]|^~|^operator')


def described(node):
    return any(''.join(node.find(tag).itertext()).strip()
               for tag in ('briefdescription', 'detaileddescription') if node.find(tag) is not None)


def main():
    xml_dir = Path(sys.argv[1])
    missing, functions, undescribed = [], 0, 0
    for entry in ET.parse(xml_dir / 'index.xml').getroot().iter('compound'):
        if entry.get('kind') not in ('class', 'struct'):
            continue
        compound = ET.parse(xml_dir / f"{entry.get('refid')}.xml").getroot().find('compounddef')
        location = compound.find('location')
        if compound.get('prot', 'public') != 'public' or location is None:
            continue
        name = compound.findtext('compoundname')
        if not described(compound):
            missing.append(f"{name} ({location.get('file')}:{location.get('line')})")
        for member in compound.iter('memberdef'):
            if member.get('kind') != 'function' or member.get('prot') != 'public':
                continue
            if ACCESSOR.match(member.findtext('name')) or member.findtext('name') == name.split('::')[-1]:
                continue
            functions += 1
            undescribed += not described(member)
    print(f'{functions - undescribed} of {functions} public functions (not accessors) described')
    for line in sorted(missing):
        print(f'no description: {line}')
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main())
