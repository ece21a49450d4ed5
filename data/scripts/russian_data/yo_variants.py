"""The 'ё' words of the yo-variants base.

The base restores one 'е' of a word typed without 'ё', so it holds the word
forms with exactly one 'ё'. Forms that the spelling dictionary makes but
the language does not use, and forms whose 'е' spelling is a word of its
own, are left out: restoring those would be wrong or would need the context
(the hand-written yo mask base decides the common ones).
"""

from .russian import is_word

MAX_LENGTH = 21
# Short forms of the participles in "-ённый" keep their 'ё' only in the
# masculine (решён, решена, решено, решены); the spelling dictionary makes
# the others with 'ё' as well.
PARTICIPLE = "ённый"
SHORT_FORM_ENDINGS = ("ёна", "ёно", "ёны")


def is_spurious(stem, form):
    return stem.endswith(PARTICIPLE) and form.endswith(SHORT_FORM_ENDINGS)


def yo_forms(forms, ambiguous, lexicon_stresses):
    """The lower-case forms with one 'ё' from (stem, form) pairs, without
    those listed as ambiguous and without those whose 'е' spelling the
    stress lexicon stresses on another letter (a different word, or a form
    that is not spelled with 'ё' at all)."""
    chosen = set()
    for stem, form in forms:
        form = form.lower()
        if form.count("ё") != 1 or len(form) > MAX_LENGTH or not is_word(form):
            continue
        if form in ambiguous or is_spurious(stem.lower(), form):
            continue
        other = lexicon_stresses.get(form.replace("ё", "е"))
        if other and form.index("ё") not in other:
            continue
        chosen.add(form)
    return chosen
