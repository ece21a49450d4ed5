"""Moving stress learnt per inflection class.

A lemma's class is the set of its endings. At each ending a lemma's stress
is either on its ending or on a stem vowel counted from the stem's end.
Where the known forms of a lemma with a moving stress leave an ending
unseen, the lemmas of its class that stress its seen endings alike tell
where that ending's stress goes (as the forms of спешить, сила, голова tell
one another's)."""

import collections

from .paradigms import ENDING, MOBILE, STEM
from .russian import vowel_positions

# Each seen ending must point to the same stress, in enough lemmas of the
# class and nearly all of them.
MIN_LEMMAS = 3
AGREEMENT = 0.9


def stem_vowels(lemma):
    return vowel_positions(lemma.spelled[0][:lemma.stem_length])


def labels(lemma, pattern):
    """A map from each ending the pattern stresses to its ending label
    (ENDING, or (ENDING, k)) or to the stressed stem vowel counted from the
    stem's end (1 for the last)."""
    kind, value = pattern
    vowels = stem_vowels(lemma)
    endings = lemma.endings
    if kind == ENDING:
        return dict.fromkeys(endings, ENDING)
    if kind == STEM:
        return dict.fromkeys(endings, len(vowels) - vowels.index(value)) if value in vowels else {}
    return {ending: len(vowels) - vowels.index(index) if isinstance(index, int) else index
            for ending, index in value.items() if not isinstance(index, int) or index in vowels}


def value_of(lemma, label):
    """A label back as the lemma's stem letter, or the ending label; None
    when the stem has too few vowels."""
    if not isinstance(label, int):
        return label
    vowels = stem_vowels(lemma)
    return vowels[len(vowels) - label] if 0 < label <= len(vowels) else None


def complete(decided):
    """The (Lemma, pattern) pairs with each moving pattern's unseen endings
    filled in where its class agrees."""
    wanted = collections.defaultdict(set)
    rows = []
    for lemma, pattern in decided:
        known = labels(lemma, pattern)
        endings = lemma.endings
        rows.append((lemma, pattern, known, endings))
        if pattern[0] == MOBILE:
            wanted[endings].update(endings - known.keys())
    counts = collections.defaultdict(collections.Counter)
    for lemma, pattern, known, endings in rows:
        for unseen in wanted.get(endings, ()):
            if unseen in known:
                for ending, label in known.items():
                    if ending != unseen:
                        counts[(endings, ending, label, unseen)][known[unseen]] += 1
    result = []
    for lemma, pattern, known, endings in rows:
        if pattern[0] == MOBILE:
            value = dict(pattern[1])
            for unseen in endings - known.keys():
                label = agreed(counts, endings, known, unseen)
                if label is not None and value_of(lemma, label) is not None:
                    value[unseen] = value_of(lemma, label)
            pattern = (MOBILE, value)
        result.append((lemma, pattern))
    return result


def agreed(counts, endings, known, unseen):
    """The stress every seen ending points to at the unseen one, or None."""
    found = set()
    for ending, label in known.items():
        votes = counts.get((endings, ending, label, unseen))
        if not votes:
            return None
        best, count = votes.most_common(1)[0]
        total = sum(votes.values())
        if total < MIN_LEMMAS or count < AGREEMENT * total:
            return None
        found.add(best)
    return next(iter(found)) if len(found) == 1 else None
