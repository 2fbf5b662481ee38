"""Card backs: seven weekday designs, in the two size classes of the faces."""

import math

import suits
from svgkit import doc, n

DAYS = ["Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su"]
# The three further backs of the sets that draw a random back for each deal.
EXTRA = ["Ob08XX", "Ob09XX", "Ob10XX"]

# Pattern motifs drawn in a 10 x 10 tile.
_MOTIFS = [
    # Monday: diagonal lattice with beads at the crossings
    '<path d="M0 0L10 10M10 0L0 10" stroke="{fg}" stroke-width="0.9"/>'
    '<circle cx="0" cy="0" r="1.3" fill="{fg}"/><circle cx="10" cy="0" r="1.3" fill="{fg}"/>'
    '<circle cx="0" cy="10" r="1.3" fill="{fg}"/><circle cx="10" cy="10" r="1.3" fill="{fg}"/>'
    '<circle cx="5" cy="5" r="1.3" fill="{fg}"/>',
    # Tuesday: interlocking rings
    '<circle cx="0" cy="0" r="5" fill="none" stroke="{fg}" stroke-width="0.9"/>'
    '<circle cx="10" cy="0" r="5" fill="none" stroke="{fg}" stroke-width="0.9"/>'
    '<circle cx="0" cy="10" r="5" fill="none" stroke="{fg}" stroke-width="0.9"/>'
    '<circle cx="10" cy="10" r="5" fill="none" stroke="{fg}" stroke-width="0.9"/>'
    '<circle cx="5" cy="5" r="5" fill="none" stroke="{fg}" stroke-width="0.9"/>',
    # Wednesday: basket weave
    '<rect x="0.6" y="0.6" width="3.8" height="8.8" rx="1" fill="{fg}"/>'
    '<rect x="5.6" y="0.6" width="3.8" height="3.8" rx="1" fill="{fg}"/>'
    '<rect x="5.6" y="5.6" width="3.8" height="3.8" rx="1" fill="{fg}"/>',
    # Thursday: four-point stars
    '<path d="M5 1L6 4L9 5L6 6L5 9L4 6L1 5L4 4Z" fill="{fg}"/>'
    '<circle cx="0" cy="0" r="0.9" fill="{fg}"/><circle cx="10" cy="0" r="0.9" fill="{fg}"/>'
    '<circle cx="0" cy="10" r="0.9" fill="{fg}"/><circle cx="10" cy="10" r="0.9" fill="{fg}"/>',
    # Friday: fish scales
    '<path d="M0 5A5 5 0 0 0 10 5M-5 10A5 5 0 0 0 5 10M5 10A5 5 0 0 0 15 10M-5 0A5 5 0 0 0 5 0'
    'M5 0A5 5 0 0 0 15 0" fill="none" stroke="{fg}" stroke-width="1"/>',
    # Saturday: rosettes
    '<ellipse cx="5" cy="2.6" rx="1.3" ry="2.1" fill="{fg}"/><ellipse cx="5" cy="7.4" rx="1.3" ry="2.1" fill="{fg}"/>'
    '<ellipse cx="2.6" cy="5" rx="2.1" ry="1.3" fill="{fg}"/><ellipse cx="7.4" cy="5" rx="2.1" ry="1.3" fill="{fg}"/>'
    '<circle cx="5" cy="5" r="1" fill="{bg}"/>',
    # Sunday: quatrefoil damask
    '<path d="M5 0.8C6.6 2.6 6.6 3.4 5 5C3.4 3.4 3.4 2.6 5 0.8ZM5 9.2C6.6 7.4 6.6 6.6 5 5C3.4 6.6 3.4 7.4 5 9.2Z'
    'M0.8 5C2.6 3.4 3.4 3.4 5 5C3.4 6.6 2.6 6.6 0.8 5ZM9.2 5C7.4 3.4 6.6 3.4 5 5C6.6 6.6 7.4 6.6 9.2 5Z" fill="{fg}"/>'
    '<path d="M0 0L2 0L0 2ZM10 0L8 0L10 2ZM0 10L2 10L0 8ZM10 10L8 10L10 8Z" fill="{fg}"/>',
]

# (base light, base dark, pattern colour, accent) per weekday
_CLASSIC = [
    ("#2F6BC8", "#163E86", "#8DB4F0", "#F3D27A"),
    ("#D22C44", "#86101F", "#F2909E", "#F6D98A"),
    ("#2A9A56", "#125A30", "#86D6A4", "#F3D27A"),
    ("#7B45B0", "#421E6A", "#C3A0E8", "#F3D27A"),
    ("#1C9AA6", "#0C5A62", "#86D8DE", "#F6E2A0"),
    ("#D4741E", "#88400A", "#F8C48A", "#FFF0C0"),
    ("#A0182C", "#5A0814", "#E6C060", "#F3D27A"),
]
_HERALDIC = [
    ("#5A4632", "#2E2216", "#B89870", "#E8C878"),
    ("#7A2A1E", "#40140C", "#C88060", "#E8C878"),
    ("#3A5A2A", "#1C3012", "#98B878", "#E8C878"),
    ("#4A3A6A", "#241A3A", "#A898C8", "#E8C878"),
    ("#2A4A5A", "#12263A", "#88A8B8", "#E8C878"),
    ("#8A5A1A", "#4A2E08", "#D8B070", "#F0D898"),
    ("#5A1A2A", "#2E0A12", "#C89850", "#E8C878"),
]
_CARPET = [
    ("#9A2A2A", "#4A0C0C", "#E0A050", "#F0D890"),
    ("#2A3A7A", "#101A40", "#D0A050", "#F0D890"),
    ("#7A4A1A", "#3A1E06", "#E8C070", "#F8E0A0"),
    ("#2A5A4A", "#0E2A20", "#D8B060", "#F0D890"),
    ("#6A1A4A", "#300A20", "#E0A060", "#F0D890"),
    ("#8A3A10", "#401604", "#F0C070", "#FFE8B0"),
    ("#3A2A5A", "#180E2A", "#D0A060", "#F0D890"),
]
_CHESS = [
    ("#F2F2F2", "#9A9A9A", "#202020", "#202020"),
    ("#E8E0D0", "#8A7A60", "#2A1E10", "#2A1E10"),
    ("#F0F0F0", "#A0A0A0", "#7A1010", "#202020"),
    ("#E0E8F0", "#7A8A9A", "#10203A", "#10203A"),
    ("#F0E8D8", "#A08A60", "#3A2A10", "#7A1010"),
    ("#EAEAEA", "#8A8A8A", "#10402A", "#202020"),
    ("#F4ECE0", "#9A8A70", "#202020", "#9A7A20"),
]
_ANIMALS = [
    ("#C8A060", "#7A5A20", "#4A3010", "#FFF0C0"),
    ("#8AA050", "#4A5A20", "#2A3010", "#F8F0C0"),
    ("#60A0C8", "#205A7A", "#10304A", "#F0F8FF"),
    ("#C87860", "#7A3420", "#4A1A08", "#FFE8D0"),
    ("#A08AC8", "#5A407A", "#2A1A4A", "#F4ECFF"),
    ("#D0B040", "#806A10", "#403408", "#FFF8D0"),
    ("#70B890", "#2A6A48", "#103A24", "#E8FFF0"),
    ("#B0B0B0", "#5A5A5A", "#202020", "#FFFFFF"),
    ("#C86080", "#7A2040", "#4A0A20", "#FFE0EA"),
    ("#80A0A0", "#3A5A5A", "#1A2A2A", "#E8F8F8"),
]
PALETTES = {"classic": _CLASSIC, "heraldic": _HERALDIC, "carpet": _CARPET, "chess": _CHESS,
            "animals": _ANIMALS}

# Styles whose pattern is their own rather than the weekday's motif.
_STYLE_MOTIFS = {
    "chess": '<rect width="5" height="5" fill="{fg}"/><rect x="5" y="5" width="5" height="5" fill="{fg}"/>',
    "animals": '<ellipse cx="5" cy="6.6" rx="2.2" ry="1.8" fill="{fg}"/><circle cx="2.4" cy="3.6" r="0.9" fill="{fg}"/>'
               '<circle cx="4.2" cy="2.6" r="0.9" fill="{fg}"/><circle cx="5.9" cy="2.6" r="0.9" fill="{fg}"/>'
               '<circle cx="7.6" cy="3.6" r="0.9" fill="{fg}"/>',
    "carpet": '<path d="M5 0L10 5L5 10L0 5Z" fill="none" stroke="{fg}" stroke-width="0.9"/>'
              '<path d="M5 2.5L7.5 5L5 7.5L2.5 5Z" fill="{fg}"/><circle cx="0" cy="0" r="1.1" fill="{fg}"/>'
              '<circle cx="10" cy="10" r="1.1" fill="{fg}"/><circle cx="10" cy="0" r="1.1" fill="{fg}"/>'
              '<circle cx="0" cy="10" r="1.1" fill="{fg}"/>',
}


def _medallion_suits(cx, cy, rx, ry):
    out = []
    size = min(rx, ry) * 0.62
    for suit, dx, dy in (("h", 0, -1), ("s", 0, 1), ("d", -1, 0), ("c", 1, 0)):
        out.append(suits.use_pip("m", suit, cx + dx * rx * 0.5, cy + dy * ry * 0.5, size,
                                 extra=' opacity="0.95"'))
    return "".join(out)


def _shield(cx, cy, w, h, base, accent):
    x, y = cx - w / 2, cy - h / 2
    path = "M%s %sH%sV%sC%s %s %s %s %s %sC%s %s %s %s %s %sZ" % (
        n(x), n(y), n(x + w), n(y + h * 0.45), n(x + w), n(y + h * 0.8), n(cx + w * 0.2), n(y + h * 0.92),
        n(cx), n(y + h), n(cx - w * 0.2), n(y + h * 0.92), n(x), n(y + h * 0.8), n(x), n(y + h * 0.45))
    chevron = "M%s %sL%s %sL%s %sL%s %sL%s %sL%s %sZ" % (
        n(x), n(y + h * 0.62), n(cx), n(y + h * 0.25), n(x + w), n(y + h * 0.62),
        n(x + w), n(y + h * 0.78), n(cx), n(y + h * 0.41), n(x), n(y + h * 0.78))
    return ('<path d="%s" fill="%s" stroke="%s" stroke-width="%s"/>'
            '<path d="%s" fill="%s" clip-path="url(#shclip)"/>'
            '<clipPath id="shclip"><path d="%s"/></clipPath>'
            '<path d="%s" fill="none" stroke="%s" stroke-width="%s"/>' % (
                path, base, accent, n(w * 0.05), chevron, accent, path, path, "#2A1A08", n(w * 0.02)))


def back(style, day, size):
    base_light, base_dark, fg, accent = PALETTES[style][day]
    w, h = size.width, size.height
    k = w / 69.0
    margin = 3.2 * k
    tile = 6.2 * k
    defs = ['<linearGradient id="base" x1="0" y1="0" x2="0.6" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>' % (
                base_light, base_dark),
            '<pattern id="motif" width="10" height="10" patternUnits="userSpaceOnUse" '
            'patternTransform="translate(%s %s) scale(%s)">%s</pattern>' % (
                n(w / 2 - tile / 2), n(h / 2 - tile / 2), n(tile / 10.0),
                _STYLE_MOTIFS.get(style, _MOTIFS[day % len(_MOTIFS)]).format(fg=fg, bg=base_dark)),
            '<radialGradient id="medal" cx="0.45" cy="0.38" r="0.7"><stop offset="0" stop-color="#FFFFFF"/>'
            '<stop offset="1" stop-color="%s"/></radialGradient>' % "#E8E2D0",
            '<radialGradient id="sheen" cx="0.3" cy="0.2" r="0.9"><stop offset="0" stop-color="#FFFFFF" '
            'stop-opacity="0.28"/><stop offset="0.6" stop-color="#FFFFFF" stop-opacity="0"/></radialGradient>',
            suits.pip_defs("m", ("#EC4055", "#CF1530", "#960A1E"), ("#555A63", "#1B1D22", "#000000"))]
    body = []
    if size.opaque:
        body.append('<rect width="%d" height="%d" fill="#4A4A4A"/>'
                    '<rect width="%d" height="%d" rx="2.2" fill="#FFFFFF"/>' % (w, h, w, h))
    else:
        body.append('<rect x="0.5" y="0.5" width="%s" height="%s" rx="8" fill="#FFFFFF" stroke="#3A3A3A"/>' % (
            n(w - 1), n(h - 1)))
    px, py, pw, ph = margin, margin, w - 2 * margin, h - 2 * margin
    r = 2.4 * k
    body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="url(#base)"/>' % (
        n(px), n(py), n(pw), n(ph), n(r)))
    body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="url(#motif)" opacity="0.6"/>' % (
        n(px), n(py), n(pw), n(ph), n(r)))
    inset = 2.2 * k
    body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="none" stroke="%s" stroke-width="%s"/>' % (
        n(px + inset), n(py + inset), n(pw - 2 * inset), n(ph - 2 * inset), n(r * 0.7), accent, n(0.7 * k)))
    if style == "heraldic":
        inset2 = inset + 1.6 * k
        body.append('<rect x="%s" y="%s" width="%s" height="%s" fill="none" stroke="%s" stroke-width="%s" '
                    'stroke-dasharray="%s %s"/>' % (
                        n(px + inset2), n(py + inset2), n(pw - 2 * inset2), n(ph - 2 * inset2), accent,
                        n(0.5 * k), n(1.5 * k), n(1.0 * k)))
    cx, cy = w / 2, h / 2
    rx, ry = 15.5 * k, 19 * k
    # a halo of short rays behind the medallion
    rays = []
    for i in range(32):
        a = 2 * math.pi * i / 32
        r1, r2 = 1.0, 1.22 if i % 2 == 0 else 1.12
        rays.append("M%s %sL%s %s" % (n(cx + rx * r1 * math.cos(a)), n(cy + ry * r1 * math.sin(a)),
                                       n(cx + rx * r2 * math.cos(a)), n(cy + ry * r2 * math.sin(a))))
    body.append('<path d="%s" stroke="%s" stroke-width="%s" stroke-linecap="round"/>' % (
        "".join(rays), accent, n(0.7 * k)))
    body.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="%s" stroke="%s" stroke-width="%s"/>' % (
        n(cx), n(cy), n(rx), n(ry), base_dark, accent, n(0.9 * k)))
    body.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="url(#medal)"/>' % (
        n(cx), n(cy), n(rx - 1.8 * k), n(ry - 1.8 * k)))
    if style == "heraldic":
        body.append(_shield(cx, cy, rx * 1.05, ry * 1.2, base_light, accent))
    else:
        body.append(_medallion_suits(cx, cy, rx - 1.8 * k, ry - 1.8 * k))
    body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="url(#sheen)"/>' % (
        n(px), n(py), n(pw), n(ph), n(r)))
    return doc(w, h, "".join(body), "".join(defs))


def back_name(day, code="", large=False):
    return (DAYS + EXTRA)[day] + code + ("B" if large else "")

