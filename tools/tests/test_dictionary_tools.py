"""Tests of the dictionary builder's helpers and of the checker.

    python3 -m unittest discover -s tools/tests
"""

import os
import sys
import tempfile
import unittest

TOOLS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, TOOLS)

import check_dictionary  # noqa: E402
from dictbuild import checks, hunspell, jotation, names, phrases, transducer, words, yat  # noqa: E402
from dictbuild.sources import Generator, Sources  # noqa: E402
from dictbuild.report import Report  # noqa: E402


def text_file(test, text):
    """A temporary UTF-8 file holding text, removed when test ends."""
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, encoding="utf-8") as h:
        h.write(text)
    test.addCleanup(os.unlink, h.name)
    return h.name


class FakeSources:
    def __init__(self, croatian_words):
        self.hunspell = set(croatian_words)

    def is_croatian_word(self, word):
        return word.lower() in self.hunspell


class HunspellTest(unittest.TestCase):
    AFF = ("SET UTF-8\nFLAG long\nNEEDAFFIX ZZ\nFORBIDDENWORD ZN\n"
           "AF 3\nAF AAUB\nAF AAZZ\nAF ZN\n"
           "SFX AA Y 2\nSFX AA a e a\nSFX AA a u [^k]a\n"
           "PFX UB Y 1\nPFX UB 0 naj .\n")

    def expand(self, dic):
        with tempfile.TemporaryDirectory() as folder:
            aff, dic_path = os.path.join(folder, "x.aff"), os.path.join(folder, "x.dic")
            with open(aff, "w", encoding="utf-8") as h:
                h.write(self.AFF)
            with open(dic_path, "w", encoding="utf-8") as h:
                h.write(dic)
            return hunspell.expand_dictionary(aff, dic_path)

    def test_suffix_condition_prefix_cross_product(self):
        forms = self.expand("2\nžena/1\nruka/1\n")
        self.assertEqual(forms, {"žena", "žene", "ženu", "najžena", "najžene", "najženu",
                                 "ruka", "ruke", "najruka", "najruke"})

    def test_needaffix_and_forbidden(self):
        self.assertEqual(self.expand("2\nkuća/2\nloša/3\n"), {"kuće", "kuću"})


class TransducerTest(unittest.TestCase):
    DUMP = ["0\t1\tm\tm\t0", "1\t2\t<n>\tε\t0", "1\t3\t<v>\te\t0", "3\t2\tε\t@_SPACE_@\t0",
            "2\t0", "--", "0\t1\t1\t1\t0", "1\t1\t2\t2\t0", "1\t0"]

    def test_paths_and_cycles(self):
        sections = list(transducer.read_sections(self.DUMP))
        self.assertEqual(sorted(transducer.paths(*sections[0])),
                         [("m<n>", "m"), ("m<v>", "me ")])
        self.assertFalse(transducer.has_cycle(sections[0][0]))
        self.assertTrue(transducer.has_cycle(sections[1][0]))


class WordsTest(unittest.TestCase):
    def test_future_target_counts_infinitive(self):
        sources = FakeSources({"pogledati", "ćemo", "kruh"})
        self.assertTrue(words.target_is_known(sources, "pogledat ćemo"))
        self.assertFalse(words.target_is_known(sources, "pogledat"))
        self.assertFalse(words.target_is_known(sources, "organizovat ćemo"))

    def test_source_problems(self):
        self.assertIsNone(words.source_problem("mleko"))
        self.assertIsNotNone(words.source_problem("iseći ćeš"))
        self.assertIsNotNone(words.source_problem("tursko-nemački"))
        self.assertIsNotNone(words.source_problem("Da"))

    def test_choose_target(self):
        rows = [  # a syncretic cell of one noun; a vocative singular yields to the plural;
                  # two lemmas, or two tenses of one verb, stay ambiguous
            ({"mjeseca": "mjesec<n><mi><sg><gen>", "mjeseci": "mjesec<n><mi><pl><gen>"}, "mjeseca"),
            ({"ručniče": "ručnik<n><mi><sg><voc>", "ručnike": "ručnik<n><mi><pl><acc>"}, "ručnike"),
            ({"sjedim": "sjediti<vblex><pres><p1><sg>",
              "sijedim": "sijediti<vblex><pres><p1><sg>"}, None),
            ({"a": "x<vblex><aor><p3><sg>", "b": "x<vblex><pres><p3><sg>"}, None)]
        for choices, expected in rows:
            with self.subTest(expected):
                self.assertEqual(words.choose_target(choices), expected)


class LexicalChecksTest(unittest.TestCase):
    """Forms of a curated lemma pair that must not become pairs."""
    SERBIAN = [("projekat<n><mi><sg><nom>", "projekat"), ("projekat<n><mi><sg><voc>", "projektu"),
               ("maj<n><mi><sg><nom>", "maj"), ("maj<n><mi><sg><gen>", "maja"),
               ("tačka<n><f><pl><gen>", "tačaka")]
    CROATIAN = [("projekt<n><mi><sg><nom>", "projekt"), ("projekt<n><mi><sg><voc>", "projekte"),
                ("projekt<n><mi><sg><dat>", "projektu"), ("svibanj<n><mi><sg><nom>", "svibanj"),
                ("svibanj<n><mi><sg><gen>", "svibnja"),
                ("točka<n><f><pl><gen>", "točka"), ("točka<n><f><pl><gen>", "točaka")]

    def test_forms_kept_and_dropped(self):
        sources = Sources(Generator(self.SERBIAN), Generator(self.CROATIAN),
                          ["projekt", "projekte", "projektu", "svibanj", "svibnja", "maja",
                           "točka", "točaka"], names=["Maja"])
        entries = [("projekat", "projekt", {"!"}, 1), ("maj", "svibanj", {"!"}, 2),
                   ("tačka", "točka", {"!"}, 3), ("maj", "svibanj", {"="}, 4)]
        pairs = words.lexical_pairs(sources, entries, Report())
        # projektu is already Croatian (dative of projekt), maja is also a name
        # (kept only by an exact entry), tačaka takes the Croatian form with its ending
        self.assertEqual(pairs, {"projekat": "projekt", "maj": "svibanj", "tačaka": "točaka"})


class YatTest(unittest.TestCase):
    SERBIAN = ["vreme", "vrijeme", "uspeo", "uspio", "sela", "sjela", "delu", "dijelu", "djelu",
               "uredovane", "uredovanje", "promene", "promjene", "promijene", "Keva", "kevu",
               "kijevu"]
    CROATIAN = ["vrijeme", "uspeo", "uspio", "sela", "sjela", "dijelu", "djelu", "uredovanje",
                "promjene", "promijene", "Kijevu"]

    def test_pairs(self):
        sources = Sources(Generator([]), Generator([]), self.CROATIAN, self.SERBIAN)
        sources.name_forms.add("kevu")
        pairs = yat.yat_pairs(sources, text_file(self, "# note\nuspeo\npromene promjene\n"),
                              Report())
        # sela is Croatian, delu has two readings, uredovane ends in its ending,
        # kevu is a name's form and Kijevu no common word
        self.assertEqual(pairs, {"vreme": "vrijeme", "uspeo": "uspio", "promene": "promjene"})


class JotationTest(unittest.TestCase):
    def test_pairs(self):
        serbian = ["korišćenje", "iskorišćen", "očišćen", "šćućuren", "pašćete"]
        croatian = ["korištenje", "iskorišten", "očišćen", "očišten", "paštete"]
        pairs = jotation.jotation_pairs(Sources(Generator([]), Generator([]), croatian, serbian),
                                        Report())
        # očišćen is Croatian too; šćućuren has no Croatian št form; pašćete is
        # a future (past ćete), not a form of a -stiti verb
        self.assertEqual(pairs, {"korišćenje": "korištenje", "iskorišćen": "iskorišten"})


class ScreenTest(unittest.TestCase):
    def test_english_words_and_chained_targets(self):
        pairs = {"device": "djevice", "primer": "primjer", "sprat": "kat",
                 "spraće": "sprat će", "mleko": "mlijeko", "videće": "vidjet će"}
        report = Report()
        sec = report.section("s", "s")
        kept = checks.drop_chained(checks.drop_english(
            pairs, {"device", "primer"}, {"primer"}, sec), sec)
        self.assertEqual(kept, {"primer": "primjer", "sprat": "kat", "mleko": "mlijeko",
                                "videće": "vidjet će"})


class NamesTest(unittest.TestCase):
    def select(self, entries, common):
        report = Report()
        chosen = names.select(entries, sorted(common), report.section("n", "n"))
        return chosen, report.sections[0].removed

    def test_prefix_of_common_word_is_dropped(self):
        chosen, removed = self.select(
            [("Bil", "Bill", 1), ("Njujork", "New York", 2), ("njujork", "x", 3),
             ("Ford", "Ford", 4), ("Kopenhagen", "København", 5), ("Pert", "Perth", 6)],
            {"bilo", "bila", "kuća", "pertinentan"})
        # Bil starts bilo: only its case forms that start no common word stay
        self.assertEqual(chosen, {"Njujork": "New York", "Bilom": "Billom", "Bilu": "Billu",
                                  "Pertom": "Perthom", "Pertu": "Perthu", "Perta": "Pertha"})
        self.assertEqual(len(removed), 4)

    def test_names_and_adjectives_of_the_name_are_no_clash(self):
        class S:
            hunspell = {"njujork", "njujorku", "kanada"}
            hunspell_common = {"kanada"}
            serbian = type("G", (), {"readings": {
                "vašingtonski": ["vašingtonski<adj><pst><ma><sg><nom><def>"],
                "kana": ["kana<n><f><sg><nom>"], "kanu": ["Kan<np><top><mi><sg><dat>"]}})()
        chosen, _ = self.select([("Njujork", "New York", 1), ("Vašington", "Washington", 2),
                                 ("Kan", "Cannes", 3)], names.common_words(S()))
        self.assertEqual(chosen, {"Njujork": "New York", "Vašington": "Washington",
                                  "Kanom": "Cannesom", "Kanu": "Cannesu"})

    def test_name_inside_another_name(self):
        name_words = sorted({"igor", "igorom", "pjerović", "njujorku", "njujorkom",
                             "vašingtonac", "vašingtonski", "čikagu", "džonson", "majklson",
                             "majklsona", "ričards", "tomson", "volters"})
        # a surname in -son or -s is written in its original spelling, but only
        # after a name of four letters or more whose original ends like it
        rows = [("Igo", "Hugo", ["igor", "igorom"]), ("Pjer", "Pierre", ["pjerović"]),
                ("Njujork", "New York", []), ("Vašington", "Washington", []),
                ("Čikago", "Chicago", []), ("Džon", "John", []), ("Majkl", "Michael", []),
                ("Ričard", "Richard", []), ("Tom", "Tom", ["tomson"]),
                ("Volter", "Voltaire", ["volters"])]
        for source, original, clash in rows:
            with self.subTest(source):
                self.assertEqual(names.clashing_names(name_words, source, {"džon", "džonson"},
                                                      original), clash)

    def test_vowel_final_names_get_their_case_forms(self):
        chosen, _ = self.select([("Čikago", "Chicago", 1), ("Džoana", "Joanna", 2),
                                 ("Filadelfija", "Philadelphia", 3)], ["džoane"])
        self.assertEqual(chosen, {
            "Čikago": "Chicago", "Čikagom": "Chicagom", "Čikagu": "Chicagu",
            "Čikaga": "Chicaga", "Džoana": "Joanna", "Džoanom": "Joannom",
            "Džoanu": "Joannu", "Džoani": "Joanni", "Filadelfija": "Philadelphia"})

    def test_longer_names_first(self):
        class S:
            hunspell = set()
            serbian = type("G", (), {"readings": {}})()
        lines = names.build(S(), text_file(self, "Džon = John\nDžoni = Johnny\n"), Report())
        pairs = [line for line in lines if "\t" in line]
        self.assertEqual(pairs, ["Džoni\tJohnny", "Džon\tJohn"])


class PhrasesTest(unittest.TestCase):
    def convert(self, lines, word_pairs=()):
        report = Report()
        pairs = word_pairs if isinstance(word_pairs, dict) else {w: w for w in word_pairs}
        return phrases.convert(lines, pairs, report.section("p", "p"))

    def test_boundaries_groups_and_word_pass(self):
        out = self.convert(["; note", "#da li", "_da li je_ => je li", "---",
                            "_pre podne_ => x"], {"pre"})
        self.assertEqual(out[len(phrases.HEADER):], ["#da li", " da li je \tje li", "---"])

    def test_target_holding_a_translated_word(self):
        pairs = {"neko": "netko", "sačekati": "pričekati", "biće": "bit će"}
        rows = [("_netko dijete_ => neko dijete", True),   # puts back what the word pass wrote
                ("_ljudsko bit će_ => ljudsko biće", True),
                ("_hoće da pričeka_ => hoće sačekati", False),
                ("_hoće da pričeka_ => hoće pričekati", True)]
        for line, kept in rows:
            with self.subTest(line):
                out = self.convert(["#k", line, "---"], pairs)
                self.assertEqual(len(out) - len(phrases.HEADER) == 3, kept)

    def test_unclosed_or_mismatched_group(self):
        with self.assertRaises(ValueError):
            self.convert(["#key", "a => b"])
        with self.assertRaises(ValueError):
            self.convert(["#key", "="])


class CheckerTest(unittest.TestCase):
    GOOD = {"1_rjecnik.txt": "note\r\nhleb\tkruh\r\nvoz\tvlak\r\n",
            "2_fraze.txt": "#da li\r\n da li \tje li\r\n---\r\n",
            "3_imena.txt": "Njujork\tNew York\r\n",
            "4_modalni.txt": "+\tmogu\t-\tmože\t\t\tmogu\r\nići\tidem\t\tide\t\t\tidu\r\n"}

    def run_checker(self, **changes):
        files = dict(self.GOOD, **changes)
        with tempfile.TemporaryDirectory() as folder:
            for name, text in files.items():
                with open(os.path.join(folder, name), "wb") as h:
                    h.write(text if isinstance(text, bytes) else text.encode("cp1250"))
            return check_dictionary.check(folder).errors

    def test_good_files_and_a_marked_duplicate_pass(self):
        self.assertEqual(self.run_checker(), [])
        self.assertEqual(self.run_checker(
            **{"1_rjecnik.txt": "hleb\tkruh\r\n!dup\r\nhleb\tx\r\n"}), [])

    def test_faults_are_found(self):
        faults = {
            "lone LF": {"1_rjecnik.txt": "hleb\tkruh\nvoz\tvlak\r\n"},
            "no final CR LF": {"3_imena.txt": "Njujork\tNew York"},
            "undefined byte": {"1_rjecnik.txt": b"hleb\tkr\x81h\r\n"},
            "empty source": {"1_rjecnik.txt": "\tkruh\r\n"},
            "second TAB": {"1_rjecnik.txt": "hleb\tkruh\tx\r\n"},
            "two words": {"1_rjecnik.txt": "da li\tje li\r\n"},
            "duplicate": {"1_rjecnik.txt": "hleb\tkruh\r\nHleb\tx\r\n"},
            "unclosed group": {"2_fraze.txt": "#da li\r\n da li \tje li\r\n"},
            "stray close": {"2_fraze.txt": "=\r\n"},
            "lower-case name": {"3_imena.txt": "njujork\tNew York\r\n"},
            "modal line of five fields": {"4_modalni.txt": "ići\tidem\tideš\tide\tidemo\tidete\r\n"},
            "present of two infinitives": {"4_modalni.txt": "ići\tide\t-\t-\t-\t-\t-\r\n"
                                           "doći\tide\t-\t-\t-\t-\t-\r\n"},
        }
        for what, change in faults.items():
            with self.subTest(what):
                self.assertNotEqual(self.run_checker(**change), [])


if __name__ == "__main__":
    unittest.main()
