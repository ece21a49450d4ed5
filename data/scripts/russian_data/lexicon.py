"""The stress lexicon of festvox-ru: word forms with the number of their
stressed vowel, reduced to one stressed letter per spelling as the stress
dictionary can hold it."""

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


# Of two readings of one form, a noun, adjective or verb reading is preferred
# to a gerund or adverb reading.
MAIN_PARTS = frozenset(("n", "adj", "v"))


def stress_forms(text, lemmas_of=None):
    """A map from each word form (spelled with 'е' for 'ё', as text typed
    without 'ё' reaches the dictionary) to its stressed letter. Of
    homographs one reading stays: a word spelled with 'е' in the lexicon
    over one derived from a 'ё' spelling, a common word over a proper name,
    a noun, adjective or verb over a gerund or adverb, then the reading that
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
                0 if part in MAIN_PARTS else 1)
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
