#!/usr/bin/env python3
"""Times lorvan-cli on a large generated folder and prints its throughput in MB/s.

The text is made of the Serbian sources of the shipped word dictionary, drawn by Zipf's law
(with a fifth of unknown words), in sentences with capitals, punctuation, prepositions and
"da li" questions, written as Windows-1250 CR LF files.

    python3 bench/cli_throughput.py [--cli build/lorvan-cli] [--mb 100] [--files 200]
"""
import argparse
import os
import random

from bench_text import dictionary_sources, sentence, time_cli, zipf_picker


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--cli', default='build/lorvan-cli')
    parser.add_argument('--mb', type=float, default=100)
    parser.add_argument('--files', type=int, default=200)
    args = parser.parse_args()

    rng = random.Random(2026)
    words = dictionary_sources(os.path.join(os.path.dirname(args.cli), '1_rjecnik.txt'))
    words += [w[::-1] for w in words[: len(words) // 4]]  # words the dictionary lacks
    rng.shuffle(words)
    word = zipf_picker(words, rng)

    def write_files(folder):
        per_file = int(args.mb * 1e6 / args.files)
        for n in range(args.files):
            lines, size = [], 0
            while size < per_file:
                parts = []
                for _ in range(rng.randint(5, 14)):
                    w = word()
                    roll = rng.random()
                    if roll < 0.05:
                        w = (b'sa ' if rng.random() < 0.5 else b'k ') + w
                    elif roll < 0.08:
                        w = b'da li ' + w
                    parts.append(w)
                lines.append(sentence(parts, rng))
                size += len(lines[-1]) + 2
            with open(os.path.join(folder, f'tekst{n:04}.txt'), 'wb') as f:
                f.write(b'\r\n'.join(lines) + b'\r\n')
        return sum(os.path.getsize(os.path.join(folder, n)) for n in os.listdir(folder))

    size, seconds = time_cli(args.cli, write_files)
    print(f'{size / 1e6:.1f} MB in {args.files} files: {seconds:.2f} s, '
          f'{size / 1e6 / seconds:.1f} MB/s')


if __name__ == '__main__':
    main()
