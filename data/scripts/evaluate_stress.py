#!/usr/bin/env python3
"""Measures how well the stress dictionary stresses words it has not seen.

Holds out a random tenth of Hunspell's lemmas (every form of a held-out
lemma leaves the lexicon), builds the dictionary from the rest, writes it to
a temporary folder, reads it back as the reader does and reports how often
the held-out forms the lexicon stresses get that stress, split by what gave
it: the records of a stem (a lemma's inferred pattern, or a stem shared with
other words), the prediction of the word's ending, or the default rule.
Then the same for a random tenth of the lexicon's forms, whose lemmas keep
their other forms.
Then reports which of these the words of real texts reach in the installed
dictionary, and how many of those words it stresses as the sources do: as
festvox-ru marks them or, where it marks none, as their lemma's pattern
gives (weighted by how often each word occurs).
"""

import argparse
import collections
import glob
import os
import random
import re
import subprocess
import tempfile

from russian_data import hunspell, lexicon, packages, sources, stress_sources, word_files
from russian_data.russian import vowel_positions
from russian_data.stress_dictionary import build_records, stem_records
from build_russian_data import ENDING_LENGTHS, STEM_LENGTHS

STEMS = "stems"
ENDINGS = "endings"
DEFAULT = "default"
WORD = re.compile("[а-яё]+", re.IGNORECASE)
FORTUNES = "fortunes-ru"
BENCH_UTTERANCES = 200
UTTERANCE = re.compile(r'^\( ru_[0-9]+ "(.*)" \)$')


def write_dictionary(folder, stresses, lexicon_forms):
    records, endings = build_records(stresses, lexicon_forms)
    word_files.write_stem_files(folder, STEM_LENGTHS, stem_records(records))
    word_files.write_word_files(folder, "endsg3.dat", ENDING_LENGTHS, endings)
    return word_files.StressFiles(folder, STEM_LENGTHS, ENDING_LENGTHS)


def source_of(word, sources_of_forms, dictionary):
    source = sources_of_forms.get(word)
    if source == stress_sources.ENDING:
        return ENDINGS
    if source is not None:
        return STEMS
    return STEMS if dictionary.find(word.encode("cp1251")) is not None else DEFAULT


def held_out_report(forms, lemmas, held_forms, title):
    """Builds the dictionary without the lexicon's stress of `held_forms`
    and reports how many of them it stresses as the lexicon does."""
    stresses, sources_of_forms = stress_sources.assemble(forms, lemmas, exclude=held_forms)
    with tempfile.TemporaryDirectory() as folder:
        dictionary = write_dictionary(folder, stresses, forms)
        right = collections.Counter()
        total = collections.Counter()
        for word in sorted(held_forms):
            if word not in forms or len(vowel_positions(word)) < 2:
                continue
            source = source_of(word, sources_of_forms, dictionary)
            total[source] += 1
            right[source] += dictionary.lookup(word) == forms[word]
    print(title)
    for source in (STEMS, ENDINGS, DEFAULT):
        share = 100.0 * right[source] / total[source] if total[source] else 0.0
        print(f"  {source:8} {right[source]:6} of {total[source]:6} right ({share:.1f}%)")
    all_right, all_total = sum(right.values()), sum(total.values())
    print(f"  all      {all_right:6} of {all_total:6} right ({100.0 * all_right / all_total:.1f}%)")


def held_out_lemmas(forms, lemmas, seed, fraction):
    """Every form of a random share of the lemmas: words of lemmas the
    lexicon does not know."""
    chosen = list(range(len(lemmas.lemmas)))
    random.Random(seed).shuffle(chosen)
    held = chosen[:int(len(chosen) * fraction)]
    held_forms = {form.replace("ё", "е") for i in held for form in lemmas.lemmas[i]}
    held_out_report(forms, lemmas, held_forms,
                    f"held out {len(held)} of {len(lemmas.lemmas)} lemmas (seed {seed}); "
                    f"their forms of several vowels the lexicon stresses:")


def held_out_forms(forms, lemmas, seed, fraction):
    """A random share of the lexicon's forms of lemmas: the forms of known
    lemmas that the lexicon leaves out, as their lemma's pattern completes
    them."""
    candidates = sorted(form for form in forms
                        if form in lemmas.by_form and len(vowel_positions(form)) >= 2)
    random.Random(seed).shuffle(candidates)
    held_forms = set(candidates[:int(len(candidates) * fraction)])
    held_out_report(forms, lemmas, held_forms,
                    f"held out {len(held_forms)} of {len(candidates)} forms of lemmas "
                    f"(seed {seed}), their lemmas' other forms kept:")


SHOWN_MISSES = 12


def text_report(name, text, sources_of_forms, dictionary, reference):
    """`reference`: the stresses festvox-ru gives each word it marks (any
    of its readings), or its lemma's pattern gives."""
    counts = collections.Counter()
    sourced = 0
    misses = collections.Counter()
    # Words left to the default rule, and those of them always written with
    # a capital: names that neither source holds.
    unreached = collections.Counter()
    capitalised = collections.Counter()
    for written in WORD.findall(text):
        word = written.lower()
        word = word.replace("ё", "е") if "ё" not in word else None
        if word is None or len(vowel_positions(word)) < 2:
            counts["no dictionary needed"] += 1
            continue
        source = source_of(word, sources_of_forms, dictionary)
        counts[source] += 1
        if source == DEFAULT:
            unreached[word] += 1
            capitalised[word] += written[0].isupper()
        if word in reference:
            sourced += 1
            if dictionary.lookup(word) not in reference[word]:
                misses[word] += 1
    total = sum(counts.values())
    looked_up = total - counts["no dictionary needed"]
    print(f"{name}: {total} words, {looked_up} looked up in the dictionary")
    for source in (STEMS, ENDINGS, DEFAULT):
        print(f"  {source:8} {counts[source]:7} ({100.0 * counts[source] / total:.1f}% of all "
              f"words, {100.0 * counts[source] / max(looked_up, 1):.1f}% of those looked up)")
    names = sum(count for word, count in unreached.items() if capitalised[word] == count)
    print(f"  of the default ones, names always written with a capital: {names} "
          f"({100.0 * names / total:.1f}% of all words); the rest {counts[DEFAULT] - names} "
          f"({100.0 * (counts[DEFAULT] - names) / total:.2f}%)")
    right = sourced - sum(misses.values())
    print(f"  as festvox-ru marks them or their lemma's pattern gives: {right} of {sourced} "
          f"({100.0 * right / max(sourced, 1):.1f}%); most frequent misses: "
          + " ".join(f"{word} {count}" for word, count in misses.most_common(SHOWN_MISSES)))


def benchmark_text(deb_cache, work_dir):
    """The benchmark text: the first utterances of the voice's recordings."""
    lines = sources.read(sources.utterance_file(deb_cache, work_dir)).splitlines()
    return "\n".join(UTTERANCE.sub(r"\1", line).replace("+", "")
                     for line in lines[:BENCH_UTTERANCES])


def fortunes_text(deb_cache, work_dir):
    deb = packages.fetch(FORTUNES, deb_cache)
    target = os.path.join(work_dir, FORTUNES)
    if not os.path.isdir(target):
        subprocess.run(["dpkg-deb", "-x", deb, target], check=True)
    texts = []
    for path in sorted(glob.glob(os.path.join(target, "usr/share/games/fortunes/ru/*"))):
        if not path.endswith(".dat") and not os.path.islink(path):
            with open(path, encoding="utf-8", errors="replace") as source:
                texts.append(source.read())
    return "\n".join(texts)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--work", required=True, help="a folder for extracted files")
    parser.add_argument("--debs", required=True, help="the cache of downloaded packages")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--fraction", type=float, default=0.1)
    parser.add_argument("--text", action="append", default=[],
                        help="a UTF-8 text whose words to count (repeatable)")
    args = parser.parse_args()

    festvox = sources.lexicon_files(args.debs, args.work)
    hunspell_files = sources.hunspell_files(args.debs, args.work)
    lemmas = stress_sources.Lemmas(hunspell.lemmas(
        sources.read(hunspell_files[sources.HUNSPELL_DIC]),
        sources.read(hunspell_files[sources.HUNSPELL_AFF])))
    lexicon_text = sources.read(festvox[sources.LEXICON])
    utterance_text = sources.read(sources.utterance_file(args.debs, args.work))
    forms = stress_sources.known_stresses(lexicon_text, utterance_text, lemmas)
    held_out_lemmas(forms, lemmas, args.seed, args.fraction)
    held_out_forms(forms, lemmas, args.seed, args.fraction)

    stresses, sources_of_forms = stress_sources.assemble(forms, lemmas)
    reference = {form: {index} for form, index in stresses.items()
                 if sources_of_forms[form] == stress_sources.PARADIGM}
    reference.update(lexicon.stresses_by_spelling(lexicon_text))
    for word, index in lexicon.utterance_stresses(utterance_text).items():
        reference.setdefault(word, set()).add(index)
    with tempfile.TemporaryDirectory() as folder:
        dictionary = write_dictionary(folder, stresses, forms)
        texts = [(f"benchmark text (the first {BENCH_UTTERANCES} utterances of festvox-ru)",
                  benchmark_text(args.debs, args.work))]
        texts += [(os.path.basename(path), sources.read(path)) for path in args.text]
        texts.append((f"{FORTUNES} (Debian package)", fortunes_text(args.debs, args.work)))
        for name, text in texts:
            text_report(name, text, sources_of_forms, dictionary, reference)


if __name__ == "__main__":
    main()
