"""Pictures of the game table: score boards, name plates, frames, the empty
talon, move timers and the turn hands.

Every picture is designed in its reference size (the size of the small
window) and rendered by librsvg at the pixel size asked for, so the "B",
"Bg" and other larger variants are drawn anew at their size.
"""

import math

from svgkit import doc, linear, n, radial, rounded_rect_path

WOOD = ("#9A5428", "#6A3416", "#3E1C08")
GOLD = ("#FFF0B0", "#E2B64A", "#A07820")

# Fields of the score board: top, turn, middle, corner (left, top, right, bottom).
BOARD_FIELDS = [(15, 15, 140, 46), (15, 50, 50, 81), (55, 50, 100, 81), (105, 50, 140, 81)]

PLATE_COLOURS = {
    "SPBlue": ("#6FA4F0", "#2C68CC", "#153A80"),
    "SPGreen": ("#6CD488", "#25984A", "#0E5A26"),
    "SPRed": ("#F47080", "#D0283C", "#7E0E1C"),
    "SPYellow": ("#F8D660", "#D09A08", "#7A5400"),
    "SPFiolet": ("#C08CEC", "#8240C0", "#461676"),
}


def _gloss(gid, x, y, w, h, r, strength=0.45):
    """A white sheen over the upper half of a rounded shape."""
    return (linear(gid, [(0, "#FFFFFF", strength), (1, "#FFFFFF", 0)]),
            '<path d="%s" fill="url(#%s)"/>' % (rounded_rect_path(x, y, w, h, r), gid))


def board(width, height):
    defs = [linear("wood", [(0, WOOD[0]), (0.5, WOOD[1]), (1, WOOD[2])]),
            linear("field", [(0, "#FFFDF5"), (1, "#EFE3C2")]),
            linear("gold", [(0, GOLD[0]), (0.5, GOLD[1]), (1, GOLD[2])]),
            '<filter id="inner" x="-10%" y="-10%" width="120%" height="120%">'
            '<feGaussianBlur in="SourceAlpha" stdDeviation="1.2"/><feOffset dx="0.6" dy="1"/>'
            '<feComposite in="SourceAlpha" operator="arithmetic" k2="1" k3="-1" result="s"/>'
            '<feFlood flood-color="#3A2410" flood-opacity="0.55"/><feComposite in2="s" operator="in"/>'
            '<feMerge><feMergeNode in="SourceGraphic"/><feMergeNode/></feMerge></filter>']
    body = ['<rect x="0.5" y="0.5" width="154" height="94" rx="9" fill="url(#wood)" stroke="#2A1206"/>']
    # fine grain lines in the wood
    for i, y in enumerate((8, 20, 33, 47, 61, 74, 86)):
        body.append('<path d="M4 %sC40 %s 100 %s 151 %s" fill="none" stroke="#2A1206" stroke-opacity="0.18" '
                    'stroke-width="0.6"/>' % (n(y), n(y - 2 + i % 3), n(y + 2 - i % 2), n(y)))
    body.append('<rect x="3.5" y="3.5" width="148" height="88" rx="7" fill="none" stroke="url(#gold)" '
                'stroke-width="1.2"/>')
    d, b = _gloss("sheen", 1, 1, 153, 46, 8, 0.32)
    defs.append(d)
    body.append(b)
    for x1, y1, x2, y2 in BOARD_FIELDS:
        body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="4.5" fill="url(#gold)"/>' % (
            n(x1 - 1.4), n(y1 - 1.4), n(x2 - x1 + 2.8), n(y2 - y1 + 2.8)))
        body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="3.5" fill="url(#field)" '
                    'filter="url(#inner)"/>' % (n(x1), n(y1), n(x2 - x1), n(y2 - y1)))
    for x in (8, 147):
        for y in (8, 87):
            body.append('<circle cx="%s" cy="%s" r="1.6" fill="url(#gold)" stroke="#5A3A10" '
                        'stroke-width="0.4"/>' % (n(x), n(y)))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 155, 95))


def plate(colours, width, height):
    light, mid, dark = colours
    defs = [linear("body", [(0, light), (0.55, mid), (1, dark)])]
    body = ['<rect x="0.5" y="0.5" width="159" height="19" rx="9.5" fill="url(#body)" stroke="%s"/>' % dark]
    defs.append(linear("hi", [(0, "#FFFFFF", 0.75), (1, "#FFFFFF", 0.05)]))
    body.append('<rect x="5" y="1.6" width="150" height="7.6" rx="3.8" fill="url(#hi)"/>')
    body.append('<rect x="1.5" y="1.5" width="157" height="17" rx="8.5" fill="none" stroke="#FFFFFF" '
                'stroke-opacity="0.35" stroke-width="0.8"/>')
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 160, 20))


def frame(kind, width, height):
    """Frame "BB" holds the game counter (120 x 150), "ER" the messages (130 x 90)."""
    if kind == "BB":
        w, h, metal, inner = 120, 150, GOLD, ("#FFFCEE", "#F1E2B8")
    else:
        w, h, metal, inner = 130, 90, ("#FFFFFF", "#AEBBD0", "#5E6E88"), ("#FCFDFF", "#E4EBF5")
    defs = [linear("metal", [(0, metal[0]), (0.45, metal[1]), (1, metal[2])], x2=0.4),
            linear("metal2", [(0, metal[2]), (0.55, metal[1]), (1, metal[0])], x2=0.4),
            radial("inner", [(0, inner[0]), (1, inner[1])], cy=0.4, r=0.75)]
    body = ['<rect x="0.5" y="0.5" width="%s" height="%s" rx="9" fill="url(#metal)" stroke="%s"/>' % (
        n(w - 1), n(h - 1), metal[2])]
    body.append('<rect x="5" y="5" width="%s" height="%s" rx="5.5" fill="url(#metal2)"/>' % (n(w - 10), n(h - 10)))
    body.append('<rect x="6.5" y="6.5" width="%s" height="%s" rx="4.5" fill="url(#inner)" stroke="%s" '
                'stroke-opacity="0.6" stroke-width="0.6"/>' % (n(w - 13), n(h - 13), metal[2]))
    body.append('<rect x="9" y="9" width="%s" height="%s" rx="3" fill="none" stroke="%s" stroke-opacity="0.35" '
                'stroke-width="0.5" stroke-dasharray="2 1.5"/>' % (n(w - 18), n(h - 18), metal[2]))
    for x in (2.8, w - 2.8):
        for y in (2.8, h - 2.8):
            body.append('<path d="M%s %sl2.2 -2.2l2.2 2.2l-2.2 2.2Z" fill="%s" stroke="%s" stroke-width="0.3" '
                        'transform="translate(-2.2 0)"/>' % (n(x), n(y), metal[0], metal[2]))
    d, b = _gloss("sheen", 1, 1, w - 2, h * 0.45, 8, 0.25)
    defs.append(d)
    body.append(b)
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, w, h))


def empty_talon(width, height):
    # A light, see-through spot: the trump symbol drawn on it must read in
    # black as well as in red.
    body = ('<rect x="4" y="4" width="52" height="52" rx="7" fill="#FFFFFF" fill-opacity="0.16" '
            'stroke="#FFFFFF" stroke-opacity="0.6" stroke-width="1.4" stroke-dasharray="4 2.5"/>'
            '<circle cx="30" cy="30" r="17" fill="#FFFFFF" fill-opacity="0.14" stroke="#FFFFFF" '
            'stroke-opacity="0.35" stroke-width="1"/>'
            '<rect x="7" y="7" width="46" height="46" rx="5" fill="none" stroke="#000000" '
            'stroke-opacity="0.25" stroke-width="0.8"/>')
    return doc(width, height, body, view=(0, 0, 60, 60))


def move_timer(red, width, height):
    face = ("#FF7A66", "#D81E1E", "#8A0808") if red else ("#FFF6A0", "#F2C200", "#A87800")
    defs = [radial("bezel", [(0, "#FFFFFF"), (0.7, "#C4C8D0"), (1, "#6A707A")], cx=0.35, cy=0.3, r=0.8),
            radial("face", [(0, face[0]), (0.7, face[1]), (1, face[2])], cx=0.45, cy=0.4, r=0.65),
            linear("hi", [(0, "#FFFFFF", 0.7), (1, "#FFFFFF", 0)])]
    body = ['<circle cx="32" cy="32" r="31" fill="url(#bezel)" stroke="#3A3E46" stroke-width="0.8"/>',
            '<circle cx="32" cy="32" r="26.5" fill="url(#face)" stroke="#3A3E46" stroke-width="0.8"/>']
    ticks = []
    for i in range(12):
        a = math.pi * 2 * i / 12
        r1 = 22.5 if i % 3 == 0 else 24
        ticks.append("M%s %sL%s %s" % (n(32 + r1 * math.sin(a)), n(32 - r1 * math.cos(a)),
                                        n(32 + 25.5 * math.sin(a)), n(32 - 25.5 * math.cos(a))))
    body.append('<path d="%s" stroke="#FFFFFF" stroke-opacity="0.85" stroke-width="1.2" stroke-linecap="round"/>'
                % "".join(ticks))
    body.append('<ellipse cx="32" cy="19" rx="19" ry="11" fill="url(#hi)"/>')
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 64, 64))


def hand_shape(sleeve):
    """A gloved hand pointing up, in a 20 x 30 box."""
    ol = 'stroke="#1E2230" stroke-width="0.9" stroke-linejoin="round"'
    return "".join([
        '<path d="M5.2 22.6H15.8V28.4H5.2Z" fill="%s" %s/>' % (sleeve, ol),
        '<path d="M5.2 24.2H15.8" stroke="#FFFFFF" stroke-opacity="0.55" stroke-width="1.1"/>',
        '<path d="M8.2 14V3.4C8.2 1.2 12 1.2 12 3.4V12.6" fill="url(#glove)" %s/>' % ol,
        '<path d="M12 12.6C12 10.6 15 10.6 15 12.6C15 11 17.6 11 17.6 13V19.4C17.6 22 15.8 23.4 13.6 23.4'
        'H8C5.6 23.4 4.2 21.4 4.2 19V15.4C4.2 13.8 6.4 13.4 8.2 14Z" fill="url(#glove)" %s/>' % ol,
        '<path d="M8.2 14V17.6M12 12.6V16.2M15 12.6V16" fill="none" stroke="#1E2230" stroke-width="0.7"/>',
        '<path d="M4.4 15.8C2.2 15 1.2 17.6 3.2 19L7.6 21" fill="url(#glove)" %s/>' % ol,
        '<path d="M9.2 2.8C9.4 2 10.8 2 11 2.8V8" stroke="#FFFFFF" stroke-width="0.8" stroke-linecap="round"/>',
    ])


def hand(up, width, height, sleeve="#2C68CC"):
    defs = linear("glove", [(0, "#FFFFFF"), (1, "#CFD4DE")], x2=1, y2=0.3)
    flip = "" if up else ' transform="rotate(180 10 15)"'
    return doc(width, height, "<g%s>%s</g>" % (flip, hand_shape(sleeve)), defs, view=(0, 0, 20, 30))
