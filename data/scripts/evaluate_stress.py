#!/usr/bin/env python3
"""Measures how well the stress dictionary stresses words it has not seen.

Builds the dictionary once more without a random tenth of the lexicon's
forms, writes it to a temporary folder, reads it back as the reader does and
reports how often that tenth gets its lexicon stress. Words of one vowel and
words with 'ё' are stressed without the dictionary, so they are reported
apart.
"""

import argparse
import random
import tempfile

from russian_data import lexicon, sources, word_files
from russian_data.russian import vowel_positions
from russian_data.stress_dictionary import build_records, stem_records
from build_russian_data import ENDING_LENGTHS, STEM_LENGTHS


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--work", required=True, help="a folder for extracted files")
    parser.add_argument("--debs", required=True, help="the cache of downloaded packages")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--fraction", type=float, default=0.1)
    args = parser.parse_args()

    festvox = sources.lexicon_files(args.debs, args.work)
    forms = lexicon.stress_forms(sources.read(festvox[sources.LEXICON]))
    words = sorted(forms)
    random.Random(args.seed).shuffle(words)
    held_out = words[:int(len(words) * args.fraction)]
    training = {word: forms[word] for word in words[len(held_out):]}

    records, endings = build_records(training)
    with tempfile.TemporaryDirectory() as folder:
        word_files.write_stem_files(folder, STEM_LENGTHS, stem_records(records))
        word_files.write_word_files(folder, "endsg3.dat", ENDING_LENGTHS, endings)
        dictionary = word_files.StressFiles(folder, STEM_LENGTHS, ENDING_LENGTHS)
        right = {True: 0, False: 0}
        total = {True: 0, False: 0}
        for word in held_out:
            needs_dictionary = len(vowel_positions(word)) > 1
            total[needs_dictionary] += 1
            right[needs_dictionary] += dictionary.lookup(word) == forms[word]

    print(f"held out {len(held_out)} of {len(forms)} forms (seed {args.seed})")
    print(f"words of several vowels: {right[True]} of {total[True]} right "
          f"({100.0 * right[True] / total[True]:.1f}%)")
    all_right = right[True] + right[False]
    print(f"all held-out words:      {all_right} of {len(held_out)} right "
          f"({100.0 * all_right / len(held_out):.1f}%)")


if __name__ == "__main__":
    main()
