"""Stems and endings for the stress dictionary.

The reader finds a word's stress in the record equal to the word, or else in
the longest record that is a prefix of the word and leaves one of the
endings; failing that it takes a default by the number of vowels. Its only
vowel and its first 'ё' decide before any record is read. The records
chosen here give every form of the lexicon its stress and give unknown forms
the stress of the forms that share their stem.
"""

import collections

from .russian import vowel_positions

MIN_STEM = 2
MAX_STEM = 24
MAX_ENDING = 19
NO_STRESS = 255

# Endings are the word tails that follow a prefix shared by several forms,
# kept when that happens after enough different prefixes.
ENDING_LENGTH = 5
ENDING_PREFIXES = 100
# How many forms a stem must reach to be kept when no form needs it.
SHARED_STEM_FORMS = 3


def default_stress(vowels):
    """The reader's default for a word of several vowels."""
    k = len(vowels)
    if k <= 3:
        return vowels[1]
    if k <= 6:
        return vowels[2]
    return vowels[min(k - 4, 7)]


def lookup(word, records, endings):
    """The stressed letter of a lower-case word, as the reader finds it in
    the records (a map from lower-case stem to stressed letter)."""
    vowels = vowel_positions(word)
    if not vowels:
        return NO_STRESS
    if len(vowels) == 1:
        return vowels[0]
    if "ё" in word:
        return word.index("ё")
    if len(word) <= MAX_STEM:
        found = records.get(word)
        if found is not None:
            return found
        for n in range(len(word) - 1, MIN_STEM - 1, -1):
            found = records.get(word[:n])
            if found is not None and word[n:] in endings:
                return found
    return default_stress(vowels)


def derive_endings(forms):
    """Word tails that follow a shared prefix of at least two letters after
    many different prefixes."""
    tails_by_prefix = collections.defaultdict(set)
    for word in forms:
        for n in range(max(MIN_STEM, len(word) - ENDING_LENGTH), len(word)):
            tails_by_prefix[word[:n]].add(word[n:])
    counts = collections.Counter()
    for tails in tails_by_prefix.values():
        if len(tails) > 1:
            counts.update(tails)
    return {tail for tail, count in counts.items() if count >= ENDING_PREFIXES}


def consistent_stems(forms, endings):
    """Every prefix that, followed by an ending, makes known forms all
    stressed on the same letter of the prefix."""
    stresses = collections.defaultdict(set)
    for word, index in forms.items():
        for n in range(MIN_STEM, len(word)):
            if word[n:] in endings:
                # A form stressed on its ending rules the prefix out.
                stresses[word[:n]].add(index if index < n else -1)
    return {stem: next(iter(found)) for stem, found in stresses.items()
            if len(found) == 1 and next(iter(found)) >= 0}


def build_records(forms, ending_forms=None):
    """(records, endings): records map lower-case stems and whole words to
    their stressed letter. Endings are derived from `ending_forms` (by
    default the forms themselves). Candidates are the consistent stems and
    the forms themselves (a stem that is itself a known form takes that
    form's stress); shortest first, a candidate is kept where some form it
    reaches would otherwise be stressed wrongly, and a stem also where it
    reaches several forms. Since the reader takes
    the longest record, each form's answer is that of the last record kept
    that reaches it."""
    endings = derive_endings(forms if ending_forms is None else ending_forms)
    stems = consistent_stems(forms, endings)
    candidates = dict(stems)
    candidates.update(forms)
    reached = collections.defaultdict(list)
    current = {}
    for word in forms:
        if len(word) < MIN_STEM or len(word) > MAX_STEM:
            continue
        current[word] = lookup(word, {}, ())
        for n in range(max(MIN_STEM, len(word) - ENDING_LENGTH), len(word) + 1):
            stem = word[:n]
            if stem in candidates and (n == len(word) or word[n:] in endings):
                reached[stem].append(word)
    records = {}
    for stem in sorted(reached, key=len):
        index = candidates[stem]
        words = reached[stem]
        # A stem shared by several forms is kept also for the forms it has
        # not seen.
        shared = (len(words) >= SHARED_STEM_FORMS and stem in stems
                  and forms.get(stem, index) == stems[stem])
        if shared or any(current[word] != forms[word] for word in words):
            records[stem] = index
            for word in words:
                current[word] = index
    return records, endings


def stem_records(records):
    """The records as the stem files hold them: lower case but for the
    stressed vowel."""
    for stem, index in records.items():
        yield stem[:index] + stem[index].upper() + stem[index + 1:]
