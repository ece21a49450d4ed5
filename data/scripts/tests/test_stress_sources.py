"""The stress dictionary's sources: lemma patterns, ending predictions and
the choice between two readings of one form; and the abbreviation list as
the words of those sources restrict it."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), ".."))

from russian_data import abbreviations, lexicon, paradigms, stress_sources  # noqa: E402
from russian_data.analogy_model import AnalogyModel  # noqa: E402
from russian_data.ending_model import EndingModel  # noqa: E402

BOOK = ["книга", "книги", "книге", "книгу", "книгой", "книгами", "книгах"]
TABLE = ["стол", "стола", "столу", "столом", "столе", "столы", "столами"]
HEAD = ["голова", "головы", "голове", "голову", "головой", "голов", "головам", "головами"]


def marked(stresses):
    return sorted(word[:i + 1] + "+" + word[i + 1:] for word, i in stresses.items())


class LemmaPatterns(unittest.TestCase):
    def test_fixed_stem_stress_reaches_every_form(self):
        self.assertEqual(marked(paradigms.infer(BOOK, {"книгами": 2})),
                         sorted(["кни+га", "кни+гами", "кни+гах", "кни+ге", "кни+ги",
                                 "кни+гой", "кни+гу"]))

    def test_fixed_ending_stress_falls_on_the_stem_before_an_empty_ending(self):
        self.assertEqual(marked(paradigms.infer(TABLE, {"стола": 4, "столами": 4})),
                         sorted(["сто+л", "стола+", "стола+ми", "столе+", "столо+м", "столу+",
                                 "столы+"]))

    def test_moving_stress_only_where_the_known_forms_show_it(self):
        known = {"голова": 5, "голову": 1, "головы": 5, "головам": 5, "голов": 3}
        self.assertEqual(marked(paradigms.infer(HEAD, known)),
                         sorted(["голова+", "голова+м", "голо+в", "го+лову", "головы+"]))

    def test_a_moving_stress_may_fall_on_a_later_vowel_of_the_ending(self):
        verb = ["рисовать", "рисую", "рисовал", "рисовала"]
        known = {"рисовать": 6, "рисую": 3, "рисовал": 6}
        self.assertEqual(marked(paradigms.infer(verb, known)),
                         ["рисова+л", "рисова+ть", "рису+ю"])

    def test_undecided_when_both_patterns_fit_and_part(self):
        # "стол" alone fits a stem stress and an ending stress alike.
        self.assertEqual(paradigms.infer(TABLE, {"стол": 2}), {"стол": 2})

    def test_yo_forms_are_stressed_on_yo(self):
        self.assertEqual(paradigms.infer(["идти", "иду", "идёт"], {"иду": 2}),
                         {"идти": 3, "иду": 2, "идет": 2})
        # Written 'е' where the stressed forms write 'ё', the letter lost
        # the stress to the ending.
        self.assertEqual(paradigms.infer(["тёмный", "тёмная", "темна", "темно"], {"темный": 1}),
                         {"темный": 1, "темная": 1, "темна": 4, "темно": 4})

    def test_an_odd_mark_is_mended_where_its_class_keeps_the_pattern(self):
        endings = ["о", "а", "у", "ом", "е", "ами", "ах"]
        lemmas = [[c + "акар" + e for e in endings] for c in "бвгджзйклмнпрстфхцчшщ"]
        known = {form: 3 for lemma in lemmas for form in lemma}
        # Every lemma of the class moves its stress onto "ами": kept.
        known.update((lemma[5], 5) for lemma in lemmas)
        # One lemma alone leaves its stem stress at "о": a slip.
        known["бакаро"] = 1
        self.assertEqual(paradigms.slips(lemmas, known), {"бакаро": 3})

    def test_several_forms_moving_to_their_ending_are_no_slip(self):
        endings = ["", "а", "у", "ом", "е", "ов", "ам", "ами", "ах"]
        consonants = "бвгджзклмнпрстфхцчшщ"
        lemmas = [[c + d + "ак" + e for e in endings] for c in consonants for d in consonants]
        known = {form: 2 for lemma in lemmas for form in lemma}
        # One lemma leaves its stem stress once, another at two endings.
        known.update({"ббакам": 4, "бвакам": 4, "бваков": 4})
        self.assertEqual(paradigms.slips(lemmas, known), {"ббакам": 2})

    def test_a_short_adjective_is_never_a_slip(self):
        lemmas = [[c + v + "карный", c + v + "карная", c + v + "карное", c + v + "карно"]
                  for c in "бвгджзйклмнпрстфхцчшщ" for v in "аоуы"]
        known = {form: 3 for lemma in lemmas for form in lemma}
        known["бакарно"] = 6
        known["вакарное"] = 1
        self.assertEqual(paradigms.slips(lemmas, known), {"вакарное": 3})

    def test_the_prefix_vy_takes_the_stress_where_its_words_ending_so_does(self):
        def lemma(entry):
            return paradigms.Lemma([entry, entry[:-2] + "л"])
        decided = [(lemma(entry), (paradigms.STEM, 1))
                   for entry in ("выпотрошить", "выколотить", "выкроить", "вызолотить")]
        decided += [(lemma(entry), (paradigms.STEM, index)) for entry, index in
                    (("выстраивать", 5), ("выкраивать", 4), ("выдаивать", 3))]
        model = AnalogyModel(decided, {})
        self.assertEqual(model.predict(lemma("вымолотить")), (paradigms.STEM, 1))
        self.assertEqual(marked(paradigms.apply(lemma("вызнаивать"),
                                                model.predict(lemma("вызнаивать")))),
                         ["вызна+ивал", "вызна+ивать"])

    def test_a_stem_beginning_known_words_takes_the_stress_they_give_it(self):
        model = AnalogyModel([], {"смешной": 5, "смешного": 5, "смешному": 5, "котлета": 3})
        self.assertEqual(model.predict(paradigms.Lemma(["смешно"])), (paradigms.STEM, 5))
        # A short stem may begin words of another root.
        self.assertIsNone(model.predict(paradigms.Lemma(["кот", "кота"])))

    def test_an_unknown_lemma_stresses_each_ending_as_the_nearest_lemmas_do(self):
        def lemma(stem):
            return paradigms.Lemma([stem + e for e in ("а", "у", "ы", "ой", "ам")])
        decided = [(lemma("голов"), (paradigms.MOBILE, {"а": paradigms.ENDING, "у": 1,
                                                        "ы": 1, "ой": paradigms.ENDING})),
                   (lemma("дорог"), (paradigms.STEM, 3)),
                   (lemma("порог"), (paradigms.STEM, 1)),
                   (lemma("творог"), (paradigms.STEM, 2))]
        model = AnalogyModel(decided, {})
        # "олова" is shared with one lemma only, whose moving stress it
        # takes; "ам", which that lemma leaves open, goes by "а", shared with
        # all, where two of three stress the stem's second vowel from its end.
        self.assertEqual(marked(paradigms.apply(lemma("полов"), model.predict(lemma("полов")))),
                         ["по+ловам", "по+лову", "по+ловы", "полова+", "полово+й"])
        # A tie between "дорога" and "порога" at "рога" goes by "ога", where
        # "творога" adds its vote to the stem's second vowel from its end.
        self.assertEqual(marked(paradigms.apply(lemma("сорог"), model.predict(lemma("сорог")))),
                         ["со+рога", "со+рогам", "со+рогой", "со+рогу", "со+рогы"])

    def test_only_lemmas_stressing_as_the_stem_can_vote(self):
        def lemma(word):
            return paradigms.Lemma([word, word + "а", word + "у"])
        decided = [(lemma("иванович"), (paradigms.STEM, 2)),
                   (lemma("степанович"), (paradigms.STEM, 4)),
                   (lemma("врач"), (paradigms.ENDING, None))]
        model = AnalogyModel(decided, {})
        # "ич" is shared with the patronymics only, whose stress on a third
        # vowel from the stem's end a one-vowel stem cannot take; "ч" decides.
        self.assertEqual(marked(paradigms.apply(lemma("бич"), model.predict(lemma("бич")))),
                         ["би+ч", "бича+", "бичу+"])

    def test_unknown_lemma_gives_nothing(self):
        self.assertEqual(paradigms.infer(BOOK, {"стол": 2}), {})


class EndingPredictions(unittest.TestCase):
    def test_a_tail_predicts_only_when_its_words_agree(self):
        known = {"радость": 1, "сладкость": 2, "гладкость": 2, "мягкость": 1,
                 "жесткость": 1, "звонкость": 2}
        known.update({"прогулка": 4, "шкатулка": 4, "булка": 1, "селедка": 3, "река": 3, "мука": 3, "тоска": 4,
                      "переулка": 4, "закоулка": 4})
        model = EndingModel(known)
        # ...ость: six words, all on the vowel before the tail.
        self.assertEqual(model.predict("крепкость"), 2)
        # ...улка: five words, all on "у".
        self.assertEqual(model.predict("втулка"), 2)
        # ...ка: the words disagree, so a tail they share does not decide.
        self.assertIsNone(model.predict("сетка"))

    def test_one_vowel_words_need_no_prediction(self):
        self.assertIsNone(EndingModel({}).predict("кот"))


class Assembly(unittest.TestCase):
    def test_sources_by_priority(self):
        lemmas = stress_sources.Lemmas([BOOK, TABLE, ["лампа", "лампы"]])
        stresses, origins = stress_sources.assemble({"книгами": 2, "столами": 4}, lemmas)
        self.assertEqual(origins["книгами"], stress_sources.LEXICON)
        self.assertEqual((stresses["книгу"], origins["книгу"]), (2, stress_sources.PARADIGM))
        self.assertEqual((stresses["столу"], origins["столу"]), (4, stress_sources.PARADIGM))
        # No form known: stressed as "книга", whose ending it shares.
        self.assertEqual((stresses["лампа"], origins["лампа"]), (1, stress_sources.ENDING))

    def test_a_lemma_pattern_never_overrides_a_lexicon_mark(self):
        lemmas = stress_sources.Lemmas([BOOK, TABLE])
        known = {"книгами": 2, "книге": 4, "книгу": 2, "стола": 4, "столу": 2}
        stresses, origins = stress_sources.assemble(known, lemmas)
        self.assertEqual({form: stresses[form] for form in known}, known)
        self.assertEqual({origins[form] for form in known}, {stress_sources.LEXICON})

    def test_a_moving_stress_is_learnt_per_class(self):
        endings = ["а", "у", "ы", "е", "ой", "ам"]
        lemmas = stress_sources.Lemmas([[c + "олов" + e for e in endings] for c in "бвгд"])
        known = {}
        for c in "бвгд":
            known.update({c + "олова": 5, c + "олову": 3, c + "оловы": 3, c + "олове": 5,
                          c + "оловой": 5, c + "оловам": 5})
        del known["доловы"]
        # A stress of its own at one ending (no other lemma has it) tells
        # nothing of the others.
        known["доловам"] = 3
        stresses, origins = stress_sources.assemble(known, lemmas)
        # The class fills the ending "ы" that no form of "долова" shows.
        self.assertEqual((stresses["доловы"], origins["доловы"]), (3, stress_sources.PARADIGM))

    def test_held_out_forms_lose_their_lexicon_stress(self):
        lemmas = stress_sources.Lemmas([BOOK])
        stresses, origins = stress_sources.assemble({"книгами": 2}, lemmas,
                                                    exclude={"книгами"})
        self.assertEqual(stresses, {})


LEXICON_TEXT = """
("буря" adv-v (2))
("буря" n (1))
("выходить" v (1))
("выходить" v (3))
("выходит" v (3))
("выходил" v (3))
("выходила" v (3))
("выхожу" v (1))
("окно" n (2))
("окно" name (1))
("после" in (1))
("после" n (2))
"""


class ReadingChoice(unittest.TestCase):
    def test_preposition_over_noun_over_gerund_and_common_word_over_name(self):
        forms = lexicon.stress_forms(LEXICON_TEXT)
        self.assertEqual(forms["после"], 1)
        self.assertEqual(forms["буря"], 1)
        self.assertEqual(forms["окно"], 3)

    def test_recorded_utterances_decide_words_they_mark_as_often_as_not(self):
        text = ('( ru_0001 "Он г+олову поднял, п+отом потом." )\n'
                '( ru_0002 "Потом, +она, вол+ос." )\n')
        self.assertEqual(lexicon.utterance_stresses(text), {"голову": 1, "она": 0, "волос": 3})

    def test_the_reading_more_forms_of_the_lemma_share(self):
        lemma = ["выходить", "выходит", "выходил", "выходила", "выхожу"]
        forms = lexicon.stress_forms(LEXICON_TEXT, lambda word: [lemma])
        self.assertEqual(forms["выходить"], 5)
        # Without lemmas the first listed reading stays.
        self.assertEqual(lexicon.stress_forms(LEXICON_TEXT)["выходить"], 1)


class AbbreviationList(unittest.TestCase):
    HEAD = "[Аббревиатуры]\n{Данные}\n|#\n"

    def test_keys_that_are_words_need_a_number_or_a_small_word_next(self):
        text = self.HEAD + "\n".join([
            "нем.|немецкий", "рис.|рису+нок|RIGHT_NUMBER", "рис.|рису+нок",
            "им.|имени|RIGHT_CAPITAL", "мин.|минут|LEFT_NUMBER", "англ.|английский",
            "г.|году|LEFT_NUMBER", "г.|город|RIGHT_CAPITAL", "Г.|Гамма|PRESERVE_CASE",
            "о.|о+стров|RIGHT_CAPITAL", "вуз|вуз ## кончается строка",
            "пер.|переу+лок|RIGHT_CAPITAL", "пер.|переу+лок", "полк.|полко+вник|RIGHT_CAPITAL"])
        words = {"нем", "рис", "им", "мин", "вуз", "о", "пер", "полк"}
        # "пер" is a word the stress dictionary lacks: before a capital it
        # is the abbreviation, at a sentence end the word; "полк", common,
        # counts as held.
        dictionary_words = {"нем", "рис", "им", "мин", "вуз", "о"}
        self.assertEqual(abbreviations.restrict(text, words, dictionary_words).split("\n")[3:], [
            "нем.|немецкий|RIGHT_LOWER", "нем.|немецкий|RIGHT_NUMBER",
            "рис.|рису+нок|RIGHT_NUMBER", "рис.|рису+нок|RIGHT_LOWER",
            "мин.|минут|LEFT_NUMBER", "англ.|английский",
            "г.|году|LEFT_NUMBER", "г.|город|RIGHT_CAPITAL|PRESERVE_CASE", "Г.|Гамма|PRESERVE_CASE",
            "о.|о+стров|RIGHT_CAPITAL|PRESERVE_CASE", "вуз|вуз #",
            "пер.|переу+лок|RIGHT_CAPITAL", "пер.|переу+лок|RIGHT_LOWER",
            "пер.|переу+лок|RIGHT_NUMBER"])

    def test_other_sections_stay_as_written(self):
        text = "[ServiceWords]\n{Данные}\n|#\nнем.|немецкий\n"
        self.assertEqual(abbreviations.restrict(text, {"нем"}, {"нем"}), text)

    def test_word_forms_take_inflected_lemmas_and_bare_genitive_plurals(self):
        lexicon_text = '("им" pron (1))\n'
        lemmas = [["тело", "тела", "телу"], ["англ"], ["рис", "риса"], ["жёны", "жён"]]
        self.assertEqual(abbreviations.word_forms(lexicon_text, lemmas),
                         {"им", "тело", "тела", "телу", "тел", "рис", "риса", "жены", "жен"})


if __name__ == "__main__":
    unittest.main()
