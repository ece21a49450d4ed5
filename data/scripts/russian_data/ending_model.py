"""Stress predicted from a word's ending (suffix and inflection).

Learnt from stressed words: for every word tail of a few letters, what the
words ending in it have in common. A tail predicts when enough words end in
it and nearly all of them agree; a word takes the prediction of its longest
tail that has enough words, or none when that tail's words disagree.
"""

import collections

from .russian import has_several_vowels, vowel_positions

MIN_TAIL = 2
MAX_TAIL = 10
MIN_WORDS = 3
AGREEMENT = 0.95


class TailVotes:
    """What the words ending in each tail share (any hashable label): the
    label of at least `agreement` of them, where there are `min_words`."""

    def __init__(self, labelled, min_words=MIN_WORDS, agreement=AGREEMENT):
        counts = collections.defaultdict(collections.Counter)
        for word, label in labelled:
            for n in range(MIN_TAIL, min(MAX_TAIL, len(word) - 1) + 1):
                counts[word[-n:]][label] += 1
        self.rules = {}
        for tail, labels in counts.items():
            total = sum(labels.values())
            if total >= min_words:
                label, count = labels.most_common(1)[0]
                self.rules[tail] = label if count >= agreement * total else None

    def predict(self, word):
        for n in range(min(MAX_TAIL, len(word) - 1), MIN_TAIL - 1, -1):
            if word[-n:] in self.rules:
                return self.rules[word[-n:]]
        return None


def vowels_from_end(word, index):
    """1 for a stress on the last vowel, 2 on the one before, ..."""
    vowels = vowel_positions(word)
    return len(vowels) - vowels.index(index)


def letter_from_end(word, place):
    """The letter of the vowel `place` vowels from the word's end, or None."""
    vowels = vowel_positions(word)
    return vowels[len(vowels) - place] if 0 < place <= len(vowels) else None


class EndingModel:
    """A form's stressed vowel, counted from its end."""

    def __init__(self, forms):
        """`forms` maps words to their stressed letter."""
        self.votes = TailVotes(
            (word, vowels_from_end(word, index)) for word, index in forms.items()
            if word[index] in VOWEL_LETTERS and has_several_vowels(word))

    def predict(self, word):
        """The stressed letter the word's ending predicts, or None."""
        if not has_several_vowels(word):
            return None
        place = self.votes.predict(word)
        return None if place is None else letter_from_end(word, place)


VOWEL_LETTERS = frozenset("аеёиоуыэюя")
