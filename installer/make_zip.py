#!/usr/bin/env python3
"""Writes a zip of the given files, flat, the same bytes from the same input.

Every entry gets one fixed time stamp and the same permissions, in the order of the names, so
that two builds of one version give one archive. Text files get Windows line ends for Notepad.

usage: make_zip.py ARCHIVE FILE...
"""

import os
import sys
import zipfile

FIXED_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest a zip entry can hold


def main():
    archive, files = sys.argv[1], sys.argv[2:]
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as out:
        for path in sorted(files, key=os.path.basename):
            entry = zipfile.ZipInfo(os.path.basename(path), FIXED_TIME)
            entry.external_attr = 0o644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, "rb") as source:
                data = source.read()
            if path.endswith(".txt"):
                data = data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
            out.writestr(entry, data)


if __name__ == "__main__":
    main()
