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
and small modules written byte by byte in the format of rcc's version 1,
each holding one picture, ":/QorCards06A/Ch09Med.png" unless said otherwise:
  tiny.rcc                    sound, the picture is four bytes of junk
  damaged-name-offset.rcc     a name offset far outside the file
  damaged-child-offset.rcc    a folder whose children lie far outside the file
  damaged-data-offset.rcc     the picture's data offset far outside the file
  damaged-data-size.rcc       the picture's size far larger than the file
  damaged-negative-count.rcc  a folder with -1 children (its one picture is Ch10Med.png)
The damaged ones are modules that a download or a disk may spoil; loading
any of them must leave the deck missing, not crash or hang the program.
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


def resource_hash(name):
    """The hash rcc stores beside every name (Qt's qt_hash over UTF-16)."""
    h = 0
    for c in name:
        h = ((h << 4) + ord(c)) & 0xFFFFFFFF
        h ^= (h & 0xF0000000) >> 23
        h &= 0x0FFFFFFF
    return h


def tiny_module(name_offset=None, child_count=1, child_offset=2, data_offset=0, data_size=4,
                file_name="Ch09Med.png"):
    """A version 1 module: header, three tree nodes (root, folder, file),
    the two names and the file's data, each part right after the other."""
    def name(text):
        return struct.pack(">HI", len(text), resource_hash(text)) + text.encode("utf-16-be")

    folder_name = name("QorCards06A")
    names = folder_name + name(file_name)
    file_name_offset = len(folder_name) if name_offset is None else name_offset
    tree = struct.pack(">IHII", 0, 2, 1, 1)  # root folder: one child, node 1
    tree += struct.pack(">IHiI", 0, 2, child_count, child_offset)  # folder "QorCards06A"
    tree += struct.pack(">IHHHI", file_name_offset, 0, 0, 1, data_offset)  # file, any country, language C
    data = struct.pack(">I", data_size) + b"junk"
    tree_at = 20
    names_at = tree_at + len(tree)
    data_at = names_at + len(names)
    return b"qres" + struct.pack(">iiii", 1, tree_at, data_at, names_at) + tree + names + data


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
    far = 0x7FFFFF00
    tiny = {
        "tiny.rcc": tiny_module(),
        "damaged-name-offset.rcc": tiny_module(name_offset=far),
        "damaged-child-offset.rcc": tiny_module(child_offset=0x07FFFFFF),
        "damaged-data-offset.rcc": tiny_module(data_offset=far),
        "damaged-data-size.rcc": tiny_module(data_size=far),
        # The search among -1 children never ends unless it meets the name.
        "damaged-negative-count.rcc": tiny_module(child_count=-1, file_name="Ch10Med.png"),
    }
    for name, data in tiny.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
