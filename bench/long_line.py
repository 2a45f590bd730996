#!/usr/bin/env python3
"""Times lorvan-cli on one file that is a single long line of Serbian text.

The text is made of the Serbian sources of the shipped word dictionary, drawn by Zipf's law,
with the sources of the shipped phrase list mixed in so that many different phrases occur,
in sentences with capitals and punctuation, all on one line (no line break at all).

    python3 bench/long_line.py [--cli build/lorvan-cli] [--mb 100] [--keep FILE]
    python3 bench/long_line.py --write FILE --mb 100   (only write the file)
"""
import argparse
import bisect
import os
import random
import shutil
import subprocess
import tempfile
import time


def pairs(dictionary_file):
    found = []
    with open(dictionary_file, 'rb') as f:
        for line in f.read().split(b'\r\n'):
            if b'\t' in line and not line.startswith(b'#'):
                found.append(line.split(b'\t', 1)[0].strip())
    return [s for s in found if s]


def long_line(folder, megabytes, seed=2026):
    rng = random.Random(seed)
    words = pairs(os.path.join(folder, '1_rjecnik.txt'))
    phrases = pairs(os.path.join(folder, '2_fraze.txt'))
    cumulative, total = [], 0.0
    for rank in range(1, len(words) + 1):
        total += 1.0 / rank
        cumulative.append(total)

    def part():
        if rng.random() < 0.08:
            return rng.choice(phrases)
        return words[bisect.bisect_left(cumulative, rng.random() * total)]

    sentences, size, goal = [], 0, int(megabytes * 1e6)
    while size < goal:
        sentence = b' '.join(part() for _ in range(rng.randint(5, 14)))
        sentence = sentence[:1].upper() + sentence[1:] + rng.choice([b'.', b'?', b'!', b','])
        sentences.append(sentence)
        size += len(sentence) + 1
    return b' '.join(sentences)[:goal]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--cli', default='build/lorvan-cli')
    parser.add_argument('--mb', type=float, default=100)
    parser.add_argument('--write', help='only write the line into this file')
    args = parser.parse_args()

    text = long_line(os.path.dirname(os.path.abspath(args.cli)), args.mb)
    if args.write:
        with open(args.write, 'wb') as f:
            f.write(text)
        return
    folder = tempfile.mkdtemp(prefix='lorvan-bench-')
    try:
        with open(os.path.join(folder, 'linija.txt'), 'wb') as f:
            f.write(text)
        start = time.perf_counter()
        subprocess.run([args.cli, '-q', '-C', folder], check=True)
        seconds = time.perf_counter() - start
        print(f'one line of {len(text) / 1e6:.1f} MB: {seconds:.2f} s, '
              f'{len(text) / 1e6 / seconds:.1f} MB/s')
    finally:
        shutil.rmtree(folder)


if __name__ == '__main__':
    main()
