#!/usr/bin/env python3
"""Mirrors the source tree for the clang fuzzing build.

The project compiles its narrow string and character literals as
Windows-1251 (-fexec-charset=CP1251), which clang does not offer. The mirror
holds the same sources with every non-ASCII character of a narrow literal
written as octal escapes of its Windows-1251 bytes, so clang builds the same
bytes. Files are rewritten only when their content changes, which keeps the
build incremental.

usage: fuzz_sources.py SOURCE_ROOT MIRROR_ROOT
"""
import os
import sys

SOURCE_SUFFIXES = ('.cpp', '.cc', '.c', '.h', '.hpp', '.inc')
PREFIXES = {'u8', 'u', 'U', 'L'}
RAW_PREFIXES = {'R', 'u8R', 'uR', 'UR', 'LR'}


def escape(char):
    return ''.join('\\%03o' % b for b in char.encode('cp1251'))


def recode(text, name):
    out = []
    i = 0
    n = len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            end = text.find('\n', i)
            end = n if end < 0 else end
            out.append(text[i:end])
            i = end
            continue
        if text.startswith('/*', i):
            end = text.find('*/', i + 2)
            end = n if end < 0 else end + 2
            out.append(text[i:end])
            i = end
            continue
        if c not in '"\'':
            out.append(c)
            i += 1
            continue
        start = i
        while start > 0 and (text[start - 1].isalnum() or text[start - 1] == '_'):
            start -= 1
        word = text[start:i]
        if c == '\'' and word and word[0].isdigit():  # digit separator
            out.append(c)
            i += 1
            continue
        if c == '"' and word in RAW_PREFIXES:
            open_paren = text.index('(', i)
            delimiter = ')' + text[i + 1:open_paren] + '"'
            end = text.index(delimiter, open_paren) + len(delimiter)
            literal = text[i:end]
            if word == 'R' and any(ord(ch) > 127 for ch in literal):
                sys.exit('%s: a raw narrow literal with non-ASCII text' % name)
            out.append(literal)
            i = end
            continue
        narrow = word not in PREFIXES
        out.append(c)
        i += 1
        while i < n and text[i] != c:
            if text[i] == '\\':
                out.append(text[i:i + 2])
                i += 2
                continue
            if text[i] == '\n':
                break  # not a literal after all (an apostrophe in a #error, say)
            ch = text[i]
            out.append(escape(ch) if narrow and ord(ch) > 127 else ch)
            i += 1
        if i < n and text[i] == c:
            out.append(c)
            i += 1
    return ''.join(out)


def write_if_changed(path, data):
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    source, mirror = (os.path.abspath(p) for p in sys.argv[1:3])
    kept = set()
    for folder, dirs, files in os.walk(source):
        relative_folder = os.path.relpath(folder, source)
        dirs[:] = [d for d in dirs
                   if not d.startswith('.') and not (relative_folder == '.' and d.startswith('build'))]
        for file_name in files:
            relative = os.path.normpath(os.path.join(relative_folder, file_name))
            with open(os.path.join(source, relative), 'rb') as f:
                data = f.read()
            if file_name.endswith(SOURCE_SUFFIXES):
                data = recode(data.decode('utf-8'), relative).encode('utf-8')
            write_if_changed(os.path.join(mirror, relative), data)
            kept.add(relative)
    for folder, _, files in os.walk(mirror):
        for file_name in files:
            path = os.path.join(folder, file_name)
            if os.path.relpath(path, mirror) not in kept:
                os.remove(path)


if __name__ == '__main__':
    main()
