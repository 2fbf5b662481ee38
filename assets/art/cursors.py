"""The program's own mouse cursors, 32 x 32 pixels.

"CURARROW" is a single picture; "CURHAND", "CURWAIT" and "CUREDIT" are
animations whose frames are named "<cursor>_1" .. "<cursor>_<frames>".
`CURSORS` holds, for each cursor, the frame count, the delay between frames
in milliseconds and the hot spot; it is written beside the pictures as
"Cursors.json".
"""

import json
import math

import tableart
from svgkit import doc, linear, n

SIZE = 32

CURSORS = {
    "CURARROW": {"frames": 1, "delay": 0, "hotX": 2, "hotY": 1},
    "CURHAND": {"frames": 8, "delay": 90, "hotX": 12, "hotY": 2},
    "CURWAIT": {"frames": 12, "delay": 80, "hotX": 16, "hotY": 16},
    "CUREDIT": {"frames": 8, "delay": 110, "hotX": 16, "hotY": 16},
}


def frame_names(cursor):
    count = CURSORS[cursor]["frames"]
    if count == 1:
        return [cursor]
    return ["%s_%d" % (cursor, i) for i in range(1, count + 1)]


def metadata():
    return json.dumps(CURSORS, indent=1, sort_keys=True) + "\n"


def _star(cx, cy, r, angle, colour, opacity):
    points = []
    for i in range(8):
        a = angle + math.pi * i / 4
        rr = r if i % 2 == 0 else r * 0.32
        points.append("%s %s" % (n(cx + rr * math.cos(a)), n(cy + rr * math.sin(a))))
    return '<path d="M%sZ" fill="%s" fill-opacity="%s" stroke="#7A4A00" stroke-width="0.5"/>' % (
        "L".join(points), colour, n(opacity))


def arrow():
    defs = linear("fill", [(0, "#FFF1A8"), (0.5, "#F5C842"), (1, "#D08A00")], x2=0.7)
    body = ('<path d="M2 1L2 24.5L7.8 19L12.2 28.6L16.6 26.6L12.2 17.4L20.2 17.4Z" fill="url(#fill)" '
            'stroke="#1A1208" stroke-width="1.3" stroke-linejoin="round"/>'
            '<path d="M3.6 4.6L3.6 19.4" stroke="#FFFFFF" stroke-opacity="0.8" stroke-width="0.9" '
            'stroke-linecap="round"/>')
    return doc(SIZE, SIZE, body, defs)


def hand(frame):
    count = CURSORS["CURHAND"]["frames"]
    phase = frame / float(count)
    pulse = 0.5 + 0.5 * math.sin(phase * 2 * math.pi)
    defs = linear("glove", [(0, "#FFFFFF"), (1, "#CFD4DE")], x2=1, y2=0.3)
    body = '<g transform="translate(1.9 0.6)">%s</g>' % tableart.hand_shape("#C0283A")
    body += _star(21.5, 5.5, 2.6 + 2.2 * pulse, phase * math.pi, "#FFE14A", 0.55 + 0.45 * pulse)
    body += '<circle cx="25.5" cy="11" r="%s" fill="#FFE14A" fill-opacity="%s"/>' % (
        n(0.6 + 0.8 * (1 - pulse)), n(0.4 + 0.5 * (1 - pulse)))
    return doc(SIZE, SIZE, body, defs)


def wait(frame):
    count = CURSORS["CURWAIT"]["frames"]
    angle = 2 * math.pi * frame / count
    scale = math.cos(angle)
    w = max(abs(scale) * 15, 1.2)
    x = 16 - w / 2
    if scale >= 0:
        card = ('<rect x="%s" y="6" width="%s" height="20" rx="1.8" fill="#FFFFFF" stroke="#1A1A1A" '
                'stroke-width="0.9"/>' % (n(x), n(w)))
        k = abs(scale)
        card += ('<path d="M16 22.6C15.4 21.6 12 19.6 12 17.2C12 15.6 13.2 14.8 14.2 14.8C15.2 14.8 15.8 15.4 16 16.2'
                 'C16.2 15.4 16.8 14.8 17.8 14.8C18.8 14.8 20 15.6 20 17.2C20 19.6 16.6 21.6 16 22.6Z" '
                 'fill="#D0283C" transform="translate(16 0) scale(%s 1) translate(-16 -2.4)"/>' % n(k))
    else:
        card = ('<rect x="%s" y="6" width="%s" height="20" rx="1.8" fill="#2C68CC" stroke="#1A1A1A" '
                'stroke-width="0.9"/>' % (n(x), n(w)))
        if w > 4:
            card += ('<rect x="%s" y="8" width="%s" height="16" rx="1" fill="none" stroke="#BFD4F6" '
                     'stroke-width="0.7"/>' % (n(x + 2), n(w - 4)))
    dots = []
    for i in range(6):
        a = angle + i * math.pi / 3
        dots.append('<circle cx="%s" cy="%s" r="%s" fill="#F5C842" stroke="#6A4A00" stroke-width="0.4"/>' % (
            n(16 + 13.2 * math.cos(a)), n(16 + 13.2 * math.sin(a)), n(1.1 + 0.25 * i)))
    return doc(SIZE, SIZE, card + "".join(dots))


def edit(frame):
    count = CURSORS["CUREDIT"]["frames"]
    y = 4 + 24.0 * frame / (count - 1)
    defs = linear("shine", [(0, "#1A1A1A"), (max(0, (y - 7) / 32), "#1A1A1A"), (y / 32, "#F5C842"),
                            (min(1, (y + 7) / 32), "#1A1A1A"), (1, "#1A1A1A")], y2=SIZE, user=True)
    beam = "M11.5 4.5C14 4.5 15.2 5.3 16 6.5C16.8 5.3 18 4.5 20.5 4.5M16 6.5V25.5M11.5 27.5C14 27.5 15.2 26.7 16 25.5" \
           "C16.8 26.7 18 27.5 20.5 27.5M13 16H19"
    body = ('<path d="%s" fill="none" stroke="#FFFFFF" stroke-width="3.6" stroke-linecap="round"/>'
            '<path d="%s" fill="none" stroke="url(#shine)" stroke-width="1.6" stroke-linecap="round"/>' % (beam, beam))
    return doc(SIZE, SIZE, body, defs)


def frames(cursor):
    """(resource name, svg) for every frame of a cursor."""
    if cursor == "CURARROW":
        return [("CURARROW", arrow())]
    make = {"CURHAND": hand, "CURWAIT": wait, "CUREDIT": edit}[cursor]
    return [(name, make(i)) for i, name in enumerate(frame_names(cursor))]
