"""Writes the launcher icon as SVG: the game's round logo from the art sources."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets", "art"))

import lettering  # noqa: E402


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUT.svg")
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write(lettering.logo(256, 256))


if __name__ == "__main__":
    main()
