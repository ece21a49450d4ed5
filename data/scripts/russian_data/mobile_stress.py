"""Moving stress learnt per inflection class.

A lemma's class is the set of its endings. At each ending a lemma's stress
is either on its ending or on a stem vowel counted from the stem's end.
Where the known forms of a lemma with a moving stress leave an ending
unseen, the lemmas of its class that stress its seen endings alike tell
where that ending's stress goes (as the forms of спешить, сила, голова tell
one another's)."""

import collections

from .ending_model import letter_from_end, vowels_from_end
from .paradigms import ENDING, MOBILE, STEM
from .russian import vowel_positions

# A seen ending points to a stress where enough lemmas of the class stress
# it alike and nearly all of them give the unseen ending that stress.
MIN_LEMMAS = 3
AGREEMENT = 0.98


def labels(lemma, pattern):
    """A map from each ending the pattern stresses to its ending label
    (ENDING, or (ENDING, k)) or to the stressed stem vowel counted from the
    stem's end (1 for the last)."""
    kind, value = pattern
    vowels = vowel_positions(lemma.stem)
    endings = lemma.endings
    if kind == ENDING:
        return dict.fromkeys(endings, ENDING)
    if kind == STEM:
        return dict.fromkeys(endings, vowels_from_end(lemma.stem, value)) if value in vowels else {}
    return {ending: vowels_from_end(lemma.stem, index) if isinstance(index, int) else index
            for ending, index in value.items() if not isinstance(index, int) or index in vowels}


def value_of(lemma, label):
    """A label back as the lemma's stem letter, or the ending label; None
    when the stem has too few vowels."""
    return label if not isinstance(label, int) else letter_from_end(lemma.stem, label)


def complete(decided):
    """The (Lemma, pattern) pairs with each moving pattern's unseen endings
    filled in where its class agrees."""
    wanted = collections.defaultdict(set)
    rows = []
    for lemma, pattern in decided:
        known = labels(lemma, pattern)
        rows.append((lemma, pattern, known))
        if pattern[0] == MOBILE:
            wanted[lemma.endings].update(lemma.endings - known.keys())
    counts = collections.defaultdict(collections.Counter)
    for lemma, pattern, known in rows:
        endings = lemma.endings
        for unseen in wanted.get(endings, ()):
            if unseen in known:
                for ending, label in known.items():
                    if ending != unseen:
                        counts[(endings, ending, label, unseen)][known[unseen]] += 1
    result = []
    for lemma, pattern, known in rows:
        if pattern[0] == MOBILE:
            value = dict(pattern[1])
            for unseen in lemma.endings - known.keys():
                label = agreed(counts, lemma.endings, known, unseen)
                index = None if label is None else value_of(lemma, label)
                if index is not None:
                    value[unseen] = index
            pattern = (MOBILE, value)
        result.append((lemma, pattern))
    return result


def agreed(counts, endings, known, unseen):
    """The stress the seen endings that point to one at the unseen ending
    all point to, or None. A seen ending whose stress few lemmas of the
    class share (the short forms of кра́сный: красна́) tells nothing and
    does not stand in the way of the others."""
    found = set()
    for ending, label in known.items():
        votes = counts.get((endings, ending, label, unseen))
        if not votes:
            continue
        best, count = votes.most_common(1)[0]
        total = sum(votes.values())
        if total >= MIN_LEMMAS and count >= AGREEMENT * total:
            found.add(best)
    return next(iter(found)) if len(found) == 1 else None
