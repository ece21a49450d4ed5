"""A lemma's stress predicted by analogy with the lemmas whose dictionary
form shares the longest ending with its own.

A shared ending of several letters is a shared suffix, often a shared root
too (переписать ends as писать does), and the lemmas sharing it stress each
inflection ending alike: on the ending, or on a stem vowel counted from the
stem's end. Each ending of the lemma takes the stress most of the lemmas at
the longest shared ending give that ending, of the stresses its own stem
can take (a tie goes by the next shorter one); the nearest analogy is the
best guess, so no agreement threshold applies. Before any analogy, a
lemma whose stem begins known words of other lemmas (смешно, смешной) takes
the stress they all give a letter of that stem; and the prefix "вы" of
perfective verbs and their nouns takes the stress where most of the words
with the prefix that end most alike take it.
"""

import bisect
import collections

from . import mobile_stress
from .ending_model import TailVotes
from .paradigms import MOBILE, STEM
from .russian import vowel_positions

MAX_TAIL = 14
STRESSED_PREFIX = "вы"
PREFIX_MAJORITY = 0.51
# A stem this long that begins known words is the same root, not chance.
SHARED_STEM = 5
SHARED_STEM_WORDS = 500


class AnalogyModel:
    def __init__(self, decided, known):
        """`decided`: (Lemma, pattern) pairs whose known forms decide them;
        `known`: spelled forms with their known stressed letter."""
        self.known = known
        self.words = sorted(known)
        self.labels = []
        self.by_tail = collections.defaultdict(list)
        prefixed = []
        for lemma, pattern in decided:
            labels = mobile_stress.labels(lemma, pattern)
            if not labels:
                continue
            entry = lemma.spelled[0]
            for n in range(1, min(MAX_TAIL, len(entry)) + 1):
                self.by_tail[entry[-n:]].append(len(self.labels))
            self.labels.append(labels)
            if entry.startswith(STRESSED_PREFIX) and pattern[0] != MOBILE:
                prefixed.append((entry, pattern == (STEM, vowel_positions(entry)[0])))
        # Whether a word with the prefix "вы" takes the stress on it (most
        # perfective verbs and their nouns) goes by the words with the prefix
        # that end most alike, where most of them agree.
        self.prefix_votes = TailVotes(prefixed, min_words=1, agreement=PREFIX_MAJORITY)
        self.voted = {}

    def vote(self, tail, ending, stem_vowels):
        """The label most lemmas ending in `tail` give `ending`, of those a
        stem of `stem_vowels` vowels can take, or None. A tie goes to the
        tied label the next shorter tail votes for."""
        key = (tail, ending, stem_vowels)
        if key not in self.voted:
            votes = collections.Counter(
                label for label in (self.labels[i].get(ending) for i in self.by_tail[tail])
                if label is not None and (not isinstance(label, int) or label <= stem_vowels))
            best = votes.most_common(2)
            label = best[0][0] if best else None
            if len(best) == 2 and best[0][1] == best[1][1] and len(tail) > 1:
                shorter = self.vote(tail[1:], ending, stem_vowels)
                if shorter in (best[0][0], best[1][0]):
                    label = shorter
            self.voted[key] = label
        return self.voted[key]

    def shared_stem(self, lemma):
        """(STEM, letter) where the known words beginning with the lemma's
        stem all stress one letter of it, else None."""
        stem = lemma.stem
        if len(stem) < SHARED_STEM:
            return None
        first = bisect.bisect_left(self.words, stem)
        found = set()
        for word in self.words[first:first + SHARED_STEM_WORDS]:
            if not word.startswith(stem):
                break
            found.add(self.known[word])
        index = next(iter(found)) if len(found) == 1 else None
        return (STEM, index) if index is not None and index < len(stem) else None

    def predict(self, lemma):
        """The lemma's pattern, or None."""
        shared = self.shared_stem(lemma)
        if shared is not None:
            return shared
        entry = lemma.spelled[0]
        if entry.startswith(STRESSED_PREFIX) and self.prefix_votes.predict(entry):
            return STEM, vowel_positions(entry)[0]
        # Patronymics stress a third vowel from the stem's end, and so many
        # end in "ч" that they would outvote every other word there: a
        # label the lemma's stem cannot take does not count.
        stem_vowels = len(vowel_positions(lemma.stem))
        value = {}
        for ending in lemma.endings:
            for n in range(min(MAX_TAIL, len(entry)), 0, -1):
                tail = entry[-n:]
                label = self.vote(tail, ending, stem_vowels) if tail in self.by_tail else None
                if label is not None:
                    value[ending] = mobile_stress.value_of(lemma, label)
                    break
        return (MOBILE, value) if value else None
