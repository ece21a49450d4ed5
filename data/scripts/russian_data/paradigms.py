"""Stress for every form of a Hunspell lemma, from a pattern that the forms
of it the lexicon stresses decide.

A lemma's forms share a stem (their common beginning) and differ in their
endings. The known forms decide one of three patterns: the stress stays on
one letter of the stem; it stays on the ending's first vowel (on the stem's
last vowel where the ending has none); or, where neither holds, it moves
with the ending as the known forms show (to a stem letter or to a vowel of
the ending: (ENDING, 2) for its second), and only forms whose ending is
among theirs get a stress. Forms spelled with 'ё' are stressed on it
whatever the pattern, and a form writing 'е' for its lemma's stem 'ё' is
not stressed there.
"""

import os

from .russian import vowel_positions

STEM = "stem"
ENDING = "ending"
MOBILE = "mobile"
VOWEL_LETTERS = frozenset("аеёиоуыэюя")


class Lemma:
    def __init__(self, forms):
        self.forms = forms
        self.spelled = [form.replace("ё", "е") for form in forms]
        self.stem = os.path.commonprefix(self.spelled)
        self.stem_length = len(self.stem)
        # The set of endings its forms show: the lemma's inflection class.
        self.endings = frozenset(form[self.stem_length:] for form in self.spelled)

    def ending_vowels(self, form):
        """The letters of the form's ending that are vowels."""
        return [self.stem_length + i for i in vowel_positions(form[self.stem_length:])]

    def ending_stress(self, form):
        """The stressed letter of a form under the ending pattern, or None
        when neither the ending nor the stem has a vowel."""
        vowels = self.ending_vowels(form) or vowel_positions(form[:self.stem_length])[-1:]
        return vowels[0] if vowels else None

    def ending_label(self, form, index):
        """ENDING for a stress on the ending's first vowel, (ENDING, k) for
        one on its k-th (as in -ова́ть or молодо́го)."""
        place = sum(i <= index for i in self.ending_vowels(form))
        return ENDING if place <= 1 else (ENDING, place)

    def stressed_letter(self, form, label):
        """The letter a label of a moving stress gives the form, or None."""
        if label == ENDING:
            return self.ending_stress(form)
        if isinstance(label, tuple):
            vowels = self.ending_vowels(form)
            return vowels[label[1] - 1] if label[1] <= len(vowels) else None
        return label


def decide(lemma, known):
    """The lemma's pattern as its known forms show it: (STEM, letter),
    (ENDING, None), (MOBILE, stress by ending) or None."""
    seen = [(form, known[form]) for form in lemma.spelled if form in known]
    if not seen:
        return None
    stem_letters = {index for form, index in seen if index < lemma.stem_length}
    fits_stem = len(stem_letters) == 1 and all(index < lemma.stem_length
                                               for form, index in seen)
    fits_ending = all(lemma.ending_stress(form) == index for form, index in seen)
    if fits_stem and fits_ending:
        # Both fit where the stress is stem-final before empty endings:
        # decided only if no form would part them.
        stem_index = next(iter(stem_letters))
        if all(lemma.ending_stress(form) == stem_index for form in lemma.spelled):
            return STEM, stem_index
        return MOBILE, {form[lemma.stem_length:]: stem_index for form, index in seen}
    if fits_stem:
        return STEM, next(iter(stem_letters))
    if fits_ending:
        return ENDING, None
    # A moving stress, kept per ending where every known form agrees, as a
    # letter of the stem or as a vowel of the ending.
    votes = {}
    for form, index in seen:
        rule = index if index < lemma.stem_length else lemma.ending_label(form, index)
        votes.setdefault(form[lemma.stem_length:], set()).add(rule)
    return MOBILE, {ending: next(iter(rules)) for ending, rules in votes.items()
                    if len(rules) == 1}


def apply(lemma, pattern):
    """A map from each spelled form (with 'е' for 'ё') to its stressed
    letter, for the forms the pattern decides."""
    kind, value = pattern
    result = {}
    # A stem letter that other forms write 'ё' is unstressed where written
    # 'е' (тёмный, темна́): the stress has gone to the ending.
    yo = {original.index("ё") for original in lemma.forms if "ё" in original}
    for original, form in zip(lemma.forms, lemma.spelled):
        if "ё" in original:
            result[form] = original.index("ё")
            continue
        if kind == STEM:
            index = value
        elif kind == ENDING:
            index = lemma.ending_stress(form)
        else:
            index = lemma.stressed_letter(form, value.get(form[lemma.stem_length:]))
        if index in yo and index < lemma.stem_length:
            index = lemma.ending_stress(form)
        if index is not None and index < len(form) and form[index] in VOWEL_LETTERS:
            result[form] = index
    return result


def infer(forms, known):
    """The stresses of a lemma's forms (as Hunspell writes them) that the
    known forms (spelled forms to the lexicon's stress) decide."""
    lemma = Lemma(forms)
    pattern = decide(lemma, known)
    return apply(lemma, pattern) if pattern else {}


# A lexicon mark is taken for a slip only where its lemma's other marks
# agree on one fixed pattern and the lemmas of its inflection class rarely
# leave that pattern at its ending. A stress that leaves a stem pattern for
# the ending is the usual mobile stress (plurals, short adjectives), so it
# must be rarer still to count as a slip.
SLIP_MIN_FOLLOWING = 3
SLIP_CLASS_FORMS = 10
SLIP_CLASS_RATE = 0.05
SLIP_TO_ENDING_RATE = 0.02


def fixed_pattern(lemma, seen):
    """The fixed pattern most known forms fit and the forms that leave it,
    or None when too many leave it."""
    fits = {}
    for form, index in seen:
        if index < lemma.stem_length:
            fits.setdefault((STEM, index), []).append(form)
        if lemma.ending_stress(form) == index:
            fits.setdefault((ENDING, None), []).append(form)
    if not fits:
        return None
    pattern, following = max(fits.items(), key=lambda item: len(item[1]))
    leaving = [form for form, index in seen if form not in following]
    if len(following) < SLIP_MIN_FOLLOWING or 2 * len(leaving) > len(following):
        return None
    return pattern, leaving


ADJECTIVE_ENTRY = ("ый", "ий", "ой")


def is_short_adjective(lemma, form):
    """Whether the form is a short form (or the adverb) of an adjective,
    whose stress moves apart from the full forms'."""
    entry = lemma.spelled[0]
    return (entry.endswith(ADJECTIVE_ENTRY) and len(form) <= len(entry) - 1
            and any(other.endswith(("ая", "яя")) for other in lemma.spelled))


def moves_to_ending(lemma, pattern, leaving, known):
    """Whether the forms leaving a stem pattern are several and all stressed
    on their ending: a stress that moves there (as in plural oblique
    cases), not a slip of one mark."""
    return (pattern[0] == STEM and len(leaving) >= 2
            and all(lemma.ending_stress(form) == known[form] for form in leaving))


def slips(lemma_forms, known):
    """A map from the known forms that are slips to the stress of their
    lemma's pattern. A lemma's class is the set of its endings; at each
    ending of a class, how often forms leave their lemma's fixed pattern
    tells a moving stress (often) from a slip (rarely). A form of several
    lemmas is mended only when each of them mends it alike."""
    lemmas = []
    verdicts = {}
    for forms in lemma_forms:
        lemma = Lemma(forms)
        seen = [(form, known[form]) for original, form in zip(lemma.forms, lemma.spelled)
                if form in known and "ё" not in original]
        found = fixed_pattern(lemma, seen)
        if found is not None:
            lemmas.append((lemma, seen, found))
        else:
            for form, index in seen:
                verdicts.setdefault(form, set()).add(None)
    counts = {}
    for lemma, seen, (pattern, leaving) in lemmas:
        for form, index in seen:
            key = (lemma.endings, form[lemma.stem_length:], pattern[0])
            total, left = counts.get(key, (0, 0))
            counts[key] = (total + 1, left + (form in leaving))
    for lemma, seen, (pattern, leaving) in lemmas:
        if moves_to_ending(lemma, pattern, leaving, dict(seen)):
            for form, index in seen:
                verdicts.setdefault(form, set()).add(None)
            continue
        mended = apply(lemma, pattern)
        for form, index in seen:
            total, left = counts[(lemma.endings, form[lemma.stem_length:], pattern[0])]
            rate = (SLIP_TO_ENDING_RATE if pattern[0] == STEM and index >= lemma.stem_length
                    else SLIP_CLASS_RATE)
            slip = (form in leaving and total >= SLIP_CLASS_FORMS and left <= rate * total
                    and form in mended and not is_short_adjective(lemma, form))
            verdicts.setdefault(form, set()).add(mended[form] if slip else None)
    return {form: next(iter(found)) for form, found in verdicts.items()
            if len(found) == 1 and None not in found}
