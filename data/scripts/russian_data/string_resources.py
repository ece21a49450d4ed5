"""The string-resource file: the hand-written sections, in file-name order
(the abbreviation list restricted where its keys are words), followed by the
generated number forms."""

import glob
import os

from . import abbreviations, numeral_forms


def build(resource_dir, numeral_table, words, dictionary_words, out_path):
    """`words`: the words an abbreviation key may also be; `dictionary_words`:
    those of them the stress dictionary holds."""
    parts = []
    for path in sorted(glob.glob(os.path.join(resource_dir, "*.txt"))):
        with open(path, encoding="utf-8") as source:
            text = abbreviations.restrict(source.read(), words, dictionary_words)
            parts.append(text.rstrip("\n") + "\n")
    with open(numeral_table, encoding="utf-8") as source:
        parts.append(numeral_forms.section(source.read(), numeral_table))
    write_text(out_path, "\n".join(parts))


def write_text(path, text):
    """Installed text files are Windows-1251 with Windows line ends."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1251"))
