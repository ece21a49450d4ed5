"""The number forms section of the string resources, generated from a compact
table of the numerals' cardinal case forms and ordinal stems.

Table lines:
  @<declension> <masc.> | <fem.> | <neut.> | <plural>  six endings each
  <numeral> = <case forms> ; <ordinal stem> <declension>
The case forms run им род дат вин твор предл; one group serves every gender
and the plural, three give masculine, feminine and neuter (the plural as the
masculine), four add the plural.
"""

import sys

GENDERS = (("муж", 0), ("жен", 1), ("сред", 2))
PARTS = ("числ", "прил")
CASES = ("им", "род", "дат", "вин", "твор", "предл")
NUMBERS = (("ед", None), ("мн", 3))
SECTION = "Числовые_формы"
SUBSECTION = "Данные"


def split_groups(text, where):
    groups = [group.split() for group in text.split("|")]
    if len(groups) not in (1, 3, 4) or any(len(g) != len(CASES) for g in groups):
        sys.exit(f"{where}: expected 1, 3 or 4 groups of {len(CASES)} forms")
    if len(groups) == 1:
        groups *= 3
    if len(groups) == 3:
        groups.append(groups[0])
    return groups


def parse(text, where):
    """(declensions, numerals): declension name -> 4 groups of endings;
    numerals in table order as (word, cardinal groups, stem, declension)."""
    declensions, numerals = {}, []
    for number, line in enumerate(text.splitlines(), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        at = f"{where}:{number}"
        if line.startswith("@"):
            name, _, rest = line[1:].partition(" ")
            declensions[name] = split_groups(rest, at)
            continue
        word, _, rest = line.partition("=")
        forms, _, ordinal = rest.partition(";")
        ordinal = ordinal.split()
        if len(ordinal) != 2 or ordinal[1] not in declensions:
            sys.exit(f"{at}: expected <numeral> = <forms> ; <stem> <declension>")
        numerals.append((word.strip(), split_groups(forms, at), ordinal[0], ordinal[1]))
    return declensions, numerals


def section(text, where):
    """The section's text: one block per grammar slot, each a header line
    "(gender:part:case:number)", one "numeral form" line per numeral, and a
    closing "@" line."""
    declensions, numerals = parse(text, where)
    lines = ["# Forms of the numerals by grammar slot (gender:part:case:number).",
             f"[{SECTION}]", f"{{{SUBSECTION}}}"]
    for gender, gender_group in GENDERS:
        for part in PARTS:
            for case_index, case in enumerate(CASES):
                for number, number_group in NUMBERS:
                    group = gender_group if number_group is None else number_group
                    lines.append(f"({gender}:{part}:{case}:{number})")
                    for word, cardinal, stem, declension in numerals:
                        if part == "числ":
                            form = cardinal[group][case_index]
                        else:
                            form = stem + declensions[declension][group][case_index]
                        lines.append(f"{word} {form}")
                    lines.append("@")
    return "\n".join(lines) + "\n"
