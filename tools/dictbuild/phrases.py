"""Phrase pairs (tools/phrases.txt -> data/2_fraze.txt).

A phrase is applied to the line as the word pass left it, so every word of a
phrase source must be a word the word pass leaves alone; otherwise the
phrase could never match and is dropped. Nor may a target hold a word that
the word pairs translate (that word is Serbian by the dictionary's own
account) unless it puts back a word the word pass changed."""

import re

from .files import ENCODING

ARROW = " => "
WORD_RE = re.compile(r"[a-zčćđšžA-ZČĆĐŠŽ]+")
HEADER = [
    "Lorvan phrase pairs. Built by tools/build_dictionary.py from tools/phrases.txt.",
    "A space at either end of a source marks a word boundary.",
    "",
]


def parse_pair(text):
    """'_da li_ => je li' -> (' da li ', 'je li')."""
    source, _, target = text.partition(ARROW)
    source, target = source.strip(), target.strip()
    if source.startswith("_"):
        source = " " + source[1:]
    if source.endswith("_"):
        source = source[:-1] + " "
    return source, target


def translated_words(source, word_pairs):
    """Words of source that the word pass would already have changed."""
    return [w for w in WORD_RE.findall(source) if w.lower() in word_pairs]


def serbian_words_in_target(source, target, word_pairs):
    """Words of target that the word pairs translate, other than a word put
    back where the word pass wrote its translation into the source (neko
    dijete: the word pass wrote netko; ljudsko biće: it wrote bit će)."""
    written = " " + " ".join(WORD_RE.findall(source.lower())) + " "
    return [w for w in translated_words(target, word_pairs)
            if f" {word_pairs[w.lower()]} " not in written]


MODALS = {  # Croatian present of the modal, person by person
    "moći": ["mogu", "možeš", "može", "možemo", "možete", "mogu"],
    "morati": ["moram", "moraš", "mora", "moramo", "morate", "moraju"],
    "htjeti": ["hoću", "hoćeš", "hoće", "hoćemo", "hoćete", "hoće"],
    "željeti": ["želim", "želiš", "želi", "želimo", "želite", "žele"],
    "voljeti": ["volim", "voliš", "voli", "volimo", "volite", "vole"],
    "smjeti": ["smijem", "smiješ", "smije", "smijemo", "smijete", "smiju"],
}
TREBATI = ["trebam", "trebaš", "treba", "trebamo", "trebate", "trebaju"]
PERSONS = ["<p1><sg>", "<p2><sg>", "<p3><sg>", "<p1><pl>", "<p2><pl>", "<p3><pl>"]


def read_verbs(path):
    with open(path, encoding="utf-8") as handle:
        return [w for line in handle if not line.startswith("#") for w in line.split()]


def present_forms(sources, lemma, person):
    """Serbian present forms of a lemma in one person."""
    forms = set()
    for analysis in sources.serbian.by_lemma.get(lemma, ()):
        if "<pres>" + person in analysis and "<vblex>" in analysis:
            forms.update(f.lower() for f in sources.serbian.by_analysis[analysis])
    return sorted(forms)


def infinitive(sources, lemma):
    for analysis in sources.croatian.by_lemma.get(lemma, ()):
        if analysis.endswith("<inf>") and "<vblex>" in analysis:
            forms = sources.croatian.by_analysis[analysis]
            if forms and sources.is_croatian_word(forms[0]):
                return forms[0]
    return None


def modal_groups(sources, word_pairs, verbs, sec):
    """Readable lines of the generated groups: one group per modal form."""
    groups = {}
    for verb in verbs:
        target = infinitive(sources, verb)
        if target is None:
            sec.drop("verb without a Croatian infinitive", verb)
            continue
        # The generators share one lemma list: a Serbian verb (sačekati) gets
        # an "infinitive" that the word pairs translate (pričekati).
        target = word_pairs.get(target, target)
        for index, person in enumerate(PERSONS):
            for form in present_forms(sources, verb, person):
                after_words = word_pairs.get(form, form)
                if " " in after_words:
                    continue
                for modal in MODALS.values():
                    key = modal[index] + " da"
                    groups.setdefault(key, []).append(
                        f"_{key} {after_words}_ => {modal[index]} {target}")
                groups.setdefault("treba da", []).append(
                    f"_treba da {after_words}_ => {TREBATI[index]} {target}")
    lines = []
    for key in sorted(groups):
        lines.append("#" + key)
        lines.extend(dict.fromkeys(groups[key]))
        lines.append("---")
    return lines


def convert(lines, word_pairs, sec):
    """Turns the readable list into file lines; reports unusable pairs."""
    out = list(HEADER)
    open_groups = []
    for number, line in enumerate(lines, 1):
        line = line.rstrip("\n")
        if not line.strip() or line.startswith(";"):
            continue
        if line.startswith("#"):
            open_groups.append("#" if not line.startswith("##") else "##")
            out.append(line)
        elif line in ("---", "="):
            want = "#" if line == "---" else "##"
            if not open_groups or open_groups[-1] != want:
                raise ValueError(f"phrases.txt:{number}: '{line}' closes no open group")
            open_groups.pop()
            out.append(line)
        elif line.startswith("@"):
            raise ValueError(f"phrases.txt:{number}: unexpanded {line}")
        elif ARROW in line:
            source, target = parse_pair(line)
            example = f"'{source}' -> '{target}'  (phrases.txt:{number})"
            sec.seen(example)
            changed = translated_words(source, word_pairs)
            serbian_in_target = serbian_words_in_target(source, target, word_pairs)
            if not source.strip() or "\t" in source + target:
                sec.drop("empty source or TAB", example)
            elif changed:
                sec.drop("word pass changes " + ", ".join(changed) + " first", example)
            elif serbian_in_target:
                sec.drop("target holds a form the word pairs replace", example)
            else:
                source.encode(ENCODING), target.encode(ENCODING)
                out.append(f"{source}\t{target}")
        else:
            raise ValueError(f"phrases.txt:{number}: not a pair, group line or note: {line}")
    if open_groups:
        raise ValueError("phrases.txt: a group is not closed")
    return out


def build(sources, word_pairs, path, verbs_path, report):
    sec = report.section("phrases", "phrases (tools/phrases.txt, tools/modal_verbs.txt)")
    with open(path, encoding="utf-8") as handle:
        lines = []
        for line in handle:
            if line.strip() == "@modal":
                lines.extend(modal_groups(sources, word_pairs, read_verbs(verbs_path), sec))
            else:
                lines.append(line)
        out = convert(lines, word_pairs, sec)
    pairs = [line for line in out if "\t" in line]
    sec.kept(len(pairs), [p.replace("\t", " -> ") for p in pairs])
    return out
