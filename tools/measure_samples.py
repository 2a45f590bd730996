#!/usr/bin/env python3
"""Measures how close the translator's output comes to hand-checked Croatian.

    python3 tools/measure_samples.py [--cli build/lorvan-cli] [--misses]
    python3 tools/measure_samples.py --gettext [--cli build/lorvan-cli]

Runs the built lorvan-cli on every file of tests/samples/input (file mode,
default options; --cyrillic for a file written in Cyrillic letters) and
compares its output with the file of the same name in tests/samples/expected.

Word accuracy: the share of the expected words that the output reproduces, in
order. Both texts are cut into words (runs of letters; digits, punctuation
and, in web pages, the HTML tags are left out), the two word sequences are
aligned by a longest common subsequence, and the accuracy is the number of
aligned, exactly equal words (letter case counts) divided by the number of
expected words. The word error rate (word-level edit distance: substitutions,
insertions and deletions, divided by the number of expected words) is printed
beside it. The same figures are given for the untranslated input (for the
Cyrillic sample: its Latin transliteration by the translator's --convert).

--gettext measures on the system's gettext catalogues instead: for every
domain with a Croatian catalogue (/usr/share/locale/hr) and a Serbian one
(sr@latin, else sr in Cyrillic, transliterated with --convert), the msgstr of
the same msgid are paired, the Serbian ones translated, and the same figures
reported per domain. The catalogues are a yardstick only: nothing in the
dictionaries is built or tuned from them.

Encodings: the Latin inputs and all expected files are UTF-8. The translator
writes Windows-1250 for Latin input (UTF-8 letters other than the Croatian
ones pass through unchanged) and UTF-8 with --cyrillic; the output is decoded
accordingly before the comparison.
"""

import argparse
import gettext
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SAMPLES = os.path.join(ROOT, "tests", "samples")
LOCALE = "/usr/share/locale"

WORD_RE = re.compile(r"[^\W\d_]+")
TAG_RE = re.compile(r"<[^>]*>")
CYRILLIC_RE = re.compile("[\u0400-\u04ff]")
HTML_EXTENSIONS = (".htm", ".html")


# ---------------------------------------------------------------- the metric

def words(text, html=False):
    """The words of a text: runs of letters, HTML tags removed when asked."""
    if html:
        text = TAG_RE.sub(" ", text)
    return WORD_RE.findall(text)


def matched_words(produced, expected):
    """Number of words in a longest common subsequence of the two lists."""
    if not produced or not expected:
        return 0
    previous = [0] * (len(expected) + 1)
    for word in produced:
        current = [0]
        for j, wanted in enumerate(expected):
            if word == wanted:
                current.append(previous[j] + 1)
            else:
                current.append(max(previous[j + 1], current[j]))
        previous = current
    return previous[-1]


def edit_distance(produced, expected):
    """Word-level Levenshtein distance (substitution, insertion, deletion: 1)."""
    previous = list(range(len(expected) + 1))
    for i, word in enumerate(produced, 1):
        current = [i]
        for j, wanted in enumerate(expected, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1,
                               previous[j - 1] + (word != wanted)))
        previous = current
    return previous[-1]


class Score:
    """Sums over several comparisons: expected words, matched words, edits."""

    def __init__(self):
        self.expected = self.matched = self.edits = 0

    def add(self, produced, expected):
        self.expected += len(expected)
        self.matched += matched_words(produced, expected)
        self.edits += edit_distance(produced, expected)

    def merge(self, other):
        self.expected += other.expected
        self.matched += other.matched
        self.edits += other.edits

    @property
    def accuracy(self):
        return self.matched / self.expected if self.expected else 1.0

    @property
    def error_rate(self):
        return self.edits / self.expected if self.expected else 0.0


def missed_words(produced, expected):
    """Pairs (expected word, what the output has there) where they differ,
    from a word-level edit-distance alignment."""
    n, m = len(produced), len(expected)
    table = [[0] * (m + 1) for _ in range(n + 1)]
    for i in range(n + 1):
        table[i][0] = i
    for j in range(m + 1):
        table[0][j] = j
    for i in range(1, n + 1):
        for j in range(1, m + 1):
            table[i][j] = min(table[i - 1][j] + 1, table[i][j - 1] + 1,
                              table[i - 1][j - 1] + (produced[i - 1] != expected[j - 1]))
    misses = []
    i, j = n, m
    while i > 0 or j > 0:
        if i and j and table[i][j] == table[i - 1][j - 1] + (produced[i - 1] != expected[j - 1]):
            if produced[i - 1] != expected[j - 1]:
                misses.append((expected[j - 1], produced[i - 1]))
            i, j = i - 1, j - 1
        elif j and table[i][j] == table[i][j - 1] + 1:
            misses.append((expected[j - 1], ""))
            j -= 1
        else:
            misses.append(("", produced[i - 1]))
            i -= 1
    return misses[::-1]


# ------------------------------------------------------ running the translator

CP1250_CAPITALS = {0xC6, 0xC8, 0xD0}        # Ć Č Đ
CP1250_SMALL_HIGH = {0x8A, 0x8E, 0x9A, 0x9E}  # Š Ž š ž


def decode_output(data):
    """Decodes the translator's Latin output: Windows-1250 bytes, except the
    UTF-8 sequences of letters it does not convert, which pass through."""
    out = []
    i = 0
    while i < len(data):
        byte = data[i]
        length = 2 if 0xC2 <= byte <= 0xDF else 3 if 0xE0 <= byte <= 0xEF else \
            4 if 0xF0 <= byte <= 0xF4 else 0
        if length and not (length == 2 and byte in CP1250_CAPITALS
                           and i + 1 < len(data) and data[i + 1] in CP1250_SMALL_HIGH):
            try:
                out.append(data[i:i + length].decode("utf-8"))
                i += length
                continue
            except UnicodeDecodeError:
                pass
        out.append(bytes([byte]).decode("cp1250", errors="replace"))
        i += 1
    return "".join(out)


def output_name(name, suffix):
    stem, dot, extension = name.rpartition(".")
    return f"{stem}{suffix}.{extension}" if dot else name + suffix


def run_cli(cli, folder, name, options):
    command = [cli, "-q", "-C", folder] + options + [name]
    result = subprocess.run(command, capture_output=True)
    if result.returncode != 0:
        raise SystemExit(f"{' '.join(command)} failed ({result.returncode}): "
                         f"{result.stderr.decode(errors='replace').strip()}")
    suffix = "_sr" if "--convert" in options else "_hr"
    with open(os.path.join(folder, output_name(name, suffix)), "rb") as handle:
        return handle.read()


def translate_text(cli, text, name, options, cyrillic=False):
    """Writes text (UTF-8) to a scratch folder as name, runs the translator on
    it, and returns (translated text, untranslated Latin text)."""
    folder = tempfile.mkdtemp(prefix="lorvan-measure-")
    try:
        with open(os.path.join(folder, name), "wb") as handle:
            handle.write(text.encode("utf-8"))
        if cyrillic:
            translated = run_cli(cli, folder, name, options + ["--cyrillic"]).decode(
                "utf-8", errors="replace")
            latin = run_cli(cli, folder, name, ["--convert"]).decode("utf-8", errors="replace")
        else:
            translated = decode_output(run_cli(cli, folder, name, options))
            latin = text
        return translated, latin
    finally:
        shutil.rmtree(folder, ignore_errors=True)


# ------------------------------------------------------------------- samples

def measure_samples(cli, show_misses):
    input_dir = os.path.join(SAMPLES, "input")
    expected_dir = os.path.join(SAMPLES, "expected")
    rows = []
    total_out, total_in = Score(), Score()
    for name in sorted(os.listdir(input_dir)):
        with open(os.path.join(input_dir, name), encoding="utf-8", newline="") as handle:
            text = handle.read()
        with open(os.path.join(expected_dir, name), encoding="utf-8", newline="") as handle:
            expected_text = handle.read()
        html = name.lower().endswith(HTML_EXTENSIONS)
        cyrillic = bool(CYRILLIC_RE.search(text))
        translated, latin = translate_text(cli, text, name, [], cyrillic)
        expected = words(expected_text, html)
        produced = words(translated, html)
        scores = Score(), Score()
        scores[0].add(produced, expected)
        scores[1].add(words(latin, html), expected)
        total_out.merge(scores[0])
        total_in.merge(scores[1])
        rows.append((name + (" (--cyrillic)" if cyrillic else ""), scores))
        if show_misses:
            misses = missed_words(produced, expected)
            print(f"{name}: {len(misses)} differences (expected -> output)")
            for want, got in misses:
                print(f"    {want or '-'} -> {got or '-'}")
    rows.append(("all samples", (total_out, total_in)))
    print_table("sample", rows)


def print_table(title, rows):
    width = max(len(title), *(len(r[0]) for r in rows))
    print(f"{title:<{width}}  {'words':>6}  {'translated':>10} {'(WER)':>7}"
          f"  {'untranslated':>12} {'(WER)':>7}")
    for label, (out, raw) in rows:
        print(f"{label:<{width}}  {out.expected:>6}  {100 * out.accuracy:>9.1f}% "
              f"{100 * out.error_rate:>6.1f}%  {100 * raw.accuracy:>11.1f}% "
              f"{100 * raw.error_rate:>6.1f}%")
    print("word accuracy: share of the expected words reproduced in order "
          "(longest common subsequence); WER: word edit distance / expected words")


# ------------------------------------------------------------------- gettext

def catalogue(path):
    """msgid (with context and plural index) -> msgstr of one .mo file."""
    with open(path, "rb") as handle:
        translations = gettext.GNUTranslations(handle)
    return {key: value for key, value in translations._catalog.items() if key != ""}


def message_key_text(key):
    return key[0] if isinstance(key, tuple) else key


def one_line(text):
    return " ".join(text.split())


def gettext_pairs(locale_dir=LOCALE):
    """Yields (domain, Serbian folder, [(Serbian msgstr, Croatian msgstr)])."""
    croatian_dir = os.path.join(locale_dir, "hr", "LC_MESSAGES")
    if not os.path.isdir(croatian_dir):
        return
    seen = set()
    for name in sorted(os.listdir(croatian_dir)):
        if not name.endswith(".mo"):
            continue
        for serbian in ("sr@latin", "sr"):
            path = os.path.join(locale_dir, serbian, "LC_MESSAGES", name)
            if os.path.exists(path):
                break
        else:
            continue
        files = (os.path.realpath(os.path.join(croatian_dir, name)), os.path.realpath(path))
        if files in seen:
            continue  # another name of the same catalogues (iso_3166 and iso_3166-1)
        seen.add(files)
        croatian = catalogue(os.path.join(croatian_dir, name))
        pairs = []
        for key, serbian_text in catalogue(path).items():
            croatian_text = croatian.get(key)
            source = message_key_text(key).split("\x04")[-1]
            if not croatian_text or not serbian_text:
                continue
            if source in (croatian_text, serbian_text):
                continue  # an untranslated copy of the English message
            pairs.append((one_line(serbian_text), one_line(croatian_text)))
        if pairs:
            yield name[:-3], serbian, pairs


def measure_gettext(cli):
    domains = list(gettext_pairs())
    if not domains:
        print(f"no domain has both a Croatian and a Serbian catalogue under {LOCALE}")
        return
    # One file for all messages: a line per message. Tags are translated like
    # text so that a lone "<" in a message cannot hide the following lines.
    lines, cyrillic_lines = [], []
    for _, serbian, pairs in domains:
        for serbian_text, _ in pairs:
            (cyrillic_lines if serbian == "sr" else lines).append(serbian_text)
    latin_of_cyrillic = convert_lines(cli, cyrillic_lines)
    serbian_texts = iter(lines)
    converted = iter(latin_of_cyrillic)
    rows = []
    total_out, total_in = Score(), Score()
    latin_all = []
    for _, serbian, pairs in domains:
        for _ in pairs:
            latin_all.append(next(converted) if serbian == "sr" else next(serbian_texts))
    translated_all = translate_lines(cli, latin_all)
    position = 0
    for domain, serbian, pairs in domains:
        scores = Score(), Score()
        for _, croatian_text in pairs:
            expected = words(croatian_text)
            scores[0].add(words(translated_all[position]), expected)
            scores[1].add(words(latin_all[position]), expected)
            position += 1
        total_out.merge(scores[0])
        total_in.merge(scores[1])
        rows.append((f"{domain} ({serbian}, {len(pairs)} msgs)", scores))
    rows.append((f"all catalogues ({position} msgs)", (total_out, total_in)))
    print_table("gettext domain", rows)


def _lines_of(data):
    text = data.replace("\r\n", "\n")
    return text.split("\n")


def convert_lines(cli, lines):
    if not lines:
        return []
    folder = tempfile.mkdtemp(prefix="lorvan-measure-")
    try:
        with open(os.path.join(folder, "sr.txt"), "wb") as handle:
            handle.write("".join(line + "\r\n" for line in lines).encode("utf-8"))
        data = run_cli(cli, folder, "sr.txt", ["--convert"]).decode("utf-8", errors="replace")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return _checked(_lines_of(data), lines)


def translate_lines(cli, lines):
    folder = tempfile.mkdtemp(prefix="lorvan-measure-")
    try:
        with open(os.path.join(folder, "sr.txt"), "wb") as handle:
            handle.write("".join(line + "\r\n" for line in lines).encode("utf-8"))
        data = decode_output(run_cli(cli, folder, "sr.txt",
                                     ["--translate-tags", "--no-paragraphs"]))
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return _checked(_lines_of(data), lines)


def _checked(out_lines, in_lines):
    """The output lines, one per input line (trailing empty lines dropped)."""
    while len(out_lines) > len(in_lines) and out_lines[-1] == "":
        out_lines.pop()
    if len(out_lines) != len(in_lines):
        raise SystemExit(f"the translator gave {len(out_lines)} lines for {len(in_lines)}")
    return out_lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cli", default=os.path.join(ROOT, "build", "lorvan-cli"),
                        help="the built command-line translator (default: build/lorvan-cli)")
    parser.add_argument("--gettext", action="store_true",
                        help="measure on the system's gettext catalogues instead of the samples")
    parser.add_argument("--misses", action="store_true",
                        help="also list, per sample, the expected words the output misses")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    if not os.access(cli, os.X_OK):
        sys.exit(f"no translator at {cli}; build it first "
                 "(cmake --build build --target lorvan-cli) or pass --cli")
    if args.gettext:
        measure_gettext(cli)
    else:
        measure_samples(cli, args.misses)


if __name__ == "__main__":
    main()
