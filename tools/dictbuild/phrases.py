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


def build(word_pairs, path, report):
    sec = report.section("phrases", "phrases (tools/phrases.txt)")
    with open(path, encoding="utf-8") as handle:
        out = convert(list(handle), word_pairs, sec)
    pairs = [line for line in out if "\t" in line]
    sec.kept(len(pairs), [p.replace("\t", " -> ") for p in pairs])
    return out
