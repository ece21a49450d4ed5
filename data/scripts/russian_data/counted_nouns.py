"""The word forms of the nouns that follow numbers, generated from a table of
their case forms (data/russian/counted_nouns.txt, whose header explains it):
one "word:gender:part:case:number" line for every form a spelling stands
for, in the table's order of cases, so that a spelling of several forms
("минуты") has a line for each."""

import sys

CASES = ("им", "род", "дат", "вин", "твор", "предл")
KINDS = ("счёт", "порядок", "сокр")
SECTION = "Словарные_формы"
SUBSECTION = "Данные"
CARDINAL, ORDINAL = "числ", "прил"


def parse(text, where):
    """(kind, gender, singular forms, plural forms) for every noun."""
    nouns, lemmas = [], set()
    for number, line in enumerate(text.splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        at = f"{where}:{number}"
        head, _, forms = line.partition(":")
        head = head.split()
        if len(head) != 2 or head[0] not in KINDS:
            sys.exit(f"{at}: expected <kind> <gender> : <forms>")
        kind, gender = head
        if kind == "сокр":
            spelling = forms.split()
            if len(spelling) != 1:
                sys.exit(f"{at}: an abbreviation has one spelling")
            singular = plural = spelling * len(CASES)
        else:
            groups = [group.split() for group in forms.split("|")]
            if len(groups) != 2 or any(len(g) != len(CASES) for g in groups):
                sys.exit(f"{at}: expected {len(CASES)} singular | {len(CASES)} plural forms")
            singular, plural = groups
        if singular[0] in lemmas:
            continue
        lemmas.add(singular[0])
        nouns.append((kind, gender, singular, plural))
    return nouns


def lines(nouns):
    """The section's lines for the nouns."""
    out = []
    for kind, gender, singular, plural in nouns:
        for number, forms in (("ед", singular), ("мн", plural)):
            for case, form in zip(CASES, forms):
                # An ordered noun's singular reads the number as an ordinal;
                # its genitive counts too ("2 страницы"), before that.
                parts = [CARDINAL]
                if kind == "порядок" and number == "ед":
                    parts = [CARDINAL, ORDINAL] if case == "род" else [ORDINAL]
                # Texts write "ё" as often as not.
                for spelling in dict.fromkeys((form, form.replace("ё", "е"))):
                    for part in parts:
                        out.append(f"{spelling}:{gender}:{part}:{case}:{number}")
    return out


def unknown_forms(nouns, words):
    """The forms of the nouns (abbreviations aside) that no dictionary knows."""
    missing = []
    for kind, _, singular, plural in nouns:
        if kind == "сокр":
            continue
        missing.extend(form for form in singular + plural
                       if form.lower().replace("ё", "е") not in words)
    return sorted(set(missing))


def section(text, where, words=None):
    nouns = parse(text, where)
    if words:
        missing = unknown_forms(nouns, words)
        if missing:
            print(f"{where}: forms no dictionary knows: {' '.join(missing)}")
    body = "\n".join(lines(nouns))
    return (f"# Forms of the nouns that follow numbers.\n[{SECTION}]\n{{{SUBSECTION}}}\n"
            f"{body}\n")
