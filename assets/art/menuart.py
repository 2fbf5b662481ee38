"""Pictures of the main menu and of the owner-drawn button.

  R29_* .. R59_*   classic button pieces (left cap, right cap, middle) in red
  Q29_* .. Q59_*   the same pieces of the new buttons
  CandleL/CandleR  candlesticks of three candles without their flames
  Flames           strip of six flame pictures, 12 x 26 each
  TitleBand        the band between the calendar sheets
  GifMenu1/2       animated sparkles over the side pictures, strips of 160 x 200 frames
  GClockBG ...     display ground and the digit sets of the clocks
  Sv*              small pictures of the online services
  GTouch           fireworks strip of the graphics module, thirty 100 x 100 frames

All button pieces are drawn in red; the program recolours them. The classic
gloss must agree with the row table of the program's button (GLOSS below is
the same list of stops).
"""

import math
import random

import suits
from svgkit import doc, linear, n, radial, rounded_rect_path, shadow_filter, text

# Row colours of the classic gloss from the top row to the bottom row: the
# button's own row table uses the same stops.
GLOSS = [(0.0, (120, 0, 0)), (0.06, (255, 176, 176)), (0.46, (236, 52, 52)), (0.54, (192, 0, 0)),
         (0.88, (222, 24, 24)), (0.96, (246, 84, 84)), (1.0, (110, 0, 0))]

# Height class: (picture height, rows of the gloss, cap width, middle width)
BUTTON_CLASSES = {29: (30, 29, 8, 8), 44: (45, 44, 13, 8), 59: (60, 59, 17, 8)}

FLAME_FRAMES = 6
FLAME_SIZE = (12, 26)
GIF_FRAMES = 16
TOUCH_FRAMES = 30

CLOCK_SETS = {"GB": "#40FF60", "GR": "#FF3030", "GA": "#FFA020", "GG": "#30FF40", "GY": "#FFF030",
              "GV": "#C060FF", "GL": "#40C0FF", "GN": "#FFFFFF"}
DIGIT_SIZE = (18, 34)

SERVICES = ["SvTop10", "SvStat", "SvAccount", "SvTour", "SvNews", "SvChat", "SvSite"]


def _hex(rgb):
    return "#%02X%02X%02X" % rgb


def _gloss_gradient(gid):
    return linear(gid, [(o, _hex(c)) for o, c in GLOSS])


def button_piece(new, rows, piece, width, height):
    """One piece ("L", "R" or "2") of a button of `rows` body rows."""
    _, body, cap, middle = BUTTON_CLASSES[rows]
    total = 2 * cap + middle
    view_x = {"L": 0, "2": cap, "R": cap + middle}[piece]
    view_w = middle if piece == "2" else cap
    if new:
        # A silver rim (kept through every recolouring) around a red face
        # with a diagonal sheen.
        defs = [linear("rim", [(0, "#F4F4F8"), (0.5, "#A8AAB4"), (1, "#60626C")]),
                linear("face", [(0, "#FF5050"), (0.5, "#D00000"), (1, "#800000")]),
                linear("hi", [(0, "#FFFFFF", 0.55), (1, "#FFFFFF", 0.0)])]
        r = cap * 0.55
        parts = ['<path d="%s" fill="url(#rim)"/>' % rounded_rect_path(0, 0, total, body, r),
                 '<path d="%s" fill="url(#face)"/>' % rounded_rect_path(2, 2, total - 4, body - 4, r * 0.7),
                 '<path d="%s" fill="url(#hi)"/>' % rounded_rect_path(3, 3, total - 6, (body - 6) * 0.45,
                                                                     r * 0.5)]
    else:
        defs = [_gloss_gradient("g")]
        parts = ['<rect x="0" y="0" width="%s" height="%s" rx="%s" ry="%s" fill="url(#g)"/>'
                 % (n(total), n(body), n(cap), n(body / 2))]
    return doc(width, height, "".join(parts), "".join(defs), view=(view_x, 0, view_w, height))


def _buttons():
    out = []
    for new in (False, True):
        prefix = "Q" if new else "R"
        for rows, (height, _, cap, middle) in BUTTON_CLASSES.items():
            for piece, w in (("L", cap), ("R", cap), ("2", middle)):
                out.append(("%s%d_%s" % (prefix, rows, piece), w, height,
                            (button_piece, new, rows, piece)))
    return out


def candles(mirror, width, height):
    """A brass candlestick with three candles; the flames are drawn by the
    program above the wicks at WICKS."""
    defs = [linear("brass", [(0, "#FFF0A8"), (0.35, "#E0B040"), (0.7, "#9A6A10"), (1, "#5A3A04")], x2=1, y2=0),
            linear("wax", [(0, "#FFFDF0"), (0.5, "#F2E6C4"), (1, "#C8B890")], x2=1, y2=0),
            shadow_filter("sh", 1.5, 2, 2, 0.45)]
    body = []
    # arms and base
    body.append('<path d="M22 118C22 140 50 142 50 142C50 142 78 140 78 118" fill="none" stroke="url(#brass)" '
                'stroke-width="5" stroke-linecap="round"/>')
    body.append('<rect x="46" y="112" width="8" height="62" fill="url(#brass)"/>')
    body.append('<ellipse cx="50" cy="178" rx="28" ry="7" fill="url(#brass)" stroke="#5A3A04" stroke-width="0.8"/>')
    body.append('<ellipse cx="50" cy="174" rx="18" ry="4" fill="#FFF0A8" fill-opacity="0.5"/>')
    for cx, top in ((22, 66), (50, 44), (78, 66)):
        body.append('<ellipse cx="%s" cy="%s" rx="11" ry="4" fill="url(#brass)" stroke="#5A3A04" '
                    'stroke-width="0.6"/>' % (n(cx), n(122 if cx != 50 else 114)))
        bottom = 120 if cx != 50 else 112
        body.append('<rect x="%s" y="%s" width="12" height="%s" rx="2" fill="url(#wax)" stroke="#A89868" '
                    'stroke-width="0.5"/>' % (n(cx - 6), n(top), n(bottom - top)))
        body.append('<path d="M%s %sq2 5 0 9" stroke="#F8F0D8" stroke-width="1.6" fill="none"/>' % (
            n(cx + 3), n(top + 1)))
        body.append('<path d="M%s %sv-6" stroke="#302010" stroke-width="1.2"/>' % (n(cx), n(top)))
    picture = '<g filter="url(#sh)"%s>%s</g>' % (' transform="matrix(-1 0 0 1 100 0)"' if mirror else "",
                                                 "".join(body))
    return doc(width, height, picture, "".join(defs), view=(0, 0, 100, 200))


def flames(width, height):
    """Six flames side by side; each leans and stretches a little
    differently, so that stepping through them makes a flame flicker."""
    fw, fh = FLAME_SIZE
    defs = [radial("glow", [(0, "#FFFFD0", 0.9), (0.5, "#FFC040", 0.45), (1, "#FF8000", 0)], cy=0.62),
            linear("fire", [(0, "#FFF8C0"), (0.45, "#FFD040"), (0.85, "#FF7010"), (1, "#C03000")],
                   x1=0, y1=1, x2=0, y2=0)]
    body = []
    for i in range(FLAME_FRAMES):
        lean = math.sin(i * 1.1) * 1.6
        tall = 17 + 3 * math.cos(i * 0.9)
        x0 = i * fw + fw / 2
        base = fh - 3
        body.append('<ellipse cx="%s" cy="%s" rx="5.8" ry="%s" fill="url(#glow)"/>' % (
            n(x0), n(base - tall * 0.45), n(tall * 0.55)))
        body.append('<path d="M%s %sC%s %s %s %s %s %sC%s %s %s %s %s %sZ" fill="url(#fire)"/>' % (
            n(x0 - 3), n(base),
            n(x0 - 4.2), n(base - tall * 0.45), n(x0 + lean - 1), n(base - tall * 0.75), n(x0 + lean), n(base - tall),
            n(x0 + lean + 1), n(base - tall * 0.75), n(x0 + 4.2), n(base - tall * 0.45), n(x0 + 3), n(base)))
        body.append('<ellipse cx="%s" cy="%s" rx="1.5" ry="3" fill="#FFFFFF" fill-opacity="0.85"/>' % (
            n(x0), n(base - 3)))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, fw * FLAME_FRAMES, fh))


def title_band(width, height):
    """A dark lacquered band with a gold rim and the four suits: it lies
    between the calendar sheets, under the title."""
    defs = [linear("lac", [(0, "#5A0C14", 0.82), (0.5, "#2E0408", 0.82), (1, "#5A0C14", 0.82)]),
            linear("gold", [(0, "#FFF4B8"), (0.5, "#E2B64A"), (1, "#8A6010")]),
            suits.pip_defs("p", ("#FF6070", "#D81E32", "#8E0A1C"), ("#FFFFFF", "#E8E8E8", "#A0A0A0"))]
    body = ['<rect x="2" y="18" width="296" height="54" rx="27" fill="url(#lac)" stroke="url(#gold)" '
            'stroke-width="2.4"/>',
            '<rect x="8" y="23" width="284" height="44" rx="22" fill="none" stroke="#E2B64A" stroke-opacity="0.5" '
            'stroke-width="0.8" stroke-dasharray="3 2"/>']
    for i, suit in enumerate("shdc"):
        body.append(suits.use_pip("p", suit, 75 + 50 * i, 45, 24))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 300, 90))


def sparkles(seed, width, height):
    """Stars that light up and fade over the side pictures, GIF_FRAMES
    frames of 160 x 200 side by side."""
    rng = random.Random(seed)
    stars = [(rng.uniform(20, 140), rng.uniform(50, 180), rng.uniform(0, GIF_FRAMES), rng.uniform(5, 10))
             for _ in range(7)]
    defs = [radial("st", [(0, "#FFFFFF"), (0.35, "#FFF6C0", 0.9), (1, "#FFD040", 0)])]
    body = []
    for f in range(GIF_FRAMES):
        ox = f * 160
        for x, y, phase, size in stars:
            t = ((f - phase) % GIF_FRAMES) / GIF_FRAMES
            light = max(0.0, math.sin(t * math.pi * 2))
            if light < 0.05:
                continue
            r = size * light
            body.append('<g transform="translate(%s %s) rotate(%s)" opacity="%s">'
                        '<circle r="%s" fill="url(#st)"/>'
                        '<path d="M0 %sL%s 0L0 %sL%s 0Z" fill="#FFFFFF"/>'
                        '<path d="M%s 0L0 %sL%s 0L0 %sZ" fill="#FFFFFF" opacity="0.7"/></g>' % (
                            n(ox + x), n(y), n(f * 6), n(light), n(r * 0.8),
                            n(-r * 1.6), n(r * 0.18), n(r * 1.6), n(-r * 0.18),
                            n(-r), n(r * 0.12), n(r), n(-r * 0.12)))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 160 * GIF_FRAMES, 200))


def clock_ground(width, height):
    defs = [linear("case", [(0, "#6A6E78"), (0.5, "#2A2C32"), (1, "#121316")]),
            linear("glass", [(0, "#1C2A22"), (1, "#060A08")])]
    body = ['<rect x="0.5" y="0.5" width="114" height="63" rx="9" fill="url(#case)" stroke="#000"/>',
            '<rect x="7" y="8" width="101" height="48" rx="5" fill="url(#glass)" stroke="#80848C" '
            'stroke-width="0.8"/>',
            '<rect x="9" y="9.5" width="97" height="14" rx="4" fill="#FFFFFF" fill-opacity="0.07"/>']
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 115, 64))


# Seven-segment digits: segments a b c d e f g.
_SEGMENTS = {"a": (3, 1, 12, 3.4, False), "b": (13, 3, 3.4, 13, True), "c": (13, 18, 3.4, 13, True),
             "d": (3, 30, 12, 3.4, False), "e": (1.6, 18, 3.4, 13, True), "f": (1.6, 3, 3.4, 13, True),
             "g": (3, 15.5, 12, 3.4, False)}
_DIGITS = {"0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg", "5": "acdfg", "6": "acdefg",
           "7": "abc", "8": "abcdefg", "9": "abcdfg", "M": "g"}


def digit(colour, symbol, width, height):
    w, h = DIGIT_SIZE
    body = []
    for seg, (x, y, sw, sh, upright) in _SEGMENTS.items():
        lit = seg in _DIGITS[symbol]
        r = min(sw, sh) / 2
        body.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" fill-opacity="%s"/>' % (
            n(x), n(y), n(sw), n(sh), n(r), colour, "1" if lit else "0.08"))
    glow = ('<filter id="gl" x="-30%" y="-30%" width="160%" height="160%"><feGaussianBlur stdDeviation="0.9"/>'
            '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge></filter>')
    return doc(width, height, '<g filter="url(#gl)">%s</g>' % "".join(body), glow, view=(0, 0, w, h))


def colon(colour, width, height):
    body = ('<circle cx="3" cy="3" r="2.2" fill="%s"/><circle cx="3" cy="13" r="2.2" fill="%s"/>' % (colour, colour))
    return doc(width, height, body, view=(0, 0, 6, 16))


def _clocks():
    out = [("GClockBG", 115, 64, (clock_ground,))]
    for prefix, colour in CLOCK_SETS.items():
        for d in "0123456789":
            out.append(("%sClock%s" % (prefix, d), DIGIT_SIZE[0], DIGIT_SIZE[1], (digit, colour, d)))
        if prefix == "GB":
            out.append(("GBClockP", 6, 16, (colon, colour)))
        else:
            out.append(("%sClockM" % prefix, DIGIT_SIZE[0], DIGIT_SIZE[1], (digit, colour, "M")))
    return out


def _service_symbol(name):
    if name == "SvTop10":
        return ('<path d="M14 10H34V20C34 27 29 31 24 31C19 31 14 27 14 20Z" fill="#FFD040" stroke="#7A5400"/>'
                '<path d="M14 13H9C9 20 12 22 15 23M34 13H39C39 20 36 22 33 23" fill="none" stroke="#FFD040" '
                'stroke-width="2"/><rect x="21" y="31" width="6" height="5" fill="#E0A020"/>'
                '<rect x="16" y="36" width="16" height="4" rx="1" fill="#B07810"/>'
                + text(24, 24, "10", 9, "DejaVu Sans", "#7A3A00"))
    if name == "SvStat":
        return "".join('<rect x="%d" y="%d" width="6" height="%d" fill="%s" stroke="#1A2A5A" stroke-width="0.6"/>'
                       % (10 + 8 * i, 38 - h, h, c)
                       for i, (h, c) in enumerate(((12, "#60B0FF"), (20, "#40E080"), (16, "#FFC040"),
                                                   (27, "#FF6060")))) + \
            '<path d="M8 38H40" stroke="#FFFFFF" stroke-width="1.5"/>'
    if name == "SvAccount":
        return ('<circle cx="24" cy="17" r="7" fill="#FFE0C0" stroke="#5A3A20"/>'
                '<path d="M11 39C11 29 17 26 24 26C31 26 37 29 37 39Z" fill="#3A78D8" stroke="#1A3A78"/>')
    if name == "SvTour":
        return ('<ellipse cx="24" cy="27" rx="15" ry="9" fill="#1E8A40" stroke="#0C4A20" stroke-width="1.2"/>'
                '<rect x="15" y="14" width="8" height="11" rx="1" fill="#FFFFFF" stroke="#555" stroke-width="0.5" '
                'transform="rotate(-12 19 20)"/>'
                '<rect x="25" y="14" width="8" height="11" rx="1" fill="#FFFFFF" stroke="#555" stroke-width="0.5" '
                'transform="rotate(12 29 20)"/>'
                '<path d="M19 18l1.5 2-1.5 2-1.5-2z" fill="#D01020"/><path d="M29 18l1.5 2-1.5 2-1.5-2z" fill="#D01020"/>')
    if name == "SvNews":
        return ('<rect x="10" y="11" width="28" height="26" rx="2" fill="#FFFFFF" stroke="#404040"/>'
                '<rect x="13" y="14" width="22" height="5" fill="#D02030"/>'
                + "".join('<path d="M13 %dH35" stroke="#808080" stroke-width="1.4"/>' % y for y in (23, 27, 31, 34)))
    if name == "SvChat":
        return ('<path d="M9 13H33V28H19L13 34V28H9Z" fill="#FFFFFF" stroke="#305080" stroke-width="1.2"/>'
                '<path d="M21 21H39V34H36V39L31 34H21Z" fill="#A0D8FF" stroke="#305080" stroke-width="1.2"/>')
    return ('<circle cx="24" cy="24" r="14" fill="#3090E0" stroke="#10406A"/>'
            '<path d="M10 24H38M24 10V38M13 16Q24 21 35 16M13 32Q24 27 35 32" fill="none" stroke="#FFFFFF" '
            'stroke-width="1.1"/><ellipse cx="24" cy="24" rx="6" ry="14" fill="none" stroke="#FFFFFF" '
            'stroke-width="1.1"/>')


def service(name, width, height):
    defs = [radial("bg", [(0, "#FFFFFF", 0.35), (0.7, "#A070E0", 0.25), (1, "#3A1A70", 0.55)], cy=0.35),
            shadow_filter("sh", 0.8, 1.2, 1, 0.5)]
    body = ('<circle cx="24" cy="24" r="22.5" fill="url(#bg)" stroke="#E2B64A" stroke-width="1.6"/>'
            '<g filter="url(#sh)">%s</g>' % _service_symbol(name))
    return doc(width, height, body, "".join(defs), view=(0, 0, 48, 48))


def touch(width, height):
    """Thirty frames of a firework burst: sparks fly out, slow down, fall a
    little and fade."""
    rng = random.Random(30)
    sparks = [(rng.uniform(0, math.pi * 2), rng.uniform(0.6, 1.0),
               rng.choice(["#FFE040", "#FF5050", "#60C0FF", "#80FF80", "#FF80FF", "#FFFFFF"]))
              for _ in range(28)]
    defs = [radial("core", [(0, "#FFFFFF"), (0.5, "#FFF0A0", 0.8), (1, "#FFC040", 0)])]
    body = []
    for f in range(TOUCH_FRAMES):
        t = (f + 1) / TOUCH_FRAMES
        ox = f * 100 + 50
        fade = 1.0 - t ** 1.6
        if t < 0.35:
            body.append('<circle cx="%s" cy="50" r="%s" fill="url(#core)" opacity="%s"/>' % (
                n(ox), n(6 + 20 * t), n(1 - t / 0.35)))
        for angle, speed, colour in sparks:
            dist = 44 * speed * (1 - (1 - t) ** 2)
            x = ox + math.cos(angle) * dist
            y = 50 + math.sin(angle) * dist + 8 * t * t
            tail = 6 * (1 - t) + 1
            body.append('<path d="M%s %sL%s %s" stroke="%s" stroke-width="%s" stroke-linecap="round" opacity="%s"/>'
                        % (n(x), n(y), n(x - math.cos(angle) * tail), n(y - math.sin(angle) * tail), colour,
                           n(2.2 * (1 - t) + 0.8), n(fade)))
    return doc(width, height, "".join(body), "".join(defs), view=(0, 0, 100 * TOUCH_FRAMES, 100))


def pictures():
    """(set, name, width, height, (function, *arguments)) of every picture."""
    out = [("tarvel",) + p for p in _buttons()]
    out.append(("tarvel", "CandleL", 100, 200, (candles, False)))
    out.append(("tarvel", "CandleR", 100, 200, (candles, True)))
    out.append(("tarvel", "Flames", FLAME_SIZE[0] * FLAME_FRAMES, FLAME_SIZE[1], (flames,)))
    out.append(("tarvel", "TitleBand", 300, 90, (title_band,)))
    out.append(("tarvel", "TitleBandB", 600, 180, (title_band,)))
    out.append(("tarvel", "GifMenu1", 160 * GIF_FRAMES, 200, (sparkles, 1)))
    out.append(("tarvel", "GifMenu2", 160 * GIF_FRAMES, 200, (sparkles, 2)))
    out += [("tarvel",) + p for p in _clocks()]
    for name in SERVICES:
        out.append(("tarvel", name, 48, 48, (service, name)))
    out.append(("QorCGraph1", "GTouch", 100 * TOUCH_FRAMES, 100, (touch,)))
    return out
