"""Lettered pictures (title, subtitles), flags, the logo and the side
pictures of the main menu."""

import base64
import math

import faces
import fontmetrics
import suits
from svgkit import doc, linear, n, radial, shadow_filter, text

# Languages with lettered pictures of their own, and those with flags.
LETTERED = ["Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"]
FLAGS = LETTERED + ["Jap", "Kor"]

TITLE = "TARVEL"

SUBTITLES = {
    "Elite": {"Eng": "Elite card game", "Rus": "Элитная карточная игра", "Deu": "Elite-Kartenspiel",
              "Fra": "Jeu de cartes d'élite", "Spa": "Juego de cartas de élite", "Chi": "精英纸牌游戏",
              "Ita": "Gioco di carte d'élite", "Cze": "Elitní karetní hra"},
    "Net__": {"Eng": "Network game", "Rus": "Сетевая игра", "Deu": "Netzwerkspiel",
              "Fra": "Jeu en réseau", "Spa": "Juego en red", "Chi": "局域网对战",
              "Ita": "Gioco in rete", "Cze": "Síťová hra"},
}

# The options dialog's header of the purple design, in the lettered languages.
OPTIONS = {"Eng": "Options", "Rus": "Настройки", "Deu": "Optionen", "Fra": "Options", "Spa": "Opciones",
           "Chi": "选项", "Ita": "Opzioni", "Cze": "Možnosti"}
OPTIONS_BOX = (500, 56)
ICON_FRAMES = 12

_LATIN = ("DejaVu Serif:bold:italic", "DejaVu Serif", "italic")
_CJK = ("WenQuanYi Micro Hei", "WenQuanYi Micro Hei", None)

# Caption design box; the "B" variants are the same design at twice the size.
CAPTION_BOX = (400, 70)
SUBTITLE_BOX = (350, 40)


def _fit(words, font_pattern, max_width, max_size):
    width = fontmetrics.font(font_pattern).width(words, max_size)
    return max_size if width <= max_width else max_size * max_width / width


def caption(width, height):
    """The title band: the product word in gold with two suit ornaments."""
    bw, bh = CAPTION_BOX
    size = _fit(TITLE, "DejaVu Serif:bold", 300, 56)
    defs = [linear("gold", [(0, "#FFF4B8"), (0.45, "#F2B81E"), (0.55, "#D88A08"), (1, "#FFD860")]),
            linear("rule", [(0, "#D88A08", 0), (0.5, "#F2B81E"), (1, "#D88A08", 0)], x2=1, y2=0),
            shadow_filter("sh", 1.6, 2.2, 1.6, 0.6),
            suits.pip_defs("p", ("#FF6070", "#D81E32", "#8E0A1C"), ("#5A5E68", "#1E2026", "#000000"))]
    base = 52
    word = text(bw / 2, base, TITLE, size, "DejaVu Serif", "url(#gold)",
                extra=' stroke="#6A1408" stroke-width="1.6" stroke-linejoin="round" letter-spacing="2"')
    body = ['<g filter="url(#sh)">%s</g>' % word,
            '<rect x="60" y="60" width="280" height="1.6" fill="url(#rule)"/>']
    half = fontmetrics.font("DejaVu Serif:bold").width(TITLE, size) / 2 + 26
    # a gold rim keeps the black spade visible on dark menu backgrounds
    rim = ' stroke="#F2B81E" stroke-width="5"'
    body.append('<g filter="url(#sh)">%s%s</g>' % (
        suits.use_pip("p", "h", bw / 2 - half, 34, 26, extra=rim),
        suits.use_pip("p", "s", bw / 2 + half, 34, 26, extra=rim)))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, bw, bh))


def subtitle(kind, lang, width, height):
    bw, bh = SUBTITLE_BOX
    words = SUBTITLES[kind][lang]
    pattern, family, style = _CJK if lang == "Chi" else _LATIN
    size = _fit(words, pattern, 318, 27)
    defs = [linear("fill", [(0, "#FFE9A0"), (0.5, "#F0A020"), (1, "#C05808")]),
            shadow_filter("sh", 1, 1.5, 1.1, 0.55)]
    label = text(bw / 2, bh / 2 + size * 0.36, words, size, family, "url(#fill)", style=style,
                 extra=' stroke="#5A1204" stroke-width="1" stroke-linejoin="round"')
    return doc(width, height, '<g filter="url(#sh)">%s</g>' % label, "".join(defs), view=(0, 0, bw, bh))


def _star(cx, cy, r, colour):
    pts = []
    for i in range(10):
        a = -math.pi / 2 + math.pi * i / 5
        rr = r if i % 2 == 0 else r * 0.4
        pts.append("%s %s" % (n(cx + rr * math.cos(a)), n(cy + rr * math.sin(a))))
    return '<path d="M%sZ" fill="%s"/>' % ("L".join(pts), colour)


def _flag_body(lang):
    """The flag in a 28 x 24 box."""
    if lang == "Rus":
        return '<rect width="28" height="8" fill="#FFFFFF"/><rect y="8" width="28" height="8" fill="#1C57A7"/>' \
               '<rect y="16" width="28" height="8" fill="#D52B1E"/>'
    if lang == "Deu":
        return '<rect width="28" height="8" fill="#111111"/><rect y="8" width="28" height="8" fill="#DD0000"/>' \
               '<rect y="16" width="28" height="8" fill="#FFCE00"/>'
    if lang in ("Fra", "Ita"):
        left, right = ("#0055A4", "#EF4135") if lang == "Fra" else ("#009246", "#CE2B37")
        return '<rect width="10" height="24" fill="%s"/><rect x="10" width="8" height="24" fill="#FFFFFF"/>' \
               '<rect x="18" width="10" height="24" fill="%s"/>' % (left, right)
    if lang == "Spa":
        return '<rect width="28" height="24" fill="#AA151B"/><rect y="6" width="28" height="12" fill="#F1BF00"/>' \
               '<rect x="6" y="9" width="4" height="6" rx="0.8" fill="#AA151B" opacity="0.8"/>'
    if lang == "Cze":
        return '<rect width="28" height="12" fill="#FFFFFF"/><rect y="12" width="28" height="12" fill="#D7141A"/>' \
               '<path d="M0 0L14 12L0 24Z" fill="#11457E"/>'
    if lang == "Chi":
        out = '<rect width="28" height="24" fill="#DE2910"/>' + _star(6, 6.5, 4.4, "#FFDE00")
        for x, y in ((11.5, 2.5), (13.5, 5), (13.5, 8.5), (11.5, 11)):
            out += _star(x, y, 1.3, "#FFDE00")
        return out
    if lang == "Jap":
        return '<rect width="28" height="24" fill="#FFFFFF"/><circle cx="14" cy="12" r="6.6" fill="#BC002D"/>'
    if lang == "Kor":
        out = '<rect width="28" height="24" fill="#FFFFFF"/>'
        out += '<circle cx="14" cy="12" r="5.6" fill="#0047A0"/>'
        out += '<path d="M8.4 12A5.6 5.6 0 0 1 19.6 12A2.8 2.8 0 0 1 14 12A2.8 2.8 0 0 0 8.4 12Z" fill="#CD2E3A" ' \
               'transform="rotate(33.7 14 12)"/>'
        for angle in (-56.3, 56.3, 123.7, 236.3):
            a = math.radians(angle)
            cx, cy = 14 + 10 * math.cos(a), 12 + 8.4 * math.sin(a)
            out += '<g transform="rotate(%s %s %s)">' % (n(angle + 90), n(cx), n(cy))
            for k in (-1.6, 0, 1.6):
                out += '<rect x="%s" y="%s" width="4.4" height="1" fill="#111111"/>' % (n(cx - 2.2), n(cy + k - 0.5))
            out += "</g>"
        return out
    # Eng: the Union Flag
    return ('<rect width="28" height="24" fill="#012169"/>'
            '<path d="M0 0L28 24M28 0L0 24" stroke="#FFFFFF" stroke-width="4.8"/>'
            '<path d="M0 0L28 24M28 0L0 24" stroke="#C8102E" stroke-width="1.6"/>'
            '<path d="M14 0V24M0 12H28" stroke="#FFFFFF" stroke-width="7"/>'
            '<path d="M14 0V24M0 12H28" stroke="#C8102E" stroke-width="4"/>')


def flag(lang, width, height):
    return flag_picture(_flag_body(lang), width, height)


def flag_picture(flag_body, width, height):
    """A flag drawn in a 28 x 24 box, glossed and outlined."""
    defs = [linear("gloss", [(0, "#FFFFFF", 0.45), (0.5, "#FFFFFF", 0.08), (1, "#000000", 0.12)]),
            '<clipPath id="c"><rect width="28" height="24" rx="1.2"/></clipPath>']
    body = ('<g clip-path="url(#c)">%s<rect width="28" height="24" fill="url(#gloss)"/></g>'
            '<rect x="0.4" y="0.4" width="27.2" height="23.2" rx="1.2" fill="none" stroke="#000000" '
            'stroke-opacity="0.35" stroke-width="0.8"/>' % flag_body)
    return doc(width, height, body, "".join(defs), view=(0, 0, 28, 24))


def language_flag_body(lang):
    """The body of a language's flag, for pictures that show the same flag."""
    return _flag_body(lang)


def star(cx, cy, r, colour):
    return _star(cx, cy, r, colour)


def logo(width, height):
    defs = [radial("felt", [(0, "#2E9A52"), (1, "#0C4A24")], cy=0.4),
            linear("ring", [(0, "#FFF1A8"), (0.5, "#E2B64A"), (1, "#8A6010")], x2=0.6),
            linear("t", [(0, "#FFF4B8"), (0.5, "#F2B81E"), (1, "#C07A08")]),
            suits.pip_defs("p", ("#FF6070", "#D81E32", "#8E0A1C"), ("#F4F4F4", "#FFFFFF", "#C8C8C8"))]
    body = ['<circle cx="32" cy="32" r="30.5" fill="url(#ring)" stroke="#4A3008" stroke-width="1"/>',
            '<circle cx="32" cy="32" r="25" fill="url(#felt)" stroke="#4A3008" stroke-width="0.8"/>']
    for suit, a in (("s", -90), ("h", 0), ("c", 90), ("d", 180)):
        r = math.radians(a)
        body.append(suits.use_pip("p", suit, 32 + 17.5 * math.cos(r), 32 + 17.5 * math.sin(r), 9.5))
    body.append(text(32, 40.5, "T", 25, "DejaVu Serif", "url(#t)",
                     extra=' stroke="#4A2A04" stroke-width="0.8"'))
    body.append('<ellipse cx="32" cy="17" rx="20" ry="11" fill="#FFFFFF" fill-opacity="0.14"/>')
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 64, 64))


def _embedded(svg, x, y, w, h, angle, pivot):
    data = base64.b64encode(svg.encode("utf-8")).decode("ascii")
    return ('<image x="%s" y="%s" width="%s" height="%s" transform="rotate(%s %s %s)" filter="url(#sh)" '
            'xlink:href="data:image/svg+xml;base64,%s"/>' % (
                n(x), n(y), n(w), n(h), n(angle), n(pivot[0]), n(pivot[1]), data))


def menu_fan(rank, width, height):
    """A fan of the four cards of one rank, for the sides of the main menu."""
    # The outer cards turn by 18 degrees: any more and their top corners
    # leave the 160 pixel wide picture.
    card_w, card_h = 76, 103
    top = 58
    pivot = (80, top + card_h + 32)
    parts = []
    for i, suit in enumerate("dcsh"):
        angle = -18 + 12 * i
        svg = faces.face(faces.CLASSIC, faces.LARGE, rank, suit)
        parts.append(_embedded(svg, pivot[0] - card_w / 2, top, card_w, card_h, angle, pivot))
    defs = shadow_filter("sh", 1.5, 2, 2, 0.5)
    return doc(width, height, "".join(parts), defs, view=(0, 0, 160, 200))


def options_header(lang, width, height):
    """The purple design's band over the options dialog: its name in gold."""
    bw, bh = OPTIONS_BOX
    words = OPTIONS[lang]
    pattern, family, style = _CJK if lang == "Chi" else _LATIN
    size = _fit(words, pattern, 300, 34)
    defs = [linear("band", [(0, "#3C0070"), (0.6, "#7800C8"), (1, "#A040E0")], x2=1, y2=0),
            linear("fill", [(0, "#FFF4B8"), (0.5, "#F2B81E"), (1, "#C88A08")]),
            shadow_filter("sh", 1, 1.5, 1.1, 0.6),
            suits.pip_defs("p", ("#FF6070", "#D81E32", "#8E0A1C"), ("#F4F4F4", "#FFFFFF", "#C8C8C8"))]
    body = ['<rect width="%d" height="%d" fill="url(#band)"/>' % (bw, bh),
            '<rect y="%d" width="%d" height="2" fill="#F2B81E"/>' % (bh - 2, bw),
            '<g filter="url(#sh)">%s</g>' % text(96, bh / 2 + size * 0.36, words, size, family, "url(#fill)",
                                                 anchor="start", style=style,
                                                 extra=' stroke="#3A0A04" stroke-width="0.8"')]
    for i, suit in enumerate("hdcs"):
        body.append(suits.use_pip("p", suit, 330 + 30 * i, bh / 2, 18, extra=' opacity="0.85"'))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, bw, bh))


def options_icon_strip(frames, size):
    """The purple design's animated icon: a card turning about its upright
    axis, `frames` pictures of `size` pixels side by side."""
    defs = [suits.pip_defs("p", ("#FF6070", "#D81E32", "#8E0A1C"), ("#5A5E68", "#1E2026", "#000000"))]
    body = []
    for frame in range(frames):
        angle = 2 * math.pi * frame / frames
        squeeze = max(abs(math.cos(angle)), 0.04)
        front = math.cos(angle) >= 0
        x0 = frame * size + size / 2
        card = ('<rect x="%s" y="%s" width="%s" height="%s" rx="3" fill="%s" stroke="#3C0070" stroke-width="1.5"/>'
                % (n(-15), n(6 - size / 2), n(30), n(36), "#FAFAF5" if front else "#C8AF32"))
        pip = suits.use_pip("p", "h", 0, 0, 18) if front else ""
        body.append('<g transform="translate(%s %s) scale(%s 1)">%s%s</g>' % (
            n(x0), n(size / 2), n(squeeze), card, pip))
    return doc(frames * size, size, "".join(body), "".join(defs))
