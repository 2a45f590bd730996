#!/usr/bin/env python3
"""Throughput of lorvan-cli beside a few standard text tools, on the same generated text.

Writes SIZE MB of Serbian text in three forms: Latin in Windows-1250 (CR LF), Latin in UTF-8
and Cyrillic in UTF-8 (LF), each as one big file and as 1,000 small files (the commands below
read five of the six; a case for the sixth is one more line); and the same lines as one big
subtitle file in UTF-8, cut into cues of up to eight words under a number and a timing line,
and as one big web page in UTF-8, a paragraph each, some words in links or bold. The words
are the Serbian forms of the shipped word dictionary drawn by Zipf's law, a fifth of them
unknown to it, with short function words, prepositions, "da li" questions, phrases of the phrase list,
capitals and punctuation, several sentences to a line. Up to 16 MB of lines are drawn; a
larger size repeats them in shuffled orders.

Then it runs every command RUNS times (in rounds, so that a change of the machine's load falls
on all of them alike), each writing its output to a file beside the data, and prints a
Markdown table: the input MB per CPU second (user + sys, the median of the runs), that speed
as a multiple of lorvan-cli's plain translation of the Windows-1250 file, the peak resident
memory (/usr/bin/time -f %M, the largest of the runs) and the median wall time. Everything
runs under nice. The data lives in a temporary folder under /tmp, removed at the end
(--keep leaves it).

    python3 bench/throughput.py [--size MB] [--runs N] [--cli PATH | --build] [--only WORD]
                                [--jobs N ...] [--window]

Without --cli the program is build-release/lorvan-cli, configured and built (Release, no
tests, no window) when it is missing; --build builds it even when it is there. --window also
times runs of the window (offscreen, every file of the folder, all processors) with
build-release-window/bench/lorvan-window-run, configured and built likewise.
"""
import argparse
import os
import random
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench_text import dictionary_sources  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, 'data')
SMALL_FILES = 1000
ONE_FILE_FORMS = ('srt-utf8', 'web-utf8')  # written as the big file only

# Variants of lorvan-cli's own options, crossed with each lorvan-cli case below: a label that
# goes into the command's name and the arguments added to its command line. --jobs adds one
# per number of worker threads, e.g. ('-j 2', ['-j', '2']).
CLI_VARIANTS = [('', [])]

# ---------------------------------------------------------------------------------------
# The text

FUNCTION_WORDS = ('i je u na se da za od su a to ne sa što iz kao ali po o ili kad jer već '
                  'samo još bi nije biti sve tako će smo kako koji koja koje').split()
LATIN_TO_CYRILLIC = dict(zip(
    'abcčćdđefghijklmnoprsštuvzž' 'ABCČĆDĐEFGHIJKLMNOPRSŠTUVZŽ',
    'абцчћдђефгхијклмнопрсштувзж' 'АБЦЧЋДЂЕФГХИЈКЛМНОПРСШТУВЗЖ'))
DIGRAPHS = [('dž', 'џ'), ('lj', 'љ'), ('nj', 'њ'), ('Dž', 'Џ'), ('DŽ', 'Џ'), ('Lj', 'Љ'),
            ('LJ', 'Љ'), ('Nj', 'Њ'), ('NJ', 'Њ')]


def to_cyrillic(latin):
    for digraph, letter in DIGRAPHS:
        latin = latin.replace(digraph, letter)
    return latin.translate(str.maketrans(LATIN_TO_CYRILLIC))


POOL_MB = 16  # distinct text; a larger size repeats its lines in other orders


def serbian_lines(megabytes, seed=2026):
    """Lines of Serbian Latin text (str, without line ends) of about megabytes MB in
    Windows-1250 with CR LF, and the most frequent dictionary word as a (source, target) pair
    of str."""
    rng = random.Random(seed)
    sources = [w.decode('cp1250') for w in dictionary_sources(os.path.join(DATA, '1_rjecnik.txt'))]
    phrases = [p.decode('cp1250') for p in dictionary_sources(os.path.join(DATA, '2_fraze.txt'))]
    words = sources + [w[::-1] for w in sources[: len(sources) // 4]]  # words it lacks
    rng.shuffle(words)
    weights, total = [], 0.0
    for rank in range(1, len(words) + 1):
        total += 1.0 / rank
        weights.append(total)
    known = set(sources)
    top = next(w for w in words if w in known)

    goal, size, lines = int(megabytes * 1e6), 0, []
    while size < goal:
        # A batch of words drawn at once: far quicker than one draw a word.
        drawn = rng.choices(words, cum_weights=weights, k=4096)
        rolls = [rng.random() for _ in drawn]
        sentences, at, per_line = [], 0, rng.randint(1, 5)
        while at + 14 <= len(drawn):
            parts = []
            for _ in range(rng.randint(5, 14)):
                w, roll = drawn[at], rolls[at]
                at += 1
                if roll < 0.30:
                    w = rng.choice(FUNCTION_WORDS) + ' ' + w
                elif roll < 0.34:
                    w = rng.choice(('sa ', 'k ', 'u ', 'na ')) + w
                elif roll < 0.37:
                    w = 'da li ' + w
                elif roll < 0.40:
                    w = rng.choice(phrases)
                parts.append(w)
            text = ' '.join(parts)
            sentences.append(text[:1].upper() + text[1:] + rng.choice('..,?!;'))
            if len(sentences) == per_line:
                lines.append(' '.join(sentences))
                size += len(lines[-1]) + 2
                sentences, per_line = [], rng.randint(1, 5)
        if sentences:
            lines.append(' '.join(sentences))
            size += len(lines[-1]) + 2
    pairs = dict(pair_lines(os.path.join(DATA, '1_rjecnik.txt')))
    return lines, (top, pairs[top.encode('cp1250')].decode('cp1250'))


def pair_lines(dictionary_file):
    with open(dictionary_file, 'rb') as f:
        for line in f.read().split(b'\r\n'):
            if b'\t' in line:
                source, target = line.split(b'\t', 1)
                yield source, target


def subtitle_time(ms):
    return f'{ms // 3600000:02}:{ms // 60000 % 60:02}:{ms // 1000 % 60:02},{ms % 1000:03}'


def subtitles(lines):
    """The lines as the cues of a subtitle file: each cue a number, a timing line and up to
    eight words, then an empty line."""
    cues, number = [], 0
    for line in lines:
        words = line.split(' ')
        for at in range(0, len(words), 8):
            number += 1
            start = number * 2345
            cues.append(f'{number}\n{subtitle_time(start)} --> {subtitle_time(start + 2000)}\n'
                        f'{" ".join(words[at:at + 8])}\n')
    return '\n'.join(cues)


def web_page(lines, seed=2026):
    """The lines as the paragraphs of one web page: a head that names its charset, each line a
    paragraph in a block, one in four with a word in a link to an address, one in four with
    a word in bold."""
    rng = random.Random(seed)
    parts = ['<!DOCTYPE html>',
             '<html lang="sr"><head><meta charset="utf-8"><title>Vesti</title></head><body>']
    for n, line in enumerate(lines):
        words, roll = line.split(' '), rng.random()
        if roll < 0.5 and len(words) > 1:
            k = rng.randrange(len(words) - 1)
            words[k] = (f'<a href="https://www.primer.rs/vesti/{n}/clanak.html">{words[k]}</a>'
                        if roll < 0.25 else f'<strong>{words[k]}</strong>')
        parts.append(f'<div class="clanak"><p>{" ".join(words)}</p></div>')
    parts.append('</body></html>')
    return '\n'.join(parts) + '\n'


def write_data(work, megabytes, seed=2026):
    """Writes the forms of about megabytes MB of text as work/FORM/big/tekst.txt and, but for
    ONE_FILE_FORMS, as work/FORM/small/tekstNNNN.txt.
    Returns {form: bytes of the text} and the most frequent dictionary pair."""
    pool, top_pair = serbian_lines(min(megabytes, POOL_MB), seed)
    cyrillic = to_cyrillic('\n'.join(pool)).split('\n')
    rng, order, size, goal = random.Random(seed), [], 0, int(megabytes * 1e6)
    while size < goal:
        again = list(range(len(pool)))
        rng.shuffle(again)
        for n in again:
            order.append(n)
            size += len(pool[n]) + 2
            if size >= goal:
                break
    forms = {
        'lat-1250': ('\r\n'.join(pool[n] for n in order) + '\r\n').encode('cp1250'),
        'lat-utf8': ('\n'.join(pool[n] for n in order) + '\n').encode('utf-8'),
        'cyr-utf8': ('\n'.join(cyrillic[n] for n in order) + '\n').encode('utf-8'),
        'srt-utf8': subtitles(pool[n] for n in order).encode('utf-8'),
        'web-utf8': web_page(pool[n] for n in order).encode('utf-8'),
    }
    for form, data in forms.items():
        big, small = os.path.join(work, form, 'big'), os.path.join(work, form, 'small')
        os.makedirs(big)
        with open(os.path.join(big, 'tekst.txt'), 'wb') as f:
            f.write(data)
        if form in ONE_FILE_FORMS:
            continue
        os.makedirs(small)
        # Cut at line ends into SMALL_FILES files of about the same size.
        start = 0
        for n in range(SMALL_FILES):
            end = len(data) if n == SMALL_FILES - 1 else data.find(
                b'\n', max(start, len(data) * (n + 1) // SMALL_FILES)) + 1
            if end <= 0:
                end = len(data)
            with open(os.path.join(small, f'tekst{n:04}.txt'), 'wb') as f:
                f.write(data[start:end])
            start = end
    return {form: len(data) for form, data in forms.items()}, top_pair


# ---------------------------------------------------------------------------------------
# The commands

# The word pairs of the dictionary in a Perl hash, every word of the input looked up in it;
# a word with a capital first letter also finds its pair written with a capital. Bytes
# throughout: the input and the dictionary are Windows-1250.
PERL_SUBSTITUTION = r'''
my %h;
sub up { my $w = shift; my $f = substr($w, 0, 1);
  $f =~ tr/a-z\x9a\x9c-\x9f\xb3\xb9\xbe\xe0-\xf6\xf8-\xfe/A-Z\x8a\x8c-\x8f\xa3\xa5\xbc\xc0-\xd6\xd8-\xde/;
  return $f . substr($w, 1); }
open(my $d, '<:raw', shift) or die "dictionary: $!";
while (<$d>) { s/\r?\n\z//; my ($s, $t) = split /\t/, $_, 2;
  next unless defined $t && length $s; $h{$s} = $t; $h{up($s)} //= up($t); }
binmode STDIN; binmode STDOUT;
while (<STDIN>) {
  s/([A-Za-z\x8a\x8c-\x8f\x9a\x9c-\x9f\xa3\xa5\xb3\xb9\xbc\xbe\xc0-\xd6\xd8-\xf6\xf8-\xfe]+)/exists $h{$1} ? $h{$1} : $1/ge;
  print; }
'''

# Thirty Serbian Latin letters to capitals, as Windows-1250 bytes.
TR_FROM = b'abcdefghijklmnopqrstuvwxyz\xe8\xe6\x9a\x9e'
TR_TO = b'ABCDEFGHIJKLMNOPQRSTUVWXYZ\xc8\xc6\x8a\x8e'


@dataclass
class Case:
    name: str
    form: str        # which text: lat-1250, lat-utf8, cyr-utf8, srt-utf8 or web-utf8
    files: str       # 'big' or 'small'
    argv: list       # the command; {big} and {small} stand for the file / folder
    stdin: bool = False  # the big file on standard input, the output to a file
    times: list = field(default_factory=list)   # (wall, cpu, peak KiB) of each run


def lorvan_cases(cli, variants):
    cases = []
    for label, extra in variants:
        def case(name, form, files, options, stdin=False):
            argv = [cli, '-q'] + extra + options
            if stdin:
                argv += ['--stdin']
            elif files == 'big':
                argv += ['-C', '{dir}', 'tekst.txt']
            else:
                argv += ['-C', '{dir}']
            full = ' '.join(['lorvan'] + ([label] if label else []) + [name])
            cases.append(Case(full, form, files, argv, stdin))
        case('translate', 'lat-1250', 'big', [])
        case('translate', 'lat-utf8', 'big', [])
        case('translate', 'srt-utf8', 'big', [])
        case('translate', 'web-utf8', 'big', [])
        case('--byte-exact', 'lat-1250', 'big', ['--byte-exact'])
        case('--cyrillic', 'cyr-utf8', 'big', ['--cyrillic'])
        case('--convert', 'cyr-utf8', 'big', ['--convert'])
        case('--stdin', 'lat-1250', 'big', [], stdin=True)
        case('translate', 'lat-1250', 'small', [])
        case('--cyrillic', 'cyr-utf8', 'small', ['--cyrillic'])
    return cases


def window_cases(program):
    argv = [program, DATA, '{dir}']
    return [Case('window translate', 'lat-1250', 'big', argv),
            Case('window translate', 'lat-utf8', 'big', argv),
            Case('window translate', 'lat-1250', 'small', argv)]


def anchor_cases(top_pair):
    source, target = (w.encode('cp1250') for w in top_pair)
    sed_script = b's/\\<' + source + b'\\>/' + target + b'/g'
    return [
        Case('cat', 'lat-1250', 'big', ['cat'], stdin=True),
        Case('tr (30 letters)', 'lat-1250', 'big', ['tr', TR_FROM, TR_TO], stdin=True),
        Case('sed (1 substitution)', 'lat-1250', 'big', ['sed', sed_script], stdin=True),
        Case('iconv cp1250 → utf-8', 'lat-1250', 'big',
             ['iconv', '-f', 'cp1250', '-t', 'utf-8'], stdin=True),
        Case('perl (dictionary hash)', 'lat-1250', 'big',
             ['perl', '-e', PERL_SUBSTITUTION, os.path.join(DATA, '1_rjecnik.txt')],
             stdin=True),
    ]


def remove_outputs(folder):
    for name in os.listdir(folder):
        if not name.startswith('tekst') or re.search(r'_(hr|sr)\.txt$|^tekst\.out$', name):
            os.remove(os.path.join(folder, name))


def run_once(case, work):
    folder = os.path.join(work, case.form, case.files)
    remove_outputs(folder)
    argv = [a.replace('{dir}', folder) if isinstance(a, str) else a for a in case.argv]
    report = os.path.join(work, 'time.txt')
    stdin = open(os.path.join(folder, 'tekst.txt'), 'rb') if case.stdin else subprocess.DEVNULL
    stdout = open(os.path.join(folder, 'tekst.out'), 'wb') if case.stdin else subprocess.DEVNULL
    try:
        # /usr/bin/time reports the peak memory; the CPU time comes from the rusage of its
        # process, which takes in the command's, in microseconds rather than its 10 ms steps.
        started = time.monotonic()
        child = subprocess.Popen(['/usr/bin/time', '-f', '%M', '-o', report] + argv,
                                 stdin=stdin, stdout=stdout,
                                 env=dict(os.environ, LC_ALL='C', QT_QPA_PLATFORM='offscreen'))
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.monotonic() - started
        child.returncode = os.waitstatus_to_exitcode(status)
    finally:
        if case.stdin:
            stdin.close()
            stdout.close()
    if child.returncode != 0:
        sys.exit(f'{case.name} failed with status {child.returncode}')
    with open(report) as f:
        peak = int(f.read().split()[-1])
    cpu = usage.ru_utime + usage.ru_stime
    remove_outputs(folder)
    case.times.append((wall, cpu, peak))


# ---------------------------------------------------------------------------------------


def build(build_dir, target='lorvan-cli', options=('-DBUILD_TESTING=OFF', '-DLORVAN_GUI=OFF')):
    print(f'building {target} in {build_dir} ...', file=sys.stderr, flush=True)
    subprocess.run(['cmake', '-S', ROOT, '-B', build_dir, '-DCMAKE_BUILD_TYPE=Release',
                    *options], check=True, stdout=subprocess.DEVNULL)
    subprocess.run(['cmake', '--build', build_dir, '--target', target], check=True,
                   stdout=subprocess.DEVNULL)


def commit():
    try:
        return subprocess.run(['git', '-C', ROOT, 'rev-parse', '--short', 'HEAD'],
                              capture_output=True, text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return 'unknown'


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    parser.add_argument('--size', type=float, default=100, help='MB of text (default 100)')
    parser.add_argument('--runs', type=int, default=3, help='runs of each command (default 3)')
    parser.add_argument('--cli', help='lorvan-cli to time (default build-release/lorvan-cli)')
    parser.add_argument('--build', action='store_true',
                        help='build build-release/lorvan-cli first even when it exists')
    parser.add_argument('--only', action='append', default=[],
                        help='time only the commands whose name contains WORD (repeatable)')
    parser.add_argument('--keep', action='store_true', help='keep the generated text')
    parser.add_argument('--jobs', action='append', type=int, default=[],
                        help='time the lorvan-cli commands with -j N (repeatable; default: '
                             'its own default, the number of processors)')
    parser.add_argument('--window', action='store_true', help='also time runs of the window')
    args = parser.parse_args()

    os.nice(10)  # the children inherit it
    cli = args.cli
    if cli is None:
        cli_dir = os.path.join(ROOT, 'build-release')
        cli = os.path.join(cli_dir, 'lorvan-cli')
        if args.build or not os.path.exists(cli):
            build(cli_dir)
    cli = os.path.abspath(cli)
    window = None
    if args.window:
        window_dir = os.path.join(ROOT, 'build-release-window')
        window = os.path.join(window_dir, 'bench', 'lorvan-window-run')
        if args.build or not os.path.exists(window):
            build(window_dir, 'lorvan-window-run', ('-DBUILD_TESTING=ON', '-DLORVAN_GUI=ON'))
    version = subprocess.run([cli, '--version'], capture_output=True, text=True,
                             check=True).stdout.strip()

    work = tempfile.mkdtemp(prefix='lorvan-throughput-', dir='/tmp')
    try:
        started = time.monotonic()
        sizes, top_pair = write_data(work, args.size)
        print(f'wrote {sizes["lat-1250"] / 1e6:.1f} MB of text in {work} '
              f'({time.monotonic() - started:.0f} s)', file=sys.stderr, flush=True)

        variants = [(f'-j {n}', ['-j', str(n)]) for n in args.jobs] or CLI_VARIANTS
        cases = lorvan_cases(cli, variants) + (window_cases(window) if window else [])
        cases += anchor_cases(top_pair)
        if args.only:
            # The first case, the reference of the speeds, always runs.
            cases = [c for c in cases if any(w in c.name for w in args.only) or c is cases[0]]
        for run in range(args.runs):
            for case in cases:
                print(f'run {run + 1}/{args.runs}: {case.name} ({case.form}, {case.files})',
                      file=sys.stderr, flush=True)
                run_once(case, work)

        def speed(case):
            return sizes[case.form] / 1e6 / statistics.median(t[1] for t in case.times)

        reference = speed(cases[0])
        # The checkout's commit says which build ran only when the checkout built it.
        built = f'commit {commit()}' if args.cli is None else cli
        print(f'{version}, {built}, {time.strftime("%Y-%m-%d")}, '
              f'{sizes["lat-1250"] / 1e6:.0f} MB of text, median of {args.runs} runs')
        print()
        print('| command | text | MB/s (CPU) | × lorvan translate | peak MB | wall s |')
        print('|---|---|--:|--:|--:|--:|')
        for case in cases:
            files = 'one file' if case.files == 'big' else f'{SMALL_FILES} files'
            print(f'| {case.name} | {case.form}, {files} | {speed(case):.1f} '
                  f'| {speed(case) / reference:.2f} '
                  f'| {max(t[2] for t in case.times) / 1024:.0f} '
                  f'| {statistics.median(t[0] for t in case.times):.2f} |')
        print(f'\n(total {time.monotonic() - started:.0f} s)', file=sys.stderr)
    finally:
        if args.keep:
            print(f'the text is kept in {work}', file=sys.stderr)
        else:
            shutil.rmtree(work)


if __name__ == '__main__':
    main()
