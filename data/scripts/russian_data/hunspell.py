"""Word forms of a Hunspell dictionary: each stem of the .dic with every
suffix rule of the .aff that its flags allow. The Russian dictionary uses
single-letter flags and suffix rules only."""

import collections
import re


def read_suffix_rules(aff_text):
    """A map from flag to its rules (letters to strip, letters to add, the
    condition on the stem's end as a compiled pattern)."""
    rules = collections.defaultdict(list)
    for line in aff_text.splitlines():
        fields = line.split()
        # The header line of a rule group has a count where a rule has its
        # condition.
        if len(fields) < 5 or fields[0] != "SFX":
            continue
        flag, strip, add, condition = fields[1:5]
        strip = "" if strip == "0" else strip
        add = "" if add == "0" else add.split("/")[0]
        rules[flag].append((strip, add, re.compile("(?:" + condition + ")$")))
    return rules


def expand(dic_text, aff_text):
    """(stem, form) for the stem itself and every form its rules make."""
    rules = read_suffix_rules(aff_text)
    lines = dic_text.splitlines()
    # The first line holds the number of stems.
    for line in lines[1:]:
        stem, _, flags = line.strip().partition("/")
        if not stem:
            continue
        yield stem, stem
        for flag in flags:
            for strip, add, condition in rules.get(flag, ()):
                if stem.endswith(strip) and condition.search(stem):
                    yield stem, stem[:len(stem) - len(strip)] + add
