#!/usr/bin/env python3
"""Writes, in UTF-8, every character the given C++ sources draw: the printable ASCII characters
and those of the GBK string literals in the files. The browser build cuts its faces to these.

    font_text.py <output> <source>...
"""
import re
import sys

# A string literal, with its escapes still in it, and a run of adjacent ones.
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
LITERAL_RUN = re.compile(r'(?:"(?:[^"\\\n]|\\.)*"\s*)+')
ESCAPE = re.compile(rb'\\(x[0-9A-Fa-f]+|[0-7]{1,3}|.)')
SIMPLE_ESCAPES = {b'n': 10, b't': 9, b'r': 13, b'0': 0, b'\\': 92, b'"': 34, b"'": 39}


def literal_bytes(body):
    """The bytes a literal's body stands for."""
    def unescape(match):
        code = match.group(1)
        if code.startswith(b'x'):
            return bytes([int(code[1:], 16) & 0xFF])
        if code[:1].isdigit():
            return bytes([int(code, 8) & 0xFF])
        return bytes([SIMPLE_ESCAPES.get(code, code[0])])
    return ESCAPE.sub(unescape, body.encode('latin-1'))


def drawn_characters(path):
    text = open(path, encoding='latin-1').read()
    text = re.sub(r'//[^\n]*', '', text)
    characters = set()
    # Adjacent literals make one string, and a character's two bytes may stand in two of them.
    for run in LITERAL_RUN.findall(text):
        string = b''.join(literal_bytes(body) for body in LITERAL.findall(run))
        # Bytes that name no character are drawn as boxes, which need no glyph.
        characters.update(string.decode('gbk', errors='ignore'))
    return characters


def main():
    output, sources = sys.argv[1], sys.argv[2:]
    characters = {chr(code) for code in range(0x20, 0x7F)}
    for source in sources:
        characters.update(drawn_characters(source))
    with open(output, 'w', encoding='utf-8') as out:
        out.write(''.join(sorted(characters)) + '\n')


if __name__ == '__main__':
    main()
