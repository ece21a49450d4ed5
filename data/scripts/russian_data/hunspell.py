"""Word forms of a Hunspell dictionary: each stem of the .dic with every
suffix rule of the .aff that its flags allow. The Russian dictionary uses
single-letter flags and suffix rules only."""

import collections
import re

BRACKET = re.compile(r"\[[^\]]*\]")


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
        rules[flag].append((strip, add, re.compile("(?:" + condition + ")$"),
                            len(BRACKET.sub("x", condition))))
    return rules


class Expander:
    """Applies suffix rules. A rule looks at no more of the stem's end than
    its condition and strip are long, so which rules of a flag apply is
    decided by that much of the end and remembered by it: stems sharing an
    end share the answer."""

    def __init__(self, aff_text):
        self.rules = read_suffix_rules(aff_text)
        self.reach = {flag: max(max(n, len(strip)) for strip, add, cond, n in rules)
                      for flag, rules in self.rules.items()}
        self.applicable = {}

    def forms(self, stem, flags):
        """The stem itself, then every form its flags make."""
        yield stem
        for flag in flags:
            reach = self.reach.get(flag)
            if reach is None:
                continue
            key = (flag, stem[-reach:])
            found = self.applicable.get(key)
            if found is None:
                found = [(len(strip), add) for strip, add, condition, n in self.rules[flag]
                         if stem.endswith(strip) and condition.search(stem)]
                self.applicable[key] = found
            for strip, add in found:
                yield stem[:len(stem) - strip] + add


def entries(dic_text):
    """(stem, flags) for every entry of the .dic."""
    lines = dic_text.splitlines()
    # The first line holds the number of stems.
    for line in lines[1:]:
        stem, _, flags = line.strip().partition("/")
        if stem:
            yield stem, flags


def lemmas(dic_text, aff_text):
    """Every entry's forms as a list, the entry's own spelling first."""
    expander = Expander(aff_text)
    for stem, flags in entries(dic_text):
        yield list(dict.fromkeys(expander.forms(stem, flags)))
