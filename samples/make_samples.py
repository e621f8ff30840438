#!/usr/bin/env python3
"""Build the sample logo files in this folder from the text art in art/.

Every picture is drawn in art/<name>.txt: one line per dot row, top row
first, '#' for a dark dot and '.' for a clear one.  Running

    python3 samples/make_samples.py

rewrites all the sample files.  The output depends only on the art, so a
rerun gives byte-identical files.  Standard library only.

NSL (startup logo, always 84x48 dots)
    A header made of chunks -- each one a 4-letter ASCII name, a 2-byte
    big-endian length and that many data bytes -- then 504 bitmap bytes.
    The usual header is  FORM <length of the rest>, VERS "1.0", MODL (phone
    model), COMM (30-byte comment), NSLD <504>: 70 bytes.  A short layout
    has only  FORM <510>, NSLD <504>: 12 bytes.
    The bitmap is 6 bands of 8 dot rows, top band first.  A band holds one
    byte per column, left to right; bit k of that byte (bit 0 = least
    significant) is the dot in row 8*band + k.  1 = dark.

NLM (LogoManager file)
    A 10-byte header: "NLM ", 0x01, logo type (0 operator, 1 caller group,
    2 startup, 3 picture message), frame count - 1, width, height, 0x01.
    Then the rows, top to bottom, each packed into whole bytes with the
    leftmost dot in the most significant bit, 1 = dark.  An 84-dot row
    takes 11 bytes; its last 4 bits are padding that must never be shown.
"""

import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ART = HERE / "art"

NSL_WIDTH, NSL_HEIGHT = 84, 48
NSL_BITMAP_SIZE = NSL_WIDTH * NSL_HEIGHT // 8          # 504
NSL_HEADER_SIZE = {"usual": 70, "short": 12}

NLM_KINDS = {          # kind: (type byte, width, height)
    "operator": (0, 72, 14),
    "group":    (1, 72, 14),
    "startup":  (2, 84, 48),
    "picture":  (3, 72, 28),
}
NLM_FILE_SIZE = {(72, 14): 136, (72, 28): 262, (84, 48): 538}

# Which file is made from which picture, and how.
#   nsl=<header layout>, comment=<COMM text>   -> NSL file
#   nlm=<kind>, pad=<value of the padding bits> -> NLM file
SAMPLES = [
    dict(out="kestrel_bird.nsl", art="kestrel_bird.txt",
         nsl="usual", comment="kestrel sample: bird"),
    dict(out="hello_frame.nsl", art="hello_frame.txt",
         nsl="usual", comment="hello sample: frame+checker"),
    dict(out="phone_suite_header.nsl", art="phone_suite_header.txt",
         nsl="short"),
    dict(out="operator_plover.nlm", art="operator_plover.txt",
         nlm="operator"),
    dict(out="group_friends.nlm", art="group_friends.txt",
         nlm="group"),
    dict(out="picture_wave.nlm", art="picture_wave.txt",
         nlm="picture"),
    dict(out="startup_sunrise.nlm", art="startup_sunrise.txt",
         nlm="startup", pad=1),
]


def fail(message):
    sys.exit("make_samples: error: " + message)


def read_art(name, width, height):
    """Return the picture as a list of rows of 0/1, checking its size."""
    text = (ART / name).read_text(encoding="ascii")
    if text.endswith("\n"):
        text = text[:-1]
    lines = text.split("\n")
    if len(lines) != height:
        fail(f"art/{name}: {len(lines)} rows, expected {height}")
    rows = []
    for number, line in enumerate(lines, 1):
        if len(line) != width:
            fail(f"art/{name} line {number}: {len(line)} dots, expected {width}")
        bad = set(line) - {"#", "."}
        if bad:
            fail(f"art/{name} line {number}: unexpected {''.join(sorted(bad))!r}")
        rows.append([1 if ch == "#" else 0 for ch in line])
    return rows


def chunk(name, data):
    """One header chunk: 4-letter name, big-endian 16-bit length, data."""
    assert len(name) == 4 and len(data) <= 0xFFFF
    return name.encode("ascii") + struct.pack(">H", len(data)) + data


def nsl_bitmap(rows):
    bitmap = bytearray(NSL_BITMAP_SIZE)
    for y, row in enumerate(rows):
        band, bit = divmod(y, 8)
        for x, dot in enumerate(row):
            if dot:
                bitmap[band * NSL_WIDTH + x] |= 1 << bit
    return bytes(bitmap)


def make_nsl(rows, layout, comment=""):
    bitmap = nsl_bitmap(rows)
    chunks = []
    if layout == "usual":
        note = comment.encode("ascii")
        assert len(note) <= 30, "comment longer than 30 bytes"
        chunks += [chunk("VERS", b"1.0\0"),
                   chunk("MODL", b"3310\0\0"),
                   chunk("COMM", note.ljust(30, b"\0"))]
    body = b"".join(chunks) + chunk("NSLD", bitmap)
    data = b"FORM" + struct.pack(">H", len(body)) + body
    header_size = NSL_HEADER_SIZE[layout]
    assert len(data) == header_size + NSL_BITMAP_SIZE
    assert data[header_size - 6:header_size] == b"NSLD\x01\xf8"
    assert data[header_size:] == bitmap
    return data


def make_nlm(rows, kind, pad=0):
    type_byte, width, height = NLM_KINDS[kind]
    data = bytearray(b"NLM " + bytes([1, type_byte, 0, width, height, 1]))
    pad_bits = -width % 8
    for row in rows:
        bits = row + [pad] * pad_bits
        for i in range(0, len(bits), 8):
            byte = 0
            for dot in bits[i:i + 8]:
                byte = (byte << 1) | dot
            data.append(byte)
    assert len(data) == NLM_FILE_SIZE[(width, height)]
    return bytes(data)


def main():
    # Build everything before writing, so a bad picture changes no file.
    built = []
    for sample in SAMPLES:
        if "nsl" in sample:
            rows = read_art(sample["art"], NSL_WIDTH, NSL_HEIGHT)
            data = make_nsl(rows, sample["nsl"], sample.get("comment", ""))
            how = f"NSL, {sample['nsl']} {NSL_HEADER_SIZE[sample['nsl']]}-byte header"
        else:
            kind = sample["nlm"]
            type_byte, width, height = NLM_KINDS[kind]
            rows = read_art(sample["art"], width, height)
            data = make_nlm(rows, kind, sample.get("pad", 0))
            how = f"NLM type {type_byte} ({kind}), {width}x{height}"
            if sample.get("pad"):
                how += ", padding bits set"
        built.append((sample, data, how))
    for sample, data, how in built:
        (HERE / sample["out"]).write_bytes(data)
        print(f"wrote {sample['out']:24} {len(data):4} bytes  "
              f"from art/{sample['art']}  [{how}]")


if __name__ == "__main__":
    main()
