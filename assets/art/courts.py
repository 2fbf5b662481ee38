"""Court figures: the upper half of a king, queen and jack.

Each figure is drawn in a box 100 units wide and 90 high whose bottom edge is
the middle of the card; the face draws the box twice (the second time turned
by 180 degrees) to make the double-ended picture.  `sw` is the outline width
in box units, chosen per picture size so that outlines stay about one pixel.
"""

from svgkit import n

SKIN = "#F6D2AE"
SKIN_SHADE = "#E2AE86"


def _eyes(ol, sw, brow, cy, lashes=False):
    out = []
    for x in (45.4, 54.6):
        out.append('<ellipse cx="%s" cy="%s" rx="1.9" ry="1.25" fill="#fff" stroke="%s" '
                   'stroke-width="%s"/>' % (n(x), n(cy), ol, n(sw * 0.45)))
        out.append('<circle cx="%s" cy="%s" r="0.95" fill="#1E2A44"/>' % (n(x), n(cy)))
        side = -1 if x < 50 else 1
        out.append('<path d="M%s %s Q%s %s %s %s" fill="none" stroke="%s" stroke-width="%s" '
                   'stroke-linecap="round"/>' % (
                       n(x - 2.6 * side), n(cy - 2.4), n(x), n(cy - 4.0), n(x + 2.4 * side),
                       n(cy - 2.6), brow, n(sw * 0.75)))
        if lashes:
            out.append('<path d="M%s %s l%s -1" stroke="%s" stroke-width="%s"/>' % (
                n(x + 2.0 * side), n(cy - 0.6), n(1.2 * side), ol, n(sw * 0.4)))
    return "".join(out)


def _nose(ol, sw, top, bottom):
    return ('<path d="M50 %s C49.2 %s 48.2 %s 48.8 %s C49.6 %s 50.8 %s 51.8 %s" fill="none" '
            'stroke="%s" stroke-width="%s" stroke-linecap="round"/>' % (
                n(top), n(top + 2.5), n(bottom - 1), n(bottom), n(bottom + 0.5), n(bottom + 0.4),
                n(bottom - 0.3), ol, n(sw * 0.5)))


def _pole(x1, y1, x2, y2, colour, ol, width, sw):
    return ('<path d="M%s %sL%s %s" stroke="%s" stroke-width="%s" stroke-linecap="round"/>'
            '<path d="M%s %sL%s %s" stroke="%s" stroke-width="%s" stroke-linecap="round"/>' % (
                n(x1), n(y1), n(x2), n(y2), ol, n(width + 2 * sw),
                n(x1), n(y1), n(x2), n(y2), colour, n(width)))


def _sleeves(pal, s):
    """Both arms, behind the body: the left hangs down, the right bends to the prop."""
    return ('<path d="M22 63C11 67 5 77 4 90L18 90C18 82 20 76 25 71Z" fill="%s" %s/>'
            '<path d="M22 63C11 67 5 77 4 90L10 90C11 80 15 72 22 67Z" fill="%s" opacity="0.45"/>'
            '<path d="M78 63C88 66 93 72 93 80L85 82C84 77 81 74 76 73Z" fill="%s" %s/>' % (
                pal["robe"], s, pal["robe_dark"], pal["robe"], s))


def _gold(pal, gid):
    return ('<linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="0.5" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient>' % (
                gid, pal["gold_light"], pal["gold"], pal["gold_dark"]))


def king(pal, sw, gid):
    ol = pal["outline"]
    gold = "url(#%s)" % gid
    s = 'stroke="%s" stroke-width="%s" stroke-linejoin="round"' % (ol, n(sw))
    out = [_gold(pal, gid)]
    # sceptre behind the shoulder
    out.append(_pole(79, 90, 81, 31, pal["gold"], ol, 3.2, sw * 0.8))
    out.append('<circle cx="81.2" cy="26" r="5.2" fill="%s" %s/>' % (gold, s))
    out.append('<path d="M81.2 20.8V14M78.4 16.6H84" stroke="%s" stroke-width="%s" '
               'stroke-linecap="round"/>' % (pal["gold_dark"], n(sw * 1.4)))
    out.append('<path d="M77 26H85.4" stroke="%s" stroke-width="%s"/>' % (pal["gold_dark"], n(sw * 0.6)))
    # robe
    out.append(_sleeves(pal, s))
    out.append('<path d="M16 90L17 72C18 63 24 58 36 55L64 55C76 58 82 63 83 72L84 90Z" fill="%s" %s/>' % (pal["robe"], s))
    out.append('<path d="M17 90L18 74C19 66 24 61 31 58L35 66C29 71 27 80 27 90Z" fill="%s" opacity="0.5"/>' % pal["robe_dark"])
    out.append('<path d="M83 90L82 74C81 66 76 61 69 58L65 66C71 71 73 80 73 90Z" fill="%s" opacity="0.5"/>' % pal["robe_dark"])
    for x in (22, 29, 71, 78):
        out.append('<path d="M%s 90C%s 82 %s 76 %s 70" fill="none" stroke="%s" stroke-width="%s"/>' % (
            n(x), n(x + (2 if x < 50 else -2)), n(x + (5 if x < 50 else -5)), n(x + (9 if x < 50 else -9)),
            pal["robe_dark"], n(sw * 0.7)))
    # gold centre band with lozenges
    out.append('<path d="M43 62L57 62L60 90L40 90Z" fill="%s" %s/>' % (gold, s))
    for y in (70, 81):
        out.append('<path d="M50 %sL53.5 %sL50 %sL46.5 %sZ" fill="%s" stroke="%s" stroke-width="%s"/>' % (
            n(y - 4.5), n(y), n(y + 4.5), n(y), pal["trim"], ol, n(sw * 0.5)))
    # ermine cape
    out.append('<path d="M20 65C28 56 40 53 50 57C60 53 72 56 80 65C71 71 60 69 50 72C40 69 29 71 20 65Z" '
               'fill="#FFFDF6" %s/>' % s)
    for x, y in ((29, 64), (38, 62), (50, 66.5), (62, 62), (71, 64)):
        out.append('<path d="M%s %sl-1.3 3l1.3 -0.9l1.3 0.9Z" fill="%s"/>' % (n(x), n(y - 1.5), ol))
    # hand on the sceptre
    out.append('<path d="M70 74C72 70 76 68 80 69L84 71C85 74 83 77 79 77L72 77Z" fill="%s" %s/>' % (SKIN, s))
    out.append('<path d="M62 80C66 74 70 72 73 73L74 80C71 82 67 84 63 86Z" fill="%s" %s/>' % (pal["trim"], s))
    # neck, hair, face
    out.append('<path d="M45 44H55V57H45Z" fill="%s" %s/>' % (SKIN_SHADE, s))
    out.append('<path d="M37 24C33 34 34 46 38 52L62 52C66 46 67 34 63 24Z" fill="%s" %s/>' % (pal["hair"], s))
    out.append('<ellipse cx="50" cy="33" rx="11" ry="12.5" fill="%s" %s/>' % (SKIN, s))
    out.append(_eyes(ol, sw, pal["hair_dark"], 31.2))
    out.append(_nose(ol, sw, 31.5, 37.3))
    # beard and moustache
    out.append('<path d="M39 35C38 48 44 57 50 59C56 57 62 48 61 35C58 41 55 44.5 50 44.5C45 44.5 42 41 39 35Z" '
               'fill="%s" %s/>' % (pal["hair"], s))
    for x in (44, 50, 56):
        out.append('<path d="M%s 46C%s 50 %s 53 %s 55" fill="none" stroke="%s" stroke-width="%s"/>' % (
            n(x), n(x + (0.5 if x != 50 else 0)), n(x + (0.6 if x > 50 else -0.6 if x < 50 else 0)),
            n(x + (1.2 if x > 50 else -1.2 if x < 50 else 0)), pal["hair_dark"], n(sw * 0.5)))
    out.append('<path d="M43 41.5C46 39 48.8 39.6 50 40.8C51.2 39.6 54 39 57 41.5C54 43.2 51.6 43 50 42.2'
               'C48.4 43 46 43.2 43 41.5Z" fill="%s" stroke="%s" stroke-width="%s"/>' % (
                   pal["hair_dark"], ol, n(sw * 0.4)))
    # crown
    out.append('<path d="M39.5 21C40 12 60 12 60.5 21Z" fill="%s" %s/>' % (pal["trim"], s))
    out.append('<path d="M38 22.5L36.5 9L43.5 15.5L50 6L56.5 15.5L63.5 9L62 22.5Z" fill="%s" %s/>' % (gold, s))
    out.append('<rect x="37.3" y="19" width="25.4" height="5.6" rx="1" fill="%s" %s/>' % (gold, s))
    for x, y, r in ((36.5, 8.6, 1.9), (50, 5.4, 2.1), (63.5, 8.6, 1.9)):
        out.append('<circle cx="%s" cy="%s" r="%s" fill="#FFF6D8" stroke="%s" stroke-width="%s"/>' % (
            n(x), n(y), n(r), ol, n(sw * 0.6)))
    out.append('<circle cx="50" cy="21.8" r="1.9" fill="%s"/>' % pal["jewel"])
    out.append('<circle cx="43.5" cy="21.8" r="1.3" fill="%s"/><circle cx="56.5" cy="21.8" r="1.3" fill="%s"/>' % (
        pal["jewel2"], pal["jewel2"]))
    return "".join(out)


def queen(pal, sw, gid):
    ol = pal["outline"]
    gold = "url(#%s)" % gid
    s = 'stroke="%s" stroke-width="%s" stroke-linejoin="round"' % (ol, n(sw))
    out = [_gold(pal, gid)]
    # long hair behind the shoulders
    out.append('<path d="M37 28C30 40 27 56 29 70C35 68 40 63 42 57L58 57C60 63 65 68 71 70'
               'C73 56 70 40 63 28Z" fill="%s" %s/>' % (pal["hair"], s))
    # gown
    out.append(_sleeves(pal, s))
    out.append('<path d="M15 90L16 74C17 65 25 60 37 58L63 58C75 60 83 65 84 74L85 90Z" fill="%s" %s/>' % (pal["robe"], s))
    out.append('<path d="M16 90L17 76C18 68 24 63 31 61L36 70C30 75 28 82 28 90Z" fill="%s" opacity="0.5"/>' % pal["robe_dark"])
    out.append('<path d="M84 90L83 76C82 68 76 63 69 61L64 70C70 75 72 82 72 90Z" fill="%s" opacity="0.5"/>' % pal["robe_dark"])
    # stomacher and lace
    out.append('<path d="M42 68L58 68L54.5 90L45.5 90Z" fill="%s" %s/>' % (gold, s))
    for y in (73, 79, 85):
        out.append('<path d="M%s %sL%s %s" stroke="%s" stroke-width="%s"/>' % (
            n(44 + (y - 68) * 0.12), n(y), n(56 - (y - 68) * 0.12), n(y), pal["trim"], n(sw * 0.9)))
    out.append('<path d="M37 58C39 70 61 70 63 58Z" fill="%s" %s/>' % (SKIN, s))
    out.append('<path d="M35 58.5C38 72 62 72 65 58.5" fill="none" stroke="%s" stroke-width="%s"/>' % (
        pal["gold"], n(sw * 1.8)))
    for i, x in enumerate((42, 45.2, 48.5, 51.5, 54.8, 58)):
        y = 61.3 + (2.2, 3.6, 4.3, 4.3, 3.6, 2.2)[i]
        out.append('<circle cx="%s" cy="%s" r="1.15" fill="#FFFFFF" stroke="%s" stroke-width="%s"/>' % (
            n(x), n(y), ol, n(sw * 0.35)))
    # rose in the right hand
    out.append(_pole(80, 90, 79, 46, pal["leaf"], ol, 1.6, sw * 0.6))
    out.append('<path d="M79.5 64C85 60 89 61 91 58C87 56 82 59 79.5 64Z" fill="%s" %s/>' % (pal["leaf"], s))
    out.append('<path d="M79 56C73 53 70 54 68 51C72 49 77 51 79 56Z" fill="%s" %s/>' % (pal["leaf"], s))
    out.append('<circle cx="79" cy="44" r="6.5" fill="%s" %s/>' % (pal["rose"], s))
    out.append('<path d="M79 44m-3.4 0a3.4 3.4 0 1 1 3.4 3.4M79 44m-1.4 0a1.4 1.4 0 1 0 1.4 -1.4" '
               'fill="none" stroke="%s" stroke-width="%s"/>' % (pal["rose_dark"], n(sw * 0.6)))
    out.append('<path d="M70 76C72 72 76 70 80 71L84 73C85 76 83 79 79 79L72 79Z" fill="%s" %s/>' % (SKIN, s))
    out.append('<path d="M62 82C66 76 70 74 73 75L74 82C71 84 67 86 63 88Z" fill="%s" %s/>' % (pal["trim"], s))
    # neck, face, hair in front
    out.append('<path d="M45.5 46H54.5V59H45.5Z" fill="%s" %s/>' % (SKIN_SHADE, s))
    out.append('<ellipse cx="50" cy="36" rx="10" ry="12" fill="%s" %s/>' % (SKIN, s))
    out.append('<circle cx="44" cy="40.5" r="2.2" fill="#F08C8C" opacity="0.45"/>'
               '<circle cx="56" cy="40.5" r="2.2" fill="#F08C8C" opacity="0.45"/>')
    out.append(_eyes(ol, sw, pal["hair_dark"], 34.6, lashes=True))
    out.append(_nose(ol, sw, 35, 40))
    out.append('<path d="M46.8 43.6C48.6 42.6 51.4 42.6 53.2 43.6C51.6 45.6 48.4 45.6 46.8 43.6Z" fill="%s"/>' % pal["lips"])
    out.append('<path d="M40 32C41 25 47 23 50 26C53 23 59 25 60 32C57 28.5 53.5 27.5 50 30'
               'C46.5 27.5 43 28.5 40 32Z" fill="%s" %s/>' % (pal["hair"], s))
    out.append('<path d="M40 31C37.5 39 37.5 46 40 53L42.5 51C41 44 41 38 42.5 32Z" fill="%s" %s/>' % (pal["hair"], s))
    out.append('<path d="M60 31C62.5 39 62.5 46 60 53L57.5 51C59 44 59 38 57.5 32Z" fill="%s" %s/>' % (pal["hair"], s))
    # diadem
    out.append('<path d="M40.5 25.5L39.5 14L45 19.5L50 11L55 19.5L60.5 14L59.5 25.5Z" fill="%s" %s/>' % (gold, s))
    out.append('<rect x="40" y="22.6" width="20" height="4" rx="1" fill="%s" %s/>' % (gold, s))
    for x, y in ((39.5, 13.6), (50, 10.6), (60.5, 13.6)):
        out.append('<circle cx="%s" cy="%s" r="1.6" fill="#FFFFFF" stroke="%s" stroke-width="%s"/>' % (
            n(x), n(y), ol, n(sw * 0.5)))
    out.append('<circle cx="50" cy="24.6" r="1.5" fill="%s"/>' % pal["jewel"])
    return "".join(out)


def jack(pal, sw, gid):
    ol = pal["outline"]
    gold = "url(#%s)" % gid
    s = 'stroke="%s" stroke-width="%s" stroke-linejoin="round"' % (ol, n(sw))
    out = [_gold(pal, gid)]
    # halberd behind the shoulder
    out.append(_pole(81, 90, 83, 12, pal["wood"], ol, 2.6, sw * 0.8))
    out.append('<path d="M83.2 15L93 19C95.5 25 93.5 31 87 32.5L83.6 29Z" fill="%s" %s/>' % (pal["steel"], s))
    out.append('<path d="M82.8 16L76 20L82.9 23Z" fill="%s" %s/>' % (pal["steel"], s))
    out.append('<path d="M81.6 13L83 1.5L84.5 13Z" fill="%s" %s/>' % (pal["steel"], s))
    # hair behind
    out.append('<path d="M37 30C33 40 34 50 38 56L62 56C66 50 67 40 63 30Z" fill="%s" %s/>' % (pal["hair"], s))
    # tunic with bands
    out.append(_sleeves(pal, s))
    out.append('<path d="M15 90L16 74C17 65 25 60 37 58L63 58C75 60 83 65 84 74L85 90Z" fill="%s" %s/>' % (pal["robe"], s))
    out.append('<path d="M27 61L34 59L36 90L27 90Z" fill="%s" %s/>' % (pal["trim"], s))
    out.append('<path d="M73 61L66 59L64 90L73 90Z" fill="%s" %s/>' % (pal["trim"], s))
    out.append('<path d="M46 62H54V90H46Z" fill="%s" %s/>' % (gold, s))
    for y in (68, 76, 84):
        out.append('<circle cx="50" cy="%s" r="1.3" fill="%s"/>' % (n(y), pal["trim"]))
    # hand on the halberd
    out.append('<path d="M72 72C74 68 78 66 82 67L86 69C87 72 85 75 81 75L74 75Z" fill="%s" %s/>' % (SKIN, s))
    out.append('<path d="M64 78C68 72 72 70 75 71L76 78C73 80 69 82 65 84Z" fill="%s" %s/>' % (pal["trim"], s))
    # neck and ruff
    out.append('<path d="M45.5 47H54.5V59H45.5Z" fill="%s" %s/>' % (SKIN_SHADE, s))
    out.append('<path d="M34 58L37 63L41 58.5L44.5 63.5L48 58.8L50 63.8L52 58.8L55.5 63.5L59 58.5L63 63L66 58'
               'L63 55C56 57.5 44 57.5 37 55Z" fill="#FFFFFF" %s/>' % s)
    # face
    out.append('<ellipse cx="50" cy="37" rx="10" ry="12" fill="%s" %s/>' % (SKIN, s))
    out.append(_eyes(ol, sw, pal["hair_dark"], 35.6))
    out.append(_nose(ol, sw, 36, 41))
    out.append('<path d="M46.5 43.6C48.5 42.6 51.5 42.6 53.5 43.6" fill="none" stroke="%s" stroke-width="%s" '
               'stroke-linecap="round"/>' % (pal["hair_dark"], n(sw * 0.9)))
    out.append('<path d="M47.5 45.8C49 46.6 51 46.6 52.5 45.8" fill="none" stroke="%s" stroke-width="%s" '
               'stroke-linecap="round"/>' % (pal["lips"], n(sw * 0.7)))
    out.append('<path d="M40 33C41 27 46 25 50 26C55 25 60 27 60 33C57 30 53 29 50 30.5C47 29 43 30 40 33Z" '
               'fill="%s" %s/>' % (pal["hair"], s))
    # cap with brim and feather
    out.append('<path d="M61 16C68 6 76 3 81 4C76 6 71 10 65 19Z" fill="#FFFFFF" %s/>' % s)
    out.append('<path d="M34 27C33 16 44 10 55 11C66 12 70 19 66 27Z" fill="%s" %s/>' % (pal["trim"], s))
    out.append('<path d="M31.5 27C40 23.5 60 23.5 68.5 27C60 31 40 31 31.5 27Z" fill="%s" %s/>' % (gold, s))
    out.append('<circle cx="60.5" cy="20" r="1.8" fill="%s" stroke="%s" stroke-width="%s"/>' % (
        pal["jewel"], ol, n(sw * 0.5)))
    return "".join(out)


FIGURES = {"J": jack, "Q": queen, "K": king}
