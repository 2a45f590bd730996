#!/usr/bin/env python3
"""Kills lorvan-cli --same-name with SIGKILL at random moments and checks what it leaves.

After every kill the input must be byte-identical to the original or to the finished
translation, never anything else. A temporary file the killed run left must be removed by
the next run in the folder. Prints the count of each outcome; exits 1 on any fault.

    python3 bench/kill_trials.py [--cli build/lorvan-cli] [--trials 50] [--mb 30]
"""
import argparse
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import long_line  # noqa: E402


def temporaries(folder):
    return sorted(n for n in os.listdir(folder) if '.lorvan-tmp-' in n)


def read(path):
    with open(path, 'rb') as f:
        return f.read()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--cli', default='build/lorvan-cli')
    parser.add_argument('--trials', type=int, default=50)
    parser.add_argument('--mb', type=float, default=30)
    parser.add_argument('--seed', type=int, default=1)
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    rng = random.Random(args.seed)

    folder = tempfile.mkdtemp(prefix='lorvan-kill-')
    try:
        text = long_line.long_line(os.path.dirname(cli), args.mb).replace(b'. ', b'.\r\n')
        big = os.path.join(folder, 'tekst.txt')
        with open(big, 'wb') as f:
            f.write(text)
        with open(os.path.join(folder, 'mali.txt'), 'wb') as f:
            f.write(b'hleb\r\n')
        start = time.perf_counter()
        subprocess.run([cli, '-q', '-s', '-C', folder, 'tekst.txt'], check=True)
        duration = time.perf_counter() - start
        translation = read(big)

        counts = {'original': 0, 'translation': 0, 'other': 0, 'temporary left': 0,
                  'temporary removed by the next run': 0}
        for _ in range(args.trials):
            with open(big, 'wb') as f:
                f.write(text)
            run = subprocess.Popen([cli, '-q', '-s', '-C', folder, 'tekst.txt'])
            # Half the kills anywhere in the run, half in its last fifth, where it writes.
            low = 0 if rng.random() < 0.5 else 0.8 * duration
            time.sleep(rng.uniform(low, duration * 1.1))
            run.send_signal(signal.SIGKILL)
            run.wait()
            result = read(big)
            kind = 'original' if result == text else (
                'translation' if result == translation else 'other')
            counts[kind] += 1
            if temporaries(folder):
                counts['temporary left'] += 1
                subprocess.run([cli, '-q', '-C', folder, 'mali.txt'], check=True)
                if not temporaries(folder):
                    counts['temporary removed by the next run'] += 1
        with open(big, 'wb') as f:
            f.write(text)
        subprocess.run([cli, '-q', '-s', '-C', folder, 'tekst.txt'], check=True)
        finished = read(big) == translation and not temporaries(folder)
    finally:
        shutil.rmtree(folder)

    print(f'{args.trials} kills over a {duration:.2f} s run of {len(text) / 1e6:.0f} MB: '
          + ', '.join(f'{k} {v}' for k, v in counts.items())
          + f'; a run to its end afterwards: {"clean" if finished else "FAULT"}')
    ok = (counts['other'] == 0 and finished
          and counts['temporary left'] == counts['temporary removed by the next run'])
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main())
