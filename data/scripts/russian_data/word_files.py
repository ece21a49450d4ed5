"""Fixed-length word files: a little-endian 32-bit count, then the records of
N Windows-1251 bytes each, sorted by unsigned bytes (stem files by their
lower-cased form)."""

import bisect
import os
import struct

from .russian import cp1251, vowel_positions
from .stress_dictionary import default_stress, lookup


def write_word_files(folder, stem, lengths, words, sort_key=lambda record: record):
    """Writes folder/stem<N> for every N in lengths, each holding the words
    of that length; a length without words gets a file with count 0.
    Returns the number of words written."""
    by_length = {n: [] for n in lengths}
    for word in words:
        record = cp1251(word)
        if len(record) in by_length:
            by_length[len(record)].append(record)
    os.makedirs(folder, exist_ok=True)
    for n, records in by_length.items():
        records = sorted(set(records), key=sort_key)
        with open(os.path.join(folder, f"{stem}{n}"), "wb") as out:
            out.write(struct.pack("<i", len(records)))
            out.write(b"".join(records))
    return sum(len(records) for records in by_length.values())


def lower_cp1251(record):
    """Lower case of Windows-1251 bytes: А-Я, and Ё."""
    return bytes(b + 32 if 0xC0 <= b <= 0xDF else 0xB8 if b == 0xA8 else b for b in record)


def write_stem_files(folder, lengths, stems):
    return write_word_files(folder, "wordsg3.dat", lengths, stems,
                            sort_key=lambda record: (lower_cp1251(record), record))


def read_word_file(path, n):
    """The records of one file, or None when its size does not match."""
    with open(path, "rb") as source:
        data = source.read()
    if len(data) < 4:
        return None
    (count,) = struct.unpack_from("<i", data)
    if count < 0 or len(data) != 4 + n * count:
        return None
    return [data[4 + i * n:4 + (i + 1) * n] for i in range(count)]


class StressFiles:
    """The stress dictionary read back from its files, for checking what was
    written; lookups as the reader makes them, on Windows-1251 bytes."""

    def __init__(self, folder, stem_lengths, ending_lengths):
        self.stems = {}
        for n in stem_lengths:
            records = read_word_file(os.path.join(folder, f"wordsg3.dat{n}"), n)
            if records is None:
                raise ValueError(f"wordsg3.dat{n} has a wrong size")
            self.stems[n] = ([lower_cp1251(r) for r in records], records)
        self.endings = set()
        for n in ending_lengths:
            records = read_word_file(os.path.join(folder, f"endsg3.dat{n}"), n)
            if records is None:
                raise ValueError(f"endsg3.dat{n} has a wrong size")
            self.endings.update(records)

    def find(self, word):
        """The stress the stem files give the word (bytes), or None."""
        for n in range(min(len(word), max(self.stems)), 1, -1):
            lowered, records = self.stems[n]
            at = bisect.bisect_left(lowered, word)
            if n == len(word):
                hit = at < len(lowered) and lowered[at] == word
            else:
                # The record just before the first one not less than the word.
                at -= 1
                hit = at >= 0 and lowered[at] == word[:n] and word[n:] in self.endings
            if hit:
                capitals = [i for i, b in enumerate(records[at]) if b in CAPITAL_VOWELS]
                if capitals:
                    return capitals[0]
        return None

    def lookup(self, word):
        """The stressed letter of a lower-case word (text), as the reader
        finds it."""
        vowels = vowel_positions(word)
        if len(vowels) < 2 or "ё" in word:
            return lookup(word, {}, set())
        found = self.find(cp1251(word)) if len(word) <= max(self.stems) else None
        return found if found is not None else default_stress(vowels)


CAPITAL_VOWELS = frozenset(cp1251("АЕЁИОУЫЭЮЯ"))
