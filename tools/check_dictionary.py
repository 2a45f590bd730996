#!/usr/bin/env python3
"""Checks Lorvan's three dictionary files and the modal table and prints their
statistics.

    python3 tools/check_dictionary.py [DATA_DIR]

Checks: Windows-1250 bytes only (no undefined byte, no control character but
TAB), CR LF line ends everywhere, no pair line with an empty source or a
second TAB, word sources that the translator can find (one word of letters),
no source given twice with different targets unless the pair line follows a
note line "!dup", phrase groups opened and closed in order, name sources in
mixed case, and at most 32767 pairs per letter bucket and per list. The modal
table (4_modalni.txt, optional) needs a key and six fields on every pair line,
words of letters as forms, and no present form under two infinitives.
Prints the pairs per file, per letter bucket and per "== section" of the word
file, and how many sources have one, two ... pairs.
Exit status 1 on any violation, 2 when a file is missing.
"""

import collections
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from dictbuild import files  # noqa: E402  (the one letter-bucket rule)

ENCODING = "cp1250"
LIMIT = 32767
FILES = ("1_rjecnik.txt", "2_fraze.txt", "3_imena.txt")
MODAL_FILE = "4_modalni.txt"
WORD_RE = re.compile(r"^[a-zčćđšžA-ZČĆĐŠŽ]+$")
DUPLICATE_MARK = "!dup"


class Checker:
    def __init__(self):
        self.errors = []
        self.stats = []

    def error(self, name, number, text):
        self.errors.append(f"{name}:{number}: {text}")

    def read_lines(self, path):
        """Decoded lines without their CR LF; reports encoding and line ends."""
        name = os.path.basename(path)
        with open(path, "rb") as handle:
            data = handle.read()
        if data and not data.endswith(b"\r\n"):
            self.error(name, data.count(b"\n") + 1, "last line not ended by CR LF")
        raw_lines = data.split(b"\r\n")
        if raw_lines and raw_lines[-1] == b"":
            raw_lines.pop()
        lines = []
        for number, raw in enumerate(raw_lines, 1):
            if b"\r" in raw or b"\n" in raw:
                self.error(name, number, "lone CR or LF inside a line")
            try:
                text = raw.decode(ENCODING)
            except UnicodeDecodeError as problem:
                self.error(name, number, f"byte not in Windows-1250: {problem.reason}")
                text = raw.decode(ENCODING, errors="replace")
            if any(ord(c) < 32 and c != "\t" for c in text.replace("\r", "").replace("\n", "")):
                self.error(name, number, "control character")
            lines.append(text)
        return lines

    def pairs(self, name, lines):
        """Yields (line number, source, target) of the pair lines, checking each."""
        marked = False
        for number, line in enumerate(lines, 1):
            if "\t" not in line:
                marked = line.strip() == DUPLICATE_MARK
                continue
            source, _, target = line.partition("\t")
            if source == "" or source.strip() == "":
                self.error(name, number, "empty source")
            if "\t" in target:
                self.error(name, number, "second TAB: the source or target holds a TAB")
            yield number, source, target, marked
            marked = False

    def duplicates(self, name, seen, number, source, target, marked, fold=True):
        key = source.lower() if fold else source
        if key in seen and seen[key] != target and not marked:
            self.error(name, number, f"source '{source}' listed before with another target")
        seen.setdefault(key, target)

    def check_words(self, lines):
        name = FILES[0]
        buckets = collections.Counter()
        sections = collections.Counter()
        per_source = collections.Counter()
        seen = {}
        section = "(before any section)"
        for number, source, target, marked in self.pairs(name, lines):
            if not WORD_RE.match(source):
                self.error(name, number, f"source '{source}' is not one word of letters")
            self.duplicates(name, seen, number, source, target, marked)
            buckets[files.bucket_of(source)] += 1
            per_source[source.lower()] += 1
        for line in lines:
            if line.startswith("== ") and "\t" not in line:
                section = line[3:]
            elif "\t" in line:
                sections[section] += 1
        for bucket, count in buckets.items():
            if count > LIMIT:
                self.error(name, "-", f"letter bucket {bucket} holds {count} pairs (limit {LIMIT})")
        self.stats.append(f"{name}: {sum(buckets.values())} pairs")
        self.stats.append("  per letter bucket: " + ", ".join(
            f"{b} {buckets[b]}" for b in files.BUCKET_NAMES))
        for title, count in sections.items():
            self.stats.append(f"  section {title}: {count}")
        self.stats.append("  " + self.per_source_line(per_source))

    def check_phrases(self, lines):
        name = FILES[1]
        open_kinds = []
        seen = {}
        pairs = entries = 0
        per_source = collections.Counter()
        for number, line in enumerate(lines, 1):
            if "\t" in line:
                continue
            if line.startswith("##"):
                open_kinds.append(("##", number))
                entries += 1
            elif line.startswith("#"):
                if open_kinds:
                    self.error(name, number, "group opened inside another group")
                open_kinds.append(("#", number))
                entries += 1
            elif line.startswith("=") or line.startswith("---"):
                want = "##" if line.startswith("=") else "#"
                if not open_kinds or open_kinds[-1][0] != want:
                    self.error(name, number, f"'{line}' closes no open {want} group")
                else:
                    open_kinds.pop()
        for kind, number in open_kinds:
            self.error(name, number, f"{kind} group never closed")
        for number, source, target, marked in self.pairs(name, lines):
            self.duplicates(name, seen, number, source, target, marked)
            pairs += 1
            per_source[source.lower()] += 1
        if pairs + entries > LIMIT:
            self.error(name, "-", f"{pairs + entries} phrase entries (limit {LIMIT})")
        self.stats.append(f"{name}: {pairs} pairs, {entries} group headers")
        self.stats.append("  " + self.per_source_line(per_source))

    def check_names(self, lines):
        name = FILES[2]
        seen = {}
        per_source = collections.Counter()
        for number, source, target, marked in self.pairs(name, lines):
            if source in (source.lower(), source.upper()):
                self.error(name, number, f"name '{source}' not in mixed case: never replaced")
            self.duplicates(name, seen, number, source, target, marked, fold=False)
            per_source[source] += 1
        total = sum(per_source.values())
        if total > LIMIT:
            self.error(name, "-", f"{total} names (limit {LIMIT})")
        self.stats.append(f"{name}: {total} pairs")
        self.stats.append("  " + self.per_source_line(per_source))

    def check_modal(self, lines):
        name = MODAL_FILE
        infinitive_of = {}
        modal_forms = verbs = 0
        for number, line in enumerate(lines, 1):
            if "\t" not in line:
                continue
            fields = line.split("\t")
            key = fields[0]
            if len(fields) != 7:
                self.error(name, number, f"{len(fields) - 1} fields after the key (6 wanted)")
                continue
            if key != "+" and not WORD_RE.match(key.removeprefix("*")):
                self.error(name, number, f"key '{key}' is not +, *FORM or one word")
            forms = [f for field in fields[1:] for f in field.split(" ") if f not in ("", "-")]
            for form in forms:
                if not WORD_RE.match(form):
                    self.error(name, number, f"form '{form}' is not one word of letters")
            if key == "+" or key.startswith("*"):
                modal_forms += len(set(forms))
                continue
            verbs += 1
            for form in forms:
                if infinitive_of.setdefault(form.lower(), key) != key:
                    self.error(name, number, f"'{form}' listed before under "
                                             f"{infinitive_of[form.lower()]}")
        self.stats.append(f"{name}: {modal_forms} modal forms, {verbs} verbs, "
                          f"{len(infinitive_of)} present forms")

    @staticmethod
    def per_source_line(per_source):
        spread = collections.Counter(per_source.values())
        return "sources by number of pairs: " + ", ".join(
            f"{n} pair{'s' if n > 1 else ''}: {spread[n]}" for n in sorted(spread))


def check(folder):
    checker = Checker()
    handlers = (checker.check_words, checker.check_phrases, checker.check_names)
    for file_name, handler in zip(FILES, handlers):
        path = os.path.join(folder, file_name)
        if not os.path.exists(path):
            return None
        handler(checker.read_lines(path))
    modal = os.path.join(folder, MODAL_FILE)
    if os.path.exists(modal):
        checker.check_modal(checker.read_lines(modal))
    return checker


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data")
    checker = check(folder)
    if checker is None:
        print(f"check_dictionary: missing a dictionary file in {folder}", file=sys.stderr)
        return 2
    print("\n".join(checker.stats))
    for message in checker.errors[:50]:
        print("error: " + message, file=sys.stderr)
    if checker.errors:
        print(f"check_dictionary: {len(checker.errors)} violations", file=sys.stderr)
        return 1
    print("check_dictionary: all files pass")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
