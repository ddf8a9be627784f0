#!/usr/bin/env python3
"""Turns the headers' plain comments into documentation for Doxygen.

The comment block above a declaration describes it, and a comment after a member on its line
describes that member, as the headers are written. Characters Doxygen would read as commands
or markup are escaped, so that the text shows as written."""

import re
import sys

TRAILING = re.compile(r'^(?P<code>.*?\S)(?P<gap>\s+)//(?!/)\s?(?P<text>.*)$')


def escape(text):
    text = text.replace('\\', '\\\\').replace('@', '\\@').replace('<', '\\<').replace('>', '\\>')
    return text.replace('&', '\\&').replace('#', '\\#').replace('$', '\\$').replace('%', '\\%')


def outside_strings(code):
    """Whether the code before a trailing comment closes every string it opens."""
    return code.count('"') % 2 == 0 and code.count("'") % 2 == 0


SECTION = re.compile(r'^\s*// -+ .* -+\s*$')


def convert(line):
    stripped = line.lstrip()
    indent = line[:len(line) - len(stripped)]
    if SECTION.match(line):  # a heading over several declarations describes none of them
        return line
    if stripped.startswith('//') and not stripped.startswith('///'):
        return f'{indent}/// {escape(stripped[2:].strip())}'
    match = TRAILING.match(line)
    if match and outside_strings(match.group('code')) and '://' not in match.group('code'):
        return f"{match.group('code')}{match.group('gap')}///< {escape(match.group('text'))}"
    return line


CLASS = re.compile(r'^(class|struct)\s+\w+(\s+final)?\s*(:[^;]*)?\{?\s*$')


def is_comment(line):
    return line.lstrip().startswith('//')


def place_file_comment(lines):
    """A header's leading comment describes its first class when that has none of its own;
    otherwise it describes the file."""
    start = next((i for i, line in enumerate(lines) if line.strip() and
                  not line.startswith('#pragma')), None)
    if start is None or not is_comment(lines[start]):
        return lines
    end = start
    while end < len(lines) and is_comment(lines[end]):
        end += 1
    block = lines[start:end]
    first = next((i for i in range(end, len(lines)) if CLASS.match(lines[i])), None)
    rest = lines[:start] + [''] * len(block) + lines[end:]
    if first is not None and not is_comment(lines[first - 1]):
        return rest[:first] + block + rest[first:]
    return lines[:start] + ['/// \\file'] + lines[start:]


def main():
    with open(sys.argv[1], encoding='utf-8') as source:
        lines = [line.rstrip('\n') for line in source]
    for line in place_file_comment(lines):
        print(convert(line))


if __name__ == '__main__':
    main()
