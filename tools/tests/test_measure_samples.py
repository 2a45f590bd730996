"""Tests of the word accuracy used by tools/measure_samples.py.

    python3 -m unittest discover -s tools/tests
"""

import os
import sys
import unittest

TOOLS = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, TOOLS)

import measure_samples as m  # noqa: E402


def accuracy(produced, expected, html=False):
    score = m.Score()
    score.add(m.words(produced, html), m.words(expected, html))
    return score


class WordAccuracyTest(unittest.TestCase):
    def test_words_skip_digits_punctuation_and_tags(self):
        self.assertEqual(m.words("<p class=\"x\">U 8 sati, ",  html=True), ["U", "sati"])
        self.assertEqual(m.words("je l' čuo — Čačak?"), ["je", "l", "čuo", "Čačak"])

    def test_split_word_costs_one_expected_word(self):
        # pogledaćemo -> pogledat ćemo: the untranslated form matches neither
        score = accuracy("Sutra pogledaćemo film.", "Sutra pogledat ćemo film.")
        self.assertEqual((score.matched, score.expected, score.edits), (2, 4, 2))

    def test_order_matters_and_words_count_once(self):
        self.assertEqual(accuracy("film film film", "film kino").matched, 1)
        self.assertEqual(accuracy("b a", "a b").matched, 1)

    def test_letter_case_counts(self):
        self.assertEqual(accuracy("je li", "Je li").matched, 1)

    def test_extra_words_do_not_raise_accuracy_but_raise_error_rate(self):
        score = accuracy("a x b y c", "a b c")
        self.assertEqual(score.accuracy, 1.0)
        self.assertAlmostEqual(score.error_rate, 2 / 3)

    def test_scores_add_up_over_texts(self):
        total = m.Score()
        total.merge(accuracy("a b", "a c"))
        total.merge(accuracy("d", "d"))
        self.assertAlmostEqual(total.accuracy, 2 / 3)

    def test_missed_words_pair_expected_with_output(self):
        self.assertEqual(m.missed_words(["Jesi", "li", "video"], ["Jesi", "li", "vidio"]),
                         [("vidio", "video")])
        self.assertEqual(m.missed_words(["pogledaćemo"], ["pogledat", "ćemo"]),
                         [("pogledat", ""), ("ćemo", "pogledaćemo")])


class OutputDecodingTest(unittest.TestCase):
    def test_windows_1250_letters_and_passed_through_utf8(self):
        data = "Čačak ".encode("cp1250") + "München".encode("utf-8")
        self.assertEqual(m.decode_output(data), "Čačak München")

    def test_capital_before_small_letter_is_not_read_as_utf8(self):
        # Č (C8) followed by š (9A) would form a valid UTF-8 pair
        self.assertEqual(m.decode_output("ČšĐž".encode("cp1250")), "ČšĐž")


if __name__ == "__main__":
    unittest.main()
