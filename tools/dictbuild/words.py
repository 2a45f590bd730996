"""Word pairs: systematic differences between the Serbian and the Croatian
generator, curated lexical pairs, and derived -ovati/-isati -> -irati verbs.
Every filter records what it removed in a Report."""

import re

from .files import listed_lines
from .report import Report
from .sources import lemma_of, tags_of

LETTERS = "a-zčćđšžA-ZČĆĐŠŽ"
WORD_RE = re.compile("^[" + LETTERS + "]+$")
TARGET_RE = re.compile("^[" + LETTERS + "]+( [" + LETTERS + "]+)*$")
NEVER_LOOKED_UP = {"s", "k", "sa", "ka", "da"}
FUTURE_CLITICS = {"ću", "ćeš", "će", "ćemo", "ćete"}
NOUN_GENDER_RE = re.compile(r"^<(n|np)>(<[a-z]+>)?<(m|mi|ma|mp|f|nt)>")


def target_is_known(sources, target):
    """Every word of target is a Croatian word; a shortened infinitive
    before a future clitic (pogledat ćemo) counts when the infinitive is."""
    words = target.split(" ")
    for i, word in enumerate(words):
        if sources.is_croatian_word(word):
            continue
        before_clitic = i + 1 < len(words) and words[i + 1] in FUTURE_CLITICS
        if before_clitic and word.endswith("t") and sources.is_croatian_word(word + "i"):
            continue
        return False
    return True


def source_problem(source):
    if not WORD_RE.match(source):
        return "source is not a single word"
    if source.lower() in NEVER_LOOKED_UP:
        return "source is never looked up"
    return None


def _screen(sec, form, croatian_forms, analysis):
    """(source, report example) for a Serbian form; None when the form is one of
    its Croatian forms (nothing to translate) or has a source problem (dropped)."""
    if form in croatian_forms:
        return None
    example = f"{form} -> {'|'.join(croatian_forms)}  [{analysis}]"
    sec.seen(example)
    problem = source_problem(form)
    if problem:
        sec.drop(problem, example)
        return None
    return form.lower(), example


def systematic_pairs(sources, report):
    """Serbian form -> Croatian form where the generators differ on one analysis."""
    sec = report.section("systematic", "Serbian and Croatian generator, same analysis")
    croatian = sources.croatian.by_analysis
    targets = {}
    for analysis, serbian_forms in sources.serbian.by_analysis.items():
        croatian_forms = croatian.get(analysis)
        if not croatian_forms:
            continue
        for form in serbian_forms:
            screened = _screen(sec, form, croatian_forms, analysis)
            if screened is None:
                continue
            source, example = screened
            if sources.is_croatian_form(source):
                sec.drop("Serbian form is also a Croatian form", example)
                continue
            shaped = [t for t in croatian_forms if TARGET_RE.match(t)]
            if not shaped:
                sec.drop("Croatian form is not made of words", example)
                continue
            known = [t for t in shaped if target_is_known(sources, t)]
            if not known:
                sec.drop("Croatian form unknown to hunspell-hr", example)
                continue
            if len(set(known)) > 1:
                sec.drop("several Croatian forms for one analysis", example)
                continue
            _add_target(targets, source, known[0], analysis)
    return _resolve(targets, sec, sources.serbian.readings)


CASE_ORDER = ["nom", "acc", "gen", "dat", "loc", "ins", "voc"]


def _reading_rank(analysis):
    """Singular before plural, then nominative, accusative, genitive ...; the
    vocative, rare in running text, after all other readings (peškire is
    far more often the accusative plural ručnike than the vocative ručniče)."""
    tags = re.findall(r"<([a-z0-9]+)>", analysis)
    number = 1 if "pl" in tags else 0
    case = min((CASE_ORDER.index(t) for t in tags if t in CASE_ORDER), default=len(CASE_ORDER))
    vocative = 1 if case == CASE_ORDER.index("voc") else 0
    if "ma" in tags and CASE_ORDER[case] == "acc":
        # an animate masculine's accusative is its genitive form, and read
        # as the genitive far more often (foldera: mape, not mapu)
        case = CASE_ORDER.index("gen") + 0.5
    return vocative * 100 + number * 10 + case


def choose_target(choices, votes=None):
    """One target for a Serbian form whose readings want several: when all
    readings are cells of one lemma (Serbian syncretism, as in meseca: genitive
    singular and plural) the most basic reading wins; otherwise None. For an
    adjective the target most readings want comes first: the vote outweighs
    a slip of the Croatian generator in one cell (advokatske: five readings
    want odvjetničke, the feminine genitive singular alone odvjetničko). A
    noun gets no vote: a Serbian feminine in -a has more plural cells than
    genitive singular ones (vasione), yet the genitive is the usual reading."""
    if len(choices) == 1:
        return next(iter(choices))
    if len({lemma_of(a) for a in choices.values()}) != 1:
        return None
    if not all(re.search(r"<(%s)>" % "|".join(CASE_ORDER), a) for a in choices.values()):
        return None
    if not votes or not all("<adj>" in a for a in choices.values()):
        votes = {}

    def key(item):
        return (-votes.get(item[0], 1), _reading_rank(item[1]))
    ranked = sorted(choices.items(), key=lambda item: (key(item), item[0]))
    if key(ranked[0]) == key(ranked[1]):
        return None
    return ranked[0][0]


def _add_target(targets, source, target, analysis):
    """Records one reading of source that wants target: {target: [analyses]}."""
    targets.setdefault(source, {}).setdefault(target, []).append(analysis)


def _only_vocative(readings, serbian_readings, source):
    """Every reading that wants a target is a vocative, while the Serbian form
    has other readings too (uranijume: a vocative singular that the Croatian
    generator writes uraniju, but mostly the accusative plural)."""
    wanted = [a for analyses in readings.values() for a in analyses]
    return (all("<voc>" in a for a in wanted)
            and any("<voc>" not in a for a in serbian_readings.get(source, ())))


def _resolve(targets, sec, serbian_readings=None):
    """Keeps the sources that have one target, or one by choose_target."""
    pairs = {}
    for source, readings in targets.items():
        if serbian_readings is not None and _only_vocative(readings, serbian_readings, source):
            sec.drop("only a vocative reading wants a target",
                     source + " -> " + " | ".join(sorted(readings)))
            continue
        choices = {t: analyses[0] for t, analyses in readings.items()}
        target = choose_target(choices, {t: len(a) for t, a in readings.items()})
        if target is not None:
            pairs[source] = target
            if len(choices) > 1:
                sec.drop("several forms of one lemma: most basic reading kept",
                         source + " -> " + " | ".join(sorted(choices)) + f" (kept {target})",
                         pairs=len(choices) - 1)
        else:
            sec.drop("several Croatian forms for one Serbian form",
                     source + " -> " + " | ".join(sorted(choices)), pairs=len(choices))
    sec.kept(len(pairs), [f"{s} -> {t}" for s, t in sorted(pairs.items())])
    return pairs


def read_lexical_pairs(path):
    """Yields (Serbian lemma, Croatian lemma, marks, line number)."""
    for number, line in listed_lines(path):
        fields = line.split()
        if len(fields) < 2:
            raise ValueError(f"{path}:{number}: want two lemmas: {line}")
        yield fields[0], fields[1].replace("_", " "), set(fields[2:]), number


def _paired_forms(sources, serbian_lemma, croatian_lemma):
    """(Serbian form, [Croatian forms], analysis) for the tags both lemmas share;
    a noun's own gender may differ between the two lemmas."""
    sr = sources.serbian.forms_by_tags(serbian_lemma)
    hr = sources.croatian.forms_by_tags(croatian_lemma)
    hr_loose = {NOUN_GENDER_RE.sub(r"<\1>", t): f for t, f in hr.items()}
    for tags, forms in sr.items():
        match = hr.get(tags) or hr_loose.get(NOUN_GENDER_RE.sub(r"<\1>", tags))
        if match:
            for form in forms:
                yield form, match, serbian_lemma + tags


def lexical_pairs(sources, entries, report, name="lexical",
                  title="curated lexical pairs (tools/lexical_pairs.txt)"):
    """An exact-form entry ("=") decides its form: the inflected forms of
    other entries do not compete with it (ceo cijeli = against the generator's
    cijel)."""
    sec = report.section(name, title)
    targets = {}
    exact = {s.lower() for s, _, marks, _ in entries if "=" in marks}
    for serbian_lemma, croatian_lemma, marks, _ in entries:
        if "=" in marks:
            candidates = [(serbian_lemma, [croatian_lemma], serbian_lemma)]
        else:
            candidates = [c for c in _paired_forms(sources, serbian_lemma, croatian_lemma)
                          if c[0].lower() not in exact]
            if not candidates:
                sec.drop("lemma unknown to the generators; base form only",
                         f"{serbian_lemma} -> {croatian_lemma}")
                candidates = [(serbian_lemma, [croatian_lemma], serbian_lemma)]
        for form, croatian_forms, analysis in candidates:
            _add_lexical(sources, sec, targets, form, croatian_forms, analysis,
                         (serbian_lemma, croatian_lemma), marks)
    return _resolve(targets, sec, sources.serbian.readings)


def _common_ending(a, b):
    n = 0
    while n < min(len(a), len(b)) and a[-1 - n] == b[-1 - n]:
        n += 1
    return n


def closest_target(source, known):
    """Of several Croatian forms for one cell, the one whose ending is closest
    to the Serbian form's (tačaka: točaka, not točka); the first on a tie."""
    return max(known, key=lambda t: (_common_ending(source, t), -known.index(t)))


def _add_lexical(sources, sec, targets, form, croatian_forms, analysis, lemma_pair, marks):
    screened = _screen(sec, form, croatian_forms, analysis)
    if screened is None:
        return
    source, example = screened
    serbian_lemma, croatian_lemma = lemma_pair
    lemmas = {serbian_lemma, croatian_lemma}
    keep = "!" in marks
    if "=" not in marks and source in sources.croatian_forms_of(croatian_lemma):
        # projektu, kvaliteta, planeta: already a form of the Croatian word
        sec.drop("Serbian form is a form of the Croatian lemma", example)
        return
    if "=" not in marks and sources.is_name(source):
        sec.drop("Serbian form is also a name (Maja, Marta)", example)
        return
    known = [t for t in croatian_forms if TARGET_RE.match(t) and target_is_known(sources, t)]
    target = closest_target(source, known) if known else None
    # Readings of the Serbian form that belong to another lemma and that the
    # Croatian generator writes as another word. A reading that leads to the
    # same Croatian word (belo: adjective and adverb, both bijelo) or that
    # only the Serbian generator knows (its ekavian lemma bel) is no rival.
    other = [a for a in sources.serbian.readings.get(source, ())
             if lemma_of(a) not in lemmas
             and not lemmas & sources.serbian_forms_of(lemma_of(a))
             and sources.croatian.by_analysis.get(a)
             and target not in sources.croatian.by_analysis[a]]
    if sources.is_croatian_word(source) and (not keep or other):
        sec.drop("Serbian form is also a Croatian word", example)
        return
    if target is None:
        sec.drop("Croatian form unknown to hunspell-hr", example)
        return
    clash = [a for a in other
             if any(f != target and sources.is_croatian_word(f)
                    for f in sources.croatian.by_analysis.get(a, ()))]
    if clash:
        sec.drop("another Serbian reading wants another Croatian form",
                 f"{example}; also {clash[0]}")
        return
    _add_target(targets, source, target, analysis)


DERIVED_ENDINGS = (("fikovati", "ficirati"), ("izovati", "izirati"), ("isati", "irati"),
                   ("ovati", "irati"))


def derived_verb_entries(sources):
    """Serbian verbs in -ovati/-isati whose -irati form is the Croatian verb:
    the Serbian infinitive must be unknown to hunspell-hr, the Croatian one
    known to it and to the Croatian generator as a verb."""
    for lemma, analyses in sorted(sources.serbian.by_lemma.items()):
        if not any(tags_of(a).startswith("<vblex>") for a in analyses):
            continue
        for old, new in DERIVED_ENDINGS:
            if lemma.endswith(old) and len(lemma) - len(old) >= 4:
                croatian = lemma[: -len(old)] + new
                if (not sources.is_croatian_word(lemma)
                        and sources.is_croatian_word(croatian)
                        and croatian in sources.croatian.by_lemma):
                    yield lemma, croatian, set(), 0
                break


# Regular Serbian -> Croatian lemma correspondences: (Serbian ending or
# prefix, Croatian one, part of speech of the Serbian lemma).
CORRESPONDENCES = (("ijum", "ij", "<n>"),          # kriterijum -> kriterij
                   ("ijumski", "ijski", "<adj>"),  # aluminijumski -> aluminijski
                   ("lac", "telj", "<n>"),         # posetilac -> posjetitelj
                   ("enat", "ent", "<n>"),         # dokumenat -> dokument
                   ("ekat", "ekt", "<n>"),         # dijalekat -> dijalekt
                   ("evro", "euro", None))         # evropski -> europski


def correspondence_entries(sources, ijekavian_candidates):
    """Serbian lemmas that a regular correspondence turns into a lemma of the
    Croatian generator and of hunspell-hr (read ijekavian where need be); the
    Serbian lemma must be no Croatian word, and only one Croatian lemma fit."""
    for lemma, analyses in sorted(sources.serbian.by_lemma.items()):
        for old, new, part in CORRESPONDENCES:
            if part is None:
                if not lemma.startswith(old):
                    continue
                croatian = new + lemma[len(old):]
            else:
                if not lemma.endswith(old) or not any(tags_of(a).startswith(part)
                                                      for a in analyses):
                    continue
                croatian = lemma[: -len(old)] + new
            fits = [c for c in {croatian} | ijekavian_candidates(croatian)
                    if c in sources.croatian.by_lemma and sources.is_croatian_word(c)]
            if len(fits) == 1 and not sources.is_croatian_word(lemma):
                yield lemma, fits[0], set(), 0
