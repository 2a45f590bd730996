"""Checks on the merged word pairs, whichever layer gave them: a source that is
an English word, and a target that still holds a form the dictionary itself
translates."""

import os

from .files import listed_lines

ENGLISH_WORD_LISTS = ("/usr/share/dict/american-english", "/usr/share/dict/british-english")


def english_words(paths=ENGLISH_WORD_LISTS):
    """Lower-case words of the English word lists (wamerican, wbritish);
    possessives ("device's") left out."""
    found = set()
    for path in paths:
        if not os.path.exists(path):
            raise SystemExit(f"missing English word list {path} (Debian: wamerican, wbritish)")
        with open(path, encoding="utf-8", errors="replace") as handle:
            found.update(w.strip().lower() for w in handle if "'" not in w)
    return found


def read_word_list(path):
    """The first field of each line of a hand-written list."""
    return {line.split()[0].lower() for _, line in listed_lines(path)}


def drop_english(pairs, english, kept_homographs, sec):
    """Drops the pairs whose source is spelled like an English word (device,
    menu, sed): text in these files is full of English product names and
    quotations. kept_homographs lists the common Serbian words that the
    English lists happen to hold too (primer, sever, mere)."""
    out = {}
    for source, target in pairs.items():
        sec.seen(source)
        if source in english and source not in kept_homographs:
            sec.drop("source is an English word", f"{source} -> {target}")
        else:
            out[source] = target
    return out


def drop_chained(pairs, sec):
    """Drops a pair whose target holds a word that is itself the source of
    another pair: the translator replaces a word once, so such a target would
    put a form the dictionary calls Serbian into the Croatian text."""
    out = {}
    for source, target in pairs.items():
        replaced = [w for w in target.lower().split(" ")
                    if w in pairs and pairs[w] != w and w != source]
        if replaced:
            sec.drop("target holds a form the dictionary replaces",
                     f"{source} -> {target} ({replaced[0]} -> {pairs[replaced[0]]})")
        else:
            out[source] = target
    sec.kept(len(out), [f"{s} -> {t}" for s, t in sorted(out.items())])
    return out
