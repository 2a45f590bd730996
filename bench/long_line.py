#!/usr/bin/env python3
"""Times lorvan-cli on one file that is a single long line of Serbian text.

The text is made of the Serbian sources of the shipped word dictionary, drawn by Zipf's law,
with the sources of the shipped phrase list mixed in so that many different phrases occur,
in sentences with capitals and punctuation, all on one line (no line break at all).

    python3 bench/long_line.py [--cli build/lorvan-cli] [--mb 100]
    python3 bench/long_line.py --write FILE --mb 100   (only write the file)
"""
import argparse
import os
import random

from bench_text import dictionary_sources, sentence, time_cli, zipf_picker


def long_line(folder, megabytes, seed=2026):
    rng = random.Random(seed)
    word = zipf_picker(dictionary_sources(os.path.join(folder, '1_rjecnik.txt')), rng)
    phrases = dictionary_sources(os.path.join(folder, '2_fraze.txt'))

    def part():
        if rng.random() < 0.08:
            return rng.choice(phrases)
        return word()

    sentences, size, goal = [], 0, int(megabytes * 1e6)
    while size < goal:
        sentences.append(sentence([part() for _ in range(rng.randint(5, 14))], rng))
        size += len(sentences[-1]) + 1
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

    def write_line(folder):
        with open(os.path.join(folder, 'linija.txt'), 'wb') as f:
            f.write(text)

    _, seconds = time_cli(args.cli, write_line)
    print(f'one line of {len(text) / 1e6:.1f} MB: {seconds:.2f} s, '
          f'{len(text) / 1e6 / seconds:.1f} MB/s')


if __name__ == '__main__':
    main()
