"""Lays rendered pictures out on one sheet for a visual check.

    contact_sheet.py OUT.png [--zoom Z] [--columns C] [--max-cell PX] [--background COLOUR] PICTURE...

Each picture is shown at its pixel size times the zoom, with its file name
under it; a picture larger than --max-cell pixels is shown reduced to fit.
"""

import argparse
import base64
import os
import struct
import subprocess
import sys
from xml.sax.saxutils import escape


def png_size(path):
    with open(path, "rb") as handle:
        head = handle.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError("%s is not a PNG file" % path)
    return struct.unpack(">II", head[16:24])


def jpeg_size(path):
    with open(path, "rb") as handle:
        data = handle.read()
    pos = 2
    while pos + 9 < len(data):
        if data[pos] != 0xFF:
            break
        marker = data[pos + 1]
        (length,) = struct.unpack(">H", data[pos + 2:pos + 4])
        if marker in (0xC0, 0xC1, 0xC2):
            h, w = struct.unpack(">HH", data[pos + 5:pos + 9])
            return w, h
        pos += 2 + length
    raise ValueError("%s: no frame header" % path)


def data_uri(path):
    """The picture inlined: librsvg only follows file links below the sheet's own folder."""
    kind = "jpeg" if path.lower().endswith(".jpg") else "png"
    with open(path, "rb") as handle:
        return "data:image/%s;base64,%s" % (kind, base64.b64encode(handle.read()).decode("ascii"))


def main(argv):
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("pictures", nargs="+")
    parser.add_argument("--zoom", type=float, default=1.0)
    parser.add_argument("--columns", type=int, default=8)
    parser.add_argument("--max-cell", type=float, default=0)
    parser.add_argument("--background", default="#1E6B3A")
    args = parser.parse_args(argv)
    cells = []
    for path in args.pictures:
        path = os.path.abspath(path)
        w, h = jpeg_size(path) if path.lower().endswith(".jpg") else png_size(path)
        w, h = w * args.zoom, h * args.zoom
        if args.max_cell > 0 and max(w, h) > args.max_cell:
            k = args.max_cell / max(w, h)
            w, h = w * k, h * k
        cells.append((path, w, h))
    gap, label = 10, 14
    col_w = max(c[1] for c in cells) + gap
    rows = [cells[i:i + args.columns] for i in range(0, len(cells), args.columns)]
    body, y = [], gap
    for row in rows:
        row_h = max(c[2] for c in row)
        for i, (path, w, h) in enumerate(row):
            x = gap + i * col_w
            body.append('<image x="%g" y="%g" width="%g" height="%g" xlink:href="%s"/>' % (
                x, y, w, h, data_uri(path)))
            body.append('<text x="%g" y="%g" font-family="DejaVu Sans" font-size="10" fill="#fff">%s</text>'
                        % (x, y + row_h + 11, escape(os.path.splitext(os.path.basename(path))[0])))
        y += row_h + label + gap
    width = int(gap + len(rows[0]) * col_w)
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
           'width="%d" height="%d"><rect width="100%%" height="100%%" fill="%s"/>%s</svg>' % (
               width, int(y), args.background, "".join(body)))
    sheet = args.out + ".svg"
    with open(sheet, "w") as handle:
        handle.write(svg)
    subprocess.run(["rsvg-convert", "--unlimited", sheet, "-o", args.out], check=True)
    os.remove(sheet)


if __name__ == "__main__":
    main(sys.argv[1:])
