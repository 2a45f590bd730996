#!/usr/bin/env python3
"""Builds Lorvan's three dictionaries and the modal rule's table in data/ from
Debian's Serbo-Croatian generators (apertium-hbs-eng), the Croatian and Serbian
hunspell dictionaries (hunspell-hr, hunspell-sr) and the curated lists in
tools/ (lexical_pairs.txt, yat_exceptions.txt, english_homographs.txt,
phrases.txt, names.txt, modal_verbs.txt).

    nice -n 10 python3 tools/build_dictionary.py

writes data/1_rjecnik.txt, data/2_fraze.txt, data/3_imena.txt,
data/4_modalni.txt and prints a
report of what each filter removed (also saved as tools/build_report.txt).
Needs: lttoolbox-dev (lt-print), apertium-hbs-eng, hunspell-hr, hunspell-sr,
wamerican and wbritish.
"""

import argparse
import os
import pickle
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dictbuild import checks, files, jotation, modal, names, phrases, words, yat  # noqa: E402
from dictbuild.report import Report  # noqa: E402
from dictbuild.sources import load_sources  # noqa: E402

TOOLS = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(TOOLS)

WORD_HEADER = [
    "Lorvan word pairs, Serbian -> Croatian. Built by tools/build_dictionary.py; do not edit.",
    "Sources: tools/lexical_pairs.txt, apertium-hbs-eng (GPL-3.0), hunspell-hr, hunspell-sr;"
    " see data/README.md.",
    "",
]


def merge(report, *layers):
    """Earlier layers win; a later pair for the same source is reported."""
    merged = {}
    sec = report.section("merge", "merging the layers (earlier wins)")
    for pairs in layers:
        for source, target in pairs.items():
            sec.seen(source)
            if source not in merged:
                merged[source] = target
            elif merged[source] != target:
                sec.drop("source already has another target",
                         f"{source} -> {target} (kept {merged[source]})")
    sec.kept(len(merged), [f"{s} -> {t}" for s, t in sorted(merged.items())])
    return merged


SECTION_TITLES = ["curated lexical pairs (tools/lexical_pairs.txt)",
                  "computing and interface terms (tools/computing_terms.txt)",
                  "derived -ovati/-isati -> -irati verbs",
                  "regular correspondences (-ijum/-ij, -lac/-telj, -enat/-ent, evro-/euro-)",
                  "Serbian and Croatian generator forms (apertium-hbs-eng)",
                  "ekavian -> ijekavian forms (hunspell-sr, hunspell-hr)",
                  "šć -> št forms (hunspell-sr, hunspell-hr)"]


def word_lines(pairs, layers):
    """The word file: one section per layer, headed by a "== title" note line,
    each pair under the first layer that gave its source."""
    lines = list(WORD_HEADER)
    placed = set()
    for title, layer in zip(SECTION_TITLES, layers):
        lines.append("== " + title)
        for source in sorted(layer):
            if source not in placed and pairs.get(source) == layer[source]:
                placed.add(source)
                lines.append(f"{source}\t{pairs[source]}")
    return lines


def screen(report, pairs):
    """The checks every word pair passes, whichever layer gave it."""
    sec = report.section("screen", "checks on all word pairs")
    kept_homographs = checks.read_word_list(os.path.join(TOOLS, "english_homographs.txt"))
    pairs = checks.drop_english(pairs, checks.english_words(), kept_homographs, sec)
    return checks.drop_chained(pairs, sec)


def check_buckets(pairs, report):
    counts = {}
    for source in pairs:
        bucket = files.bucket_of(source)
        counts[bucket] = counts.get(bucket, 0) + 1
    report.note("word pairs per letter bucket: " + ", ".join(
        f"{b} {n}" for b, n in sorted(counts.items())))
    over = [b for b, n in counts.items() if n > files.MAX_PER_BUCKET]
    if over:
        raise SystemExit(f"letter buckets over {files.MAX_PER_BUCKET} pairs: {over}")


def load(cache):
    if cache and os.path.exists(cache):
        with open(cache, "rb") as handle:
            return pickle.load(handle)
    sources = load_sources()
    if cache:
        with open(cache, "wb") as handle:
            pickle.dump(sources, handle, protocol=pickle.HIGHEST_PROTOCOL)
    return sources


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--out", default=os.path.join(ROOT, "data"))
    parser.add_argument("--report", default=os.path.join(TOOLS, "build_report.txt"))
    parser.add_argument("--cache", help="pickle of the loaded sources (for repeated runs)")
    args = parser.parse_args()

    sources = load(args.cache)
    report = Report()
    entries = list(words.read_lexical_pairs(os.path.join(TOOLS, "lexical_pairs.txt")))
    lexical = words.lexical_pairs(sources, entries, report)
    computing = words.lexical_pairs(
        sources, list(words.read_lexical_pairs(os.path.join(TOOLS, "computing_terms.txt"))),
        report, "computing", "computing and interface terms (tools/computing_terms.txt)")
    derived = words.lexical_pairs(sources, list(words.derived_verb_entries(sources)), report,
                                  "derived", "derived -ovati/-isati -> -irati verbs")
    regular = words.lexical_pairs(
        sources, list(words.correspondence_entries(sources, yat.ijekavian_candidates)), report,
        "regular", "regular correspondences (-ijum/-ij, -lac/-telj, -enat/-ent, evro-/euro-)")
    systematic = words.systematic_pairs(sources, report)
    ekavian = yat.yat_pairs(sources, os.path.join(TOOLS, "yat_exceptions.txt"), report)
    jotated = jotation.jotation_pairs(sources, report)
    layers = [lexical, computing, derived, regular, systematic, ekavian, jotated]
    pairs = merge(report, *layers)
    pairs = screen(report, pairs)
    check_buckets(pairs, report)
    files.write_lines(os.path.join(args.out, "1_rjecnik.txt"), word_lines(pairs, layers))

    phrase_lines = phrases.build(pairs, os.path.join(TOOLS, "phrases.txt"), report)
    files.write_lines(os.path.join(args.out, "2_fraze.txt"), phrase_lines)
    name_lines = names.build(sources, os.path.join(TOOLS, "names.txt"), report)
    files.write_lines(os.path.join(args.out, "3_imena.txt"), name_lines)
    modal_lines = modal.build(sources, pairs, os.path.join(TOOLS, "modal_verbs.txt"), report)
    files.write_lines(os.path.join(args.out, "4_modalni.txt"), modal_lines)

    text = report.text()
    with open(args.report, "w", encoding="utf-8") as handle:
        handle.write(text)
    print(text)


if __name__ == "__main__":
    main()
