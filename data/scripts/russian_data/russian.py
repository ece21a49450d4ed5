"""Letters of Russian as the stress dictionary and its reader see them."""

import re

VOWELS = frozenset("аеёиоуыэюяАЕЁИОУЫЭЮЯ")
LETTERS = frozenset("абвгдеёжзийклмнопрстуфхцчшщъыьэюя")


WORD = re.compile("[абвгдеёжзийклмнопрстуфхцчшщъыьэюя]+")
SEVERAL_VOWELS = re.compile("[аеёиоуыэюяАЕЁИОУЫЭЮЯ].*[аеёиоуыэюяАЕЁИОУЫЭЮЯ]")


def is_word(text):
    """Lower-case Cyrillic letters only, and at least one."""
    return WORD.fullmatch(text) is not None


def has_several_vowels(word):
    return SEVERAL_VOWELS.search(word) is not None


def vowel_positions(word):
    return [i for i, c in enumerate(word) if c in VOWELS]


def cp1251(text):
    return text.encode("cp1251")
