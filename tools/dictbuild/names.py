"""Name pairs (tools/names.txt -> data/3_imena.txt).

The name pass replaces every occurrence written in mixed case, also inside a
longer word, so a name is only safe when no common word starts with it: a
capitalised common word (at the start of a sentence) would be rewritten too.
Three kinds of word that start with a name are no danger: the name's own
forms (hunspell-hr lists Njujork, Njujorku as names), names in the Serbian
generator, and adjectives made from the name (vašingtonski, šekspirovski:
Croatian writes washingtonski, shakespeareovski). A name in -o or -a also
gets its case forms (Čikagu: Chicagu), which its bare form does not start.
When some other common word starts with a name ending in a consonant, its
case forms (Kanom, Kanu, Kana) are listed instead of the name, each kept only
if no common word starts with it. The same holds for the other names and
capitalised words of hunspell-hr and hunspell-sr: Igo starts Igor, Pjer starts
Pjerović, and the pass would write Hugor and Pierreović; only the name's own
forms, its possessive and the words for its people (Vašingtonac, Njujorker)
may start with it, and a surname made from it with -son or -s (Majklson,
Ričards), which the pass writes in its original spelling."""

import bisect
import re

from .files import ENCODING, listed_lines

HEADER = [
    "Lorvan name pairs: Serbian spelling -> original spelling. Built by tools/build_dictionary.py.",
    "Longer names come first so that Dzoni is seen before Dzon.",
    "",
]


def read_names(path):
    """Yields (source, target, line number) from the readable name list."""
    for number, line in listed_lines(path):
        source, sep, target = line.partition(" = ")
        if not sep:
            raise ValueError(f"{path}:{number}: want 'Serbian = original': {line}")
        yield source.strip(), target.strip(), number


def is_mixed_case(text):
    return text != text.lower() and text != text.upper()


def common_words(sources):
    """Sorted lower-case common words: hunspell-hr's words in small letters
    and the Serbian generator's forms that are not only names."""
    words = set(getattr(sources, "hunspell_common", sources.hunspell))
    for form, analyses in sources.serbian.readings.items():
        if any("<np>" not in a for a in analyses):
            words.add(form)
    return sorted(words)


ADJECTIVE_SUFFIX_RE = re.compile("^(ov|ev|ijan)?[sšč]k")
CONSONANT_END_RE = re.compile("[bcčćdđfghjklmnprsštvzž]$")
CASE_ENDINGS = ("om", "u", "a")  # instrumental, dative/locative, genitive/accusative


# A surname made from a first name with -son or -s (Majklson, Ričards): the
# name pass writes Michaelson and Richards, the original spelling, so such a
# word is no clash for a name of at least four letters that ends in a
# consonant, as its original does (Volter is Voltaire, but Volters Walters).
SURNAME_RE = re.compile("^(son|s)(ov|ev|in)?"
                        "(a|e|i|o|u|om|em|ima|ama|ih|im|oj|og|oga|ome|omu)?$")


def is_surname_of(word, key, original):
    return (original is not None and len(key) >= 4
            and CONSONANT_END_RE.search(key) is not None
            and CONSONANT_END_RE.search(original.lower()) is not None
            and SURNAME_RE.match(word[len(key):]) is not None)


def clashing_words(words, source, original=None):
    """Common words that start with source, other than adjectives made from it
    and, when its original spelling is given, surnames made from it."""
    key = source.lower()
    i = bisect.bisect_left(words, key)
    found = []
    while i < len(words) and words[i].startswith(key):
        if not (ADJECTIVE_SUFFIX_RE.match(words[i][len(key):])
                or is_surname_of(words[i], key, original)):
            found.append(words[i])
        i += 1
    return found


def starts_common_word(words, source):
    return bool(clashing_words(words, source))


# What may follow a name (a vowel-final name: its stem) inside one of its
# own forms: a case ending, a possessive adjective (Pjerov, Marijin) and a
# word for its people (Vašingtonac, Njujorker), each with its endings.
NAME_ENDING_RE = re.compile(
    "^(ac|c|č|k|ak|an|anin|ank|jan|janin|jank|ljan|ljanin|ljank|er|ijan|ijanac|ijac|ijc"
    "|ovac|ovc|ovk|j)?"
    "(ov|ev|in)?(a|e|i|o|u|om|em|ju|ama|ima|ih|im|oj|og|oga|ome|omu)?$")
VOWELS = "aeiou"


def clashing_names(name_words, source, listed=(), original=None):
    """Names and other capitalised words of the spelling lists that start with
    source and are not its own forms: Igo starts Igor, Pjer starts Pjerović,
    and the name pass, which also matches inside a word, would write Hugor
    and Pierreović. A word that starts with a longer name of the list itself
    (Džonson before Džon) is no clash: that name is applied first."""
    key = source.lower()
    longer = [n for n in listed if len(n) > len(key) and n.startswith(key)]
    stem = key[:-1] if key[-1:] in VOWELS else key
    i = bisect.bisect_left(name_words, key)
    found = []
    while i < len(name_words) and name_words[i].startswith(key):
        word = name_words[i]
        if not (NAME_ENDING_RE.match(word[len(key):]) or NAME_ENDING_RE.match(word[len(stem):])
                or ADJECTIVE_SUFFIX_RE.match(word[len(key):])
                or is_surname_of(word, key, original)
                or any(word.startswith(n) for n in longer)):
            found.append(word)
        i += 1
    return found


def case_forms(words, source, target):
    """(form, target form) for the case forms of a name that no common word
    starts with: a consonant-final name adds the ending (Kanu: Cannesu); a
    name in -o or -a whose original ends alike swaps the vowel for it
    (Čikagu: Chicagu, Džoani: Joanni)."""
    if CONSONANT_END_RE.search(source):
        pairs = [(source + ending, target + ending) for ending in CASE_ENDINGS]
    elif source.endswith("o") and target.endswith("o"):
        pairs = [(source[:-1] + e, target[:-1] + e) for e in ("om", "u", "a")]
    elif source.endswith("a") and target.endswith("a") and not target.endswith("ia"):
        pairs = [(source[:-1] + e, target[:-1] + e) for e in ("om", "u", "e", "i")]
    else:
        pairs = []
    return [(form, target_form) for form, target_form in pairs
            if not starts_common_word(words, form)]


def encodable(text):
    try:
        text.encode(ENCODING)
        return True
    except UnicodeEncodeError:
        return False


def select(entries, words, sec, name_words=()):
    chosen = {}
    entries = list(entries)
    listed = {source.lower() for source, _, _ in entries}
    name_words = sorted(name_words)
    for source, target, number in entries:
        example = f"{source} -> {target}  (names.txt:{number})"
        sec.seen(example)
        if source == target:
            sec.drop("same spelling in both", example)
        elif not (encodable(source) and encodable(target)) or "\t" in source + target:
            sec.drop("not writable in Windows-1250", example)
        elif not is_mixed_case(source):
            sec.drop("source not in mixed case (never replaced)", example)
        elif source in chosen and chosen[source] != target:
            sec.drop("source listed twice with another target", example)
        elif (clashing_words(words, source, target)
              or clashing_names(name_words, source, listed, target)):
            clash = (clashing_words(words, source, target)
                     + clashing_names(name_words, source, listed, target))[:3]
            forms = [(f, t) for f, t in case_forms(words, source, target)
                     if not clashing_names(name_words, f, listed)]
            if forms:
                sec.drop("another word starts with the source; case forms listed instead",
                         f"{example}: {', '.join(clash)}; kept {', '.join(f for f, _ in forms)}")
                for form, target_form in forms:
                    chosen.setdefault(form, target_form)
            else:
                sec.drop("another word starts with the source",
                         f"{example}: {', '.join(clash)}")
        else:
            chosen.setdefault(source, target)
            if not CONSONANT_END_RE.search(source):
                for form, target_form in case_forms(words, source, target):
                    if not clashing_names(name_words, form, listed):
                        chosen.setdefault(form, target_form)
    return chosen


def build(sources, path, report):
    sec = report.section("names", "names (tools/names.txt)")
    chosen = select(read_names(path), common_words(sources), sec,
                    getattr(sources, "name_forms", ()))
    ordered = sorted(chosen.items(), key=lambda item: -len(item[0]))
    sec.kept(len(ordered), [f"{s} -> {t}" for s, t in ordered])
    return HEADER + [f"{s}\t{t}" for s, t in ordered]
