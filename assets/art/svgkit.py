"""Small helpers for writing SVG text."""

from xml.sax.saxutils import escape


def n(value):
    """A number written compactly (no trailing zeros)."""
    text = ("%.3f" % value).rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def doc(width, height, body, defs="", view=None):
    """A complete SVG document of `width` x `height` pixels.

    `view` is the (x, y, w, h) design box mapped onto the pixels; by default
    one design unit is one pixel.
    """
    vx, vy, vw, vh = view if view else (0, 0, width, height)
    return ('<svg xmlns="http://www.w3.org/2000/svg" '
            'xmlns:xlink="http://www.w3.org/1999/xlink" '
            'width="%d" height="%d" viewBox="%s %s %s %s">'
            '<defs>%s</defs>%s</svg>\n') % (width, height, n(vx), n(vy), n(vw), n(vh), defs, body)


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1, user=False):
    """A linear gradient; stops are (offset, colour[, opacity])."""
    units = ' gradientUnits="userSpaceOnUse"' if user else ""
    return '<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s"%s>%s</linearGradient>' % (
        gid, n(x1), n(y1), n(x2), n(y2), units, _stops(stops))


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, user=False):
    units = ' gradientUnits="userSpaceOnUse"' if user else ""
    focus = ""
    if fx is not None:
        focus = ' fx="%s" fy="%s"' % (n(fx), n(fy))
    return '<radialGradient id="%s" cx="%s" cy="%s" r="%s"%s%s>%s</radialGradient>' % (
        gid, n(cx), n(cy), n(r), focus, units, _stops(stops))


def _stops(stops):
    out = []
    for stop in stops:
        offset, colour = stop[0], stop[1]
        opacity = ' stop-opacity="%s"' % n(stop[2]) if len(stop) > 2 else ""
        out.append('<stop offset="%s" stop-color="%s"%s/>' % (n(offset), colour, opacity))
    return "".join(out)


def text(x, y, content, size, family, fill, weight="bold", anchor="middle", style=None,
         extra=""):
    return ('<text x="%s" y="%s" font-family="%s" font-size="%s" font-weight="%s"%s '
            'text-anchor="%s" fill="%s"%s>%s</text>') % (
        n(x), n(y), family, n(size), weight,
        ' font-style="%s"' % style if style else "", anchor, fill, extra, escape(content))


def shadow_filter(fid, dx, dy, blur, opacity, colour="#000"):
    """A drop shadow under the element's own shape."""
    return ('<filter id="%s" x="-30%%" y="-30%%" width="160%%" height="160%%">'
            '<feGaussianBlur in="SourceAlpha" stdDeviation="%s"/>'
            '<feOffset dx="%s" dy="%s" result="b"/>'
            '<feFlood flood-color="%s" flood-opacity="%s"/>'
            '<feComposite in2="b" operator="in"/>'
            '<feMerge><feMergeNode/><feMergeNode in="SourceGraphic"/></feMerge>'
            '</filter>') % (fid, n(blur), n(dx), n(dy), colour, n(opacity))


def rounded_rect_path(x, y, w, h, r):
    return ("M%s %sH%sA%s %s 0 0 1 %s %sV%sA%s %s 0 0 1 %s %sH%sA%s %s 0 0 1 %s %sV%sA%s %s 0 0 1 %s %sZ"
            % (n(x + r), n(y), n(x + w - r), n(r), n(r), n(x + w), n(y + r), n(y + h - r),
               n(r), n(r), n(x + w - r), n(y + h), n(x + r), n(r), n(r), n(x), n(y + h - r),
               n(y + r), n(r), n(r), n(x + r), n(y)))
