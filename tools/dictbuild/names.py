"""Name pairs (tools/names.txt -> data/3_imena.txt).

The name pass replaces every occurrence written in mixed case, also inside a
longer word, so a name is only safe when no common word starts with it."""

import bisect

from .files import ENCODING

HEADER = [
    "Lorvan name pairs: Serbian spelling -> original spelling. Built by tools/build_dictionary.py.",
    "Longer names come first so that Dzoni is seen before Dzon.",
    "",
]


def read_names(path):
    """Yields (source, target, line number) from the readable name list."""
    with open(path, encoding="utf-8") as handle:
        for number, line in enumerate(handle, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            source, sep, target = line.partition(" = ")
            if not sep:
                raise ValueError(f"{path}:{number}: want 'Serbian = original': {line}")
            yield source.strip(), target.strip(), number


def is_mixed_case(text):
    return text != text.lower() and text != text.upper()


def common_words(sources):
    """Sorted lower-case common words: hunspell-hr and Serbian non-name forms."""
    words = set(sources.hunspell)
    for form, analyses in sources.serbian.readings.items():
        if any("<np>" not in a for a in analyses):
            words.add(form)
    return sorted(words)


def starts_common_word(words, source):
    key = source.lower()
    i = bisect.bisect_left(words, key)
    return i < len(words) and words[i].startswith(key)


def encodable(text):
    try:
        text.encode(ENCODING)
        return True
    except UnicodeEncodeError:
        return False


def select(entries, words, sec):
    chosen = {}
    for source, target, number in entries:
        example = f"{source} -> {target}  (names.txt:{number})"
        sec.seen(example)
        if source == target:
            sec.drop("same spelling in both", example)
        elif not (encodable(source) and encodable(target)) or "\t" in source + target:
            sec.drop("not writable in Windows-1250", example)
        elif not is_mixed_case(source):
            sec.drop("source not in mixed case (never replaced)", example)
        elif starts_common_word(words, source):
            sec.drop("a common word starts with the source", example)
        elif source in chosen and chosen[source] != target:
            sec.drop("source listed twice with another target", example)
        else:
            chosen.setdefault(source, target)
    return chosen


def build(sources, path, report):
    sec = report.section("names", "names (tools/names.txt)")
    chosen = select(read_names(path), common_words(sources), sec)
    ordered = sorted(chosen.items(), key=lambda item: -len(item[0]))
    sec.kept(len(ordered), [f"{s} -> {t}" for s, t in ordered])
    return HEADER + [f"{s}\t{t}" for s, t in ordered]
