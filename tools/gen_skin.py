#!/usr/bin/env python3
"""Draws the skin of the TORVIK Bluetooth Device Manager.

Writes every skin bitmap to res/skin/, the application icon to
res/icons/torvik.ico and the resource script res/skin.rc that compiles them
into the program. Python 3 standard library only; the BMP and ICO files are
written here byte by byte.

    python3 tools/gen_skin.py

All pictures are flat shapes in the skin's calm palette, drawn with a small
anti-aliasing rasteriser and a 5x7 bitmap font of our own.
"""

import math
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
RES = os.path.join(ROOT, "res")

# ---------------------------------------------------------------------------
# Palette
# ---------------------------------------------------------------------------

WHITE = (255, 255, 255)
TAB_FACE = (255, 255, 246)
BAR_GREY = (224, 224, 214)
STATUS_BLUE = (181, 213, 255)
ORANGE = (255, 142, 0)
EDGE_LIGHT = (236, 236, 216)
EDGE_MID = (161, 161, 147)
EDGE_DARK = (141, 141, 127)
BASE = (244, 244, 234)           # window base behind the frame
INK = (92, 92, 82)               # title band, dark strokes
INK_DEEP = (56, 56, 50)
HELP_BLUE = (46, 112, 196)
NEAR_WHITE = (250, 250, 247)     # "white" inside pictures whose pure white is transparent
MAGENTA = (255, 0, 255)          # mask colour of the check-box image list

# Colours of the model pictures (body tones and accents).
BODY = {
    "graphite": (72, 74, 70),
    "black": (40, 40, 38),
    "silver": (176, 178, 170),
    "sand": (200, 190, 160),
}
ACCENT = {
    "orange": ORANGE,
    "blue": HELP_BLUE,
    "red": (204, 52, 40),
    "green": (58, 156, 82),
    "teal": (0, 146, 146),
    "yellow": (236, 196, 36),
    "purple": (122, 84, 170),
    "grey": EDGE_MID,
}


# ---------------------------------------------------------------------------
# Tiny bitmap font: 5 rows wide at most, 7 rows above the baseline, two more
# rows for descenders. '#' is ink. Advance = glyph width + 1.
# ---------------------------------------------------------------------------

FONT_SRC = {
    " ": "...",
    "A": ".###./#...#/#...#/#####/#...#/#...#/#...#",
    "B": "####./#...#/#...#/####./#...#/#...#/####.",
    "C": ".###./#...#/#..../#..../#..../#...#/.###.",
    "D": "####./#...#/#...#/#...#/#...#/#...#/####.",
    "E": "#####/#..../#..../####./#..../#..../#####",
    "F": "#####/#..../#..../####./#..../#..../#....",
    "G": ".###./#...#/#..../#.###/#...#/#...#/.####",
    "H": "#...#/#...#/#...#/#####/#...#/#...#/#...#",
    "I": "###/.#./.#./.#./.#./.#./###",
    "J": "..###/...#./...#./...#./...#./#..#./.##..",
    "K": "#...#/#..#./#.#../##.../#.#../#..#./#...#",
    "L": "#..../#..../#..../#..../#..../#..../#####",
    "M": "#...#/##.##/#.#.#/#.#.#/#...#/#...#/#...#",
    "N": "#...#/#...#/##..#/#.#.#/#..##/#...#/#...#",
    "O": ".###./#...#/#...#/#...#/#...#/#...#/.###.",
    "P": "####./#...#/#...#/####./#..../#..../#....",
    "Q": ".###./#...#/#...#/#...#/#.#.#/#..#./.##.#",
    "R": "####./#...#/#...#/####./#.#../#..#./#...#",
    "S": ".####/#..../#..../.###./....#/....#/####.",
    "T": "#####/..#../..#../..#../..#../..#../..#..",
    "U": "#...#/#...#/#...#/#...#/#...#/#...#/.###.",
    "V": "#...#/#...#/#...#/#...#/#...#/.#.#./..#..",
    "W": "#...#/#...#/#...#/#.#.#/#.#.#/#.#.#/.#.#.",
    "X": "#...#/#...#/.#.#./..#../.#.#./#...#/#...#",
    "Y": "#...#/#...#/.#.#./..#../..#../..#../..#..",
    "Z": "#####/....#/...#./..#../.#.../#..../#####",
    "a": "...../...../.###./....#/.####/#...#/.####",
    "b": "#..../#..../####./#...#/#...#/#...#/####.",
    "c": "...../...../.####/#..../#..../#..../.####",
    "d": "....#/....#/.####/#...#/#...#/#...#/.####",
    "e": "...../...../.###./#...#/#####/#..../.###.",
    "f": "..##/.#../####/.#../.#../.#../.#..",
    "g": "...../...../.####/#...#/#...#/.####/....#/....#/.###.",
    "h": "#..../#..../####./#...#/#...#/#...#/#...#",
    "i": ".#/../##/.#/.#/.#/###",
    "j": "..#/.../.##/..#/..#/..#/..#/#.#/.#.",
    "k": "#.../#.../#..#/#.#./##../#.#./#..#",
    "l": "##./.#./.#./.#./.#./.#./###",
    "m": "...../...../##.#./#.#.#/#.#.#/#.#.#/#.#.#",
    "n": "...../...../####./#...#/#...#/#...#/#...#",
    "o": "...../...../.###./#...#/#...#/#...#/.###.",
    "p": "...../...../####./#...#/#...#/####./#..../#..../#....",
    "q": "...../...../.####/#...#/#...#/.####/....#/....#/....#",
    "r": "..../..../#.##/##../#.../#.../#...",
    "s": "...../...../.####/#..../.###./....#/####.",
    "t": ".#../.#../####/.#../.#../.#../..##",
    "u": "...../...../#...#/#...#/#...#/#...#/.####",
    "v": "...../...../#...#/#...#/#...#/.#.#./..#..",
    "w": "...../...../#...#/#...#/#.#.#/#.#.#/.#.#.",
    "x": "...../...../#...#/.#.#./..#../.#.#./#...#",
    "y": "...../...../#...#/#...#/#...#/.####/....#/....#/.###.",
    "z": "...../...../#####/...#./..#../.#.../#####",
    "0": ".###./#...#/#..##/#.#.#/##..#/#...#/.###.",
    "1": "..#../.##../..#../..#../..#../..#../.###.",
    "2": ".###./#...#/....#/...#./..#../.#.../#####",
    "3": "#####/...#./..#../...#./....#/#...#/.###.",
    "4": "...#./..##./.#.#./#..#./#####/...#./...#.",
    "5": "#####/#..../####./....#/....#/#...#/.###.",
    "6": "..##./.#.../#..../####./#...#/#...#/.###.",
    "7": "#####/....#/...#./..#../.#.../.#.../.#...",
    "8": ".###./#...#/#...#/.###./#...#/#...#/.###.",
    "9": ".###./#...#/#...#/.####/....#/...#./.##..",
    "?": ".###./#...#/....#/...#./..#../...../..#..",
    "!": "#/#/#/#/#/./#",
    ".": "./././././.#",
    "-": "..../..../..../####/..../..../....",
}


def _parse_font(src):
    font = {}
    for ch, spec in src.items():
        rows = spec.split("/")
        font[ch] = (len(rows[0]), [[x for x, c in enumerate(r) if c == "#"] for r in rows])
    return font


FONT = _parse_font(FONT_SRC)
FONT_HEIGHT = 7


def text_width(text, scale=1):
    if not text:
        return 0
    return (sum(FONT[c][0] + 1 for c in text) - 1) * scale


# ---------------------------------------------------------------------------
# Canvas: straight RGB plus alpha, "over" compositing, anti-aliased shapes by
# supersampling the pixels on a shape's edge.
# ---------------------------------------------------------------------------

SUB = 4  # samples per axis on edge pixels


class Canvas:
    def __init__(self, w, h, bg=WHITE, alpha=255):
        self.w, self.h = w, h
        self.rgb = bytearray(bytes(bg) * (w * h))
        self.a = bytearray([alpha]) * (w * h)

    def blend(self, x, y, color, cover):
        """Puts colour over pixel (x, y) with coverage 0..1."""
        if cover <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        k = y * self.w + x
        i = k * 3
        if cover >= 1:
            self.rgb[i:i + 3] = bytes(color)
            self.a[k] = 255
            return
        da = self.a[k] / 255.0
        oa = cover + da * (1 - cover)
        for c in range(3):
            v = (color[c] * cover + self.rgb[i + c] * da * (1 - cover)) / oa
            self.rgb[i + c] = max(0, min(255, int(round(v))))
        self.a[k] = int(round(oa * 255))

    def rect(self, x0, y0, x1, y1, color):
        """Fills the pixels x0 <= x < x1, y0 <= y < y1 exactly (no smoothing)."""
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.w, int(x1)), min(self.h, int(y1))
        if x0 >= x1:
            return
        row = bytes(color) * (x1 - x0)
        for y in range(y0, y1):
            i = (y * self.w + x0) * 3
            self.rgb[i:i + len(row)] = row
            self.a[y * self.w + x0:y * self.w + x1] = b"\xff" * (x1 - x0)

    def frame(self, x0, y0, x1, y1, color, t=1):
        self.rect(x0, y0, x1, y0 + t, color)
        self.rect(x0, y1 - t, x1, y1, color)
        self.rect(x0, y0, x0 + t, y1, color)
        self.rect(x1 - t, y0, x1, y1, color)

    def fill(self, shape, color):
        """Fills a shape (an object with bbox() and inside(x, y)) smoothly."""
        bx0, by0, bx1, by1 = shape.bbox()
        x0, y0 = max(0, int(math.floor(bx0))), max(0, int(math.floor(by0)))
        x1, y1 = min(self.w, int(math.ceil(bx1))), min(self.h, int(math.ceil(by1)))
        inside = shape.inside
        step = 1.0 / SUB
        offs = [(k + 0.5) * step for k in range(SUB)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                probes = (inside(x + 0.5, y + 0.5), inside(x + 0.02, y + 0.02), inside(x + 0.98, y + 0.02),
                          inside(x + 0.02, y + 0.98), inside(x + 0.98, y + 0.98))
                if all(probes):
                    self.blend(x, y, color, 1.0)
                elif any(probes):
                    n = sum(1 for sy in offs for sx in offs if inside(x + sx, y + sy))
                    self.blend(x, y, color, n / (SUB * SUB))

    def text(self, x, y, text, color, scale=1, bold=False):
        """Draws text with its top-left at (x, y); returns the width drawn."""
        cx = x
        for ch in text:
            w, rows = FONT[ch]
            for ry, cols in enumerate(rows):
                for rx in cols:
                    px, py = cx + rx * scale, y + ry * scale
                    self.rect(px, py, px + scale + (1 if bold else 0), py + scale, color)
            cx += (w + 1) * scale + (1 if bold else 0)
        return cx - x

    def text_centered(self, cx, y, text, color, scale=1, bold=False):
        w = text_width(text, scale) + (len(text) if bold else 0)
        self.text(int(round(cx - w / 2)), y, text, color, scale, bold)

    def paste(self, other, x, y):
        for j in range(other.h):
            for i in range(other.w):
                k = j * other.w + i
                if other.a[k]:
                    self.blend(x + i, y + j, tuple(other.rgb[k * 3:k * 3 + 3]), other.a[k] / 255.0)


# Shapes -------------------------------------------------------------------

class Ellipse:
    def __init__(self, cx, cy, rx, ry=None):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, rx if ry is None else ry

    def bbox(self):
        return self.cx - self.rx, self.cy - self.ry, self.cx + self.rx, self.cy + self.ry

    def inside(self, x, y):
        dx, dy = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        return dx * dx + dy * dy <= 1.0


class RoundRect:
    def __init__(self, x0, y0, x1, y1, r):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))

    def bbox(self):
        return self.x0, self.y0, self.x1, self.y1

    def inside(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        r = self.r
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Capsule:
    """A thick line from (x0, y0) to (x1, y1) with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.p, self.q, self.r = (x0, y0), (x1, y1), width / 2.0

    def bbox(self):
        (x0, y0), (x1, y1), r = self.p, self.q, self.r
        return min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r, max(y0, y1) + r

    def inside(self, x, y):
        (x0, y0), (x1, y1) = self.p, self.q
        dx, dy = x1 - x0, y1 - y0
        ll = dx * dx + dy * dy
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        ex, ey = x0 + t * dx - x, y0 + t * dy - y
        return ex * ex + ey * ey <= self.r * self.r


class Polygon:
    def __init__(self, points):
        self.pts = points

    def bbox(self):
        xs, ys = [p[0] for p in self.pts], [p[1] for p in self.pts]
        return min(xs), min(ys), max(xs), max(ys)

    def inside(self, x, y):
        inside = False
        pts = self.pts
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


class Arc:
    """A band between two radii around (cx, cy), from angle a0 to a1 (degrees,
    counter-clockwise from the right, y pointing up on screen)."""

    def __init__(self, cx, cy, r_in, r_out, a0=0.0, a1=360.0):
        self.cx, self.cy, self.ri, self.ro, self.a0, self.a1 = cx, cy, r_in, r_out, a0, a1

    def bbox(self):
        return self.cx - self.ro, self.cy - self.ro, self.cx + self.ro, self.cy + self.ro

    def inside(self, x, y):
        dx, dy = x - self.cx, self.cy - y
        d2 = dx * dx + dy * dy
        if not (self.ri * self.ri <= d2 <= self.ro * self.ro):
            return False
        if self.a1 - self.a0 >= 360:
            return True
        ang = math.degrees(math.atan2(dy, dx)) % 360
        return (ang - self.a0) % 360 <= (self.a1 - self.a0)


def star_points(cx, cy, r_out, r_in, n=5, rot=-90.0):
    pts = []
    for k in range(2 * n):
        r = r_out if k % 2 == 0 else r_in
        a = math.radians(rot + k * 180.0 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


# ---------------------------------------------------------------------------
# Emblems shared by several pictures. Each is drawn into a box (x, y, size).
# ---------------------------------------------------------------------------

def draw_headset(cv, x, y, s, fg, accent, stroke=1.0):
    """The headset emblem: headband, two ear cups and a microphone boom.
    stroke thickens the band and the boom for very small sizes."""
    u = s / 32.0
    band = 3.0 * stroke
    cv.fill(Arc(x + 16 * u, y + 17 * u, (13.5 - band) * u, 13.5 * u, 0, 180), fg)
    cv.fill(RoundRect(x + 1.5 * u, y + 14 * u, x + 8.5 * u, y + 26 * u, 2.5 * u), fg)
    cv.fill(RoundRect(x + 23.5 * u, y + 14 * u, x + 30.5 * u, y + 26 * u, 2.5 * u), fg)
    cv.fill(Capsule(x + 6 * u, y + 25 * u, x + 12 * u, y + 29 * u, 2.4 * stroke * u), fg)
    cv.fill(Capsule(x + 12 * u, y + 29 * u, x + 16 * u, y + 29 * u, 2.4 * stroke * u), fg)
    cv.fill(Ellipse(x + 18 * u, y + 29 * u, 2.6 * stroke * u), accent)


def draw_chip(cv, x, y, s, fg, bg):
    """A firmware chip with pins, drawn in a box of size s."""
    u = s / 32.0
    for k in range(4):
        py = y + (9 + k * 5) * u
        cv.fill(RoundRect(x + 2 * u, py, x + 30 * u, py + 2 * u, 0.8 * u), fg)
        px = x + (9 + k * 5) * u
        cv.fill(RoundRect(px, y + 2 * u, px + 2 * u, y + 30 * u, 0.8 * u), fg)
    cv.fill(RoundRect(x + 6 * u, y + 6 * u, x + 26 * u, y + 26 * u, 2 * u), fg)
    cv.fill(RoundRect(x + 8.5 * u, y + 8.5 * u, x + 23.5 * u, y + 23.5 * u, 1.2 * u), bg)


def draw_up_arrow(cv, cx, cy, s, color):
    u = s / 32.0
    cv.fill(Polygon([(cx, cy - 9 * u), (cx + 7 * u, cy - 1 * u), (cx + 2.5 * u, cy - 1 * u),
                     (cx + 2.5 * u, cy + 8 * u), (cx - 2.5 * u, cy + 8 * u), (cx - 2.5 * u, cy - 1 * u),
                     (cx - 7 * u, cy - 1 * u)]), color)


def draw_turn_arrow(cv, cx, cy, s, color):
    """A circular 'restore' arrow."""
    u = s / 32.0
    cv.fill(Arc(cx, cy, 4.5 * u, 7.5 * u, 120, 390), color)
    ang = math.radians(120)
    tx, ty = cx + 6 * u * math.cos(ang), cy - 6 * u * math.sin(ang)
    cv.fill(Polygon([(tx - 4.5 * u, ty - 1.5 * u), (tx + 3.5 * u, ty - 4.5 * u), (tx + 1.5 * u, ty + 4.5 * u)]),
            color)


# ---------------------------------------------------------------------------
# The main window's layout: template 102 controls in dialog units, placed at
# x_px = x_du * 7 / 4, y_px = y_du * 2 (the skin's scale).
# ---------------------------------------------------------------------------

TEMPLATE_102 = {
    "about": (2, 1, 14, 13),          # 1006 "?"
    "flag": (387, 4, 10, 7),          # 1166
    "close": (400, 1, 14, 13),        # 1 "X"
    "device_caption": (123, 20, 249, 8),   # 1003
    "device_text": (12, 28, 360, 8),       # 1004
    "device_picture": (380, 18, 33, 20),   # 1002
    "tab1": (6, 38, 89, 34),          # 1007..1011
    "tab2": (6, 80, 89, 34),
    "tab3": (6, 123, 89, 34),
    "tab4": (6, 165, 89, 34),
    "tab5": (6, 206, 89, 34),
    "bar": (97, 39, 317, 10),         # 1012
    "page": (97, 49, 317, 155),       # 1014
    "status": (97, 204, 317, 36),     # 1013
    "progress": (115, 156, 281, 14),  # 1021
}
CLIENT_DU = (416, 242)


def du_rect(name):
    """Pixel rectangle (x0, y0, x1, y1) of a template-102 control."""
    x, y, w, h = TEMPLATE_102[name]
    return x * 7 // 4, y * 2, (x + w) * 7 // 4, (y + h) * 2


PRODUCT_CAPTION = "TORVIK Bluetooth Device Manager"


def draw_frame(cv):
    """The window frame (730 x 486): title band, device line, left column
    behind the tabs, framed page area with its bar and the status area."""
    cw = CLIENT_DU[0] * 7 // 4
    cv.rect(0, 0, cv.w, cv.h, BASE)

    # Title band with the product name after the "?" button.
    about = du_rect("about")
    band_h = about[3] + 3
    cv.rect(0, 0, cv.w, band_h, INK)
    cv.rect(0, band_h, cv.w, band_h + 2, ORANGE)
    ty = (band_h - FONT_HEIGHT) // 2
    x = about[2] + 8
    x += cv.text(x, ty, "TORVIK", ORANGE, bold=True) + 6
    cv.text(x, ty, PRODUCT_CAPTION[len("TORVIK "):], WHITE)
    # A light socket behind the language flag.
    fx0, fy0, fx1, fy1 = du_rect("flag")
    cv.fill(RoundRect(fx0 - 3, fy0 - 3, fx0 + 16 + 3, fy0 + 11 + 3, 2), EDGE_DARK)

    # The device line: a white plate behind the device picture.
    px0, py0, px1, py1 = du_rect("device_picture")
    cv.fill(RoundRect(px0 - 3, py0 - 1, px1 + 2, py1 + 1, 4), EDGE_MID)
    cv.fill(RoundRect(px0 - 2, py0, px1 + 1, py1, 3), WHITE)

    # Left column behind the tabs, reaching the bottom of the window.
    tab_top = du_rect("tab1")[1]
    bar = du_rect("bar")
    cv.rect(0, tab_top - 2, bar[0] - 2, cv.h, BAR_GREY)
    cv.rect(0, tab_top - 2, bar[0] - 2, tab_top - 1, EDGE_MID)
    # A thin grey marker at the left edge of every tab slot.
    for k in range(1, 6):
        t = du_rect("tab%d" % k)
        cv.rect(t[0] - 5, t[1] + 6, t[0] - 2, t[3] - 6, EDGE_MID)

    # The page block: bar, page and status inside a two-pixel frame.
    page, status = du_rect("page"), du_rect("status")
    right = min(page[2], cw - 3)
    cv.rect(bar[0] - 2, bar[1] - 2, right + 2, status[3] + 2, EDGE_DARK)
    cv.rect(bar[0], bar[1], right, bar[3], BAR_GREY)
    cv.rect(page[0], page[1], right, page[3], WHITE)
    cv.rect(status[0], status[1], right, status[3], STATUS_BLUE)
    cv.rect(status[0], status[1], right, status[1] + 1, EDGE_MID)
    # The unused strip below the frame.
    cv.rect(bar[0] - 2, status[3] + 2, cv.w, cv.h, BASE)


def draw_background(w, h):
    cv = Canvas(w, h)
    draw_frame(cv)
    return cv


def draw_large(kind):
    """Full-window pictures for the pages: the frame with a large, faint
    emblem in the page area."""
    def make(w, h):
        cv = Canvas(w, h)
        draw_frame(cv)
        page = du_rect("page")
        s = 160
        x = (page[0] + page[2]) // 2 - s // 2
        y = (page[1] + page[3]) // 2 - s // 2
        faint, faint_accent = (232, 232, 222), (255, 222, 178)
        if kind == "headset":
            draw_headset(cv, x, y, s, faint, faint_accent)
        elif kind == "update":
            draw_chip(cv, x, y, s, faint, WHITE)
            draw_up_arrow(cv, x + s / 2, y + s / 2, s * 0.9, faint_accent)
        else:
            draw_chip(cv, x, y, s, faint, WHITE)
            draw_turn_arrow(cv, x + s / 2, y + s / 2, s * 0.9, faint_accent)
        return cv
    return make


def draw_scene(w, h):
    """A headset joined by a USB cable to a computer, and the brand: the
    picture of the welcome page's start button (and its large sibling)."""
    cv = Canvas(w, h, WHITE)
    u = min(w / 554.0, h / 310.0)
    ox, oy = (w - 554 * u) / 2, (h - 310 * u) / 2

    def P(x, y):
        return ox + x * u, oy + y * u

    cv.rect(0, int(oy + 262 * u), w, h, BASE)
    # Headset on the left.
    hx, hy = P(40, 50)
    draw_headset(cv, hx, hy, 170 * u, INK, ORANGE)
    # Computer on the right: screen, stand, foot.
    sx0, sy0 = P(360, 70)
    sx1, sy1 = P(510, 170)
    cv.fill(RoundRect(sx0, sy0, sx1, sy1, 6 * u), INK)
    cv.fill(RoundRect(sx0 + 7 * u, sy0 + 7 * u, sx1 - 7 * u, sy1 - 9 * u, 2 * u), STATUS_BLUE)
    cv.fill(Polygon([P(425, 170), P(445, 170), P(450, 196), P(420, 196)]), INK)
    cv.fill(RoundRect(*P(398, 194), *P(472, 202), 3 * u), INK)
    # A small window on the screen, with a progress bar.
    cv.fill(RoundRect(*P(380, 88), *P(490, 148), 3 * u), WHITE)
    cv.fill(RoundRect(*P(380, 88), *P(490, 98), 3 * u), BAR_GREY)
    cv.fill(RoundRect(*P(392, 126), *P(478, 136), 2 * u), BAR_GREY)
    cv.fill(RoundRect(*P(392, 126), *P(452, 136), 2 * u), ORANGE)
    # USB cable from the left ear cup to the computer.
    pts = [P(62, 186), P(72, 220), P(130, 246), P(240, 244), P(330, 216), P(392, 198)]
    for a, b in zip(pts, pts[1:]):
        cv.fill(Capsule(a[0], a[1], b[0], b[1], 5 * u), EDGE_DARK)
    cv.fill(RoundRect(*P(384, 190), *P(400, 206), 2 * u), INK)
    # Two signal arcs between headset and computer.
    ax, ay = P(265, 120)
    for k in range(3):
        cv.fill(Arc(ax, ay, (14 + 12 * k) * u, (19 + 12 * k) * u, -40, 40), ORANGE if k == 0 else EDGE_MID)
    # The base strip stays plain: the frame's BACK and NEXT buttons lie over it.
    return cv


def draw_page_area(w, h):
    """The page area's own image: plain white, as the pages' ground."""
    return Canvas(w, h, WHITE)


def draw_logo(w, h):
    cv = Canvas(w, h, INK)
    cv.fill(RoundRect(3, 3, w - 3, h - 3, 8), INK_DEEP)
    draw_headset(cv, 14, 6, 36, WHITE, ORANGE)
    cv.text_centered(w / 2, h - 16, "TORVIK", WHITE)
    return cv


def draw_warning(w, h):
    cv = Canvas(w, h, INK)
    cv.fill(RoundRect(3, 3, w - 3, h - 3, 8), INK_DEEP)
    cv.fill(RoundRect(9, 11, w - 9, h - 11, 0), INK_DEEP)
    tri = [(w / 2, 9), (w - 8, h - 11), (8, h - 11)]
    cv.fill(Polygon(tri), ORANGE)
    cv.fill(Capsule(w / 2, 24, w / 2, 39, 5), INK_DEEP)
    cv.fill(Ellipse(w / 2, 46.5, 3), INK_DEEP)
    return cv


def draw_help_mark(w, h):
    """A white letter i on a blue disc; pure white around it is transparent."""
    cv = Canvas(w, h, WHITE)
    cv.fill(Ellipse(w / 2, h / 2, w / 2 - 0.5), HELP_BLUE)
    cv.rect(7, 3, 9, 5, NEAR_WHITE)
    cv.rect(7, 6, 9, 12, NEAR_WHITE)
    cv.rect(6, 6, 7, 7, NEAR_WHITE)
    cv.rect(6, 11, 10, 12, NEAR_WHITE)
    return cv


def draw_check_boxes(w, h):
    """Four 20 x 20 images on magenta: clear, set, clear disabled, set disabled.
    Nothing is smoothed against the magenta, so no pink fringe appears."""
    cv = Canvas(w, h, MAGENTA)
    looks = [  # border, face, tick
        (EDGE_DARK, WHITE, None),
        (EDGE_DARK, WHITE, INK),
        (EDGE_MID, BASE, None),
        (EDGE_MID, BASE, EDGE_MID),
    ]
    for k, (border, face, tick) in enumerate(looks):
        x0 = k * 20
        cv.rect(x0 + 3, 3, x0 + 17, 17, border)
        cv.rect(x0 + 4, 4, x0 + 16, 16, face)
        if tick:
            sub = Canvas(12, 12, face)
            sub.fill(Capsule(2.5, 6.5, 5, 9, 2.2), tick)
            sub.fill(Capsule(5, 9, 9.5, 3, 2.2), tick)
            cv.paste(sub, x0 + 4, 4)
    return cv


# ---------------------------------------------------------------------------
# Language flags (16 x 11): simple emblems in each language's national colours.
# ---------------------------------------------------------------------------

FLAG_RED = (206, 40, 48)
FLAG_BLUE = (0, 56, 150)
FLAG_WHITE = (250, 250, 250)
FLAG_YELLOW = (252, 196, 20)
FLAG_BLACK = (30, 30, 30)
FLAG_GREEN = (0, 140, 70)

# (id, language, kind, colours, stripe weights)
FLAGS = [
    (203, "English", "union", (FLAG_BLUE, FLAG_WHITE, FLAG_RED), None),
    (204, "French", "vertical", (FLAG_BLUE, FLAG_WHITE, FLAG_RED), None),
    (205, "German", "horizontal", (FLAG_BLACK, FLAG_RED, FLAG_YELLOW), None),
    (206, "Italian", "vertical", (FLAG_GREEN, FLAG_WHITE, FLAG_RED), None),
    (207, "Japanese", "disc", (FLAG_WHITE, FLAG_RED), None),
    (208, "Korean", "taeguk", (FLAG_WHITE, FLAG_RED, FLAG_BLUE, FLAG_BLACK), None),
    (209, "Spanish", "horizontal", (FLAG_RED, FLAG_YELLOW, FLAG_RED), (3, 5, 3)),
    (291, "Dutch", "horizontal", (FLAG_RED, FLAG_WHITE, FLAG_BLUE), None),
    (292, "Russian", "horizontal", (FLAG_WHITE, FLAG_BLUE, FLAG_RED), None),
    (293, "Chinese", "star", (FLAG_RED, FLAG_YELLOW), None),
    (352, "Finnish", "nordic", (FLAG_WHITE, FLAG_BLUE), None),
]


def split(total, weights):
    """Integer stripe edges for the given weights."""
    acc, edges, s = 0, [0], sum(weights)
    for wgt in weights:
        acc += wgt
        edges.append(int(round(total * acc / s)))
    return edges


def draw_flag(kind, colours, weights):
    def make(w, h):
        cv = Canvas(w, h, colours[0])
        iw, ih = w - 2, h - 2  # inside the one-pixel border
        if kind in ("vertical", "horizontal"):
            n = len(colours)
            edges = split(iw if kind == "vertical" else ih, weights or [1] * n)
            for k, c in enumerate(colours):
                if kind == "vertical":
                    cv.rect(1 + edges[k], 1, 1 + edges[k + 1], 1 + ih, c)
                else:
                    cv.rect(1, 1 + edges[k], 1 + iw, 1 + edges[k + 1], c)
        elif kind == "disc":
            cv.fill(Ellipse(w / 2, h / 2, 3.2), colours[1])
        elif kind == "taeguk":
            cv.fill(Arc(w / 2, h / 2, 0, 3.4, 0, 180), colours[1])
            cv.fill(Arc(w / 2, h / 2, 0, 3.4, 180, 360), colours[2])
            for (x, y) in ((2, 2), (12, 2), (2, 7), (12, 7)):
                cv.rect(x, y, x + 2, y + 2, colours[3])
        elif kind == "star":
            cv.fill(Polygon(star_points(4.5, 4.2, 3.0, 1.2)), colours[1])
            for (x, y) in ((8, 2), (9, 4), (9, 6), (8, 8)):
                cv.rect(x, y, x + 1, y + 1, colours[1])
        elif kind == "nordic":
            cv.rect(5, 1, 8, h - 1, colours[1])
            cv.rect(1, 4, w - 1, 7, colours[1])
        elif kind == "union":
            blue, white, red = colours
            cv.fill(Capsule(0, 0, w, h, 2.6), white)
            cv.fill(Capsule(0, h, w, 0, 2.6), white)
            cv.fill(Capsule(0, 0, w, h, 0.9), red)
            cv.fill(Capsule(0, h, w, 0, 0.9), red)
            cv.rect(6, 0, 10, h, white)
            cv.rect(0, 4, w, 7, white)
            cv.rect(7, 0, 9, h, red)
            cv.rect(0, 5, w, 6, red)
        cv.frame(0, 0, w, h, EDGE_DARK)
        return cv
    return make


# ---------------------------------------------------------------------------
# Model pictures (58 x 39): one small product sketch per picture id, drawn
# from a shape and two colours. Pure white is the transparent ground (the
# device picture takes its top-left pixel as the transparent colour).
# ---------------------------------------------------------------------------

# id: (models shown, shape, body, accent, buttons)
MODELS = {
    222: ("ZR.LINQ, Clear Voice T", "slim", "black", "orange", 3),
    312: ("ZR.LINQ2", "slim", "black", "blue", 3),
    223: ("Q-LINQ", "slim", "graphite", "teal", 2),
    345: ("Ridgewing", "round", "graphite", "green", 1),
    364: ("J717T", "round", "black", "red", 1),
    224: ("Bluetooth Sound Kit", "kit", "black", "orange", 0),
    286: ("LUMEN action camera", "camera", "black", "red", 1),
    354: ("Z9, Z9 Pro, Z5", "camera", "graphite", "orange", 2),
    366: ("V60", "unit", "black", "teal", 2),
    215: ("Singlet", "slim", "silver", "blue", 1),
    211: ("TKV2", "unit", "graphite", "blue", 1),
    288: ("TKV2X", "unit", "graphite", "red", 1),
    219: ("TKV1", "unit", "silver", "blue", 1),
    289: ("Frostline", "unit", "silver", "teal", 2),
    216: ("WIDEN", "round", "black", "orange", 2),
    230: ("BQR6", "round", "graphite", "blue", 2),
    284: ("V40", "unit", "black", "orange", 3),
    358: ("V40 NX", "unit", "black", "yellow", 3),
    360: ("V40 other, Vantor, Vantor QN, Vantor Mini", "unit", "black", "blue", 3),
    361: ("Vantor Max, Vantor QNM", "unit", "black", "purple", 3),
    367: ("ZKR Helmline2", "helmet", "graphite", "orange", 1),
    177: ("TKV3", "unit", "black", "green", 1),
    178: ("TKV8", "unit", "black", "red", 2),
    195: ("TKV3-FM", "unit", "black", "yellow", 1),
    200: ("TKV8N", "unit", "graphite", "red", 2),
    356: ("TKV3 Polylink", "unit", "black", "purple", 1),
    297: ("TKV3-KX", "unit", "sand", "green", 1),
    179: ("WPR6", "round", "black", "blue", 3),
    180: ("WPR6T", "round", "black", "teal", 3),
    192: ("WPR6K", "round", "black", "red", 3),
    199: ("WPR6K-FM", "round", "black", "yellow", 3),
    181: ("GZR6", "slim", "graphite", "green", 2),
    193: ("GZM6", "slim", "graphite", "red", 1),
    319: ("OpenLoop for Thunder Motors", "helmet", "black", "red", 2),
    320: ("OpenLoop for Kaito Tourer", "helmet", "silver", "blue", 2),
    355: ("ZEPH", "round", "silver", "purple", 1),
    368: ("YT1", "slim", "black", "green", 2),
    369: ("YT2", "slim", "black", "orange", 2),
    370: ("YT4", "slim", "black", "purple", 2),
    371: ("WTK-07", "slim", "sand", "orange", 2),
    295: ("KC5", "unit", "graphite", "green", 2),
    296: ("KR5", "unit", "graphite", "orange", 2),
    346: ("Thunder! Audio Q01 KR5, Lancer", "unit", "graphite", "yellow", 2),
    304: ("KS5", "unit", "graphite", "teal", 2),
    378: ("Feral", "unit", "sand", "red", 3),
    294: ("M7X Helm G, N, J, S/SX, A", "helmet", "black", "orange", 1),
    353: ("LVRA, LVRS", "helmet", "graphite", "teal", 1),
    350: ("LVR7", "helmet", "graphite", "purple", 1),
    313: ("Grittalk, Grittalk Mini", "round", "sand", "blue", 2),
    314: ("Torvik Ostrel, Boreal Arrow", "unit", "black", "orange", 1),
    331: ("NQ1", "round", "black", "green", 2),
    333: ("NQ5LR", "round", "graphite", "orange", 3),
    329: ("NQ5R", "round", "graphite", "red", 3),
    332: ("NQ5K", "round", "graphite", "blue", 3),
    357: ("NQ5S", "round", "graphite", "teal", 3),
    375: ("NQ3R", "slim", "silver", "red", 3),
    376: ("NQ3S", "slim", "silver", "teal", 3),
    377: ("NQ3X", "slim", "silver", "orange", 3),
    318: ("Verra RT-3, Ottavo RT3-MAX", "kit", "graphite", "blue", 0),
    322: ("PAVLO", "kit", "graphite", "green", 0),
    365: ("PVQIII", "kit", "graphite", "red", 0),
    342: ("M7Xpad handlebar remote", "pad", "black", "orange", 4),
}


def lighten(c, f):
    return tuple(int(round(v + (255 - v) * f)) for v in c)


def draw_model(shape, body, accent, buttons):
    def make(w, h):
        cv = Canvas(w, h, WHITE)
        b, a = BODY[body], ACCENT[accent]
        hi = lighten(b, 0.35)
        dots = [(a if k == 0 else hi) for k in range(buttons)]
        # A soft shadow on the ground, shared by every shape.
        cv.fill(Ellipse(w / 2, h - 4, w / 2 - 8, 2.5), (226, 226, 218))
        if shape == "unit":          # clamp-on unit with a jog dial and antenna
            cv.fill(Capsule(44, 8, 49, 2, 2.4), b)
            cv.fill(RoundRect(9, 6, 49, 33, 7), b)
            cv.fill(Ellipse(21, 19.5, 8.5), hi)
            cv.fill(Ellipse(21, 19.5, 6), a)
            cv.fill(Ellipse(21, 19.5, 2.5), hi)
            for k, c in enumerate(dots):
                cv.fill(Ellipse(38, 12 + k * 7.5, 2.6), c)
        elif shape == "slim":        # slim unit with a row of buttons
            cv.fill(RoundRect(6, 12, 52, 29, 8), b)
            cv.fill(RoundRect(8, 14, 50, 17, 1.5), hi)
            for k, c in enumerate(dots):
                cv.fill(RoundRect(14 + k * 12, 20.5, 22 + k * 12, 25.5, 2.5), c)
            cv.fill(Capsule(48, 21, 55, 21, 2.2), b)
        elif shape == "round":       # round unit with a ring around its dial
            cv.fill(Ellipse(24, 19, 15, 15), b)
            cv.fill(Arc(24, 19, 9.5, 12.5), a)
            cv.fill(Ellipse(24, 19, 6.5), hi)
            for k, c in enumerate(dots):
                cv.fill(Ellipse(46, 10 + k * 8, 3), c)
        elif shape == "helmet":      # helmet with a built-in unit on its side
            cv.fill(Polygon([(6, 31), (8, 18), (16, 8), (29, 4), (42, 7), (51, 16), (53, 27), (46, 31)]), b)
            cv.fill(Polygon([(38, 14), (51, 17), (52, 24), (40, 24)]), lighten(b, 0.55))
            cv.fill(RoundRect(14, 19, 32, 29, 4), hi)
            for k, c in enumerate(dots):
                cv.fill(Ellipse(19 + k * 8, 24, 2.4), a if k == 0 else c)
        elif shape == "camera":      # action camera with its lens
            cv.fill(RoundRect(8, 8, 50, 33, 5), b)
            cv.fill(RoundRect(12, 5, 20 + 6 * buttons, 9, 1.5), a)
            cv.fill(Ellipse(26, 21, 9.5), hi)
            cv.fill(Ellipse(26, 21, 6.5), INK_DEEP)
            cv.fill(Ellipse(24, 19, 2), lighten(a, 0.4))
            cv.fill(RoundRect(39, 13, 46, 18, 1.5), a)
        elif shape == "kit":         # two speakers, a wire and a microphone
            for cx in (12, 30):
                cv.fill(Ellipse(cx, 18, 8.5), b)
                cv.fill(Ellipse(cx, 18, 5), hi)
                cv.fill(Ellipse(cx, 18, 2), a)
            cv.fill(Capsule(12, 27, 30, 27, 1.6), EDGE_DARK)
            cv.fill(Capsule(30, 27, 44, 31, 1.6), EDGE_DARK)
            cv.fill(Capsule(44, 31, 50, 10, 2), b)
            cv.fill(Ellipse(50, 9, 3.5), a)
        elif shape == "pad":         # handlebar remote with a four-way pad
            cv.fill(RoundRect(4, 24, 54, 29, 2.5), EDGE_DARK)
            cv.fill(RoundRect(15, 5, 43, 33, 7), b)
            cv.fill(Ellipse(29, 19, 9), hi)
            for dx, dy in ((0, -5), (5, 0), (0, 5), (-5, 0)):
                cv.fill(Ellipse(29 + dx, 19 + dy, 2), a)
            cv.fill(Ellipse(29, 19, 2.2), b)
        return cv
    return make


def draw_no_device(w, h):
    """No headset: a pale unit outline with a question mark."""
    cv = Canvas(w, h, WHITE)
    cv.fill(Ellipse(w / 2, h - 4, w / 2 - 8, 2.5), (232, 232, 224))
    cv.fill(RoundRect(10, 6, 48, 33, 7), EDGE_MID)
    cv.fill(RoundRect(12, 8, 46, 31, 5.5), BASE)
    cv.text(w // 2 - 5, 12, "?", EDGE_DARK, scale=2)
    return cv


# ---------------------------------------------------------------------------
# Every bitmap of the program: (id, file, width, height, what it shows, draw).
# ---------------------------------------------------------------------------

MODEL_W, MODEL_H = 58, 39

BITMAPS = [
    (334, "background.bmp", 730, 486, "main window background (frame of the window)", draw_background),
    (218, "page_area.bmp", 67, 63, "page-area image behind the pages (white)", draw_page_area),
    (227, "large_headset.bmp", 730, 486, "large picture: frame with a headset emblem", draw_large("headset")),
    (324, "large_update.bmp", 730, 486, "large picture: frame with a firmware update emblem", draw_large("update")),
    (276, "large_restore.bmp", 730, 486, "large picture: frame with a firmware restore emblem", draw_large("restore")),
    (175, "large_connect.bmp", 619, 402, "large picture: headset connected to a computer", draw_scene),
    # The welcome page's start button covers the page area, 317 x 155 units
    # = 554 x 310 pixels; no size is given elsewhere, so the picture fills it.
    (335, "welcome.bmp", 554, 310, "welcome page start button: headset, cable, computer", draw_scene),
    (186, "logo.bmp", 64, 64, "logo of the message box and about box", draw_logo),
    (184, "warning.bmp", 64, 64, "warning sign of the message box", draw_warning),
    (188, "help_mark.bmp", 16, 16, "help mark: white letter i on a blue disc", draw_help_mark),
    (303, "check_box.bmp", 80, 20, "check-box images: clear, set, clear disabled, set disabled", draw_check_boxes),
    # No size is given for the no-device picture; 57 x 40 fills the device
    # picture static (33 x 20 units) exactly.
    (176, "no_device.bmp", 57, 40, "no device recognized: unit outline with a question mark", draw_no_device),
]
BITMAPS += [(fid, "flag_%s.bmp" % lang.lower(), 16, 11, "flag of %s" % lang, draw_flag(kind, colours, weights))
            for fid, lang, kind, colours, weights in FLAGS]
BITMAPS += [(mid, "model_%d.bmp" % mid, MODEL_W, MODEL_H, "model picture: %s" % spec[0], draw_model(*spec[1:]))
            for mid, spec in sorted(MODELS.items())]

# Pictures that must stay 24 bits per pixel (the check-box image list).
TRUE_COLOUR = {303}
ICON_ID = 128


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def palette_of(cv, limit=256):
    """A palette of at most limit colours: the most frequent ones; every
    other colour maps to its nearest palette entry."""
    counts = {}
    rgb = cv.rgb
    for i in range(0, len(rgb), 3):
        c = bytes(rgb[i:i + 3])
        counts[c] = counts.get(c, 0) + 1
    pal = sorted(counts, key=lambda c: -counts[c])[:limit]
    index = {c: k for k, c in enumerate(pal)}
    for c in counts:
        if c not in index:
            index[c] = min(range(len(pal)), key=lambda k: sum((pal[k][j] - c[j]) ** 2 for j in range(3)))
    return pal, index


def bmp_bytes(cv, bits):
    w, h = cv.w, cv.h
    if bits == 24:
        stride = (w * 3 + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            line = bytearray(cv.rgb[y * w * 3:(y + 1) * w * 3])
            line[0::3], line[2::3] = line[2::3], line[0::3]  # RGB -> BGR
            rows.append(bytes(line) + b"\0" * (stride - w * 3))
        pal_bytes, ncol = b"", 0
    else:
        pal, index = palette_of(cv)
        stride = (w + 3) & ~3
        rows = []
        for y in range(h - 1, -1, -1):
            base = y * w * 3
            line = bytes(index[bytes(cv.rgb[base + x * 3:base + x * 3 + 3])] for x in range(w))
            rows.append(line + b"\0" * (stride - w))
        pal_bytes = b"".join(bytes((c[2], c[1], c[0], 0)) for c in pal)
        ncol = len(pal)
    pixels = b"".join(rows)
    offset = 14 + 40 + len(pal_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, ncol, ncol)
    return header + info + pal_bytes + pixels


def ico_image(cv):
    """One 32-bit icon image: BITMAPINFOHEADER (double height), BGRA rows
    bottom-up, then the one-bit AND mask."""
    w, h = cv.w, cv.h
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            k = y * w + x
            r, g, b = cv.rgb[k * 3:k * 3 + 3]
            xor += bytes((b, g, r, cv.a[k]))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(w):
            if cv.a[y * w + x] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for cv in images:
        blob = ico_image(cv)
        entries += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs += blob
    return head + entries + blobs


def draw_icon(size):
    """The application icon: a white headset on an orange rounded tile."""
    cv = Canvas(size, size, (0, 0, 0), alpha=0)
    cv.fill(RoundRect(0, 0, size, size, size * 0.2), ORANGE)
    m = size * 0.1
    draw_headset(cv, m, m * 0.6, size - 2 * m, WHITE, INK, 1.0 if size >= 32 else 1.6)
    return cv


def write_if_changed(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if os.path.exists(path):
        with open(path, "rb") as f:
            if f.read() == data:
                return False
    with open(path, "wb") as f:
        f.write(data)
    return True


def rc_text():
    lines = [
        "// Skin pictures and the application icon. Written by tools/gen_skin.py;",
        "// edit the generator, not this file.",
        "",
        "%d ICON \"icons/torvik.ico\"  // application icon: headset on an orange tile, 32x32 and 16x16" % ICON_ID,
        "",
    ]
    for bid, name, w, h, what, _ in sorted(BITMAPS):
        lines.append("%d BITMAP \"skin/%s\"  // %dx%d %s" % (bid, name, w, h, what))
    return "\n".join(lines) + "\n"


def main():
    ids = [b[0] for b in BITMAPS]
    assert len(ids) == len(set(ids)), "bitmap ids must be unique"
    written = 0
    for bid, name, w, h, what, draw in BITMAPS:
        cv = draw(w, h)
        assert (cv.w, cv.h) == (w, h)
        bits = 24 if (bid in TRUE_COLOUR or w * h <= 10000) else 8
        written += write_if_changed(os.path.join(RES, "skin", name), bmp_bytes(cv, bits))
    written += write_if_changed(os.path.join(RES, "icons", "torvik.ico"), ico_bytes([draw_icon(32), draw_icon(16)]))
    written += write_if_changed(os.path.join(RES, "skin.rc"), rc_text().encode("ascii"))
    print("skin: %d pictures, %d files changed" % (len(BITMAPS), written))


if __name__ == "__main__":
    main()
