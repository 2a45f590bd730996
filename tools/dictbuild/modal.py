"""The table of the modal rule (data/4_modalni.txt): modal + da + present
becomes modal + infinitive ("može da vidi" -> "može vidjeti").

The translator applies the rule to the line the word pass wrote, so every form
is written as the word pass writes it: a Serbian form the word pairs translate
appears as its target. Lines (TAB-separated, persons in the order 1sg 2sg
3sg 1pl 2pl 3pl, several forms of one person separated by a space, "-" for
none):

    +        mogu    možeš   može ...     forms of the modal verbs of tools/modal_verbs.txt
    *treba   trebam  trebaš  treba ...    a form for every person, written as the verb's
    vidjeti  vidim   vidiš   vidi ...     the present forms of every verb the Serbian
                                          generator knows, under their infinitive

A present form of two infinitives is left out (otupi: otupiti or otupjeti),
unless tools/modal_verbs.txt writes its verb out (biti: budem ... bude).
"""

import collections

from .files import listed_lines

PERSONS = ["<p1><sg>", "<p2><sg>", "<p3><sg>", "<p1><pl>", "<p2><pl>", "<p3><pl>"]
# Past participles: the masculine and feminine ones stand for their number
# (mogao sam / si / je). The neuter is left out: "moglo bi da pada" means
# "it could be that it rains".
PARTICIPLES = {"<lp><m><sg>": (0, 1, 2), "<lp><f><sg>": (0, 1, 2),
               "<lp><m><pl>": (3, 4, 5), "<lp><f><pl>": (3, 4, 5)}
# Present forms that are no verb to turn into an infinitive after "da": the
# clitic and long present of biti (mora da je ...), the future and
# conditional auxiliaries, particles.
NOT_PRESENTS = {"sam", "si", "je", "smo", "ste", "su", "jesam", "jesi", "jest", "jeste",
                "jesmo", "jesu", "ću", "ćeš", "će", "ćemo", "ćete", "bi", "bih", "bismo",
                "biste", "li", "ne", "ni", "se"}
HEADER = [
    "Lorvan modal rule: modal + da + present -> modal + infinitive. Built by"
    " tools/build_dictionary.py from tools/modal_verbs.txt and apertium-hbs-eng (GPL-3.0).",
    "Fields: key, then the persons 1sg 2sg 3sg 1pl 2pl 3pl (forms separated by a space,"
    " - for none).",
    "Key + : forms of modal verbs. Key *FORM: a modal form for every person, written in"
    " the person of the verb after da. Any other key: an infinitive, and the present"
    " forms that become it.",
    "",
]


def person_of(analysis):
    for index, person in enumerate(PERSONS):
        if analysis.endswith("<pres>" + person):
            return index
    return None


def read_modal_list(path):
    """(lemmas, participle-only lemmas, fixed modal lines, hand-written verbs) of
    tools/modal_verbs.txt; a hand-written verb is (infinitive, six forms)."""
    lemmas, participle_only, fixed, verbs = [], [], [], []
    for number, line in listed_lines(path):
        fields = line.split()
        if line.startswith(("*", "+")) or fields[0].endswith(":"):
            if len(fields) != 7:
                raise ValueError(f"modal_verbs.txt:{number}: six forms wanted: {line}")
            if line.startswith(("*", "+")):
                fixed.append("\t".join(fields))
            else:
                verbs.append((fields[0][:-1], fields[1:]))
            continue
        for word in line.split():
            if word.endswith(":lp"):
                participle_only.append(word[:-3])
            else:
                lemmas.append(word)
    return lemmas, participle_only, fixed, verbs


def as_written(form, word_pairs):
    """The form as the word pass writes it (lower case); None for a form of two words."""
    written = word_pairs.get(form.lower(), form.lower())
    return None if " " in written else written


def future_forms(sources, lemma):
    """The Croatian infinitive of a modal verb and the stem of its future
    (morati, morat: ću morati da idem, morat ću da idem), which stand for every
    person: the person is in the auxiliary."""
    forms = set()
    for analysis in sources.croatian.by_lemma.get(lemma, ()):
        for form in sources.croatian.by_analysis[analysis]:
            if analysis.endswith("<inf>") and sources.is_croatian_word(form):
                forms.add(form.lower())
            elif analysis.endswith("<inf>+htjeti<vbmod><clt><futI><p1><sg>") and " " in form:
                forms.add(form.split(" ")[0].lower())
    return sorted(forms)


def modal_line(sources, word_pairs, lemma, with_present, sec):
    slots = [[] for _ in PERSONS]
    if with_present:
        for slot in slots:
            slot.extend(future_forms(sources, lemma))
    analyses = sources.serbian.by_lemma.get(lemma, ())
    if not analyses:
        sec.drop("modal verb unknown to the generators", lemma)
    # A verb with a modal reading (moći<vbmod>) takes its present from it only:
    # moći<vblex> is mognem, "may manage".
    modal_reading = any("<vbmod>" in a and "+" not in a for a in analyses)
    for analysis in analyses:
        places = ()
        person = person_of(analysis)
        if person is not None and with_present and "+" not in analysis and (
                "<vbmod>" in analysis or not modal_reading):
            places = (person,)
        for tags, persons in PARTICIPLES.items():
            if analysis.endswith(tags) and "+" not in analysis:
                places = persons
        for form in sources.serbian.by_analysis[analysis] if places else ():
            written = as_written(form, word_pairs)
            if written is None or not sources.is_croatian_word(written):
                sec.drop("modal form the word pass writes as no Croatian word", f"{lemma}: {form}")
                continue
            for place in places:
                if written not in slots[place]:
                    slots[place].append(written)
    return "\t".join(["+"] + [" ".join(s) or "-" for s in slots])


def infinitive_of(sources, word_pairs, analysis):
    """The Croatian infinitive of a present analysis, as the word pass leaves it."""
    head = analysis.split("<pres>")[0].replace("<futII>", "")
    lemma = head.split("<")[0]
    candidates = [head + "<inf>"] + [a for a in sources.croatian.by_lemma.get(lemma, ())
                                     if a.endswith("<inf>")]
    for generator in (sources.croatian, sources.serbian):
        for candidate in candidates:
            forms = generator.by_analysis.get(candidate)
            if forms:
                return word_pairs.get(forms[0].lower(), forms[0].lower())
    return None


def verb_lines(sources, word_pairs, hand_verbs, sec):
    """One line per infinitive: its present forms, person by person. A form of
    a hand-written verb takes only its reading there."""
    readings = collections.defaultdict(lambda: collections.defaultdict(set))
    for analysis, forms in sources.serbian.by_analysis.items():
        person = person_of(analysis)
        if person is None or "+" in analysis or not any(
                t in analysis for t in ("<vblex>", "<vbmod>", "<vbser><futII>")):
            continue
        infinitive = infinitive_of(sources, word_pairs, analysis)
        for form in forms:
            sec.seen(form)
            written = as_written(form, word_pairs)
            example = f"{form} -> {infinitive}  [{analysis}]"
            if written is None or written in NOT_PRESENTS:
                sec.drop("no present to rewrite (biti, an auxiliary, two words)", example)
            elif infinitive is None:
                sec.drop("no Croatian infinitive", example)
            elif not sources.is_croatian_word(infinitive) or infinitive in word_pairs:
                sec.drop("infinitive is no Croatian word", example)
            else:
                readings[written][infinitive].add(person)
    for written in {form for _, forms in hand_verbs for form in forms}:
        readings[written].clear()
    for infinitive, forms in hand_verbs:
        for person, form in enumerate(forms):
            readings[form][infinitive].add(person)
    table = collections.defaultdict(lambda: [[] for _ in PERSONS])
    for written, by_infinitive in readings.items():
        if len(by_infinitive) > 1:
            sec.drop("present form of two infinitives",
                     f"{written} -> {' | '.join(sorted(by_infinitive))}")
            continue
        (infinitive, persons), = by_infinitive.items()
        for person in persons:
            table[infinitive][person].append(written)
    lines = ["\t".join([infinitive] + [" ".join(sorted(s)) or "-" for s in slots])
             for infinitive, slots in sorted(table.items())]
    return lines, sum(len(s) for slots in table.values() for s in slots)


def build(sources, word_pairs, modal_list_path, report):
    sec = report.section("modal", "modal rule (tools/modal_verbs.txt, data/4_modalni.txt)")
    lemmas, participle_only, fixed, hand_verbs = read_modal_list(modal_list_path)
    modal = [modal_line(sources, word_pairs, lemma, True, sec) for lemma in lemmas]
    modal += [modal_line(sources, word_pairs, lemma, False, sec) for lemma in participle_only]
    verbs, forms = verb_lines(sources, word_pairs, hand_verbs, sec)
    sec.kept(forms, [line.replace("\t", " ") for line in verbs])
    report.note(f"modal rule: {len(modal) + len(fixed)} modal lines, {len(verbs)} verbs,"
                f" {forms} present forms")
    return HEADER + modal + fixed + verbs
