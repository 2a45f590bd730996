"""Reads the text dump of an lttoolbox transducer (the output of lt-print) and
lists the (input, output) string pairs it accepts.

A dump holds one section per dictionary section, separated by lines "--".
Arc lines are "from TAB to TAB in TAB out TAB weight", final-state lines are
"state TAB weight"; "ε" is the empty symbol. Sections with a cycle (number
readers) accept infinitely many strings and are skipped.
"""

import subprocess

EPSILON = "ε"
SPECIAL_SYMBOLS = {"@_SPACE_@": " ", "@_TAB_@": "\t"}


def _symbol(text):
    if text == EPSILON:
        return ""
    return SPECIAL_SYMBOLS.get(text, text)


def read_sections(lines):
    """Yields (arcs, finals) per section; arcs maps a state to [(to, in, out)]."""
    arcs, finals = {}, set()
    for line in lines:
        line = line.rstrip("\n")
        if line == "--":
            yield arcs, finals
            arcs, finals = {}, set()
            continue
        fields = line.split("\t")
        if len(fields) >= 4:
            arcs.setdefault(int(fields[0]), []).append(
                (int(fields[1]), _symbol(fields[2]), _symbol(fields[3])))
        elif fields and fields[0]:
            finals.add(int(fields[0]))
    yield arcs, finals


def has_cycle(arcs):
    """True when a cycle is reachable from state 0."""
    colour = {0: 1}
    stack = [(0, iter(arcs.get(0, ())))]
    while stack:
        state, pending = stack[-1]
        for target, _, _ in pending:
            mark = colour.get(target, 0)
            if mark == 1:
                return True
            if mark == 0:
                colour[target] = 1
                stack.append((target, iter(arcs.get(target, ()))))
                break
        else:
            colour[state] = 2
            stack.pop()
    return False


def paths(arcs, finals):
    """Yields every (input, output) pair of an acyclic section."""
    ins, outs = [], []

    def walk(state):
        if state in finals:
            yield "".join(ins), "".join(outs)
        for target, a, b in arcs.get(state, ()):
            ins.append(a)
            outs.append(b)
            yield from walk(target)
            ins.pop()
            outs.pop()

    yield from walk(0)


def dump(binary):
    """Runs lt-print on a compiled transducer and returns its text lines."""
    text = subprocess.run(["lt-print", binary], check=True,
                          capture_output=True, text=True).stdout
    return text.splitlines()


def pairs_of(binary):
    """Yields the (analysis, surface form) pairs of a compiled generator."""
    for arcs, finals in read_sections(dump(binary)):
        if not has_cycle(arcs):
            yield from paths(arcs, finals)
