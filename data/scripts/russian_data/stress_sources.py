"""Every form the stress dictionary is built from, with where its stress
comes from: the lexicon (and the hand-written list), the stress pattern of
its Hunspell lemma, or the prediction of its ending."""

import collections

from . import lexicon, mobile_stress, paradigms, yo_variants
from .analogy_model import AnalogyModel
from .ending_model import EndingModel
from .russian import has_several_vowels, is_word

LEXICON = "lexicon"
PARADIGM = "paradigm"
ENDING = "ending"


class Lemmas:
    """Hunspell's lemmas as lists of lower-case forms, and the lemmas each
    spelled form (with 'е' for 'ё') belongs to."""

    def __init__(self, lemma_forms):
        self.lemmas = []
        self.by_form = collections.defaultdict(list)
        for forms in lemma_forms:
            entry = forms[0].lower()
            if not forms[0].islower():
                forms = [form.lower() for form in forms]
            forms = [form for form in forms if len(form) <= lexicon.MAX_LENGTH and is_word(form)
                     and not yo_variants.is_spurious(entry, form)]
            if not forms:
                continue
            for form in set(forms):
                self.by_form[form.replace("ё", "е")].append(len(self.lemmas))
            self.lemmas.append(forms)

    def of(self, spelled):
        return [self.lemmas[i] for i in self.by_form.get(spelled, ())]


def known_stresses(lexicon_text, utterance_text, lemmas):
    """The lexicon's stresses with its slips mended by their lemma's pattern
    (paradigms.slips), then the marks of the recorded utterances over them:
    the stress real text gives a word the lexicon holds."""
    forms = lexicon.stress_forms(lexicon_text, lemmas.of)
    forms.update(paradigms.slips(lemmas.lemmas, forms))
    forms.update((word, index) for word, index in lexicon.utterance_stresses(utterance_text).items()
                 if word in forms)
    return forms


def needs_record(form):
    return has_several_vowels(form)


def assemble(lexicon_forms, lemmas, exclude=frozenset()):
    """(stresses, sources): maps from spelled forms to their stressed letter
    and to where it comes from. Lexicon forms come first; then the forms
    whose lemma's pattern its known forms decide (a moving stress completed
    by its class's lemmas); then, for lemmas with no known form, the forms
    of the pattern that the lemmas ending most like their dictionary form
    give; then the forms still without a stress (of any lemma) as their own
    endings predict. A form that two lemmas stress differently is left out.
    Forms of `exclude` lose their lexicon stress (for measuring)."""
    known = {form: index for form, index in lexicon_forms.items() if form not in exclude}
    stresses = dict(known)
    sources = dict.fromkeys(known, LEXICON)
    decided = []
    unknown = []
    for forms in lemmas.lemmas:
        lemma = paradigms.Lemma(forms)
        pattern = paradigms.decide(lemma, known)
        if pattern is None:
            unknown.append(lemma)
        else:
            decided.append((lemma, pattern))
    decided = mobile_stress.complete(decided)
    add(stresses, sources, PARADIGM,
        (paradigms.apply(lemma, pattern) for lemma, pattern in decided))
    analogy = AnalogyModel(decided, known)
    predicted = []
    for lemma in unknown:
        pattern = analogy.predict(lemma)
        if pattern is not None:
            predicted.append(paradigms.apply(lemma, pattern))
    add(stresses, sources, ENDING, predicted)
    form_model = EndingModel(known)
    every_lemma = unknown + [lemma for lemma, pattern in decided]
    add(stresses, sources, ENDING,
        ({form: form_model.predict(form) for form in lemma.spelled if form not in stresses}
         for lemma in every_lemma))
    return stresses, sources


def add(stresses, sources, source, found):
    """Adds the forms of `found` (maps from forms to a stressed letter or
    None) that have no stress yet and need one, unless they disagree."""
    new = {}
    for result in found:
        for form, index in result.items():
            if index is not None and form not in stresses and needs_record(form):
                new.setdefault(form, set()).add(index)
    for form, indexes in new.items():
        if len(indexes) == 1:
            stresses[form] = next(iter(indexes))
            sources[form] = source
