"""The stress lexicon of festvox-ru: word forms with the number of their
stressed vowel, reduced to one stressed letter per spelling as the stress
dictionary can hold it."""

import collections
import re
import sys

from .russian import is_word, vowel_positions

# ("абажур" n (3)) or ("аксен" name (2) fix_yo); two entries may share a line.
ENTRY = re.compile(r'\("([^"]*)"\s+(\S+)\s+\((\d+)\)(\s+fix_yo)?\)')
PROPER_NAMES = frozenset(("name", "surname", "sname"))
# Lookups never reach the stem files for longer words.
MAX_LENGTH = 24


def parse(text):
    """(word, part of speech, stressed vowel number, written with 'ё' in
    place of its stressed 'е') for every entry, in file order."""
    for match in ENTRY.finditer(text):
        word, part, number, fix_yo = match.groups()
        yield word, part, int(number), bool(fix_yo)


def stressed_index(word, number, fix_yo):
    """The letter index of the stressed vowel, or None for an entry the
    dictionary cannot hold. Unstressed entries (0) are the short function
    words; the few with two syllables are stressed on the first. A 'ё' is
    read stressed, so an entry that puts the stress elsewhere, or flags a
    letter other than 'е' for 'ё', contradicts itself."""
    vowels = vowel_positions(word)
    if not vowels or number > len(vowels):
        return None
    index = vowels[max(number, 1) - 1]
    if fix_yo and word[index] != "е":
        return None
    if "ё" in word and word[index] != "ё":
        return None
    return index


# Of two readings of one form, a preposition, conjunction or particle
# reading (the commonest words of any text) is preferred to a noun,
# adjective or verb reading, and these to a gerund or adverb reading.
FUNCTION_PARTS = frozenset(("in", "cc", "aux"))
MAIN_PARTS = frozenset(("n", "adj", "v"))


def stress_forms(text, lemmas_of=None):
    """A map from each word form (spelled with 'е' for 'ё', as text typed
    without 'ё' reaches the dictionary) to its stressed letter. Of
    homographs one reading stays: a word spelled with 'е' in the lexicon
    over one derived from a 'ё' spelling, a common word over a proper name,
    a function word over a noun, adjective or verb and these over a gerund
    or adverb, then the reading that
    more forms of the word's lemmas share (`lemmas_of` gives a form's
    lemmas, each a list of forms), then the first listed."""
    readings = {}
    for word, part, number, fix_yo in parse(text):
        if not is_word(word) or len(word) > MAX_LENGTH:
            continue
        index = stressed_index(word, number, fix_yo)
        if index is None:
            continue
        rank = ((2 if "ё" in word else 0) + (1 if part in PROPER_NAMES else 0),
                0 if part in FUNCTION_PARTS else 1 if part in MAIN_PARTS else 2)
        readings.setdefault(word.replace("ё", "е"), []).append((rank, index))
    chosen = {}
    ambiguous = []
    for word, found in readings.items():
        best = min(rank for rank, index in found)
        indexes = list(dict.fromkeys(index for rank, index in found if rank == best))
        chosen[word] = indexes[0]
        if len(indexes) > 1:
            ambiguous.append((word, indexes))
    if lemmas_of is not None:
        for word, indexes in ambiguous:
            support = [shared_stress(word, index, lemmas_of(word), readings)
                       for index in indexes]
            chosen[word] = indexes[support.index(max(support))]
    return chosen


def shared_stress(word, index, lemmas, readings):
    """How many other forms of the word's lemmas the lexicon stresses on the
    same letter, with the same letters up to it, in every reading."""
    count = 0
    for lemma in lemmas:
        for form in lemma:
            form = form.replace("ё", "е")
            found = readings.get(form)
            if (form != word and found and form[:index + 1] == word[:index + 1]
                    and all(i == index for rank, i in found)):
                count += 1
    return count


def stresses_by_spelling(text):
    """Every stressed letter the lexicon gives each 'е' spelling (for telling
    real 'е' words from 'ё' words)."""
    stresses = {}
    for word, part, number, fix_yo in parse(text):
        if not is_word(word):
            continue
        index = stressed_index(word, number, fix_yo)
        if index is not None:
            stresses.setdefault(word.replace("ё", "е"), set()).add(index)
    return stresses


def marked_forms(text, where):
    """A map from each word of a hand-written list ("+" after the stressed
    vowel, one word a line, "#" comments) to its stressed letter, spelled
    with 'е' for 'ё' as stress_forms spells them."""
    forms = {}
    for number, line in enumerate(text.splitlines(), 1):
        entry = line.split("#", 1)[0].strip()
        if not entry:
            continue
        word = entry.replace("+", "")
        index = entry.find("+") - 1
        if (entry.count("+") != 1 or index < 0 or not is_word(word) or len(word) > MAX_LENGTH
                or index not in vowel_positions(word)):
            sys.exit(f"{where}:{number}: expected one word with '+' after its stressed vowel")
        forms[word.replace("ё", "е")] = index
    return forms


# In the voice's recorded utterances "+" stands before a stressed vowel.
UTTERANCE_WORD = re.compile("[а-яё+]+")


def utterance_stresses(text):
    """A map from each word the recorded utterances mark with a stress to
    the stressed letter they mark most often, for the words they mark at
    least as often as they leave them to the lexicon (unmarked)."""
    marks = {}
    unmarked = {}
    for word in UTTERANCE_WORD.findall(text.lower()):
        spelled = word.replace("+", "")
        if "ё" in spelled or not is_word(spelled):
            continue
        if "+" not in word:
            unmarked[spelled] = unmarked.get(spelled, 0) + 1
        elif word.count("+") == 1 and word.index("+") in vowel_positions(spelled):
            marks.setdefault(spelled, []).append(word.index("+"))
    return {word: collections.Counter(found).most_common(1)[0][0] for word, found in marks.items()
            if len(found) >= unmarked.get(word, 0)}
