#!/usr/bin/python3
"""Builds the game's pictures from their sources.

    make_art.py --list            one line per picture: set|name|ext|width|height|recipe
    make_art.py --out DIR         writes DIR/<set>/<name>.png (and Cursors.json),
                                  keeping the SVG sources in DIR/svg/<set>/

JPEG backgrounds are listed (recipe "felt" or "sun") but made by the
background generator program, not here.
"""

import argparse
import os
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import catalog  # noqa: E402


def recipe(picture):
    if picture.ext == "png":
        return "svg"
    if picture.ext == "json":
        return "json"
    return picture.make


def listing():
    for p in catalog.pictures():
        print("%s|%s|%s|%d|%d|%s" % (p.set, p.name, p.ext, p.width, p.height, recipe(p)))


def _write_if_changed(path, content):
    try:
        with open(path, encoding="utf-8") as handle:
            if handle.read() == content:
                return False
    except FileNotFoundError:
        pass
    with open(path, "w", encoding="utf-8") as handle:
        handle.write(content)
    return True


def build(out, jobs):
    work = []
    for p in catalog.pictures():
        target_dir = os.path.join(out, p.set)
        os.makedirs(target_dir, exist_ok=True)
        target = os.path.join(target_dir, "%s.%s" % (p.name, p.ext))
        if p.ext == "json":
            _write_if_changed(target, p.make())
            os.utime(target)
        elif p.ext == "png":
            svg_dir = os.path.join(out, "svg", p.set)
            os.makedirs(svg_dir, exist_ok=True)
            source = os.path.join(svg_dir, p.name + ".svg")
            changed = _write_if_changed(source, p.make())
            if changed or not os.path.exists(target):
                work.append((source, target, p.width, p.height))
            else:
                os.utime(target)

    def render(item):
        source, target, width, height = item
        done = subprocess.run(["rsvg-convert", "-w", str(width), "-h", str(height), source, "-o", target],
                              capture_output=True, text=True)
        return target, done.returncode, done.stderr

    failed = 0
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        for target, code, err in pool.map(render, work):
            if code != 0:
                failed += 1
                sys.stderr.write("rendering %s failed: %s\n" % (target, err.strip()))
    print("pictures: %d rendered, %d up to date" % (len(work) - failed,
                                                     sum(1 for p in catalog.pictures() if p.ext == "png") - len(work)))
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--out")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()
    if args.list:
        listing()
        return 0
    if not args.out:
        parser.error("--out or --list is needed")
    return build(args.out, max(1, args.jobs))


if __name__ == "__main__":
    sys.exit(main())
