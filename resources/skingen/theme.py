"""The palette of the dark skin and the drawers of the control looks.

Each drawer takes the control and one state ("normal", "over", "pressed" or
"blank") and returns SVG elements that stay inside the control's rectangle,
so that the three looks of a window differ only where a control sits.
"""

import math

import svg

# Window surfaces, darkest first.
BG = "#0b0d10"        # window background
PANEL = "#111419"     # framed panels
FACE = "#171b21"      # resting control face
FACE_HI = "#1f252d"   # control face under the pointer
WELL = "#060606"      # text wells (the name box paints this colour itself)
# Slate lines.
LINE_DIM = "#232a32"
LINE = "#333c47"
LINE_HI = "#56667a"
# Text: the captions' colours of the windows (COLORREF 0x676153 and white).
TEXT = "#536167"
TEXT_DIM = "#3b464d"
WHITE = "#ffffff"
# Accent: COLORREF 0xB98C15, the colour of selected rows and fields.
ACCENT = "#158cb9"
ACCENT_DIM = "#0c4f69"
ACCENT_HI = "#4cb8e0"
DANGER = "#c4323a"


# --- glyph helpers ---------------------------------------------------------

def tick(cx, cy, colour, s=1.0):
    d = (f"M{cx - 3.5 * s:.1f},{cy + 0.2 * s:.1f} L{cx - 1 * s:.1f},{cy + 2.7 * s:.1f} "
         f"L{cx + 3.8 * s:.1f},{cy - 2.6 * s:.1f}")
    return svg.path(d, stroke=colour, sw=1.6)


# --- drawers ---------------------------------------------------------------

def check_box(c, state, size=None):
    """A square tick box centred in the rectangle."""
    x0, y0, x1, y1 = c.r
    s = size or min(x1 - x0, y1 - y0, 13)
    bx = x0 + (x1 - x0 - s) // 2 if c.get("align") != "left" else x0
    by = y0 + (y1 - y0 - s) // 2
    out = []
    if state == "normal":
        out.append(svg.box(bx, by, bx + s, by + s, WELL, LINE))
    elif state == "over":
        out.append(svg.box(bx, by, bx + s, by + s, FACE_HI, LINE_HI))
    elif state == "pressed":
        out.append(svg.box(bx, by, bx + s, by + s, ACCENT, ACCENT))
        out.append(tick(bx + s / 2, by + s / 2, WHITE, s / 13))
    return out


def radio(c, state, r=None, cx=None):
    x0, y0, x1, y1 = c.r
    rr = r or min(x1 - x0, y1 - y0, 14) / 2 - 0.5
    ccx = cx if cx is not None else (x0 + x1) / 2
    ccy = (y0 + y1) / 2
    out = []
    if state == "normal":
        out.append(svg.circle(ccx, ccy, rr - 0.5, WELL, LINE, 1))
    elif state == "over":
        out.append(svg.circle(ccx, ccy, rr - 0.5, FACE_HI, LINE_HI, 1))
    elif state == "pressed":
        out.append(svg.circle(ccx, ccy, rr - 0.5, WELL, ACCENT, 1))
        out.append(svg.circle(ccx, ccy, rr - 3.5, ACCENT))
    return out


def labelled_check(c, state):
    """Tick box at the left of the rectangle with its value painted beside it."""
    x0, y0, x1, y1 = c.r
    s = min(y1 - y0, c.get("box", 13))
    by = y0 + (y1 - y0 - s) // 2
    out = []
    cc = type(c)(c.id, (x0, by, x0 + s, by + s), check_box)
    out += check_box(cc, state, s)
    colour = {"normal": TEXT, "over": WHITE, "pressed": WHITE}.get(state, TEXT)
    if state != "blank":
        out.append(svg.text(x0 + s + c.get("gap", 5), y0 + (y1 - y0) // 2 + 4, c["label"],
                            c.get("size", 11), colour))
    return out


def labelled_radio(c, state):
    x0, y0, x1, y1 = c.r
    cc = type(c)(c.id, (x0 + 1, y0 + 3, x0 + 15, y1 - 3), radio)
    out = radio(cc, state, 7)
    colour = {"normal": TEXT, "over": WHITE, "pressed": WHITE}.get(state, TEXT)
    if state != "blank":
        out.append(svg.text(x0 + 19, y0 + (y1 - y0) // 2 + 4, c["label"], 10.5, colour))
    return out


def push_button(c, state):
    """A captioned push button (the caption is drawn by the program)."""
    x0, y0, x1, y1 = c.r
    i = c.get("inset", 2)
    bx0, by0, bx1, by1 = x0 + i, y0 + i, x1 - i, y1 - i
    primary = c.get("primary", False)
    out = []
    if state == "normal":
        out.append(svg.box(bx0, by0, bx1, by1, FACE, LINE))
        if primary:
            out.append(svg.hline(bx0 + 2, bx1 - 2, by1 - 2, ACCENT))
    elif state == "over":
        out.append(svg.box(bx0, by0, bx1, by1, FACE_HI, LINE_HI))
        if primary:
            out.append(svg.hline(bx0 + 2, bx1 - 2, by1 - 2, ACCENT_HI))
    elif state == "pressed":
        out.append(svg.box(bx0, by0, bx1, by1, ACCENT_DIM, ACCENT))
    return out


def field_box(c, state):
    """The normal and over looks of a field: a dark well, lit edge when hovered."""
    x0, y0, x1, y1 = c.r
    if state == "normal":
        return [svg.box(x0, y0, x1, y1, WELL, LINE)]
    if state == "over":
        return [svg.box(x0, y0, x1, y1, FACE, LINE_HI)]
    return []


def field_button(c, state):
    """A text field that is also a button (the bound program's name)."""
    out = field_box(c, state)
    if state == "pressed":
        x0, y0, x1, y1 = c.r
        out.append(svg.box(x0, y0, x1, y1, ACCENT_DIM, ACCENT))
    return out


def title_glyph(c, state):
    """Minimise and close buttons of a title bar."""
    x0, y0, x1, y1 = c.r
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    kind = c["glyph"]
    out = []
    if state == "blank":
        return out
    colour = TEXT
    if state == "over":
        out.append(svg.rect(x0, y0, x1, y1, DANGER if kind == "close" else FACE_HI))
        colour = WHITE
    elif state == "pressed":
        out.append(svg.rect(x0, y0, x1, y1, "#8e1f26" if kind == "close" else ACCENT_DIM))
        colour = WHITE
    if kind == "close":
        out.append(svg.path(f"M{cx - 4.5},{cy - 4.5} L{cx + 4.5},{cy + 4.5} M{cx + 4.5},{cy - 4.5} "
                            f"L{cx - 4.5},{cy + 4.5}", stroke=colour, sw=1.5))
    else:
        out.append(svg.rect(int(cx) - 5, int(cy) + 3, int(cx) + 6, int(cy) + 5, colour))
    return out


def tab(c, state):
    """A page tab: an icon with an underline when its page is on show."""
    x0, y0, x1, y1 = c.r
    out = []
    if state == "blank":
        return out
    colour = TEXT
    if state == "over":
        out.append(svg.box(x0, y0, x1, y1, FACE_HI))
        colour = WHITE
    elif state == "pressed":
        out.append(svg.box(x0, y0, x1, y1, FACE))
        out.append(svg.rect(x0 + 2, y1 - 3, x1 - 2, y1, ACCENT))
        colour = ACCENT_HI
    cx, cy = (x0 + x1) // 2, (y0 + y1) // 2 - 1
    out += TAB_ICONS[c["icon"]](cx, cy, colour)
    return out


def _icon_mouse(cx, cy, col):
    return [svg.path(f"M{cx - 6},{cy - 3} Q{cx - 6},{cy - 10} {cx},{cy - 10} Q{cx + 6},{cy - 10} "
                     f"{cx + 6},{cy - 3} V{cy + 4} Q{cx + 6},{cy + 10} {cx},{cy + 10} "
                     f"Q{cx - 6},{cy + 10} {cx - 6},{cy + 4} Z", stroke=col, sw=1.5),
            svg.path(f"M{cx - 6},{cy - 2} H{cx + 6} M{cx},{cy - 10} V{cy - 2}", stroke=col, sw=1.5)]


def _icon_gauge(cx, cy, col):
    return [svg.path(f"M{cx - 9},{cy + 5} A9.5,9.5 0 1 1 {cx + 9},{cy + 5}", stroke=col, sw=1.6),
            svg.path(f"M{cx},{cy + 3} L{cx + 5},{cy - 5}", stroke=col, sw=1.8),
            svg.circle(cx, cy + 3, 1.8, col),
            svg.path(f"M{cx - 9},{cy - 1} h2 M{cx + 7},{cy - 1} h2 M{cx},{cy - 9} v2", stroke=col, sw=1.2)]


def _icon_light(cx, cy, col):
    out = [svg.circle(cx, cy, 4, col)]
    for k in range(8):
        a = k * math.pi / 4
        out.append(svg.path(f"M{cx + 7 * math.cos(a):.2f},{cy + 7 * math.sin(a):.2f} "
                            f"L{cx + 10 * math.cos(a):.2f},{cy + 10 * math.sin(a):.2f}",
                            stroke=col, sw=1.6))
    return out


def _icon_macro(cx, cy, col):
    return [svg.path(f"M{cx - 10},{cy - 6} H{cx + 10} V{cy + 7} H{cx - 10} Z", stroke=col, sw=1.4),
            svg.path(" ".join(f"M{cx - 7 + 4 * k},{cy - 2} h1.5" for k in range(4)), stroke=col, sw=1.6),
            svg.path(" ".join(f"M{cx - 5 + 4 * k},{cy + 1.5} h1.5" for k in range(3)), stroke=col, sw=1.6),
            svg.path(f"M{cx - 5},{cy + 4.5} H{cx + 5}", stroke=col, sw=1.6)]


TAB_ICONS = {"mouse": _icon_mouse, "gauge": _icon_gauge, "light": _icon_light, "macro": _icon_macro}


def profile(c, state):
    """One of the five profile selector shapes: a fill with a border drawn
    inside the polygon, so neighbouring shapes never paint over each other."""
    pts = c["points"]
    fill, edge = {"normal": (FACE, LINE), "over": (FACE_HI, LINE_HI),
                  "pressed": (ACCENT_DIM, ACCENT)}.get(state, (None, None))
    if fill is None:
        return []
    cid = f"clip-{c.id}-{state}"
    poly = " ".join(f"{x},{y}" for x, y in pts)
    return [f'<clipPath id="{cid}"><polygon points="{poly}"/></clipPath>',
            f'<polygon points="{poly}" fill="{fill}" stroke="{edge}" stroke-width="2" '
            f'stroke-linejoin="miter" clip-path="url(#{cid})"/>']


def label_box(c, state):
    """A function label of the button page."""
    out = field_box(c, state)
    if state == "pressed":
        x0, y0, x1, y1 = c.r
        out.append(svg.box(x0, y0, x1, y1, FACE, ACCENT))
        out.append(svg.rect(x0 + 1, y0 + 2, x0 + 3, y1 - 2, ACCENT))
    return out


def hotspot(c, state):
    """A numbered circle over one control of the mouse picture."""
    x0, y0, x1, y1 = c.r
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    rr = min(x1 - x0, y1 - y0) / 2 - 1.5
    n = str(c["number"])
    out = []
    if state == "over":
        out.append(svg.circle(cx, cy, rr, "none", LINE_HI, 1.5))
    elif state == "pressed":
        out.append(svg.circle(cx, cy, rr, ACCENT, ACCENT_HI, 1.5))
        out.append(svg.text(cx, cy + 4.5, n, 12, WHITE, "middle", "bold"))
    return out


def swatch(c, state):
    """A preset colour; its tile is painted the same in every look."""
    x0, y0, x1, y1 = c.r
    cy = (y0 + y1) // 2
    tx0, ty0, tx1, ty1 = x0 + 5, cy - 10, x1 - 5, cy + 10
    out = [svg.rect(tx0, ty0, tx1, ty1, c["colour"])]
    if state == "over":
        out.append(svg.frame(tx0 - 2, ty0 - 2, tx1 + 2, ty1 + 2, LINE_HI))
    elif state == "pressed":
        out.append(svg.frame(tx0 - 3, ty0 - 3, tx1 + 3, ty1 + 3, WHITE, 2))
    else:
        out.append(svg.frame(tx0 - 1, ty0 - 1, tx1 + 1, ty1 + 1, LINE_DIM))
    return out


def spin(c, state):
    """Half of an up/down pair: a small arrow."""
    x0, y0, x1, y1 = c.r
    up = c["dir"] == "up"
    out = []
    colour = TEXT
    if state == "over":
        out.append(svg.rect(x0, y0, x1, y1, FACE_HI))
        colour = WHITE
    elif state == "pressed":
        out.append(svg.rect(x0, y0, x1, y1, ACCENT_DIM))
        colour = WHITE
    elif state == "normal":
        out.append(svg.rect(x0, y0, x1, y1, FACE))
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    if up:
        out.append(svg.polygon([(cx - 3.5, cy + 2), (cx + 3.5, cy + 2), (cx, cy - 2)], colour))
    else:
        out.append(svg.polygon([(cx - 3.5, cy - 2), (cx + 3.5, cy - 2), (cx, cy + 2)], colour))
    return out


def icon_button(c, state):
    """A small square tool button with a glyph."""
    x0, y0, x1, y1 = c.r
    out = []
    colour = TEXT
    if state == "normal":
        out.append(svg.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, FACE, LINE))
    elif state == "over":
        out.append(svg.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, FACE_HI, LINE_HI))
        colour = WHITE
    elif state == "pressed":
        out.append(svg.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, ACCENT_DIM, ACCENT))
        colour = WHITE
    else:
        return out
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    g = c["glyph"]
    if g == "plus":
        out.append(svg.path(f"M{cx - 5},{cy} H{cx + 5} M{cx},{cy - 5} V{cy + 5}", stroke=colour, sw=1.6))
    elif g == "minus":
        out.append(svg.path(f"M{cx - 5},{cy} H{cx + 5}", stroke=colour, sw=1.6))
    elif g == "insert":
        out.append(svg.path(f"M{cx - 6},{cy - 4} H{cx + 1} M{cx - 6},{cy} H{cx - 1} M{cx - 6},{cy + 4} H{cx + 1} "
                            f"M{cx + 4},{cy - 3} V{cy + 3} M{cx + 1},{cy} H{cx + 7}", stroke=colour, sw=1.4))
    elif g == "delete":
        out.append(svg.path(f"M{cx - 4},{cy - 4} L{cx + 4},{cy + 4} M{cx + 4},{cy - 4} L{cx - 4},{cy + 4}",
                            stroke=colour, sw=1.6))
    elif g == "edit":
        out.append(svg.path(f"M{cx - 5},{cy + 5} L{cx - 4.5},{cy + 2} L{cx + 2.5},{cy - 5} L{cx + 5},{cy - 2.5} "
                            f"L{cx - 2},{cy + 4.5} Z M{cx + 0.5},{cy - 3} L{cx + 3},{cy - 0.5}",
                            stroke=colour, sw=1.3))
    elif g == "trash":
        out.append(svg.path(f"M{cx - 5},{cy - 4} H{cx + 5} M{cx - 2},{cy - 4} V{cy - 6} H{cx + 2} V{cy - 4} "
                            f"M{cx - 4},{cy - 2} L{cx - 3},{cy + 5.5} H{cx + 3} L{cx + 4},{cy - 2}",
                            stroke=colour, sw=1.3))
    return out


def record_button(c, state):
    x0, y0, x1, y1 = c.r
    out = push_button(c, state)
    if state == "blank":
        return out
    cy = (y0 + y1) / 2
    out.append(svg.circle(x0 + 14.5, cy, 3.5, DANGER if state != "pressed" else WHITE))
    return out


def mouse_zone(c, state):
    """One of the three buttons of the drawn mouse on the macro page."""
    x0, y0, x1, y1 = c.r
    kind = c["zone"]
    fill = {"normal": FACE, "over": ACCENT_DIM, "pressed": ACCENT_DIM}.get(state)
    edge = {"normal": LINE, "over": ACCENT, "pressed": ACCENT}.get(state)
    if fill is None:
        return []
    if kind == "wheel":
        out = [svg.box(x0 + 6, y0 + 2, x1 - 6, y1 - 2, fill, edge, c=3)]
        for k in range(5):
            yy = y0 + 10 + k * 8
            out.append(svg.hline(x0 + 10, x1 - 10, yy, edge if state == "normal" else ACCENT_HI))
        return out
    return [svg.box(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill, edge, c=4)]


def cover(c, state):
    """A plain piece of panel that hides controls until they are needed."""
    x0, y0, x1, y1 = c.r
    return [svg.rect(x0, y0, x1, y1, PANEL)] if state == "cover" else []
