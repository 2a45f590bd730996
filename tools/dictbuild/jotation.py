"""Serbian šć where Croatian writes št.

A verb in -stiti forms its passive participle and verbal noun with šć in
Serbian and with št in Croatian: korišćen, korišćenje, iskorišćavati against
korišten, korištenje, iskorištavati. A form of hunspell-sr or of the Serbian
generator with šćen or šćav (the participle, the verbal noun, the iterative
verb) is paired with its spelling with št when hunspell-hr knows that
spelling as a common word and does not know the šć form itself (Croatian
keeps šć in očišćen, ugošćen, kršćanin, which hunspell-hr lists). Other šć
forms are left alone: the same swap turns košćat (bony) into koštat and
pašćete (you will fall) into paštete."""

import re

from .words import WORD_RE, source_problem

JOTATED_RE = re.compile("šć(en|av)")


def jotation_pairs(sources, report):
    sec = report.section("jotation", "šć -> št forms (hunspell-sr, hunspell-hr)")
    candidates = {f for f in sources.serbian_spelling if JOTATED_RE.search(f)}
    candidates |= {f for f in sources.serbian.readings if JOTATED_RE.search(f)}
    pairs = {}
    for form in sorted(candidates):
        if not WORD_RE.match(form) or source_problem(form):
            continue
        target = form.replace("šć", "št")
        if target not in sources.hunspell_common:
            continue
        example = f"{form} -> {target}"
        sec.seen(example)
        if sources.is_croatian_form(form):
            sec.drop("the šć form is also a Croatian form", example)
        elif form in sources.name_forms:
            sec.drop("the šć form is a name", example)
        else:
            pairs[form] = target
    sec.kept(len(pairs), [f"{s} -> {t}" for s, t in sorted(pairs.items())])
    return pairs
