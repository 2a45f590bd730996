"""Reading the hand-written lists; writing the dictionary files: Windows-1250 bytes, CR LF
line ends."""

import os

ENCODING = "cp1250"
MAX_PER_BUCKET = 32767
BUCKET_LETTERS = "abcdefghijklmnoprstuvz"
SHARED_BUCKET = "ČĆŠŽ"
BUCKET_NAMES = [letter.upper() for letter in BUCKET_LETTERS] + [SHARED_BUCKET]


def bucket_of(source):
    """Letter bucket name of a source: A..Z or the shared bucket."""
    first = source[:1].lower()
    return first.upper() if first and first in BUCKET_LETTERS else SHARED_BUCKET


def listed_lines(path):
    """Yields (line number, line) of a hand-written UTF-8 list, each line stripped, blank
    lines and "#" comments left out."""
    with open(path, encoding="utf-8") as handle:
        for number, line in enumerate(handle, 1):
            line = line.strip()
            if line and not line.startswith("#"):
                yield number, line


def write_lines(path, lines):
    """Writes lines with CR LF ends through a temporary file."""
    data = "".join(line + "\r\n" for line in lines).encode(ENCODING)
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as handle:
        handle.write(data)
    os.replace(temporary, path)
