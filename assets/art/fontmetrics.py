"""Advance widths of TrueType fonts, read straight from the font files.

The pictures are written as SVG and rendered by librsvg, which lays text out
with the same fonts.  To fit a caption into a plate, or to squeeze a "10" into
a card corner, the generator needs the width of a text before rendering; this
module reads the 'cmap', 'head', 'hhea' and 'hmtx' tables to get it.  Kerning
is ignored, so callers keep a small margin.
"""

import struct
import subprocess


class FontError(Exception):
    """The font file is not a TrueType/OpenType font this reader understands."""


def _tables(data, base):
    if len(data) < base + 12:
        raise FontError("truncated offset table")
    (num_tables,) = struct.unpack_from(">H", data, base + 4)
    tables = {}
    for i in range(num_tables):
        pos = base + 12 + 16 * i
        if len(data) < pos + 16:
            raise FontError("truncated table directory")
        tag, _checksum, offset, length = struct.unpack_from(">4sIII", data, pos)
        if offset + length > len(data):
            raise FontError("table %r lies outside the file" % tag)
        tables[tag.decode("latin-1")] = (offset, length)
    for needed in ("cmap", "head", "hhea", "hmtx"):
        if needed not in tables:
            raise FontError("missing table " + needed)
    return tables


def _cmap(data, offset):
    """Character to glyph map from a format 4 or format 12 subtable."""
    (_version, count) = struct.unpack_from(">HH", data, offset)
    best = None
    for i in range(count):
        platform, encoding, sub = struct.unpack_from(">HHI", data, offset + 4 + 8 * i)
        fmt = struct.unpack_from(">H", data, offset + sub)[0]
        if fmt == 12 and (platform, encoding) in ((3, 10), (0, 4), (0, 6)):
            best = (12, offset + sub)
            break
        if fmt == 4 and (platform, encoding) in ((3, 1), (0, 3), (0, 4)) and best is None:
            best = (4, offset + sub)
    if best is None:
        raise FontError("no Unicode character map")
    fmt, pos = best
    mapping = {}
    if fmt == 12:
        (groups,) = struct.unpack_from(">I", data, pos + 12)
        for g in range(groups):
            start, end, glyph = struct.unpack_from(">III", data, pos + 16 + 12 * g)
            for c in range(start, min(end, 0x2FFFF) + 1):
                mapping[c] = glyph + c - start
        return mapping
    (seg2,) = struct.unpack_from(">H", data, pos + 6)
    segs = seg2 // 2
    ends = struct.unpack_from(">%dH" % segs, data, pos + 14)
    starts = struct.unpack_from(">%dH" % segs, data, pos + 16 + seg2)
    deltas = struct.unpack_from(">%dh" % segs, data, pos + 16 + 2 * seg2)
    range_pos = pos + 16 + 3 * seg2
    ranges = struct.unpack_from(">%dH" % segs, data, range_pos)
    for s in range(segs):
        for c in range(starts[s], ends[s] + 1):
            if c == 0xFFFF:
                continue
            if ranges[s] == 0:
                glyph = (c + deltas[s]) & 0xFFFF
            else:
                gpos = range_pos + 2 * s + ranges[s] + 2 * (c - starts[s])
                glyph = struct.unpack_from(">H", data, gpos)[0]
                if glyph:
                    glyph = (glyph + deltas[s]) & 0xFFFF
            if glyph:
                mapping[c] = glyph
    return mapping


class Font:
    """Advance widths of one face; `width(text, size)` in pixels."""

    def __init__(self, data):
        try:
            self._read(data)
        except (struct.error, IndexError, OverflowError) as error:
            raise FontError("damaged font: %s" % error) from error

    def _read(self, data):
        base = 0
        if data[:4] == b"ttcf":
            if len(data) < 16:
                raise FontError("truncated collection header")
            (base,) = struct.unpack_from(">I", data, 12)
        tables = _tables(data, base)
        head = tables["head"][0]
        (self.units,) = struct.unpack_from(">H", data, head + 18)
        if self.units == 0:
            raise FontError("zero units per em")
        hhea = tables["hhea"][0]
        (metrics,) = struct.unpack_from(">H", data, hhea + 34)
        hmtx, hmtx_len = tables["hmtx"]
        if metrics == 0 or metrics * 4 > hmtx_len:
            raise FontError("bad horizontal metrics count")
        self.advances = [struct.unpack_from(">H", data, hmtx + 4 * i)[0] for i in range(metrics)]
        self.cmap = _cmap(data, tables["cmap"][0])

    def has(self, char):
        return ord(char) in self.cmap

    def advance(self, char):
        glyph = self.cmap.get(ord(char), 0)
        return self.advances[min(glyph, len(self.advances) - 1)]

    def width(self, text, size):
        return sum(self.advance(c) for c in text) * size / self.units


_cache = {}


def font(pattern):
    """The font that fontconfig (and therefore librsvg) picks for `pattern`."""
    if pattern not in _cache:
        path = subprocess.run(["fc-match", "-f", "%{file}", pattern], check=True,
                              capture_output=True, text=True).stdout.strip()
        with open(path, "rb") as handle:
            _cache[pattern] = Font(handle.read())
    return _cache[pattern]
