"""Letters of Russian as the stress dictionary and its reader see them."""

VOWELS = frozenset("аеёиоуыэюяАЕЁИОУЫЭЮЯ")
LETTERS = frozenset("абвгдеёжзийклмнопрстуфхцчшщъыьэюя")


def is_word(text):
    """Lower-case Cyrillic letters only, and at least one."""
    return bool(text) and all(c in LETTERS for c in text)


def vowel_positions(word):
    return [i for i, c in enumerate(word) if c in VOWELS]


def cp1251(text):
    return text.encode("cp1251")
