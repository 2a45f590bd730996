"""What the command-line benchmarks share: the Serbian sources of a shipped dictionary, words
drawn by Zipf's law, sentences made of them, and a timed run of lorvan-cli over a folder."""
import bisect
import os
import shutil
import subprocess
import tempfile
import time


def dictionary_sources(dictionary_file):
    """The non-empty sources (the text before the first TAB) of a dictionary's pairs."""
    found = []
    with open(dictionary_file, 'rb') as f:
        for line in f.read().split(b'\r\n'):
            if b'\t' in line and not line.startswith(b'#'):
                found.append(line.split(b'\t', 1)[0].strip())
    return [s for s in found if s]


def zipf_picker(words, rng):
    """A function that draws one of words, the word of rank r with weight 1 / r."""
    cumulative, total = [], 0.0
    for rank in range(1, len(words) + 1):
        total += 1.0 / rank
        cumulative.append(total)
    return lambda: words[bisect.bisect_left(cumulative, rng.random() * total)]


def sentence(parts, rng):
    """parts joined by spaces, with a capital first letter and a closing punctuation mark."""
    text = b' '.join(parts)
    return text[:1].upper() + text[1:] + rng.choice([b'.', b'?', b'!', b','])


def time_cli(cli, write_input):
    """Calls write_input(folder) on a new temporary folder, then runs `cli -q -C folder`.
    Returns what write_input returned and the seconds the run took; the folder is removed
    afterwards."""
    folder = tempfile.mkdtemp(prefix='lorvan-bench-')
    try:
        written = write_input(folder)
        start = time.perf_counter()
        subprocess.run([cli, '-q', '-C', folder], check=True)
        return written, time.perf_counter() - start
    finally:
        shutil.rmtree(folder)
