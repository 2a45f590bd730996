"""What each step of the build kept and removed, with examples."""

import random

EXAMPLES = 6


class Section:
    def __init__(self, name, title):
        self.name, self.title = name, title
        self.candidates = 0
        self.removed = {}          # reason -> [count, examples]
        self.kept_count = 0
        self.kept_examples = []

    def seen(self, _example):
        self.candidates += 1

    def drop(self, reason, example, pairs=1):
        entry = self.removed.setdefault(reason, [0, []])
        entry[0] += pairs
        if len(entry[1]) < 200:
            entry[1].append(example)

    def kept(self, count, examples):
        self.kept_count = count
        self.kept_examples = examples

    def lines(self, rng):
        out = [f"== {self.title}", f"candidate pairs: {self.candidates}"]
        for reason, (count, examples) in self.removed.items():
            shown = rng.sample(examples, min(EXAMPLES, len(examples)))
            out.append(f"removed, {reason}: {count}")
            out.extend("    " + e for e in shown)
        out.append(f"kept: {self.kept_count}")
        shown = rng.sample(self.kept_examples, min(EXAMPLES, len(self.kept_examples)))
        out.extend("    " + e for e in shown)
        return out


class Report:
    def __init__(self):
        self.sections = []
        self.notes = []

    def section(self, name, title):
        sec = Section(name, title)
        self.sections.append(sec)
        return sec

    def note(self, text):
        self.notes.append(text)

    def text(self, seed=5):
        rng = random.Random(seed)
        out = []
        for sec in self.sections:
            out.extend(sec.lines(rng))
            out.append("")
        out.extend(self.notes)
        return "\n".join(out) + "\n"
