#!/usr/bin/env python3
"""Builds the installed Russian linguistic data.

The stress dictionary comes from the lexicon of festvox-ru (its slips
mended by their lemma's pattern, and the stresses the voice's recorded
utterances mark put over it), completed by a
hand-written list of stressed words (extra_stress.txt: what the text
normaliser says that the lexicon lacks), the 'ё' words from hunspell-ru (both
packages downloaded as Debian packages into a cache), the rest from the
hand-written sources. The list of forms the dictionary holds, each with its
stressed letter, goes into the work folder for the tests.
"""

import argparse
import collections
import os
import shutil
import sys
import time

from russian_data import (abbreviations, lexicon, sources, stress_sources, string_resources,
                          word_files, yo_variants)
from russian_data.hunspell import lemmas
from russian_data.mask_bases import build_mask_base
from russian_data.russian import VOWELS
from russian_data.stress_dictionary import build_records, stem_records

STEM_LENGTHS = range(2, 25)
ENDING_LENGTHS = range(1, 20)
YO_LENGTHS = range(1, 22)


def read_word_list(path):
    """Words of a hand-written list: one or more a line, "#" comments."""
    words = set()
    for line in sources.read(path).splitlines():
        if not line.strip().startswith("#"):
            words.update(line.split())
    return words


def build_stress_dictionary(lexicon_text, utterance_text, extra_text, lemmas, folder,
                            forms_list):
    forms = stress_sources.known_stresses(lexicon_text, utterance_text, lemmas)
    # The hand-written stresses complete the lexicon and win over it.
    forms.update(lexicon.marked_forms(extra_text, "extra_stress.txt"))
    lexicon_forms = forms
    forms, origins = stress_sources.assemble(lexicon_forms, lemmas)
    # Endings come from the lexicon's forms: the inferred ones would only
    # add rare tails.
    records, endings = build_records(forms, lexicon_forms)
    stems = word_files.write_stem_files(folder, STEM_LENGTHS, stem_records(records))
    word_files.write_word_files(folder, "endsg3.dat", ENDING_LENGTHS, endings)
    with open(forms_list, "wb") as out:
        for word in sorted(forms):
            out.write(f"{word} {forms[word]}\n".encode("cp1251"))
    counts = collections.Counter(origins.values())
    print(f"stress dictionary: {len(forms)} forms ({counts[stress_sources.LEXICON]} of the "
          f"lexicon, {counts[stress_sources.PARADIGM]} by their lemma's pattern, "
          f"{counts[stress_sources.ENDING]} by their ending), {stems} stems, "
          f"{len(endings)} endings")
    return forms


def build_yo_variants(lemma_forms, ambiguous, lexicon_text, folder):
    pairs = ((forms[0], form) for forms in lemma_forms for form in forms)
    forms = yo_variants.yo_forms(pairs, ambiguous,
                                 lexicon.stresses_by_spelling(lexicon_text))
    count = word_files.write_word_files(folder, "jog3.dat", YO_LENGTHS, forms)
    print(f"yo-variants base: {count} words")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--sources", required=True, help="the hand-written sources (data/russian)")
    parser.add_argument("--out", required=True, help="the data folder to fill")
    parser.add_argument("--work", required=True, help="a folder for extracted and listed files")
    parser.add_argument("--debs", required=True, help="the cache of downloaded packages")
    parser.add_argument("--stress-folder", default="Dict")
    parser.add_argument("--mask-folder", default="Masks")
    parser.add_argument("--strings", default="resources.txt")
    parser.add_argument("--user-base", default="userstress.txt")
    args = parser.parse_args()
    started = time.time()

    os.makedirs(args.work, exist_ok=True)
    festvox = sources.lexicon_files(args.debs, args.work)
    hunspell = sources.hunspell_files(args.debs, args.work)
    lexicon_text = sources.read(festvox[sources.LEXICON])
    lemma_forms = list(lemmas(sources.read(hunspell[sources.HUNSPELL_DIC]),
                              sources.read(hunspell[sources.HUNSPELL_AFF])))

    stress_folder = os.path.join(args.out, args.stress_folder)
    os.makedirs(stress_folder, exist_ok=True)
    stress_forms = build_stress_dictionary(
        lexicon_text, sources.read(sources.utterance_file(args.debs, args.work)),
        sources.read(os.path.join(args.sources, "extra_stress.txt")),
        stress_sources.Lemmas(lemma_forms), stress_folder,
        os.path.join(args.work, "stress_forms.txt"))
    build_yo_variants(lemma_forms, read_word_list(os.path.join(args.sources, "yo_ambiguous.txt")),
                      lexicon_text, stress_folder)
    # The derived data keeps its sources' licence notices beside it.
    shutil.copyfile(festvox[sources.LEXICON_NOTICE],
                    os.path.join(stress_folder, "festvox-ru.copyright"))
    shutil.copyfile(hunspell[sources.HUNSPELL_NOTICE],
                    os.path.join(stress_folder, "hunspell-ru.copyright"))

    mask_folder = os.path.join(args.out, args.mask_folder)
    build_mask_base(os.path.join(args.sources, "yo_masks"), mask_folder, "jb", {"е"})
    build_mask_base(os.path.join(args.sources, "stress_masks"), mask_folder, "sb", VOWELS)

    string_resources.build(os.path.join(args.sources, "resources"),
                           os.path.join(args.sources, "numeral_forms.txt"),
                           abbreviations.word_forms(lexicon_text, lemma_forms),
                           {word.replace("ё", "е") for word in stress_forms},
                           os.path.join(args.out, args.strings))
    # The user's own stresses are never overwritten by a rebuild.
    user_base = os.path.join(args.out, args.user_base)
    if not os.path.exists(user_base):
        string_resources.write_text(user_base,
                                    sources.read(os.path.join(args.sources, "userstress.txt")))
    print(f"Russian data built in {args.out} ({time.time() - started:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
