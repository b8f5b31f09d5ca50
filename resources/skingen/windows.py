"""Every skinned window: its size, its bitmap resources per look, the
rectangles of its controls and the picture around them.

A window's three looks (normal, over, pressed) come from one template. Each
control is drawn once per state it can show; the stylesheet of a look picks,
for every control, the state that this look's bitmap must show at the
control's rectangle. Everything else is drawn once and is the same in all
three looks, so the looks align pixel for pixel.
"""

import svg
import theme as T
from theme import (BG, PANEL, FACE, WELL, LINE_DIM, LINE, LINE_HI, TEXT,
                   ACCENT, ACCENT_DIM, ACCENT_HI)

LOOKS = ("normal", "over", "pressed")
# What a control shows in each look unless it says otherwise.
STANDARD = {"normal": "normal", "over": "over", "pressed": "pressed"}


class Control:
    def __init__(self, cid, r, drawer, looks=None, **params):
        self.id = cid
        self.r = r
        self.drawer = drawer
        self.looks = dict(STANDARD, **(looks or {}))
        self.params = params

    def __getitem__(self, key):
        return self.params[key]

    def get(self, key, default=None):
        return self.params.get(key, default)

    def states(self):
        seen = []
        for look in LOOKS:
            if self.looks[look] not in seen:
                seen.append(self.looks[look])
        return seen


class Window:
    def __init__(self, name, size, bitmaps, controls, static_below, areas=(), static_above=()):
        self.name = name
        self.size = size
        self.bitmaps = bitmaps            # look -> bitmap resource id
        self.controls = controls
        self.static_below = static_below
        self.static_above = list(static_above)
        self.areas = list(areas)          # (label, rect) of non-button places, for the contact sheet

    def template(self):
        body = list(self.static_below)
        for c in self.controls:
            parts = []
            for st in c.states():
                parts.append(svg.group(c.drawer(c, st), class_=f"st st-{st}"))
            body.append(svg.group(parts, id=f"c-{c.id}"))
        body += self.static_above
        return "\n".join(body)

    def stylesheet(self, look):
        rules = [".st{display:none}"]
        for c in self.controls:
            rules.append(f"#c-{c.id}>.st-{c.looks[look]}{{display:inline}}")
        return "\n".join(rules)

    def svg(self, look):
        w, h = self.size
        return svg.document(w, h, self.template(), self.stylesheet(look))


# --- shared pieces -----------------------------------------------------------

def window_frame(w, h, title_h):
    """Background, a thin slate border and a title strip."""
    return [svg.rect(0, 0, w, h, BG),
            svg.rect(1, 1, w - 1, title_h, PANEL),
            svg.hline(1, w - 1, title_h, ACCENT_DIM),
            svg.frame(0, 0, w, h, LINE)]


def panel(x0, y0, x1, y1, accent_y=None):
    out = [svg.box(x0, y0, x1, y1, PANEL, LINE_DIM)]
    if accent_y is not None:
        out.append(svg.rect(x0, accent_y[0], x0 + 3, accent_y[1], ACCENT))
    return out


def well(x0, y0, x1, y1, border=LINE):
    """A framed text well; (x0, y0)-(x1, y1) is its outer edge."""
    return [svg.rect(x0, y0, x1, y1, border), svg.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, WELL)]


def slider_track(x_left, x_right, y0, y1, colours=None):
    """The groove a slider thumb runs on, centred in the bar's height."""
    cy = (y0 + y1) // 2
    out = [svg.rect(x_left - 2, cy - 3, x_right + 2, cy + 3, LINE),
           svg.rect(x_left - 1, cy - 2, x_right + 1, cy + 2, WELL)]
    if colours:
        gid = f"g{x_left}{y0}"
        out.insert(0, f'<linearGradient id="{gid}" x1="0" x2="1" y1="0" y2="0">'
                      f'<stop offset="0" stop-color="{colours[0]}"/>'
                      f'<stop offset="1" stop-color="{colours[1]}"/></linearGradient>')
        out.append(f'<rect x="{x_left - 1}" y="{cy - 1}" width="{x_right - x_left + 2}" height="2" '
                   f'fill="url(#{gid})" shape-rendering="crispEdges"/>')
    return out


def page_ground(w, h):
    """Background of a page. A page covers the main window's left border
    column, so it carries that border on."""
    return [svg.rect(0, 0, w, h, BG), svg.vline(0, 0, h, LINE)]


def scale(marks, y_text, y_tick, x_of):
    """Tick marks and their numbers above a slider."""
    out = []
    for value, label in marks:
        x = x_of(value)
        out.append(svg.vline(x, y_tick, y_tick + 3, LINE_HI if label else LINE))
        if label:
            out.append(svg.text(x + 0.5, y_text, label, 9, TEXT, "middle"))
    return out


def dialog_close(cid, r):
    return Control(cid, r, T.title_glyph, glyph="close")


# --- main window: bitmaps 130 normal, 131 over, 129 pressed (822 x 544) -------

PROFILE_POLYGONS = [
    [(88, 438), (95, 438), (192, 438), (214, 460), (206, 467), (107, 467), (88, 447)],
    [(193, 438), (304, 438), (326, 460), (318, 467), (221, 467)],
    [(304, 438), (416, 438), (437, 459), (430, 468), (333, 468)],
    [(416, 438), (528, 438), (549, 459), (544, 467), (444, 467)],
    [(527, 438), (642, 438), (663, 460), (653, 467), (557, 467), (527, 437)],
]


def main_window():
    w, h = 822, 544
    controls = [
        Control("minimise", (759, 2, 790, 30), T.title_glyph, glyph="minimise"),
        Control("close", (791, 2, 821, 30), T.title_glyph, glyph="close"),
        Control("auto-switch", (372, 479, 390, 499), T.check_box),
        # The program button takes its normal and pressed looks from the
        # pressed bitmap and is hidden while no program is bound, so the
        # normal bitmap shows plain footer there.
        Control("program", (394, 500, 544, 519), T.field_button,
                looks={"normal": "blank", "over": "over", "pressed": "normal"}),
        Control("apply", (722, 507, 799, 542), T.push_button, primary=True),
        Control("reset", (644, 507, 722, 542), T.push_button),
        Control("tab1", (46, 56, 78, 86), T.tab, icon="mouse"),
        Control("tab2", (93, 56, 130, 86), T.tab, icon="gauge"),
        Control("tab3", (145, 56, 178, 86), T.tab, icon="light"),
        Control("tab4", (193, 56, 226, 86), T.tab, icon="macro"),
    ]
    for k, pts in enumerate(PROFILE_POLYGONS):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        controls.append(Control(f"profile{k + 1}", (min(xs), min(ys), max(xs) + 1, max(ys) + 1),
                                T.profile, points=pts))

    below = window_frame(w, h, 34)
    # Brand mark in the title strip: a small mouse and the model name.
    below += T._icon_mouse(22, 17, ACCENT)
    below.append(svg.text(36, 23, "Q7T", 15, "#c9d2d8", weight="bold", letter_spacing="1"))
    # Tab strip and its separators.
    below.append(svg.hline(20, 802, 91, LINE_DIM))
    for x in (85, 137, 185):
        below.append(svg.vline(x, 62, 80, LINE_DIM))
    # Footer with the profile name well, the auto-switch row and the buttons.
    below.append(svg.hline(1, w - 1, 471, LINE_DIM))
    below.append(svg.rect(1, 472, w - 1, h - 1, PANEL))
    below += well(104, 499, 249, 518)
    below.append(svg.vline(362, 480, 536, LINE_DIM))
    below.append(svg.vline(628, 480, 536, LINE_DIM))

    areas = [("name box", (107, 502, 246, 515)),
             ("str_soft_version", (10, 516, 220, 542)),
             ("str_autopath", (393, 482, 552, 497)),
             ("str_proname", (30, 482, 153, 497)),
             ("page", (0, 96, 820, 459))]
    return Window("main", (w, h), {"normal": 130, "over": 131, "pressed": 129},
                  controls, below, areas)


# --- button page: 135 normal, 133 over, 134 pressed (822 x 342) ---------------

BUTTON_ROWS = [
    # number, label rectangle, hotspot rectangle
    (1, (132, 57, 263, 82), (479, 66, 506, 92)),
    (2, (132, 87, 263, 112), (563, 66, 589, 92)),
    (3, (132, 115, 263, 141), (522, 86, 548, 112)),
    (4, (132, 156, 263, 182), (447, 127, 473, 152)),
    (5, (132, 185, 263, 211), (453, 177, 479, 202)),
    (6, (132, 230, 263, 256), (523, 57, 549, 81)),
    (7, (132, 260, 263, 286), (523, 117, 548, 142)),
]


def mouse_picture():
    """A clean top view of the mouse, centred on x = 535, the hotspots of the
    table lying on the controls they stand for."""
    cx = 535
    body = (f"M{cx},30 C{cx + 44},30 {cx + 70},48 {cx + 72},104 "
            f"C{cx + 75},166 {cx + 77},216 {cx + 66},262 C{cx + 56},294 {cx + 30},306 {cx},306 "
            f"C{cx - 30},306 {cx - 56},294 {cx - 66},262 C{cx - 77},216 {cx - 75},166 {cx - 72},104 "
            f"C{cx - 70},48 {cx - 44},30 {cx},30 Z")
    out = [svg.path(body, fill="#13171c", stroke=LINE_HI, sw=1.5)]
    # Button faces, a shade lighter than the palm, split down the middle.
    out.append(svg.path(f"M{cx - 2},32 C{cx - 40},33 {cx - 66},50 {cx - 69},104 L{cx - 71},150 "
                        f"C{cx - 40},159 {cx - 12},160 {cx - 2},159 Z", fill="#1a1f26"))
    out.append(svg.path(f"M{cx + 2},32 C{cx + 40},33 {cx + 66},50 {cx + 69},104 L{cx + 71},150 "
                        f"C{cx + 40},159 {cx + 12},160 {cx + 2},159 Z", fill="#1a1f26"))
    out.append(svg.path(f"M{cx - 72},151 C{cx - 40},161 {cx + 40},161 {cx + 72},151",
                        stroke=LINE_HI, sw=1.2))
    out.append(svg.path(f"M{cx},31 V52 M{cx},147 V160", stroke=LINE_HI, sw=1.2))
    # Wheel slot and the wheel with its ridges.
    out.append(svg.box(cx - 11, 52, cx + 12, 147, WELL, LINE_HI, c=4))
    out.append(svg.box(cx - 6, 60, cx + 7, 139, "#2a323c", "#3a4552", c=3))
    for y in range(64, 136, 6):
        out.append(svg.hline(cx - 4, cx + 5, y, "#46525f"))
    # Side buttons on the left flank, standing slightly proud of the body.
    out.append(svg.path("M468,124 C462,126 458,132 458,140 C458,148 462,153 468,155 Z",
                        fill="#2a323c", stroke=LINE_HI, sw=1.2))
    out.append(svg.path("M468,173 C463,176 461,182 461,189 C461,196 463,202 468,205 Z",
                        fill="#2a323c", stroke=LINE_HI, sw=1.2))
    # The lit logo on the palm and the light strip at the tail.
    out.append(svg.path(f"M{cx - 12},226 L{cx},238 L{cx + 12},226", stroke=ACCENT, sw=2.5))
    out.append(svg.path(f"M{cx - 38},290 C{cx - 20},298 {cx + 20},298 {cx + 38},290",
                        stroke=ACCENT_DIM, sw=2))
    return out


def button_page():
    w, h = 822, 342
    controls = []
    for n, label, hot in BUTTON_ROWS:
        controls.append(Control(f"label{n}", label, T.label_box))
    for n, label, hot in BUTTON_ROWS:
        controls.append(Control(f"hotspot{n}", hot, T.hotspot, number=n))
    below = page_ground(w, h)
    below += panel(86, 22, 316, 320)
    below += panel(330, 22, 740, 320)
    for y in (148, 221):
        below.append(svg.hline(106, 296, y, LINE_DIM))
    for n, (x0, y0, x1, y1), hot in BUTTON_ROWS:
        cy = (y0 + y1) // 2
        below.append(svg.box(106, cy - 9, 124, cy + 9, FACE, LINE))
        below.append(svg.text(115, cy + 4, str(n), 11, ACCENT_HI, "middle", "bold"))
        below.append(svg.hline(124, 132, cy, LINE))
    below += mouse_picture()
    return Window("button-page", (w, h), {"normal": 135, "over": 133, "pressed": 134},
                  controls, below)


# --- performance page: 139 normal, 137 over, 138 pressed (822 x 342) ----------

DPI_BUTTONS = [
    (250, (131, 124, 181, 139)), (500, (206, 124, 253, 139)),
    (1000, (277, 124, 323, 139)), (1250, (352, 124, 397, 139)),
    (1500, (131, 154, 181, 169)), (2000, (206, 154, 253, 169)),
    (2500, (277, 154, 323, 169)), (3000, (352, 154, 397, 169)),
]
RATE_BUTTONS = [("125 Hz", (134, 253, 192, 273)), ("500 Hz", (201, 253, 259, 273)),
                ("1000 Hz", (269, 253, 332, 273))]
LIFT_SLIDER = (485, 130, 689, 145)
SPEED_SLIDER = (485, 252, 689, 267)
PERF_TRACK = (492, 683)


def performance_page():
    w, h = 822, 342
    controls = [Control(f"dpi{v}", r, T.labelled_check, label=str(v), box=12, gap=4, size=10.5) for v, r in DPI_BUTTONS]
    controls += [Control(f"rate{lbl.split()[0]}", r, T.labelled_radio, label=lbl)
                 for lbl, r in RATE_BUTTONS]
    controls.append(Control("precision", (476, 272, 490, 286), T.check_box))
    below = page_ground(w, h)
    below += panel(112, 70, 420, 190, (86, 100))
    below += panel(112, 207, 420, 300, (223, 237))
    below += panel(452, 70, 710, 190, (86, 100))
    below += panel(452, 207, 710, 300, (221, 235))
    below.append(svg.hline(126, 406, 108, LINE_DIM))
    below.append(svg.hline(126, 406, 244, LINE_DIM))
    below.append(svg.hline(466, 696, 108, LINE_DIM))

    # The thumb is 14 pixels wide, so its centre runs from 492 to 682.
    def x_of(t):
        return round(492 + 190 * t)
    below += slider_track(PERF_TRACK[0], PERF_TRACK[1] - 1, LIFT_SLIDER[1], LIFT_SLIDER[3])
    lift = [(k / 5, lbl) for k, lbl in enumerate(["0.5", "1", "1.5", "2", "2.5", "3"])]
    lift += [((k + 0.5) / 5, "") for k in range(5)]
    below += scale(lift, 123, 126, x_of)
    below += slider_track(PERF_TRACK[0], PERF_TRACK[1] - 1, SPEED_SLIDER[1], SPEED_SLIDER[3])
    speed = [((v - 1) / 19, f"{v:02d}" if v in (1, 5, 10, 15, 20) else "") for v in range(1, 21)]
    below += scale(speed, 245, 248, x_of)
    areas = [("str_dpititle", (132, 83, 352, 103)), ("str_pointer_speed_title", (470, 220, 613, 236)),
             ("str_pointer_improve", (495, 270, 665, 286)), ("str_rate", (132, 220, 292, 240)),
             ("str_pointer_silent_height_title", (470, 83, 613, 103)),
             ("lift-height slider", LIFT_SLIDER), ("pointer-speed slider", SPEED_SLIDER)]
    return Window("performance-page", (w, h), {"normal": 139, "over": 137, "pressed": 138},
                  controls, below, areas)


# --- lighting page: 143 normal, 141 over, 142 pressed (822 x 342) -------------

# COLORREF values (0x00BBGGRR) of the 26 preset swatches, in swatch order.
SWATCH_COLOURS = [
    0x7E05FA, 0x0012FA, 0x0179F8, 0x00EDF9, 0x09F0C1, 0x00F927, 0x2AA418, 0x93E713,
    0xDFE90D, 0xFAC101, 0xFA8E05, 0xF96F00, 0xF80024, 0xE3185A, 0xE21B7F, 0xE218C1,
    0x54FAE6, 0x30B900, 0x7D63FA, 0x233BC4, 0x1603DE, 0xAD7A17, 0x12B900, 0xC05A4A,
    0xEE4E6F, 0xB95401,
]
SWATCH_ROWS = [(48, 78), (81, 111), (113, 143), (144, 177)]


def swatch_rect(k):
    row, col = divmod(k, 8)
    y0, y1 = SWATCH_ROWS[row]
    x0 = 108 + 32 * col
    return (x0, y0, x0 + 33, y1)


def colorref_to_rgb(c):
    return f"#{c & 0xFF:02x}{(c >> 8) & 0xFF:02x}{(c >> 16) & 0xFF:02x}"


LED_SLIDERS = [("R", 769, (500, 59, 656, 74), ("#000000", "#ff0000")),
               ("G", 770, (500, 87, 656, 102), ("#000000", "#00ff00")),
               ("B", 771, (500, 115, 656, 130), ("#000000", "#0000ff"))]
LED_FIELDS = [(772, (670, 59, 695, 74)), (773, (670, 87, 695, 102)), (774, (670, 115, 695, 130))]
COLOUR_STRIP = (504, 148, 695, 166)


def colour_strip(x0, y0, x1, y1):
    """Hues from left to right; paler at the top, darker at the bottom."""
    stops = "".join(f'<stop offset="{k / 6:.4f}" stop-color="{c}"/>' for k, c in enumerate(
        ["#ff0000", "#ffff00", "#00ff00", "#00ffff", "#0000ff", "#ff00ff", "#ff0000"]))
    defs = (f'<linearGradient id="hue" x1="0" x2="1" y1="0" y2="0">{stops}</linearGradient>'
            '<linearGradient id="shade" x1="0" x2="0" y1="0" y2="1">'
            '<stop offset="0" stop-color="#ffffff" stop-opacity="0.55"/>'
            '<stop offset="0.45" stop-color="#ffffff" stop-opacity="0"/>'
            '<stop offset="0.55" stop-color="#000000" stop-opacity="0"/>'
            '<stop offset="1" stop-color="#000000" stop-opacity="0.6"/></linearGradient>')
    return [defs,
            f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="url(#hue)" '
            f'shape-rendering="crispEdges"/>',
            f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" fill="url(#shade)" '
            f'shape-rendering="crispEdges"/>']


def lighting_page():
    w, h = 822, 342
    controls = [Control("preset", (95, 16, 118, 38), T.radio),
                Control("custom", (423, 16, 445, 38), T.radio)]
    controls += [Control(f"swatch{k}", swatch_rect(k), T.swatch, colour=colorref_to_rgb(c))
                 for k, c in enumerate(SWATCH_COLOURS)]
    effects = [(1, (144, 225, 165, 244)), (2, (442, 225, 461, 244)), (3, (442, 255, 461, 274)),
               (4, (144, 255, 165, 274)), (5, (144, 285, 165, 304))]
    controls += [Control(f"effect{n}", r, T.radio) for n, r in effects]
    controls += [Control("bright-up", (344, 225, 359, 235), T.spin, dir="up"),
                 Control("bright-down", (344, 235, 359, 245), T.spin, dir="down"),
                 Control("speed-up", (657, 225, 672, 235), T.spin, dir="up"),
                 Control("speed-down", (657, 235, 672, 245), T.spin, dir="down")]

    below = page_ground(w, h)
    below += panel(84, 6, 722, 188, (20, 34))
    below.append(svg.vline(403, 16, 178, LINE_DIM))
    below += panel(84, 196, 722, 318, (207, 221))
    # Custom colour: the swatch of the colour button sits in a frame.
    below += well(446, 64, 472, 90)
    for letter, _id, (x0, y0, x1, y1), grad in LED_SLIDERS:
        below.append(svg.text(492, (y0 + y1) // 2 + 4, letter, 11, TEXT, "middle", "bold"))
        below += slider_track(507, 649, y0, y1, grad)
    for _id, (x0, y0, x1, y1) in LED_FIELDS:
        below += well(x0 - 3, y0 - 2, x1 + 3, y1 + 2)
    sx0, sy0, sx1, sy1 = COLOUR_STRIP
    below.append(svg.frame(sx0 - 1, sy0 - 1, sx1 + 1, sy1 + 1, LINE))
    below += colour_strip(*COLOUR_STRIP)
    # Number fields with their up/down buttons, one framed unit each.
    for fx0, sx, x1 in ((321, 343, 360), (636, 656, 673)):
        below += well(fx0, 224, x1, 246)
        below.append(svg.vline(sx, 225, 245, LINE))
    areas = [("str_led_preSet", (125, 21, 305, 36)), ("str_led_diySet", (450, 21, 658, 36)),
             ("str_led_title", (125, 201, 280, 227)),
             ("colour button", (448, 66, 469, 87)), ("colour strip", COLOUR_STRIP),
             ("brightness field", (325, 228, 342, 240)), ("speed field", (640, 228, 655, 240)),
             ("str_led_brightness_adjustment", (242, 224, 315, 245)),
             ("str_led_speed_adjustment", (540, 224, 630, 245)),
             ("str_led_brealways", (165, 224, 240, 245)), ("str_led_norbre", (461, 224, 538, 245)),
             ("str_led_apmbre", (461, 254, 585, 275)), ("str_led_ledcycle", (165, 254, 240, 275)),
             ("str_led_spectrum", (165, 284, 240, 305))]
    areas += [(f"slider {lbl}", r) for lbl, _i, r, _g in LED_SLIDERS]
    areas += [(f"field {i}", r) for i, r in LED_FIELDS]
    return Window("lighting-page", (w, h), {"normal": 143, "over": 141, "pressed": 142},
                  controls, below, areas)


# --- macro page: 156 normal, 154 over, 155 pressed (822 x 458) ----------------

def macro_page():
    w, h = 822, 458
    value_field = well(583, 315, 669, 340)
    # The two covers take all three of their looks from the over bitmap, where
    # they show plain panel; the normal and pressed bitmaps show what they hide.
    cover_looks = {"normal": "under", "over": "cover", "pressed": "under"}
    # Controls whose over look comes from the normal bitmap leave the over
    # bitmap to the covers.
    hidden_over = {"over": "blank"}
    controls = [
        Control("record", (565, 41, 691, 69), T.record_button),
        Control("new-macro", (67, 302, 93, 327), T.icon_button, glyph="plus"),
        Control("delete-macro", (94, 302, 120, 327), T.icon_button, glyph="trash"),
        Control("insert-event", (287, 302, 313, 327), T.icon_button, glyph="insert"),
        Control("delete-event", (314, 302, 340, 327), T.icon_button, glyph="delete"),
        Control("modify-event", (341, 302, 367, 327), T.icon_button, glyph="edit"),
        Control("no-delay", (565, 81, 578, 95), T.check_box),
        Control("upper-cover", (550, 245, 745, 290), _cover, looks=cover_looks, under=[]),
        Control("lower-cover", (550, 295, 745, 345), _cover, looks=cover_looks, under=value_field),
        Control("key-choice", (560, 250, 580, 267), T.radio, looks=hidden_over),
        Control("pause-choice", (560, 270, 580, 287), T.radio, looks=hidden_over),
        Control("ok", (672, 314, 724, 341), T.push_button, looks=hidden_over, inset=1),
        # The drawn mouse buttons take their over look from the pressed bitmap
        # too: they light up under the pointer.
        Control("mouse-left", (586, 151, 615, 179), T.mouse_zone, zone="left",
                looks={"over": "normal"}),
        Control("mouse-middle", (620, 136, 647, 193), T.mouse_zone, zone="wheel",
                looks={"over": "normal"}),
        Control("mouse-right", (653, 151, 681, 179), T.mouse_zone, zone="right",
                looks={"over": "normal"}),
    ]
    below = page_ground(w, h)
    # The page reaches down over the main window's footer (main y 471 is
    # page y 378): carry the footer's strip on, so the window ends the same.
    below.append(svg.hline(1, w, 378, LINE_DIM))
    below.append(svg.rect(1, 379, w, h, PANEL))
    below += panel(54, 8, 512, 342, (20, 36))
    below += panel(548, 8, 752, 352)
    below += well(67, 43, 278, 289)
    below += well(287, 43, 498, 289)
    below.append(svg.vline(282, 300, 330, LINE_DIM))
    below.append(svg.hline(562, 738, 124, LINE_DIM))
    below.append(svg.hline(562, 738, 239, LINE_DIM))
    below += well(645, 97, 690, 118)
    # The drawn mouse around its three buttons.
    mb = ("M633,127 C666,127 683,140 686,170 C689,200 686,226 660,236 C650,239 642,240 633,240 "
          "C624,240 616,239 606,236 C580,226 577,200 580,170 C583,140 600,127 633,127 Z")
    below.append(svg.path(mb, fill="#14181d", stroke=LINE_HI, sw=1.5))
    below.append(svg.path("M578,194 C600,203 666,203 688,194", stroke=LINE, sw=1.2))
    below.append(svg.path("M633,127 V136", stroke=LINE, sw=1.2))
    areas = [("macro list", (68, 44, 277, 288)), ("event list", (288, 44, 497, 288)),
             ("repeat field", (647, 99, 688, 116)), ("value field", (585, 317, 667, 338)),
             ("str_macro_list", (65, 17, 279, 39)), ("str_macro_event", (286, 17, 499, 39)),
             ("str_macro_delay", (584, 82, 740, 93)), ("str_macro_msg6", (584, 250, 740, 267)),
             ("str_macro_msg7", (584, 270, 740, 287)), ("str_macro_loop", (564, 100, 640, 112)),
             ("hint", (564, 294, 740, 310)), ("visible page", (0, 0, 820, 450))]
    return Window("macro-page", (w, h), {"normal": 156, "over": 154, "pressed": 155},
                  controls, below, areas)


def _cover(c, state):
    if state == "cover":
        return T.cover(c, "cover")
    if state == "under":
        return list(c["under"])
    return []


# --- information dialog: 330 x 160, mode 0 (OK) and mode 1 (OK and Cancel) ---

def info_dialog(mode):
    w, h = 330, 160
    controls = [dialog_close("close", (300, 0, 329, 29))]
    if mode == 0:
        controls.append(Control("ok", (240, 127, 306, 159), T.push_button, primary=True))
        ids = {"normal": 148, "over": 144, "pressed": 146}
    else:
        controls.append(Control("ok", (178, 127, 244, 159), T.push_button, primary=True))
        controls.append(Control("cancel", (245, 127, 311, 159), T.push_button))
        ids = {"normal": 147, "over": 149, "pressed": 145}
    below = window_frame(w, h, 30)
    below.append(svg.circle(50, 82, 19, "none", ACCENT, 2))
    if mode == 0:
        below.append(svg.circle(50, 73.5, 2.2, ACCENT_HI))
        below.append(svg.rect(48, 78, 52, 93, ACCENT_HI))
    else:
        below.append(svg.path("M44,77 C44,70 56,70 56,77 C56,82 50,82 50,87", stroke=ACCENT_HI, sw=3))
        below.append(svg.circle(50, 93, 2, ACCENT_HI))
    below.append(svg.hline(12, 318, 120, LINE_DIM))
    areas = [("str_tips", (10, 9, 100, 23)), ("message", (90, 73, 305, 91))]
    return Window(f"info-{'ok' if mode == 0 else 'okcancel'}", (w, h), ids, controls, below, areas)


# --- combination-key dialog: 161 normal, 159 over, 160 pressed (349 x 185) ----

def combo_dialog():
    w, h = 349, 185
    controls = [dialog_close("close", (318, 0, 348, 29)),
                Control("ok", (260, 152, 326, 184), T.push_button, primary=True)]
    for name, r in (("Ctrl", (42, 54, 92, 68)), ("Alt", (42, 79, 92, 93)),
                    ("Shift", (42, 104, 99, 118)), ("Win", (42, 129, 92, 143))):
        controls.append(Control(name.lower(), r, T.labelled_check, label=name))
    below = window_frame(w, h, 30)
    below += panel(30, 42, 112, 152)
    below.append(svg.text(130, 104, "+", 20, ACCENT_HI, "middle", "bold"))
    below += well(148, 84, 314, 113, LINE_HI)
    below.append(svg.rect(149, 111, 313, 112, ACCENT))
    areas = [("str_combo_title", (11, 5, 140, 21)), ("str_combo_tips", (151, 57, 320, 71)),
             ("key name", (152, 87, 310, 110))]
    return Window("combo-dialog", (w, h), {"normal": 161, "over": 159, "pressed": 160},
                  controls, below, areas)


# --- macro manager: 165 normal, 163 over, 164 pressed --------------------------

# Just wide and tall enough for its controls, the way the other dialogs are:
# the close button ends at x 241, the OK button at y 256.
MACRO_MANAGER_SIZE = (242, 257)


def macro_manager():
    w, h = MACRO_MANAGER_SIZE
    controls = [dialog_close("close", (211, 0, 241, 27)),
                Control("ok", (163, 224, 229, 256), T.push_button, primary=True)]
    below = window_frame(w, h, 27)
    below += well(4, 29, 235, 220)
    areas = [("macro list", (5, 30, 234, 219)), ("str_macro_list", (10, 6, 100, 26))]
    return Window("macro-manager", (w, h), {"normal": 165, "over": 163, "pressed": 164},
                  controls, below, areas)


def all_windows():
    return [main_window(), button_page(), performance_page(), lighting_page(), macro_page(),
            info_dialog(0), info_dialog(1), combo_dialog(), macro_manager()]
