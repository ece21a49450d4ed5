"""The abbreviation list as installed. A key that is also a word ("нем.",
"рис.", "им.") ends sentences as that word: where its "." could end a
sentence, it is an abbreviation only next to a number. Its entries without a
right condition are kept for a small word after it (no sentence ends there)
and for a number after it. Those that ask for a capital after it go when the
stress dictionary holds the word, since a capital after a "." then starts a
sentence as often as it follows an abbreviation; a rarer word ("пер.",
"кап.", "серж.") is the abbreviation before a name, and so is a word no
sentence ends with ("о.", "с.": a preposition). The dictionary needs no
record for a word of one vowel, so it lacks some common ones: those listed
in COMMON_WORDS count as held. A key without a "." ("вуз") is said as written
anywhere. A key of one letter ("г.", "м.") counts only as written in
small letters unless a number is next to it: a capital with a full stop is
a name's initial ("М.Горький")."""

import re

from . import lexicon, russian

SECTION = "Аббревиатуры"
SUBSECTION = "Данные"
RIGHT_CONDITIONS = ("RIGHT_CAPITAL", "RIGHT_NUMBER", "RIGHT_LOWER")
NO_SENTENCE_END = ("RIGHT_LOWER", "RIGHT_NUMBER")
NUMBER_CONDITIONS = ("LEFT_NUMBER", "RIGHT_NUMBER")
PRESERVE_CASE = "PRESERVE_CASE"
INITIAL = re.compile(r"[а-яёА-ЯЁ]\.")
# Words that never end a sentence: prepositions and conjunctions.
NEVER_LAST = {"а", "в", "и", "к", "о", "с", "у"}
# Common words of one vowel that keys may be ("Это ген.", "вернулся в полк.").
COMMON_WORDS = {"ген", "полк"}


def word_forms(lexicon_text, lemma_forms):
    """The words an abbreviation key may also be, spelled with 'е' for 'ё':
    the lexicon's words, the forms of every Hunspell lemma that inflects (a
    lemma of one form is as often an abbreviation, "англ", as a word), and
    the bare genitive plural of nouns in -а and -о ("тел", "жен"), which
    Hunspell lists apart, with no inflection."""
    words = {word for word, _, _, _ in lexicon.parse(lexicon_text)}
    for forms in lemma_forms:
        if len(set(forms)) < 2:
            continue
        words.update(form.lower() for form in forms)
        lemma = forms[0].lower()
        if lemma[-1:] in ("а", "о"):
            words.add(lemma[:-1])
    return {word.replace("ё", "е") for word in words if russian.is_word(word)}


def restrict(text, words, dictionary_words):
    """The text of a string-resource file with the entries of its
    abbreviation list whose key is a word restricted as above; `words` are
    the words a key may be, `dictionary_words` those the stress dictionary
    holds."""
    out = []
    section = subsection = None
    separator = stop = None
    written = set()
    for line in text.split("\n"):
        trimmed = line.strip(" \t\r")
        if not trimmed or trimmed.startswith("#"):
            out.append(line)
            continue
        if len(trimmed) > 2 and trimmed[0] == "[" and trimmed[-1] == "]":
            section, subsection, separator = trimmed[1:-1], None, None
        elif len(trimmed) > 2 and trimmed[0] == "{" and trimmed[-1] == "}":
            subsection, separator = trimmed[1:-1], None
        elif section == SECTION and subsection == SUBSECTION:
            if separator is None:
                separator, stop = trimmed[0], trimmed[-1]
            else:
                for entry in restricted_entry(trimmed, separator, stop, words,
                                              dictionary_words):
                    if entry not in written:
                        written.add(entry)
                        out.append(entry)
                continue
        out.append(line)
    return "\n".join(out)


def restricted_entry(line, separator, stop, words, dictionary_words):
    """The entry of a list line as it is installed: as written, or as the
    lines of its restricted entries."""
    doubled = line.find(stop + stop)
    if doubled >= 0:
        line = line[:doubled + 1]  # a doubled stop ends the line
    fields = [field.strip(" \t") for field in line.split(separator)]
    fields = [field for field in fields if field]
    if len(fields) < 2:
        return [line]
    key, conditions = fields[0], fields[2:]
    spelled = key if PRESERVE_CASE in conditions else key.lower()
    numbered = any(condition in NUMBER_CONDITIONS for condition in conditions)
    word = spelled.rstrip(".").replace("ё", "е")
    if not key.endswith("."):
        return [line]
    if word not in words or word in NEVER_LAST:
        if numbered or PRESERVE_CASE in conditions or not INITIAL.fullmatch(key):
            return [line]
        return [separator.join([spelled] + fields[1:] + [PRESERVE_CASE])]
    if numbered or any(condition in NO_SENTENCE_END for condition in conditions):
        return [line]
    if any(condition in RIGHT_CONDITIONS for condition in conditions):
        held = word in dictionary_words or word in COMMON_WORDS
        return [] if held else [line]
    return [separator.join(fields + [right]) for right in NO_SENTENCE_END]
