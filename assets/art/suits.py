"""The four suit shapes, drawn in a 100 x 100 box (centre 50, 50)."""

from svgkit import n

SUITS = "hdcs"          # hearts, diamonds, clubs, spades: the order of every table here
RED_SUITS = "hd"

_SHAPES = {
    "h": ('<path d="M50 96C44 86 30 75 18 63C6 51 0 41 0 28C0 12 12 3 26 3C37 3 46 10 50 21'
          'C54 10 63 3 74 3C88 3 100 12 100 28C100 41 94 51 82 63C70 75 56 86 50 96Z"/>'),
    "d": '<path d="M50 0C58 18 70 35 86 50C70 65 58 82 50 100C42 82 30 65 14 50C30 35 42 18 50 0Z"/>',
    "c": ('<circle cx="50" cy="27" r="22.5"/><circle cx="25.5" cy="59" r="22.5"/>'
          '<circle cx="74.5" cy="59" r="22.5"/><circle cx="50" cy="52" r="12"/>'
          '<path d="M45.5 56C46 78 42 89 31 98L69 98C58 89 54 78 54.5 56Z"/>'),
    "s": ('<path d="M50 1C56 16 72 28 86 40C96 49 100 56 100 66C100 80 89 89 76 89C66 89 58 84 54 77'
          'C55 86 58 93 66 98L34 98C42 93 45 86 46 77C42 84 34 89 24 89C11 89 0 80 0 66'
          'C0 56 4 49 14 40C28 28 44 16 50 1Z"/>'),
}


def pip_defs(prefix, red, black, glossy=True, per_suit=None):
    """Symbols '<prefix>h' .. '<prefix>s' with a gradient fill in the 100-box.

    `red` and `black` are (light, mid, dark) colour triples; `per_suit`
    gives each suit its own triple instead (a four-colour deck).
    """
    out = []
    for suit in SUITS:
        if per_suit:
            light, mid, dark = per_suit[suit]
        else:
            light, mid, dark = red if suit in RED_SUITS else black
        gid = "%sg%s" % (prefix, suit)
        if glossy:
            out.append('<linearGradient id="%s" x1="20" y1="0" x2="80" y2="100" '
                       'gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="%s"/>'
                       '<stop offset="0.45" stop-color="%s"/><stop offset="1" stop-color="%s"/>'
                       '</linearGradient>' % (gid, light, mid, dark))
            fill = "url(#%s)" % gid
        else:
            fill = mid
        out.append('<g id="%s%s" fill="%s">%s</g>' % (prefix, suit, fill, _SHAPES[suit]))
    return "".join(out)


def use_pip(prefix, suit, cx, cy, size, flip=False, extra=""):
    """Places symbol `prefix+suit` with its centre at (cx, cy), `size` wide."""
    k = size / 100.0
    rot = " rotate(180 50 50)" if flip else ""
    return '<use xlink:href="#%s%s" transform="translate(%s %s) scale(%s)%s"%s/>' % (
        prefix, suit, n(cx - 50 * k), n(cy - 50 * k), n(k), rot, extra)
