"""Loads the data sources: the Serbian and Croatian generators of the
Serbo-Croatian package and the Croatian and Serbian (Latin script) hunspell
dictionaries."""

import os

from . import hunspell, transducer

APERTIUM_DIR = "/usr/share/apertium/apertium-hbs-eng"
SERBIAN_GENERATOR = os.path.join(APERTIUM_DIR, "eng-hbs_SR.autogen.bin")
CROATIAN_GENERATOR = os.path.join(APERTIUM_DIR, "eng-hbs_HR.autogen.bin")
HUNSPELL_AFF = "/usr/share/hunspell/hr_HR.aff"
HUNSPELL_DIC = "/usr/share/hunspell/hr_HR.dic"
SERBIAN_AFF = "/usr/share/hunspell/sr_Latn_RS.aff"
SERBIAN_DIC = "/usr/share/hunspell/sr_Latn_RS.dic"


def lemma_of(analysis):
    return analysis.split("<", 1)[0]


def tags_of(analysis):
    cut = analysis.find("<")
    return analysis[cut:] if cut >= 0 else ""


class Generator:
    """Surface forms of one generator, indexed by analysis, lemma and form."""

    def __init__(self, pairs):
        self.by_analysis = {}
        for analysis, form in pairs:
            forms = self.by_analysis.setdefault(analysis, [])
            if form not in forms:
                forms.append(form)
        self.by_lemma = {}
        self.readings = {}
        for analysis, forms in self.by_analysis.items():
            self.by_lemma.setdefault(lemma_of(analysis), []).append(analysis)
            for form in forms:
                self.readings.setdefault(form.lower(), []).append(analysis)

    def forms_by_tags(self, lemma):
        """tags -> forms of one lemma."""
        return {tags_of(a): self.by_analysis[a] for a in self.by_lemma.get(lemma, ())}


class Sources:
    def __init__(self, serbian, croatian, hunspell_words, serbian_words=(), names=()):
        self.serbian = serbian
        self.croatian = croatian
        self.hunspell = {w.lower() for w in hunspell_words}
        # hunspell-sr (Latin script): ekavian and ijekavian forms side by side.
        self.serbian_spelling = {w.lower() for w in serbian_words}
        # Every form both spelling lists write with a capital (Igor, Pjerović).
        self.name_forms = ({w.lower() for w in hunspell_words if w[:1].isupper()}
                           | {w.lower() for w in serbian_words if w[:1].isupper()})
        # Names in their base form from both spelling lists (Maja, Marta).
        self.names = {w.lower() for w in names}
        # The forms hunspell-hr writes in small letters: its common words,
        # without the names it lists (Njujork, Teksas).
        self.hunspell_common = {w for w in hunspell_words if w == w.lower()}
        # The generators share one lemma list with Serbian-only words in it
        # (hleb, pasulj): a Croatian generator form only counts as Croatian
        # when its lemma is a word of the Croatian word list.
        self.croatian_forms = {
            form for form, analyses in croatian.readings.items()
            if any(lemma_of(a).lower() in self.hunspell for a in analyses)}
        self._serbian_lemma_forms = {}

    def is_croatian_word(self, word):
        return word.lower() in self.hunspell

    def is_croatian_form(self, word):
        """Known to hunspell or produced by the Croatian generator."""
        return self.is_croatian_word(word) or word.lower() in self.croatian_forms

    def is_name(self, word):
        """hunspell-hr or hunspell-sr lists the word as a name (capitalised stem)."""
        return word.lower() in self.names

    def serbian_forms_of(self, lemma):
        """Lower-case Serbian surface forms of one lemma."""
        return self._forms_of(self.serbian, self._serbian_lemma_forms, lemma)

    def croatian_forms_of(self, lemma):
        """Lower-case Croatian generator forms of one lemma."""
        if not hasattr(self, "_croatian_lemma_forms"):
            self._croatian_lemma_forms = {}
        return self._forms_of(self.croatian, self._croatian_lemma_forms, lemma)

    @staticmethod
    def _forms_of(generator, cache, lemma):
        forms = cache.get(lemma)
        if forms is None:
            forms = {f.lower() for a in generator.by_lemma.get(lemma, ())
                     for f in generator.by_analysis[a]}
            cache[lemma] = forms
        return forms


def load_sources():
    serbian = Generator(transducer.pairs_of(SERBIAN_GENERATOR))
    croatian = Generator(transducer.pairs_of(CROATIAN_GENERATOR))
    words = hunspell.expand_dictionary(HUNSPELL_AFF, HUNSPELL_DIC)
    serbian_words = hunspell.expand_dictionary(SERBIAN_AFF, SERBIAN_DIC)
    names = hunspell.capitalised_stems(HUNSPELL_DIC) | hunspell.capitalised_stems(SERBIAN_DIC)
    return Sources(serbian, croatian, words, serbian_words, names)
