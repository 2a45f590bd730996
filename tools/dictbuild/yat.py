"""Ekavian -> ijekavian pairs from the Serbian spelling dictionary.

hunspell-sr holds the ekavian and the ijekavian forms of its words side by
side (mleko, mlijeko). An ekavian form whose e, in one or two places, read as
je, ije or (before o) i gives exactly one form that both hunspell-sr and
hunspell-hr know (hunspell-hr as a common word, not a name), is paired with
it: vreme -> vrijeme, uspeo -> uspio,
nedelja -> nedjelja. Its source must be no Croatian word. hunspell-hr also
accepts many ekavian forms (uspeo, koren): tools/yat_exceptions.txt lists the
ones that standard Croatian writes ijekavian, and, for a form with two
ijekavian readings, the one to take (promene: the noun promjene, not the
verb promijene)."""

import itertools

from .files import listed_lines
from .words import WORD_RE, source_problem

VOWELS = set("aeiou")
MAX_CHANGES = 2


def read_exceptions(path):
    """(forms hunspell-hr wrongly accepts, {form: chosen ijekavian form})."""
    accepted, chosen = set(), {}
    for number, line in listed_lines(path):
        fields = line.split()
        if len(fields) == 1:
            accepted.add(fields[0])
        elif len(fields) == 2:
            chosen[fields[0]] = fields[1]
        else:
            raise ValueError(f"{path}:{number}: want a form, or a form and its ijekavian form")
    return accepted, chosen


def _readings(word, i):
    """Ijekavian readings of the e at position i: after a consonant, never the
    last letter (an ending: uredovane is no uredovanje, Asire no Asirije)."""
    if i == 0 or i == len(word) - 1 or word[i - 1] in VOWELS:
        return []
    readings = ["je", "ije"]
    if word[i + 1:i + 2] == "o":
        readings.append("i")
    return readings


def ijekavian_candidates(word):
    """Every spelling with one or two of the word's e read as je, ije or i."""
    places = [i for i, c in enumerate(word) if c == "e" and _readings(word, i)]
    out = set()
    for count in range(1, MAX_CHANGES + 1):
        for chosen in itertools.combinations(places, count):
            options = [_readings(word, i) for i in chosen]
            for picks in itertools.product(*options):
                parts, last = [], 0
                for i, reading in zip(chosen, picks):
                    parts.append(word[last:i])
                    parts.append(reading)
                    last = i + 1
                parts.append(word[last:])
                out.add("".join(parts))
    return out


def yat_pairs(sources, exceptions_path, report):
    sec = report.section("yat", "ekavian -> ijekavian forms from hunspell-sr")
    accepted, chosen = read_exceptions(exceptions_path)
    serbian = sources.serbian_spelling
    pairs = {}
    for form in sorted(serbian):
        if "e" not in form or not WORD_RE.match(form) or source_problem(form):
            continue
        if form in sources.name_forms and form not in accepted and form not in chosen:
            continue  # kevu: a form of the name Keva, no ekavian Kijevu
        found = sorted(c for c in ijekavian_candidates(form)
                       if c in serbian and c in sources.hunspell_common)
        if not found:
            continue
        example = f"{form} -> {' | '.join(found)}"
        sec.seen(example)
        if form in chosen:
            pairs[form] = chosen[form]
        elif sources.is_croatian_form(form) and form not in accepted:
            sec.drop("ekavian form is also a Croatian form", example)
        elif len(found) > 1:
            sec.drop("several ijekavian forms", example, pairs=len(found))
        else:
            pairs[form] = found[0]
    sec.kept(len(pairs), [f"{s} -> {t}" for s, t in sorted(pairs.items())])
    return pairs
