"""Expands a hunspell dictionary (.dic stems with affix flags, .aff rules)
into the set of word forms it accepts.

Covers what the Croatian and Serbian dictionaries use: long two-letter and
numeric (comma-separated) flags, flag aliases (AF), suffix and prefix rules with conditions and cross products,
NEEDAFFIX (the bare stem is no word) and FORBIDDENWORD. Compounding is left
out: a compound is not a form we can vouch for.
"""

import re


class AffixRule:
    __slots__ = ("strip", "add", "condition")

    def __init__(self, strip, add, condition):
        self.strip = "" if strip == "0" else strip
        self.add = "" if add == "0" else add.split("/")[0]
        self.condition = condition


class AffixFile:
    def __init__(self):
        self.aliases = []          # AF n -> list of flags (1-based in .dic)
        self.suffixes = {}         # flag -> (cross, [AffixRule])
        self.prefixes = {}
        self.need_affix = None
        self.forbidden = None
        self.flag_mode = None      # None: one character, "long": two, "num": numbers


def _condition(text, suffix):
    if text == ".":
        return None
    return re.compile(text + "$" if suffix else "^" + text)


def read_affix_file(path):
    aff = AffixFile()
    with open(path, encoding="utf-8") as handle:
        for line in handle:
            fields = line.split()
            if not fields:
                continue
            key = fields[0]
            if key == "FLAG" and fields[1] in ("long", "num"):
                aff.flag_mode = fields[1]
            elif key == "NEEDAFFIX":
                aff.need_affix = fields[1]
            elif key == "FORBIDDENWORD":
                aff.forbidden = fields[1]
            elif key == "AF" and len(fields) >= 2 and not fields[1].isdigit():
                aff.aliases.append(_split_flags(fields[1], aff.flag_mode))
            elif key in ("SFX", "PFX") and len(fields) >= 4:
                table = aff.suffixes if key == "SFX" else aff.prefixes
                if len(fields) == 4 and fields[2] in ("Y", "N"):
                    table[fields[1]] = (fields[2] == "Y", [])
                elif fields[1] in table:  # the condition may be left out: "."
                    condition = fields[4] if len(fields) >= 5 else "."
                    table[fields[1]][1].append(AffixRule(
                        fields[2], fields[3], _condition(condition, key == "SFX")))
    return aff


def _split_flags(text, flag_mode):
    if flag_mode == "long":
        return [text[i:i + 2] for i in range(0, len(text), 2)]
    if flag_mode == "num":
        return [f for f in text.split(",") if f]
    return list(text)


def _apply(rule, word, suffix):
    if rule.condition is not None and not rule.condition.search(word):
        return None
    if suffix:
        if rule.strip and not word.endswith(rule.strip):
            return None
        return word[:len(word) - len(rule.strip)] + rule.add
    if rule.strip and not word.startswith(rule.strip):
        return None
    return rule.add + word[len(rule.strip):]


def expand_stem(aff, stem, flags):
    """Returns the word forms of one .dic entry."""
    if aff.forbidden in flags:
        return set()
    forms = set() if aff.need_affix in flags else {stem}
    prefixes = [aff.prefixes[f] for f in flags if f in aff.prefixes]
    for flag in flags:
        if flag not in aff.suffixes:
            continue
        cross, rules = aff.suffixes[flag]
        for rule in rules:
            form = _apply(rule, stem, True)
            if form is None:
                continue
            forms.add(form)
            if cross:
                for pcross, prules in prefixes:
                    if pcross:
                        forms.update(p for p in (_apply(r, form, False) for r in prules) if p)
    for _, prules in prefixes:
        forms.update(p for p in (_apply(r, stem, False) for r in prules) if p)
    return forms


def expand_dictionary(aff_path, dic_path):
    """All word forms of a hunspell dictionary, as found in the files."""
    aff = read_affix_file(aff_path)
    words = set()
    with open(dic_path, encoding="utf-8") as handle:
        next(handle)  # the stem count
        for line in handle:
            line = line.strip()
            if not line:
                continue
            stem, _, flag_text = line.partition("/")
            flag_text = flag_text.split()[0] if flag_text else ""
            if flag_text.isdigit() and aff.aliases:
                flags = aff.aliases[int(flag_text) - 1]
            else:
                flags = _split_flags(flag_text, aff.flag_mode)
            words.update(expand_stem(aff, stem, flags))
    return words


def capitalised_stems(dic_path):
    """The stems of a hunspell dictionary written with a capital letter: its
    names in their base form (Maja, Marta), without their case forms."""
    with open(dic_path, encoding="utf-8") as handle:
        next(handle)
        return {line.split("/")[0].strip() for line in handle if line[:1].isupper()}
