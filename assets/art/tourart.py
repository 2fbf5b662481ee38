"""Pictures of the online tournament.

  GTourOn / GTourOff   the tournament server picture of the lobby: a server
                       tower with its lamp lit green (on) or a dark tower with
                       a red lamp (off)
  GPlace01..GPlace10   place medals of the tournament top ten: gold, silver
                       and bronze for 1..3, blue ribbons with the number after
"""

from svgkit import doc, linear, radial, shadow_filter, text

MEDAL_COLOURS = {1: ("#FFF3A0", "#E2B022", "#8A6200"),
                 2: ("#FFFFFF", "#B8BCC6", "#5E626C"),
                 3: ("#FFD8B0", "#C47A3A", "#6A3A10")}
PLAIN_MEDAL = ("#D8ECFF", "#4A86D0", "#1A3A70")


def server(on, width, height):
    body_top, body_bottom = ("#5A6A80", "#232A36") if on else ("#6A6A6A", "#2E2E2E")
    lamp = ("#B0FFB0", "#20C040", "#0A5A18") if on else ("#FFB0B0", "#D02020", "#5A0A0A")
    defs = [linear("tower", [(0, body_top), (1, body_bottom)], x2=1, y2=0),
            radial("lamp", [(0, lamp[0]), (0.6, lamp[1]), (1, lamp[2])], cy=0.4),
            shadow_filter("sh", 0.8, 1.2, 1.2, 0.45)]
    slots = "".join('<rect x="15" y="%d" width="18" height="3" rx="1" fill="#10141A" stroke="#8A96A8" '
                    'stroke-width="0.5"/><circle cx="30" cy="%s" r="0.9" fill="%s"/>'
                    % (y, y + 1.5, "#60FF80" if on else "#555555") for y in (10, 16, 22))
    glow = ('<circle cx="24" cy="37" r="8" fill="%s" opacity="0.35"/>' % lamp[1]) if on else ""
    body = ('<g filter="url(#sh)"><rect x="11" y="5" width="26" height="40" rx="3" fill="url(#tower)" '
            'stroke="#0E1218" stroke-width="1"/>%s%s<circle cx="24" cy="37" r="5" fill="url(#lamp)" '
            'stroke="#0E1218" stroke-width="0.8"/></g>' % (slots, glow))
    return doc(width, height, body, "".join(defs), view=(0, 0, 48, 48))


def medal(place, width, height):
    light, mid, dark = MEDAL_COLOURS.get(place, PLAIN_MEDAL)
    defs = [radial("disc", [(0, light), (0.65, mid), (1, dark)], cx=0.4, cy=0.35, r=0.7)]
    ribbon = ('<path d="M7 0H13L16 9H10Z" fill="#C02030"/><path d="M17 0H11L8 9H14Z" fill="#2050C0"/>')
    body = (ribbon + '<circle cx="12" cy="15" r="8.5" fill="url(#disc)" stroke="%s" stroke-width="1"/>' % dark
            + text(12, 18.6 if place < 10 else 18.2, str(place), 10 if place < 10 else 8.5, "DejaVu Sans",
                   dark if place <= 3 else "#FFFFFF"))
    return doc(width, height, body, "".join(defs), view=(0, 0, 24, 24))


def pictures():
    """(set, name, width, height, (function, *arguments)) of every picture."""
    out = [("tarvel", "GTourOn", 48, 48, (server, True)), ("tarvel", "GTourOff", 48, 48, (server, False))]
    out += [("tarvel", "GPlace%02d" % place, 24, 24, (medal, place)) for place in range(1, 11)]
    return out
