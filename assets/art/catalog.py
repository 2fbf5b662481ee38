"""Every picture the build makes: resource set, name, format, size, recipe.

Resource sets:
  tarvel       compiled into the program (prefix "/tarvel")
  QorCards06A  module with decks "Med", "Mod", "Cel", "Eng", "Lon", "Sea", "Roy"
  QorCards06B  module with the back sets "Cl1", "Car", "Che", "Ani"
  QorCards06C  module with decks "Fra" and "Chi"
  QorBackG03   module with the background sets 1 to 3 in seven variants
  QorCGraph1   module of the purple design: "BGLilu", "GFormOpt" + language, "GIcon48Opt", "GTouch" (fireworks)
  QorRadio02   module of the internet radio: the radio, volume, frame and station logos (radioart.py)

PNG pictures are SVG documents rendered by librsvg; JPEG backgrounds are made
by the background generator program (recipe "felt", "sun" or "gradient",
followed by ":" and a variant code for the module backgrounds).
"""

from dataclasses import dataclass
from functools import partial

import backs
import cursors
import faces
import lettering
import menuart
import radioart
import tableart
import tourart


@dataclass
class Picture:
    set: str
    name: str
    ext: str            # "png", "jpg" or "json"
    width: int
    height: int
    make: object        # () -> SVG text, a background recipe name, or () -> JSON text


def _deck(set_name, theme, code):
    out = []
    for large, size in ((False, faces.SMALL), (True, faces.LARGE)):
        for rank in faces.RANKS:
            for suit in "hdcs":
                out.append(Picture(set_name, faces.face_name(rank, suit, code, large), "png",
                                   size.width, size.height, partial(faces.face, theme, size, rank, suit)))
    for suit in "hdcs":
        for large, px in ((False, 20), (True, 40)):
            name = faces.SYMBOL_NAME[suit] + code + ("B" if large else "")
            out.append(Picture(set_name, name, "png", px, px, partial(faces.symbol, theme, px, suit)))
    return out


def _backs(set_name, style, code, count=7):
    out = []
    for large, size in ((False, faces.SMALL), (True, faces.LARGE)):
        for day in range(count):
            out.append(Picture(set_name, backs.back_name(day, code, large), "png", size.width, size.height,
                               partial(backs.back, style, day, size)))
    return out


def _table():
    out = [Picture("tarvel", "TabloSm", "png", 155, 95, partial(tableart.board, 155, 95)),
           Picture("tarvel", "TabloBg", "png", 310, 190, partial(tableart.board, 310, 190))]
    for name, colours in tableart.PLATE_COLOURS.items():
        out.append(Picture("tarvel", name, "png", 160, 20, partial(tableart.plate, colours, 160, 20)))
        out.append(Picture("tarvel", name + "B", "png", 320, 40, partial(tableart.plate, colours, 320, 40)))
    for kind, w, h in (("BB", 120, 150), ("ER", 130, 90)):
        out.append(Picture("tarvel", "Ramka%sSm" % kind, "png", w, h, partial(tableart.frame, kind, w, h)))
        out.append(Picture("tarvel", "Ramka%sBg" % kind, "png", 2 * w, 2 * h,
                           partial(tableart.frame, kind, 2 * w, 2 * h)))
    out.append(Picture("tarvel", "GKolodaLarge", "png", 60, 60, partial(tableart.empty_talon, 60, 60)))
    out.append(Picture("tarvel", "GKolodaLargeB", "png", 120, 120, partial(tableart.empty_talon, 120, 120)))
    out.append(Picture("tarvel", "GTimerR", "png", 64, 64, partial(tableart.move_timer, True, 64, 64)))
    out.append(Picture("tarvel", "GTimerY", "png", 64, 64, partial(tableart.move_timer, False, 64, 64)))
    out.append(Picture("tarvel", "Hand_Up", "png", 40, 60, partial(tableart.hand, True, 40, 60)))
    out.append(Picture("tarvel", "Hand_Down", "png", 40, 60, partial(tableart.hand, False, 40, 60)))
    out.append(Picture("tarvel", "HandIconUp", "png", 20, 30, partial(tableart.hand, True, 20, 30)))
    out.append(Picture("tarvel", "HandIconDown", "png", 20, 30, partial(tableart.hand, False, 20, 30)))
    return out


def _cursors():
    out = []
    for cursor in cursors.CURSORS:
        for name, _ in cursors.frames(cursor):
            out.append(Picture("tarvel", name, "png", cursors.SIZE, cursors.SIZE,
                               partial(_frame, cursor, name)))
    out.append(Picture("tarvel", "Cursors", "json", 0, 0, cursors.metadata))
    return out


def _frame(cursor, name):
    return dict(cursors.frames(cursor))[name]


def _lettering():
    cw, ch = lettering.CAPTION_BOX
    sw, sh = lettering.SUBTITLE_BOX
    out = []
    for lang in lettering.LETTERED:
        out.append(Picture("tarvel", "Cap" + lang, "png", cw, ch, partial(lettering.caption, cw, ch)))
        out.append(Picture("tarvel", "Cap%sB" % lang, "png", 2 * cw, 2 * ch,
                           partial(lettering.caption, 2 * cw, 2 * ch)))
        for kind in ("Elite", "Net__"):
            out.append(Picture("tarvel", kind + lang, "png", sw, sh, partial(lettering.subtitle, kind, lang, sw, sh)))
            out.append(Picture("tarvel", "%s%sB" % (kind, lang), "png", 2 * sw, 2 * sh,
                               partial(lettering.subtitle, kind, lang, 2 * sw, 2 * sh)))
    for lang in lettering.FLAGS:
        out.append(Picture("tarvel", "FlagO" + lang, "png", 14, 12, partial(lettering.flag, lang, 14, 12)))
        out.append(Picture("tarvel", "FlagO%sB" % lang, "png", 28, 24, partial(lettering.flag, lang, 28, 24)))
    out.append(Picture("tarvel", "Logo", "png", 64, 64, partial(lettering.logo, 64, 64)))
    out.append(Picture("tarvel", "PngMenu1", "png", 160, 200, partial(lettering.menu_fan, "A", 160, 200)))
    out.append(Picture("tarvel", "PngMenu2", "png", 160, 200, partial(lettering.menu_fan, "K", 160, 200)))
    return out


def _listed(module):
    """The pictures of a module that lists (set, name, width, height, (function, *arguments))."""
    out = []
    for rset, name, width, height, (function, *args) in module.pictures():
        out.append(Picture(rset, name, "png", width, height, partial(function, *args, width, height)))
    return out


def pictures():
    out = []
    out += _deck("tarvel", faces.CLASSIC, "")
    out += _backs("tarvel", "classic", "")
    out.append(Picture("tarvel", "FonG", "jpg", 760, 500, "felt"))
    out.append(Picture("tarvel", "FonGB", "jpg", 1520, 1000, "felt"))
    out += _table()
    out += _cursors()
    out += _lettering()
    for module, theme in faces.MODULE_DECKS:
        out += _deck(module, theme, theme.code)
    for style, code, count in MODULE_BACKS:
        out += _backs("QorCards06B", style, code, count)
    out += _listed(menuart)
    out += _listed(radioart)
    out += _listed(tourart)
    out += _graphics()
    for number, recipe in MODULE_BACKGROUNDS:
        for variant in VARIANTS:
            if (number, variant) == (2, "Gr"):
                continue  # inside the program ("FonG")
            name = "Fon%02d%s" % (number, variant)
            out.append(Picture("QorBackG03", name, "jpg", 760, 500, "%s:%s" % (recipe, variant)))
            out.append(Picture("QorBackG03", name + "B", "jpg", 1520, 1000, "%s:%s" % (recipe, variant)))
    return out


def _graphics():
    """The purple design's module: background, options header and icon."""
    out = [Picture("QorCGraph1", "BGLilu", "jpg", 1520, 1000, "gradient:Fi")]
    w, h = lettering.OPTIONS_BOX
    for lang in lettering.LETTERED:
        out.append(Picture("QorCGraph1", "GFormOpt" + lang, "png", w, h, partial(lettering.options_header, lang, w, h)))
    frames = lettering.ICON_FRAMES
    out.append(Picture("QorCGraph1", "GIcon48Opt", "png", 48 * frames, 48,
                       partial(lettering.options_icon_strip, frames, 48)))
    return out


# Back sets of the card module: style, back code, number of backs (the
# random sets 8..11 have ten).
MODULE_BACKS = [("heraldic", "Cl1", 7), ("carpet", "Car", 7), ("chess", "Che", 7), ("animals", "Ani", 10)]

# Background sets of the background module by set number, each in the seven
# variants; the generator's recipe and the variant code make the colours.
MODULE_BACKGROUNDS = [(1, "sun"), (2, "felt"), (3, "gradient")]
VARIANTS = ["Gr", "Re", "Or", "Ye", "B1", "B2", "Fi"]
