"""Pictures of the internet radio.

Compiled into the program:
  FlagC<code>   flags of the 28 countries of the station list (28 x 24)
  GPolkaNw      the shelf the radio icon of the main menu stands on
  GRadioA       the radio's aerial, drawn over the shelf
  GRadioG/R/B   the radio: on (green lamp), off (red lamp), not available (grey)

The radio module QorRadio02:
  RRADIO_MAING / RRADIO_MAINR   the radio of the radio window, on and off
  RRADIO_VOLUME                 ground of the volume display
  RRADIO_RAMKA                  the frame around a station's logo
  RRADIO_LOGO_*                 station logos; RRADIO_LOGO_RADIOUN for a station without its own
"""

import math

import lettering
from svgkit import doc, linear, n, radial, rounded_rect_path, shadow_filter, text

# Country codes of the station list with the language flag they share, or None.
COUNTRIES = ["RUS", "UA0", "BEL", "MOL", "EST", "LAT", "LIT", "ARM", "GEO", "AZE", "KZ0", "UZ0", "USA", "CAN",
             "UK0", "AUS", "DE0", "FRA", "ITA", "NED", "SWE", "CZ0", "ESP", "BRA", "IND", "CHI", "JAP", "SK0"]
_SAME_AS_LANGUAGE = {"RUS": "Rus", "UK0": "Eng", "DE0": "Deu", "FRA": "Fra", "ITA": "Ita", "CZ0": "Cze",
                     "ESP": "Spa", "CHI": "Chi", "JAP": "Jap", "SK0": "Kor"}

# Station logos of the shipped station list: name -> (colours, letters).
LOGOS = {
    "RRADIO_LOGO_TARVELFM": (("#7A0010", "#E0283C"), "FM"),
    "RRADIO_LOGO_SALON": (("#0C3C6E", "#2E86DE"), "SALON"),
    "RRADIO_LOGO_CARDTABLE": (("#0C4A24", "#2E9A52"), "CARDS"),
    "RRADIO_LOGO_NIGHT": (("#1E0A46", "#6A3AC8"), "NIGHT"),
}


def _stripes(colours, vertical=False, weights=None):
    weights = weights or [1] * len(colours)
    total = float(sum(weights))
    out, at = [], 0.0
    for colour, weight in zip(colours, weights):
        size = (28 if vertical else 24) * weight / total
        if vertical:
            out.append('<rect x="%s" width="%s" height="24" fill="%s"/>' % (n(at), n(size + 0.05), colour))
        else:
            out.append('<rect y="%s" width="28" height="%s" fill="%s"/>' % (n(at), n(size + 0.05), colour))
        at += size
    return "".join(out)


def _crescent(cx, cy, r, ground, colour="#FFFFFF"):
    return ('<circle cx="%s" cy="%s" r="%s" fill="%s"/><circle cx="%s" cy="%s" r="%s" fill="%s"/>'
            % (n(cx), n(cy), n(r), colour, n(cx + r * 0.3), n(cy), n(r * 0.8), ground))


def _country_body(code):
    if code in _SAME_AS_LANGUAGE:
        return lettering.language_flag_body(_SAME_AS_LANGUAGE[code])
    if code == "UA0":
        return _stripes(["#0057B7", "#FFD700"])
    if code == "BEL":
        return (_stripes(["#C8313E", "#4AA657"], weights=[2, 1]) + '<rect width="5" height="24" fill="#FFFFFF"/>'
                + "".join('<path d="M2.5 %sL4.5 %sL2.5 %sL0.5 %sZ" fill="#C8313E"/>' % (n(y), n(y + 2), n(y + 4), n(y + 2))
                          for y in range(0, 24, 4)))
    if code == "MOL":
        return _stripes(["#0046AE", "#FFD200", "#CC092F"], vertical=True) + \
            '<rect x="12" y="8" width="4" height="8" rx="1" fill="#8C5A1E"/>'
    if code == "EST":
        return _stripes(["#0072CE", "#000000", "#FFFFFF"])
    if code == "LAT":
        return _stripes(["#9E3039", "#FFFFFF", "#9E3039"], weights=[2, 1, 2])
    if code == "LIT":
        return _stripes(["#FDB913", "#006A44", "#C1272D"])
    if code == "ARM":
        return _stripes(["#D90012", "#0033A0", "#F2A800"])
    if code == "GEO":
        out = '<rect width="28" height="24" fill="#FFFFFF"/><path d="M14 0V24M0 12H28" stroke="#FF0000" stroke-width="4"/>'
        for x, y in ((7, 6), (21, 6), (7, 18), (21, 18)):
            out += '<path d="M%s %sV%sM%s %sH%s" stroke="#FF0000" stroke-width="1.6"/>' % (
                n(x), n(y - 2.5), n(y + 2.5), n(x - 2.5), n(y), n(x + 2.5))
        return out
    if code == "AZE":
        return _stripes(["#0092BC", "#E4002B", "#00AF66"]) + _crescent(12.5, 12, 3.4, "#E4002B") + \
            lettering.star(17, 12, 1.8, "#FFFFFF")
    if code == "KZ0":
        out = '<rect width="28" height="24" fill="#00AFCA"/><circle cx="14" cy="11" r="3.6" fill="#FEC50C"/>'
        for i in range(16):
            a = 2 * math.pi * i / 16
            out += '<path d="M%s %sL%s %s" stroke="#FEC50C" stroke-width="0.9"/>' % (
                n(14 + 4.6 * math.cos(a)), n(11 + 4.6 * math.sin(a)), n(14 + 6.6 * math.cos(a)), n(11 + 6.6 * math.sin(a)))
        return out + '<rect x="2" y="2" width="2" height="20" fill="#FEC50C" opacity="0.8"/>'
    if code == "UZ0":
        return (_stripes(["#0099B5", "#CE1126", "#FFFFFF", "#CE1126", "#1EB53A"], weights=[7, 0.6, 7, 0.6, 7])
                + _crescent(5.5, 4, 2.6, "#0099B5"))
    if code == "USA":
        out = _stripes(["#B22234" if i % 2 == 0 else "#FFFFFF" for i in range(13)])
        out += '<rect width="12" height="13" fill="#3C3B6E"/>'
        for row in range(4):
            for col in range(4):
                out += '<circle cx="%s" cy="%s" r="0.7" fill="#FFFFFF"/>' % (n(1.8 + col * 2.8), n(1.8 + row * 3))
        return out
    if code == "CAN":
        return (_stripes(["#D52B1E", "#FFFFFF", "#D52B1E"], vertical=True, weights=[1, 2, 1])
                + '<path d="M14 5L15.5 8.5L18 7.5L17 12L19.5 11L18.5 14L14 15.5L9.5 14L8.5 11L11 12L10 7.5'
                  'L12.5 8.5Z" fill="#D52B1E"/><rect x="13.4" y="15" width="1.2" height="4" fill="#D52B1E"/>')
    if code == "AUS":
        out = '<rect width="28" height="24" fill="#012169"/>'
        out += '<svg width="14" height="12" viewBox="0 0 28 24">%s</svg>' % lettering.language_flag_body("Eng")
        out += lettering.star(7, 18, 2.4, "#FFFFFF")
        for x, y in ((21, 5), (24.5, 11), (18, 12), (21, 20)):
            out += lettering.star(x, y, 1.3, "#FFFFFF")
        return out
    if code == "NED":
        return _stripes(["#AE1C28", "#FFFFFF", "#21468B"])
    if code == "SWE":
        return '<rect width="28" height="24" fill="#006AA7"/><path d="M10 0V24M0 12H28" stroke="#FECC00" stroke-width="4"/>'
    if code == "BRA":
        return ('<rect width="28" height="24" fill="#009C3B"/><path d="M14 2.5L26 12L14 21.5L2 12Z" fill="#FFDF00"/>'
                '<circle cx="14" cy="12" r="5" fill="#002776"/>'
                '<path d="M9.2 11Q14 9.5 18.8 13" stroke="#FFFFFF" stroke-width="0.9" fill="none"/>')
    if code == "IND":
        out = _stripes(["#FF9933", "#FFFFFF", "#138808"]) + '<circle cx="14" cy="12" r="3" fill="none" ' \
                                                            'stroke="#000080" stroke-width="0.7"/>'
        for i in range(12):
            a = math.pi * i / 12
            out += '<path d="M%s %sL%s %s" stroke="#000080" stroke-width="0.35"/>' % (
                n(14 - 3 * math.cos(a)), n(12 - 3 * math.sin(a)), n(14 + 3 * math.cos(a)), n(12 + 3 * math.sin(a)))
        return out
    raise ValueError("no flag for " + code)


def country_flag(code, width, height):
    return lettering.flag_picture(_country_body(code), width, height)


# ---------------------------------------------------------------------------
# The radio set: one drawing at the reference size 160 x 110.

def _radio_body(lamp, grey, waves):
    body_colour = [(0, "#8A8A8A"), (1, "#4A4A4A")] if grey else [(0, "#C8742C"), (0.5, "#8C4A16"), (1, "#5A2A08")]
    defs = [linear("wood", body_colour), linear("panel", [(0, "#F4E8C8"), (1, "#C8B488")]),
            radial("lamp", [(0, "#FFFFFF"), (0.35, lamp), (1, lamp, 0.6)]),
            shadow_filter("sh", 1.5, 2, 2, 0.45)]
    parts = ['<g filter="url(#sh)">',
             '<path d="%s" fill="url(#wood)" stroke="#2A1404" stroke-width="1.5"/>' % rounded_rect_path(14, 24, 132, 80, 14),
             '<path d="%s" fill="url(#panel)" stroke="#5A3A10" stroke-width="1"/>' % rounded_rect_path(24, 34, 64, 60, 8)]
    # the speaker grille
    for row in range(6):
        parts.append('<path d="M30 %sH82" stroke="#6A4A20" stroke-width="2.2" stroke-linecap="round"/>' % n(43 + row * 8.5))
    # the dial with its needle and the two knobs
    parts.append('<rect x="96" y="36" width="40" height="22" rx="3" fill="#1E1E1E" stroke="#C8A040" stroke-width="1"/>')
    for i in range(7):
        parts.append('<path d="M%s 40V45" stroke="#E8D8A0" stroke-width="0.8"/>' % n(100 + i * 5.3))
    parts.append('<path d="M118 39V56" stroke="#FF4020" stroke-width="1.2"/>')
    for cx in (106, 126):
        parts.append('<circle cx="%s" cy="80" r="8" fill="#2A2A2A" stroke="#C8A040" stroke-width="1.2"/>' % cx)
        parts.append('<path d="M%s 74V80" stroke="#E8D8A0" stroke-width="1.5"/>' % cx)
    parts.append('<circle cx="116" cy="64" r="4" fill="url(#lamp)" stroke="#222" stroke-width="0.6"/>')
    parts.append("</g>")
    if waves:
        for i, r in enumerate((7, 12, 17)):
            parts.append('<path d="M%s %sA%s %s 0 0 1 %s %s" stroke="#30D040" stroke-width="2.4" fill="none" '
                         'stroke-linecap="round" opacity="%s"/>' % (
                             n(142 + r * math.cos(-0.7)), n(40 + r * math.sin(-0.7)), r, r,
                             n(142 + r * math.cos(0.7)), n(40 + r * math.sin(0.7)), n(1 - 0.25 * i)))
    return "".join(parts), "".join(defs)


def radio(state, width, height):
    """The radio of the window: state "G" (on) or "R" (off)."""
    body, defs = _radio_body("#20E040" if state == "G" else "#E02020", False, state == "G")
    aerial = '<path d="M40 26L18 2" stroke="#A0A0A8" stroke-width="2" stroke-linecap="round"/>'
    return doc(width, height, aerial + body, defs, view=(0, 0, 160, 110))


def icon_radio(state, width, height):
    """The radio of the main menu's icon (220 x 125), standing on the shelf."""
    lamp = {"G": "#20E040", "R": "#E02020", "B": "#808080"}[state]
    body, defs = _radio_body(lamp, state == "B", state == "G")
    return doc(width, height, '<g transform="translate(30 2)">%s</g>' % body, defs, view=(0, 0, 220, 125))


def aerial(width, height):
    parts = ['<path d="M72 28L44 2" stroke="#B8B8C0" stroke-width="2.2" stroke-linecap="round"/>',
             '<circle cx="44" cy="2.5" r="2" fill="#E0E0E8"/>',
             '<path d="M150 28L176 6" stroke="#B8B8C0" stroke-width="1.6" stroke-linecap="round"/>']
    return doc(width, height, "".join(parts), view=(0, 0, 220, 125))


def shelf(width, height):
    defs = [linear("board", [(0, "#B87838"), (0.5, "#8A5020"), (1, "#4A2808")]),
            shadow_filter("sh", 0, 3, 3, 0.5)]
    parts = ['<g filter="url(#sh)">',
             '<rect x="4" y="106" width="212" height="11" rx="2" fill="url(#board)" stroke="#2A1404" stroke-width="1"/>',
             '<path d="M26 117V123L40 117ZM194 117V123L180 117Z" fill="#6A3A10" stroke="#2A1404" stroke-width="0.8"/>',
             "</g>"]
    return doc(width, height, "".join(parts), "".join(defs), view=(0, 0, 220, 125))


def volume(width, height):
    defs = [linear("g", [(0, "#3A3A44"), (1, "#101014")])]
    parts = ['<path d="%s" fill="url(#g)" stroke="#C8A040" stroke-width="1.2"/>' % rounded_rect_path(1, 1, 118, 38, 8),
             '<path d="M10 16H16L23 10V30L16 24H10Z" fill="#E8D8A0"/>',
             '<path d="M27 14Q31 20 27 26M30 11Q36 20 30 29" stroke="#E8D8A0" stroke-width="1.6" fill="none"/>']
    return doc(width, height, "".join(parts), "".join(defs), view=(0, 0, 120, 40))


def frame(width, height):
    defs = [linear("gold", [(0, "#FFF1A8"), (0.5, "#D8A830"), (1, "#7A5008")])]
    path = rounded_rect_path(2, 2, 126, 126, 10) + rounded_rect_path(15, 15, 100, 100, 4)
    return doc(width, height, '<path d="%s" fill="url(#gold)" fill-rule="evenodd" stroke="#4A3008" '
                              'stroke-width="1"/>' % path, "".join(defs), view=(0, 0, 130, 130))


def logo(colours, letters, width, height):
    dark, light = colours
    defs = [radial("g", [(0, light), (1, dark)], cy=0.35)]
    size = 34 if len(letters) <= 2 else 60 / len(letters) * 1.6
    parts = ['<rect width="100" height="100" rx="12" fill="url(#g)"/>',
             '<path d="M50 30L50 18M38 24A14 14 0 0 1 62 24M31 18A22 22 0 0 1 69 18" stroke="#FFFFFF" '
             'stroke-width="2.5" fill="none" stroke-linecap="round" opacity="0.85"/>',
             text(50, 62 + size * 0.2, letters, size, "DejaVu Sans", "#FFFFFF"),
             text(50, 90, "TARVEL", 11, "DejaVu Sans", "#FFFFFF", extra=' opacity="0.75"')]
    return doc(width, height, "".join(parts), "".join(defs), view=(0, 0, 100, 100))


def default_logo(width, height):
    defs = [radial("g", [(0, "#5A6A7A"), (1, "#1A2430")], cy=0.35)]
    parts = ['<rect width="100" height="100" rx="12" fill="url(#g)"/>',
             '<path d="M50 40L34 90M50 40L66 90M40 72H60M37 82H63" stroke="#E0E0E8" stroke-width="3" fill="none"/>',
             '<circle cx="50" cy="36" r="5" fill="#FFD040"/>']
    for r in (12, 20, 28):
        parts.append('<path d="M%s 36A%s %s 0 0 1 %s 36M%s 36A%s %s 0 0 0 %s 36" stroke="#FFD040" stroke-width="2.4" '
                     'fill="none" transform="rotate(90 50 36)" opacity="0.8"/>' % (
                         n(50 - r), r, r, n(50 + r), n(50 - r), r, r, n(50 + r)))
    return doc(width, height, "".join(parts), "".join(defs), view=(0, 0, 100, 100))


def pictures():
    """(set, name, width, height, function, *args) of every radio picture."""
    out = []
    for code in COUNTRIES:
        out.append(("tarvel", "FlagC" + code, 28, 24, (country_flag, code)))
    out.append(("tarvel", "GPolkaNw", 220, 125, (shelf,)))
    out.append(("tarvel", "GRadioA", 220, 125, (aerial,)))
    for state in "GRB":
        out.append(("tarvel", "GRadio" + state, 220, 125, (icon_radio, state)))
    out.append(("QorRadio02", "RRADIO_MAING", 160, 110, (radio, "G")))
    out.append(("QorRadio02", "RRADIO_MAINR", 160, 110, (radio, "R")))
    out.append(("QorRadio02", "RRADIO_VOLUME", 120, 40, (volume,)))
    out.append(("QorRadio02", "RRADIO_RAMKA", 130, 130, (frame,)))
    out.append(("QorRadio02", "RRADIO_LOGO_RADIOUN", 100, 100, (default_logo,)))
    for name, (colours, letters) in LOGOS.items():
        out.append(("QorRadio02", name, 100, 100, (logo, colours, letters)))
    return out
