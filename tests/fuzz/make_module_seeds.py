#!/usr/bin/env python3
"""Writes the seeds of the module fuzz target: small card modules.

    make_module_seeds.py RCC OUT_DIR

RCC is Qt's resource compiler. OUT_DIR receives:
  medieval-v3.rcc      the Medieval-1 deck (deck 1) as "QorCards06A.rcc" holds
                       it, every picture a tiny PNG, format 3, uncompressed
  medieval-v2-zlib.rcc the same, format 2, every entry zlib-compressed
  medieval-v1.rcc      the same, format 1
  header-only.rcc      the first 20 bytes of medieval-v3.rcc
  half.rcc             its first half
The fuzzer mutates these into damaged modules.
"""

import os
import struct
import subprocess
import sys
import tempfile
import zlib

SUITS = ["Ch", "Bu", "Kr", "Pi"]
RANKS = ["09", "10", "2J", "3Q", "4K", "5A"]
SYMBOLS = ["Cher", "Bubi", "Kres", "Piki"]
DECK_CODE = "Med"


def png(width, height, rgba):
    """A PNG of one colour, 8-bit RGBA."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    row = b"\x00" + bytes(rgba) * width
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))


def picture_names():
    names = []
    for size in ["", "B"]:
        names += [s + r + DECK_CODE + size for s in SUITS for r in RANKS]
        names += [s + DECK_CODE + size for s in SYMBOLS]
    return names


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rcc, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        picture = os.path.join(work, "card.png")
        with open(picture, "wb") as f:
            f.write(png(3, 4, (200, 30, 40, 255)))
        qrc = os.path.join(work, "module.qrc")
        with open(qrc, "w", encoding="utf-8") as f:
            f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/QorCards06A">\n')
            for name in picture_names():
                f.write(f'  <file alias="{name}.png">card.png</file>\n')
            f.write("</qresource>\n</RCC>\n")
        variants = [
            ("medieval-v3.rcc", ["--format-version", "3", "--no-compress"]),
            ("medieval-v2-zlib.rcc", ["--format-version", "2", "--compress-algo", "zlib",
                                      "--threshold", "0"]),
            ("medieval-v1.rcc", ["--format-version", "1", "--no-compress"]),
        ]
        for name, options in variants:
            subprocess.run([rcc, "--binary", *options, "--output", os.path.join(out, name), qrc],
                           check=True)
    with open(os.path.join(out, "medieval-v3.rcc"), "rb") as f:
        module = f.read()
    with open(os.path.join(out, "header-only.rcc"), "wb") as f:
        f.write(module[:20])
    with open(os.path.join(out, "half.rcc"), "wb") as f:
        f.write(module[:len(module) // 2])


if __name__ == "__main__":
    main()
