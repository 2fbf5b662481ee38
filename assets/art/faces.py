"""Card faces: indices, pip layouts, aces and court panels.

Two size classes are drawn, each at its own pixel size:
  small  69 x 94, opaque; the table code draws the one-pixel outline around it
  large 146 x 198, with its own rounded border and transparent corners
"""

import math
from dataclasses import dataclass, field

import courts
import fontmetrics
import suits
from svgkit import doc, n, text

RANKS = ["9", "10", "J", "Q", "K", "A"]                 # rank index 0..5
RANK_PART = {"9": "09", "10": "10", "J": "2J", "Q": "3Q", "K": "4K", "A": "5A"}
SUIT_PART = {"h": "Ch", "d": "Bu", "c": "Kr", "s": "Pi"}
SYMBOL_NAME = {"h": "Cher", "d": "Bubi", "c": "Kres", "s": "Piki"}


@dataclass
class Size:
    width: int
    height: int
    opaque: bool
    index_x: float          # centre of the corner index
    index_base: float       # baseline of the rank
    index_size: float       # font size of the rank
    index_max: float        # widest rank text allowed
    index_pip_y: float
    index_pip: float
    pip: float              # pip size of the number cards
    cols: tuple             # left, centre, right pip columns
    rows: tuple             # four pip rows of nines and tens
    ten_rows: tuple         # the two centre pips of a ten
    ace_radius: float
    ace_pip: float
    panel: tuple            # court panel left, width
    outline: float          # figure outline width in figure units


SMALL = Size(69, 94, True, 7.6, 12.6, 12.6, 10.6, 20.2, 8.6, 11.8,
             (21.2, 34.5, 47.8), (15.5, 36.5, 57.5, 78.5), (26, 68),
             19.5, 29, (13.5, 42), 1.9)
LARGE = Size(146, 198, False, 15.5, 29, 27.5, 22, 45, 18, 24,
             (46, 73, 100), (33, 77, 121, 165), (55, 143),
             42, 62, (29, 88), 1.25)


def _court_palettes(base):
    """Per-suit palettes of the court figures, built from a theme's colours."""
    out = {}
    for suit, (robe, robe_dark, trim, hair, hair_dark, young, young_dark) in base.items():
        out[suit] = {"robe": robe, "robe_dark": robe_dark, "trim": trim, "hair": hair,
                     "hair_dark": hair_dark, "young": young, "young_dark": young_dark}
    return out


@dataclass
class Theme:
    code: str                        # deck code appended to the resource names
    face_top: str
    face_bottom: str
    edge: str
    red: tuple                       # light, mid, dark
    black: tuple
    index_font: str                  # fontconfig pattern
    index_family: str
    panel_line: str
    panel_fill: str
    ace_fill: dict
    courts: dict
    common: dict = field(default_factory=dict)
    suit_colours: dict = None        # per-suit (light, mid, dark) for a four-colour deck
    index_scale: float = 1.0         # corner index size, 1.5 for a large-print deck
    court_style: str = "figure"      # "figure", or "letter": a large rank letter and pip
    court_letters: dict = None       # the letters of "letter" courts, by rank
    letter_family: str = ""
    ace_style: str = "medallion"     # "medallion", or "plain": one large pip
    rank_labels: dict = None         # corner texts that differ from the ranks (French "V", "D", "R")
    frame: str = ""                  # colour of an inner frame line, none when empty
    pip_scale: float = 1.0           # pips of the nines and tens


_COMMON = {"outline": "#2B1B0E", "gold": "#E7B52C", "gold_light": "#FBE38A", "gold_dark": "#A87A12",
           "jewel": "#C8102E", "jewel2": "#1F5FB8", "leaf": "#2E8B3E", "rose": "#D9263F",
           "rose_dark": "#8E0B20", "lips": "#C0283A", "wood": "#8B5A2B", "steel": "#C9D1DA"}

CLASSIC = Theme(
    code="", face_top="#FFFFFF", face_bottom="#F7F5EE", edge="#3A3A3A",
    red=("#EC4055", "#CF1530", "#960A1E"), black=("#555A63", "#1B1D22", "#000000"),
    index_font="DejaVu Serif:condensed:bold", index_family="DejaVu Serif Condensed",
    panel_line="#1F3F86", panel_fill="#FFFEFA",
    ace_fill={"h": "#FDEBEE", "d": "#FDEBEE", "c": "#ECEEF2", "s": "#ECEEF2"},
    courts=_court_palettes({
        "h": ("#CF1530", "#7E0A1C", "#1F4E9C", "#8B5A2B", "#4A2A10", "#B0602C", "#5A2A10"),
        "d": ("#E7B52C", "#9C7410", "#CF1530", "#5A3A1E", "#2E1A08", "#8A4A1E", "#4A2208"),
        "c": ("#1F4E9C", "#10305F", "#CF1530", "#D7A93C", "#7A5A10", "#4A2E18", "#24140A"),
        "s": ("#2C2F3A", "#0A0B10", "#CF1530", "#D9D9D9", "#6E6E6E", "#3A2E26", "#120C08"),
    }),
    common=_COMMON)

MEDIEVAL = Theme(
    code="Med", face_top="#FBF1D6", face_bottom="#EEDDB2", edge="#5A3A14",
    red=("#C0392B", "#9B1B1B", "#5E0E0E"), black=("#3F5A35", "#233A1E", "#0F1E0C"),
    index_font="DejaVu Serif:bold", index_family="DejaVu Serif",
    panel_line="#6B4513", panel_fill="#FFF6DC",
    ace_fill={"h": "#F5DEC8", "d": "#F5DEC8", "c": "#E4E8D2", "s": "#E4E8D2"},
    courts=_court_palettes({
        "h": ("#9B1B1B", "#5E0E0E", "#2F4F2F", "#6B3E1E", "#3A1E08", "#C08040", "#6A3A10"),
        "d": ("#B8860B", "#7A5A08", "#9B1B1B", "#3A2410", "#1E1006", "#D8B060", "#7A5A18"),
        "c": ("#2F4F2F", "#15280F", "#B8860B", "#A0522D", "#5A2A10", "#5A3A1E", "#2A1808"),
        "s": ("#4B3B5C", "#241A30", "#9B1B1B", "#BFBFBF", "#5E5E5E", "#2A2420", "#100C08"),
    }),
    common=dict(_COMMON, gold="#C99A2E", gold_light="#EED28A", gold_dark="#7E5A10"))

_BLACK = ("#555A63", "#1B1D22", "#000000")
_RED = ("#EC4055", "#CF1530", "#960A1E")

# Module decks. Each differs from the program's deck in more than colour:
# flat letter courts, a large-print index, four suit colours, French corner
# letters, Chinese court characters, frames.
MODERN = Theme(
    code="Mod", face_top="#FFFFFF", face_bottom="#FFFFFF", edge="#9E9E9E",
    red=("#EF5350", "#E53935", "#C62828"), black=("#424242", "#212121", "#111111"),
    index_font="DejaVu Sans:bold", index_family="DejaVu Sans",
    panel_line="#BDBDBD", panel_fill="#F5F5F5", ace_fill=CLASSIC.ace_fill, courts=CLASSIC.courts,
    common=_COMMON, court_style="letter", ace_style="plain")

CELTIC = Theme(
    code="Cel", face_top="#F3F0DC", face_bottom="#E2DDBA", edge="#2F4F2F",
    red=("#C0504D", "#8B1A1A", "#5A0A0A"), black=("#3E6B48", "#1F4D2B", "#0B2414"),
    index_font="DejaVu Serif:bold", index_family="DejaVu Serif",
    panel_line="#2F6B3A", panel_fill="#FBF8E6",
    ace_fill={"h": "#F1E2D0", "d": "#F1E2D0", "c": "#DDE8D2", "s": "#DDE8D2"},
    courts=_court_palettes({
        "h": ("#2F6B3A", "#17391E", "#C9A227", "#B5562A", "#6A2A10", "#C77A3A", "#6A3A10"),
        "d": ("#C9A227", "#7E6410", "#2F6B3A", "#7A3A1E", "#3A1A08", "#B06A2A", "#5A3008"),
        "c": ("#1F4D2B", "#0B2414", "#C9A227", "#D7A93C", "#7A5A10", "#5A3A1E", "#2A1808"),
        "s": ("#3A5A4A", "#1A2E24", "#8B1A1A", "#D9D9D9", "#6E6E6E", "#3A2E26", "#120C08"),
    }),
    common=dict(_COMMON, gold="#C9A227"), frame="#C9A227")

ENGLISH = Theme(
    code="Eng", face_top="#FFFFFF", face_bottom="#FBF8F0", edge="#202020",
    red=_RED, black=_BLACK, index_font="DejaVu Serif:bold", index_family="DejaVu Serif",
    panel_line="#C8102E", panel_fill="#FFFBEA", ace_fill=CLASSIC.ace_fill,
    courts=_court_palettes({
        "h": ("#F2C200", "#A88400", "#1F3F86", "#C8102E", "#7A0A1C", "#E0A030", "#8A5A10"),
        "d": ("#1F3F86", "#0F2050", "#F2C200", "#E0A030", "#8A5A10", "#C8102E", "#7A0A1C"),
        "c": ("#C8102E", "#7A0A1C", "#F2C200", "#1F3F86", "#0F2050", "#E0A030", "#8A5A10"),
        "s": ("#F2C200", "#A88400", "#C8102E", "#1F3F86", "#0F2050", "#303030", "#101010"),
    }),
    common=_COMMON, frame="#1F3F86")

LONDON = Theme(
    code="Lon", face_top="#FFFFF8", face_bottom="#FFFFF0", edge="#303030",
    red=("#FF3B30", "#D50000", "#8E0000"), black=("#444444", "#000000", "#000000"),
    index_font="DejaVu Sans:condensed:bold", index_family="DejaVu Sans Condensed",
    panel_line="#303030", panel_fill="#FFFFFF", ace_fill=CLASSIC.ace_fill, courts=CLASSIC.courts,
    common=_COMMON, index_scale=1.55, pip_scale=0.8)

SEASONS = Theme(
    code="Sea", face_top="#FFFFFF", face_bottom="#F1F6EE", edge="#3A3A3A", red=_RED, black=_BLACK,
    index_font="DejaVu Sans:bold", index_family="DejaVu Sans",
    panel_line="#5A7A3A", panel_fill="#FCFFF6",
    ace_fill={"h": "#FDEBEE", "d": "#E3F0FC", "c": "#E6F4E6", "s": "#ECEEF2"},
    courts=_court_palettes({
        "h": ("#E53935", "#8E1212", "#F2C200", "#8B5A2B", "#4A2A10", "#B0602C", "#5A2A10"),
        "d": ("#1E88E5", "#0D3C78", "#F2C200", "#5A3A1E", "#2E1A08", "#8A4A1E", "#4A2208"),
        "c": ("#43A047", "#14451A", "#F2C200", "#D7A93C", "#7A5A10", "#4A2E18", "#24140A"),
        "s": ("#37474F", "#101820", "#E53935", "#D9D9D9", "#6E6E6E", "#3A2E26", "#120C08"),
    }),
    common=_COMMON,
    suit_colours={"h": ("#EF5350", "#D32F2F", "#8E1212"), "d": ("#64B5F6", "#1565C0", "#0D3C78"),
                  "c": ("#66BB6A", "#2E7D32", "#14451A"), "s": _BLACK})

ROYAL = Theme(
    code="Roy", face_top="#F6EEFF", face_bottom="#E6D6F5", edge="#4B2A6B",
    red=("#E0435A", "#B0102A", "#6A0818"), black=("#5B3F7A", "#2E1A4A", "#140A24"),
    index_font="DejaVu Serif:bold", index_family="DejaVu Serif",
    panel_line="#6B3FA0", panel_fill="#FFF9E8",
    ace_fill={"h": "#F8E0EA", "d": "#F8E0EA", "c": "#E8DDF5", "s": "#E8DDF5"},
    courts=_court_palettes({
        "h": ("#6B3FA0", "#3A1E60", "#E7B52C", "#8B5A2B", "#4A2A10", "#B0602C", "#5A2A10"),
        "d": ("#E7B52C", "#9C7410", "#6B3FA0", "#5A3A1E", "#2E1A08", "#8A4A1E", "#4A2208"),
        "c": ("#3A1E60", "#1A0A30", "#E7B52C", "#D7A93C", "#7A5A10", "#4A2E18", "#24140A"),
        "s": ("#B0102A", "#6A0818", "#E7B52C", "#D9D9D9", "#6E6E6E", "#3A2E26", "#120C08"),
    }),
    common=_COMMON, frame="#C9A227")

FRENCH = Theme(
    code="Fra", face_top="#FCFBF7", face_bottom="#F3EFE4", edge="#2B3A67",
    red=("#F0506A", "#D01C3C", "#8A0A22"), black=("#3A4A7A", "#17224A", "#050A20"),
    index_font="DejaVu Serif:bold", index_family="DejaVu Serif",
    panel_line="#2B3A67", panel_fill="#FFFDF7",
    ace_fill={"h": "#FBE6EA", "d": "#FBE6EA", "c": "#E4E8F4", "s": "#E4E8F4"},
    courts=_court_palettes({
        "h": ("#2B3A67", "#141C38", "#D01C3C", "#C9A227", "#7A5A10", "#A0602C", "#5A2A10"),
        "d": ("#D01C3C", "#7A0A1C", "#2B3A67", "#5A3A1E", "#2E1A08", "#8A4A1E", "#4A2208"),
        "c": ("#3C7A3C", "#1C3A1C", "#D01C3C", "#D7A93C", "#7A5A10", "#4A2E18", "#24140A"),
        "s": ("#2B3A67", "#141C38", "#C9A227", "#D9D9D9", "#6E6E6E", "#3A2E26", "#120C08"),
    }),
    common=_COMMON, rank_labels={"J": "V", "Q": "D", "K": "R"})

CHINESE = Theme(
    code="Chi", face_top="#FFF3D6", face_bottom="#F6DDA8", edge="#8B0000",
    red=("#FF5A4E", "#D0021B", "#7A0010"), black=("#2E4A3A", "#14281E", "#050E09"),
    index_font="DejaVu Sans:bold", index_family="DejaVu Sans",
    panel_line="#B8860B", panel_fill="#FCE9C0", ace_fill=CLASSIC.ace_fill, courts=CLASSIC.courts,
    common=_COMMON, court_style="letter", court_letters={"K": "王", "Q": "后", "J": "侍"},
    letter_family="WenQuanYi Micro Hei", ace_style="plain", frame="#D0021B")

# Module decks by module: (set, theme).
MODULE_DECKS = [("QorCards06A", t) for t in (MEDIEVAL, MODERN, CELTIC, ENGLISH, LONDON, SEASONS, ROYAL)] + \
               [("QorCards06C", t) for t in (FRENCH, CHINESE)]

THEMES = {"classic": CLASSIC, "medieval": MEDIEVAL}


def _triple(theme, suit):
    if theme.suit_colours:
        return theme.suit_colours[suit]
    return theme.red if suit in suits.RED_SUITS else theme.black


def _colour(theme, suit):
    return _triple(theme, suit)[1]


def pip_defs(theme, prefix="p"):
    """The theme's suit symbols, in its own colours."""
    if theme.suit_colours:
        return suits.pip_defs(prefix, theme.red, theme.black, per_suit=theme.suit_colours)
    return suits.pip_defs(prefix, theme.red, theme.black)


def _card_base(theme, size):
    w, h = size.width, size.height
    defs = ('<linearGradient id="face" x1="0" y1="0" x2="0.25" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
            % (theme.face_top, theme.face_bottom))
    if size.opaque:
        # The corner pixels stay dark so that the outline drawn around the
        # picture by the table rounds off instead of showing a white notch.
        body = ('<rect width="%d" height="%d" fill="#4A4A4A"/>'
                '<rect width="%d" height="%d" rx="2.2" fill="url(#face)"/>' % (w, h, w, h))
    else:
        body = ('<rect x="0.5" y="0.5" width="%s" height="%s" rx="8" fill="url(#face)" '
                'stroke="%s" stroke-width="1"/>'
                '<rect x="1.5" y="1.5" width="%s" height="%s" rx="7" fill="none" stroke="#FFFFFF" '
                'stroke-opacity="0.8" stroke-width="1"/>' % (n(w - 1), n(h - 1), theme.edge,
                                                                n(w - 3), n(h - 3)))
    return defs, body


def _index(theme, size, rank, suit):
    """Rank and suit in the top-left corner, and the same turned round."""
    font = fontmetrics.font(theme.index_font)
    label_text = (theme.rank_labels or {}).get(rank, rank)
    k = theme.index_scale
    index_size = size.index_size * k
    width = font.width(label_text, index_size)
    squeeze = min(1.0, size.index_max * k / width)
    # A larger index grows down and to the right from the same corner.
    x = size.index_x * (1 + (k - 1) * 0.6)
    base = size.index_base + size.index_size * (k - 1) * 0.8
    pip_y = size.index_pip_y + (base - size.index_base) + size.index_pip * (k - 1) * 0.5
    label = text(0, 0, label_text, index_size, theme.index_family, _colour(theme, suit))
    one = ('<g transform="translate(%s %s) scale(%s 1)">%s</g>' % (n(x), n(base), n(squeeze), label))
    one += suits.use_pip("p", suit, x, pip_y, size.index_pip * k)
    return '<g id="idx">%s</g><use xlink:href="#idx" transform="rotate(180 %s %s)"/>' % (
        one, n(size.width / 2), n(size.height / 2))


def _pips(size, rank, suit, scale=1.0):
    left, centre, right = size.cols
    spots = [(x, y) for x in (left, right) for y in size.rows]
    if rank == "9":
        spots.append((centre, size.height / 2))
    else:
        spots += [(centre, y) for y in size.ten_rows]
    out = []
    for x, y in spots:
        out.append(suits.use_pip("p", suit, x, y, size.pip * scale, flip=y > size.height / 2 + 0.5))
    return "".join(out)


def _plain_ace(theme, size, suit):
    return "", suits.use_pip("p", suit, size.width / 2, size.height / 2, size.ace_radius * 2.3)


def _ace(theme, size, suit):
    if theme.ace_style == "plain":
        return _plain_ace(theme, size, suit)
    cx, cy = size.width / 2, size.height / 2
    r = size.ace_radius
    col = _colour(theme, suit)
    k = size.width / 69.0
    defs = ('<radialGradient id="medal" cx="0.5" cy="0.42" r="0.6">'
            '<stop offset="0" stop-color="#FFFFFF"/><stop offset="1" stop-color="%s"/>'
            '</radialGradient>' % theme.ace_fill[suit])
    out = ['<circle cx="%s" cy="%s" r="%s" fill="url(#medal)" stroke="%s" stroke-width="%s"/>' % (
        n(cx), n(cy), n(r), col, n(0.9 * k))]
    out.append('<circle cx="%s" cy="%s" r="%s" fill="none" stroke="%s" stroke-width="%s"/>' % (
        n(cx), n(cy), n(r - 2.2 * k), col, n(0.4 * k)))
    # a ring of small lozenges and dots around the medallion

    for i in range(24):
        a = math.pi * 2 * i / 24
        rr = r + 3.2 * k
        x, y = cx + rr * math.cos(a), cy + rr * math.sin(a)
        if i % 2 == 0:
            d = 1.5 * k
            out.append('<path d="M%s %sL%s %sL%s %sL%s %sZ" fill="%s" transform="rotate(%s %s %s)"/>' % (
                n(x - d), n(y), n(x), n(y - d * 0.55), n(x + d), n(y), n(x), n(y + d * 0.55), col,
                n(math.degrees(a)), n(x), n(y)))
        else:
            out.append('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (n(x), n(y), n(0.55 * k), col))
    pip = size.ace_pip
    out.append('<g filter="url(#soft)">%s</g>' % suits.use_pip("p", suit, cx, cy + 0.5 * k, pip))
    if suit == "s":
        # the spade ace carries a small gold star in its heart, as tradition has it
        star = []
        for i in range(10):
            a = math.pi * i / 5 - math.pi / 2
            rr = (3.6 if i % 2 == 0 else 1.5) * k
            star.append("%s %s" % (n(cx + rr * math.cos(a)), n(cy - 1 * k + rr * math.sin(a))))
        out.append('<path d="M%sZ" fill="%s" stroke="%s" stroke-width="%s"/>' % (
            "L".join(star), theme.common["gold_light"], theme.common["gold_dark"], n(0.3 * k)))
    defs += ('<filter id="soft" x="-20%%" y="-20%%" width="140%%" height="140%%">'
             '<feGaussianBlur in="SourceAlpha" stdDeviation="%s"/><feOffset dx="%s" dy="%s"/>'
             '<feComponentTransfer><feFuncA type="linear" slope="0.35"/></feComponentTransfer>'
             '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>' % (
                 n(0.8 * k), n(0.5 * k), n(0.7 * k)))
    return defs, "".join(out)


def _letter_court(theme, size, rank, suit):
    """A flat panel with the rank's letter and a pip, in both halves."""
    left, width = size.panel
    k = size.width / 69.0
    top = size.height / 2 - 90 * width / 100.0
    colour = _colour(theme, suit)
    letter = (theme.court_letters or {}).get(rank, rank)
    half = ('<g id="half"><text x="%s" y="%s" font-family="%s" font-size="%s" font-weight="bold" '
            'text-anchor="middle" fill="%s">%s</text>%s</g>' % (
                n(size.width / 2 - 5 * k), n(size.height / 2 - 6 * k), theme.letter_family or theme.index_family,
                n(30 * k), colour, letter, suits.use_pip("p", suit, size.width / 2 + 12 * k, size.height / 2 - 26 * k,
                                                          11 * k)))
    body = ['<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" stroke-width="%s"/>' % (
        n(left), n(top), n(width), n(size.height - 2 * top), n(3 * k), theme.panel_fill, theme.panel_line,
        n(0.6 * k)), half,
        '<use xlink:href="#half" transform="rotate(180 %s %s)"/>' % (n(size.width / 2), n(size.height / 2))]
    return "", "".join(body)


def _court(theme, size, rank, suit):
    if theme.court_style == "letter":
        return _letter_court(theme, size, rank, suit)
    left, width = size.panel
    s = width / 100.0
    half = 90 * s
    top = size.height / 2 - half
    pal = dict(theme.common)
    pal.update(theme.courts[suit])
    if rank != "K":
        pal["hair"], pal["hair_dark"] = pal["young"], pal["young_dark"]
    figure = courts.FIGURES[rank](pal, size.outline, "fg")
    line = theme.panel_line
    k = size.width / 69.0
    half_group = ('<g id="half" transform="translate(%s %s) scale(%s)"><g clip-path="url(#clip)">'
                  '<rect width="100" height="90" fill="%s"/>%s%s</g></g>' % (
                      n(left), n(top), n(s), theme.panel_fill, figure,
                      suits.use_pip("p", suit, 11, 11, 15)))
    body = [half_group,
            '<use xlink:href="#half" transform="rotate(180 %s %s)"/>' % (n(size.width / 2), n(size.height / 2))]
    body.append('<path d="M%s %sH%s" stroke="%s" stroke-width="%s"/>' % (
        n(left), n(size.height / 2), n(left + width), line, n(0.5 * k)))
    body.append('<rect x="%s" y="%s" width="%s" height="%s" fill="none" stroke="%s" stroke-width="%s"/>' % (
        n(left), n(top), n(width), n(2 * half), line, n(0.6 * k)))
    body.append('<rect x="%s" y="%s" width="%s" height="%s" fill="none" stroke="%s" stroke-width="%s"/>' % (
        n(left - 1.1 * k), n(top - 1.1 * k), n(width + 2.2 * k), n(2 * half + 2.2 * k),
        theme.common["gold"], n(0.5 * k)))
    defs = '<clipPath id="clip"><rect width="100" height="90"/></clipPath>'
    return defs, "".join(body)


def face(theme, size, rank, suit):
    defs, body = _card_base(theme, size)
    defs += pip_defs(theme)
    parts = [body]
    if theme.frame:
        k = size.width / 69.0
        parts.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="none" stroke="%s" '
                     'stroke-width="%s"/>' % (n(2.5 * k), n(2.5 * k), n(size.width - 5 * k), n(size.height - 5 * k),
                                              n(2.5 * k), theme.frame, n(0.8 * k)))
    if rank in ("9", "10"):
        parts.append(_pips(size, rank, suit, theme.pip_scale))
    elif rank == "A":
        d, b = _ace(theme, size, suit)
        defs += d
        parts.append(b)
    else:
        d, b = _court(theme, size, rank, suit)
        defs += d
        parts.append(b)
    parts.append(_index(theme, size, rank, suit))
    return doc(size.width, size.height, "".join(parts), defs)


def symbol(theme, px, suit):
    """A suit symbol on a transparent square of `px` pixels."""
    defs = pip_defs(theme)
    defs += ('<filter id="sh" x="-20%%" y="-20%%" width="140%%" height="140%%">'
             '<feGaussianBlur in="SourceAlpha" stdDeviation="%s"/><feOffset dx="%s" dy="%s"/>'
             '<feComponentTransfer><feFuncA type="linear" slope="0.45"/></feComponentTransfer>'
             '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>' % (
                 n(px / 40.0), n(px / 40.0), n(px / 30.0)))
    body = '<g filter="url(#sh)">%s</g>' % suits.use_pip("p", suit, px / 2.0, px / 2.0, px * 0.86)
    return doc(px, px, body, defs)


def face_name(rank, suit, code="", large=False):
    return SUIT_PART[suit] + RANK_PART[rank] + code + ("B" if large else "")
