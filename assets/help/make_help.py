#!/usr/bin/python3
"""Turns the help sources into HTML pages.

    make_help.py OUT_FOLDER SOURCE.txt [SOURCE.txt ...]

A source is UTF-8 text: "= " starts the page title, "== " a section,
"- " a list item; any other non-empty line is a paragraph. Each SOURCE
Tarvel_<suffix>.txt becomes OUT_FOLDER/Tarvel_<suffix>.html.
"""

import html
import os
import sys

STYLE = """body{font-family:'DejaVu Sans',Arial,sans-serif;max-width:46em;margin:2em auto;padding:0 1em;
background:#0C4A24;color:#FFFDF0;line-height:1.5}
h1{color:#F2B81E;font-family:'DejaVu Serif',serif;border-bottom:2px solid #E2B64A;padding-bottom:.2em}
h2{color:#FFD860;font-family:'DejaVu Serif',serif;margin-top:1.6em}
li{margin:.3em 0}"""


def convert(lines):
    out, title, in_list = [], "", False
    for raw in lines:
        line = raw.rstrip("\n")
        if not line.strip():
            continue
        if line.startswith("- "):
            if not in_list:
                out.append("<ul>")
                in_list = True
            out.append("<li>%s</li>" % html.escape(line[2:]))
            continue
        if in_list:
            out.append("</ul>")
            in_list = False
        if line.startswith("== "):
            out.append("<h2>%s</h2>" % html.escape(line[3:]))
        elif line.startswith("= "):
            title = line[2:]
            out.append("<h1>%s</h1>" % html.escape(title))
        else:
            out.append("<p>%s</p>" % html.escape(line))
    if in_list:
        out.append("</ul>")
    return ('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>%s</title><style>%s</style></head>\n'
            '<body>\n%s\n</body></html>\n' % (html.escape(title), STYLE, "\n".join(out)))


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for source in argv[2:]:
        name = os.path.splitext(os.path.basename(source))[0]
        with open(source, encoding="utf-8") as handle:
            page = convert(handle)
        with open(os.path.join(folder, name + ".html"), "w", encoding="utf-8") as handle:
            handle.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
