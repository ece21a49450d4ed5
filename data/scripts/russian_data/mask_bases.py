"""The context mask bases from their hand-written sources.

Each base has three word lists and a rule file. A source line, in the lists
and the rules alike, is "pattern|left context|right context|result"; "#"
starts a comment line. The lists are compiled into a word file (for each
entry a length byte and the pattern, the context "left|right" and the result)
and an index of 16-bit offsets in pattern order; the left list holds its
patterns reversed, as it matches them against the word reversed. The rule
file keeps its text.
"""

import os
import struct
import sys

from .russian import cp1251

LISTS = (("left", "lmask"), ("right", "rmask"), ("neutral", "nmask"))
RULES = "lrmask"


def read_source(path):
    """(line number, [pattern, left, right, result]) of a source file; no
    file reads as no entries."""
    if not os.path.exists(path):
        return []
    entries = []
    with open(path, encoding="utf-8") as source:
        for number, line in enumerate(source, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            fields = [field.strip() for field in line.split("|")]
            if len(fields) != 4 or not fields[3].isdigit():
                sys.exit(f"{path}:{number}: expected pattern|left|right|result")
            entries.append((number, fields))
    return entries


def check_entry(path, number, fields, decided_letters):
    """An exact-word pattern must decide one of the letters the base is
    about ('е' for the yo base, a vowel for the stress base)."""
    pattern, result = fields[0].lower(), int(fields[3])
    if "*" in pattern:
        return
    if result >= len(pattern) or pattern[result] not in decided_letters:
        sys.exit(f"{path}:{number}: letter {result} of {pattern!r} is not one of "
                 f"{''.join(sorted(decided_letters))!r}")


def compile_list(entries, reverse):
    """(word file bytes, index bytes)."""
    records = []
    for fields in entries:
        pattern = fields[0].lower()
        if reverse:
            pattern = pattern[::-1]
        parts = [cp1251(pattern), cp1251(fields[1] + "|" + fields[2]), cp1251(fields[3])]
        if any(len(part) > 255 for part in parts):
            sys.exit(f"mask entry too long: {fields}")
        records.append((parts[0], b"".join(bytes([len(p)]) + p for p in parts)))
    # Stable, so entries of one pattern keep their order.
    records.sort(key=lambda record: record[0])
    words, offsets = bytearray(), []
    for _, record in records:
        offsets.append(len(words))
        words += record
    if len(words) > 0xFFFF:
        sys.exit("mask word list beyond 64 KiB")
    return bytes(words), b"".join(struct.pack("<H", offset) for offset in offsets)


def build_mask_base(source_dir, out_dir, tag, decided_letters):
    """Writes the three lists and the rule file of one base ("jb" or "sb")."""
    os.makedirs(out_dir, exist_ok=True)
    for name, prefix in LISTS:
        path = os.path.join(source_dir, name + ".txt")
        entries = read_source(path)
        for number, fields in entries:
            check_entry(path, number, fields, decided_letters)
        words, index = compile_list([fields for _, fields in entries], reverse=(name == "left"))
        with open(os.path.join(out_dir, f"{prefix}{tag}.wds"), "wb") as out:
            out.write(words)
        with open(os.path.join(out_dir, f"{prefix}{tag}.idx"), "wb") as out:
            out.write(index)
    path = os.path.join(source_dir, "rules.txt")
    for number, fields in read_source(path):
        check_entry(path, number, fields, decided_letters)
    text = ""
    if os.path.exists(path):
        with open(path, encoding="utf-8") as source:
            text = source.read()
    with open(os.path.join(out_dir, f"{RULES}{tag}.dat"), "wb") as out:
        out.write(cp1251(text.replace("\r\n", "\n").replace("\n", "\r\n")))
