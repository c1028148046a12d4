#!/usr/bin/env python3
"""Draws every button picture and the program icon of Pelorin.

Standard library only: the PNG files are written by hand (RGBA, 8 bits per
channel, transparent background). Every picture is built from hard-edged
primitives - pixel maps, rectangles, lines and filled shapes sampled at pixel
centres - so nothing is anti-aliased.

Run from anywhere:  python3 tools/draw_icons.py [FOLDER]
The PNG files are written to FOLDER, by default resources/icons of this tree;
scripts/check-pictures.sh draws them into a scratch folder and compares.
"""

import math
import os
import struct
import sys
import zlib

OUT = (sys.argv[1] if len(sys.argv) > 1 else
       os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons"))

# ---------------------------------------------------------------------------
# Colours
# ---------------------------------------------------------------------------

PAL = {
    "K": (32, 32, 40, 255),  # outline
    "W": (255, 255, 255, 255),
    "L": (214, 214, 220, 255),  # light grey
    "G": (160, 160, 168, 255),  # grey
    "g": (96, 96, 104, 255),  # dark grey
    "Y": (255, 224, 72, 255),  # yellow
    "y": (216, 160, 32, 255),  # ochre
    "R": (224, 32, 32, 255),  # red
    "r": (144, 16, 16, 255),  # dark red
    "B": (48, 96, 208, 255),  # blue
    "b": (176, 216, 255, 255),  # light blue
    "d": (24, 48, 136, 255),  # dark blue
    "E": (40, 176, 56, 255),  # green
    "e": (16, 96, 24, 255),  # dark green
    "N": (136, 80, 32, 255),  # brown
    "n": (200, 140, 72, 255),  # light brown
    "P": (248, 144, 168, 255),  # eraser pink
    "1": (255, 255, 128, 255),  # the four tile shades
    "2": (181, 181, 96, 255),
    "3": (128, 128, 64, 255),
    "4": (64, 64, 32, 255),
}
K = PAL["K"]


# ---------------------------------------------------------------------------
# Canvas and PNG output
# ---------------------------------------------------------------------------


class Img:
    """A picture of `w` x `h` units drawn at `scale` pixels a unit: every primitive takes unit
    coordinates, so one description draws the 16 x 16 picture and its 32 x 32 twin. Rectangles,
    pixel maps and lines along the axes cover whole units; shapes and slanted lines are sampled
    at the centres of the finer pixels, so their edges and slopes use the finer grid."""

    def __init__(self, w, h=None, scale=1):
        self.s = scale
        self.w = w * scale
        self.h = (w if h is None else h) * scale
        self.px = [[None] * self.w for _ in range(self.h)]

    def put(self, x, y, c):
        """One pixel of the finer grid."""
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = PAL[c] if isinstance(c, str) else c

    def set(self, x, y, c):
        """One unit: a block of scale x scale pixels."""
        for j in range(self.s):
            for i in range(self.s):
                self.put(x * self.s + i, y * self.s + j, c)

    def clear(self, x, y):
        """Makes one unit transparent."""
        for j in range(self.s):
            for i in range(self.s):
                if 0 <= x * self.s + i < self.w and 0 <= y * self.s + j < self.h:
                    self.px[y * self.s + j][x * self.s + i] = None

    def get(self, x, y):
        return self.px[y][x]

    def pixels(self):
        """Every pixel of the finer grid with its centre in units: (x, y, ux, uy)."""
        for y in range(self.h):
            for x in range(self.w):
                yield x, y, (x + 0.5) / self.s, (y + 0.5) / self.s

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        """1-unit rectangle outline, corners inclusive."""
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        """Line one unit wide from unit (x0, y0) to unit (x1, y1), both included: Bresenham at
        one pixel a unit; finer, every pixel whose centre lies within half a unit of the
        segment between the two units' centres, so that a slant keeps its width."""
        if self.s > 1:
            for x, y, ux, uy in self.pixels():
                if segment_distance(ux, uy, x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5) < 0.5:
                    self.put(x, y, c)
            return
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def art(self, rows, ox=0, oy=0):
        """Pixel map: one string per row, one palette letter per unit,
        '.' leaves the unit as it is, ' ' makes it transparent."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch == ".":
                    continue
                if ch == " ":
                    self.clear(ox + x, oy + y)
                    continue
                self.set(ox + x, oy + y, ch)

    def shape(self, inside, fill, outline=K, width=1):
        """Fills every pixel whose centre lies inside (tests take units); the pixels of the
        shape that are within `width` units of the outside get the outline colour.
        `fill` is a colour or a function of the pixel's top-left corner in units, (x, y) ->
        colour."""
        mask = [[False] * self.w for _ in range(self.h)]
        for x, y, ux, uy in self.pixels():
            mask[y][x] = inside(ux, uy)

        def m(x, y):
            return 0 <= x < self.w and 0 <= y < self.h and mask[y][x]

        for y in range(self.h):
            for x in range(self.w):
                if not mask[y][x]:
                    continue
                edge = False
                if outline is not None:
                    for k in range(1, width * self.s + 1):
                        if not (m(x - k, y) and m(x + k, y) and m(x, y - k) and m(x, y + k)):
                            edge = True
                            break
                if edge:
                    self.put(x, y, outline)
                elif callable(fill):
                    self.put(x, y, fill(x / self.s, y / self.s))
                else:
                    self.put(x, y, fill)

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                if other.px[y][x] is not None:
                    self.put(ox * self.s + x, oy * self.s + y, other.px[y][x])

    def flipped_h(self):
        out = Img(self.w // self.s, self.h // self.s, self.s)
        out.px = [list(reversed(row)) for row in self.px]
        return out

    def flipped_v(self):
        out = Img(self.w // self.s, self.h // self.s, self.s)
        out.px = [list(row) for row in reversed(self.px)]
        return out

    def colours(self):
        return {c for row in self.px for c in row if c is not None}

    def save(self, name):
        raw = bytearray()
        for row in self.px:
            raw.append(0)  # filter type: none
            for c in row:
                raw.extend(c if c is not None else (0, 0, 0, 0))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        png += chunk(b"IEND", b"")
        with open(os.path.join(OUT, name + ".png"), "wb") as f:
            f.write(png)


# ---------------------------------------------------------------------------
# Shape helpers (all tests take the pixel centre in units)
# ---------------------------------------------------------------------------


def polygon(points):
    def inside(px, py):
        hit = False
        n = len(points)
        for i in range(n):
            x0, y0 = points[i]
            x1, y1 = points[(i + 1) % n]
            if (y0 > py) != (y1 > py):
                xc = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
                if px < xc:
                    hit = not hit
        return hit

    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def union(*tests):
    return lambda x, y: any(t(x, y) for t in tests)


def box(x0, y0, x1, y1):
    """The area from (x0, y0) to (x1, y1), in units."""
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    k = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - ax - k * dx, py - ay - k * dy)


def stroke(a, b, half):
    """A bar `half` units either side of the segment from a to b, with round ends."""
    return lambda x, y: segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half


def arc_band(cx, cy, r0, r1, a0, a1):
    """Ring between radii r0..r1, from angle a0 to a1 (degrees, clockwise on
    screen, 0 = pointing right)."""

    def inside(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy)
        if not (r0 <= r <= r1):
            return False
        a = math.degrees(math.atan2(dy, dx)) % 360
        lo, hi = a0 % 360, a1 % 360
        return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)

    return inside


def pencil_shape(img, tip, end, half, outline=K, cone=None, width=1):
    """A pencil lying from `tip` (lead point) to `end` (eraser end) with the
    given half thickness, drawn at the canvas's native resolution."""
    tx, ty = tip
    ex, ey = end
    length = math.hypot(ex - tx, ey - ty)
    ax, ay = (ex - tx) / length, (ey - ty) / length  # along
    nx, ny = -ay, ax  # across
    cone = cone if cone is not None else half * 2.2
    band = max(1.0, half * 0.55)  # metal band length
    rubber = max(1.5, half * 1.1)

    def coords(x, y):
        dx, dy = x - tx, y - ty
        return dx * ax + dy * ay, dx * nx + dy * ny

    def inside(x, y):
        t, s = coords(x, y)
        if t < 0 or t > length:
            return False
        if t < cone:
            return abs(s) <= half * t / cone + 0.35
        return abs(s) <= half

    def colour(x, y):
        t, s = coords(x, y)
        if t < cone * 0.42:
            return "g"
        if t < cone:
            return "n"
        if t > length - rubber:
            return "P"
        if t > length - rubber - band:
            return "G" if s > -half / 3 else "L"
        if s < -half / 3:
            return "Y"
        if s > half / 3:
            return "y"
        return "Y"

    img.shape(inside, colour, outline, width)


# ---------------------------------------------------------------------------
# Shared pieces
# ---------------------------------------------------------------------------


def tile_block(img, x0, y0, cells, size, shades, lines=True):
    """A grid of `cells` x `cells` tiles of `size` pixels with 1-px outline;
    shades(col, row) gives each tile's palette letter (None = blank)."""
    n = cells * (size + 1) + 1
    for r in range(cells):
        for c in range(cells):
            s = shades(c, r)
            if s is not None:
                x = x0 + 1 + c * (size + 1)
                y = y0 + 1 + r * (size + 1)
                img.rect(x, y, x + size - 1, y + size - 1, s)
    if lines:
        for i in range(cells + 1):
            img.line(x0 + i * (size + 1), y0, x0 + i * (size + 1), y0 + n - 1, K)
            img.line(x0, y0 + i * (size + 1), x0 + n - 1, y0 + i * (size + 1), K)
    else:
        img.frame(x0, y0, x0 + n - 1, y0 + n - 1, K)


# ---------------------------------------------------------------------------
# Button pictures: 16 x 16 units, drawn at 16 x 16 pixels and at 32 x 32 for
# screens scaled by 1.5 or 2. The small picture of a button is a pixel map
# placed by hand; where it holds a slant or a curve, the large one draws that
# part as a shape, so that it is smooth at the finer grid instead of a
# staircase of double steps. Parts made of upright rectangles are the same
# at both sizes.
# ---------------------------------------------------------------------------

ICONS = {}


def icon(fn):
    ICONS[fn.__name__[len("draw_"):]] = fn
    return fn


@icon
def draw_open(s):
    img = Img(16, scale=s)
    if s > 1:
        back = polygon([(0, 15), (0, 3.6), (0.6, 3), (4.6, 3), (6.2, 5), (12.4, 5), (13, 5.6),
                        (13, 15)])
        img.shape(back, "y")
        img.shape(polygon([(0.9, 15), (3, 8), (16, 8), (14, 15)]), "Y")
        return img
    img.art([
        "................",
        "................",
        ".KKKK...........",
        "KyyyyK..........",
        "KyyyyyKKKKKK....",
        "KyyyyyyyyyyyK...",
        "KyyyyyyyyyyyK...",
        "KyyKKKKKKKKKKKKK",
        "KyyKYYYYYYYYYYYK",
        "KyKYYYYYYYYYYYYK",
        "KyKYYYYYYYYYYYK.",
        "KKYYYYYYYYYYYYK.",
        "KKYYYYYYYYYYYK..",
        "KKKKKKKKKKKKKK..",
        "................",
    ], 0, 1)
    return img


def red_x(img, ox, oy):
    if img.s > 1:
        bars = union(stroke((ox + 0.9, oy + 0.9), (ox + 7.1, oy + 7.1), 1.3),
                     stroke((ox + 7.1, oy + 0.9), (ox + 0.9, oy + 7.1), 1.3))
        img.shape(bars, "R", "r")
        return
    img.art([
        "rr....rr",
        "rRr..rRr",
        ".rRrrRr.",
        "..rRRr..",
        "..rRRr..",
        ".rRrrRr.",
        "rRr..rRr",
        "rr....rr",
    ], ox, oy)


def document(img, x0, y0, x1, y1):
    """A page with a folded top-right corner and a few text lines."""
    img.rect(x0, y0, x1, y1, "W")
    img.frame(x0, y0, x1, y1, K)
    f = 3  # fold size
    for i in range(f + 1):
        for x in range(x1 - f + i, x1 + 1):
            img.clear(x, y0 + i)
    img.line(x1 - f, y0, x1, y0 + f, K)
    img.line(x1 - f, y0, x1 - f, y0 + f, K)
    img.line(x1 - f, y0 + f, x1, y0 + f, K)
    img.set(x1 - f + 1, y0 + 2, "L")
    for y in range(y0 + f + 2, y1 - 1, 2):
        img.line(x0 + 2, y, x1 - 2, y, "G")


@icon
def draw_close(s):
    img = Img(16, scale=s)
    document(img, 1, 0, 11, 14)
    red_x(img, 8, 8)
    return img


@icon
def draw_exit(s):
    img = Img(16, scale=s)
    # Door frame with a dark doorway; the door leaf swings open toward us.
    img.rect(1, 1, 9, 15, "g")
    img.frame(1, 1, 9, 15, K)
    if s > 1:
        leaf = polygon([(1, 0), (6, 4.3), (6, 13.7), (3.3, 16), (1, 16)])
        img.shape(leaf, lambda x, y: "n" if 2.4 <= x < 4.4 and 4 <= y < 14 else "N")
        img.shape(circle(4.2, 8.5, 0.75), "Y", None)
        arrow = union(box(6, 6, 12.5, 10), polygon([(11, 2.6), (16.2, 8), (11, 13.4)]))
        img.shape(arrow, "E")
        return img
    img.art([
        "KK.......",
        "KNK......",
        "KNNK.....",
        "KNnNK....",
        "KNnnN....",
        "KNnnN....",
        "KNnnN....",
        "KNnnN....",
        "KNnYN....",
        "KNnnN....",
        "KNnnN....",
        "KNnnN....",
        "KNnnN....",
        "KNnnK....",
        "KNNK.....",
        "KKK......",
    ], 1, 0)
    img.line(5, 4, 5, 14, K)
    img.art([
        ".....K....",
        ".....KK...",
        ".....KEK..",
        "KKKKKKEEK.",
        "KEEEEEEEEK",
        "KEEEEEEEEK",
        "KKKKKKEEK.",
        ".....KEK..",
        ".....KK...",
        ".....K....",
    ], 6, 3)
    return img


def gear(cx, cy, teeth, r_body, r_tip, half, r_hole):
    parts = [circle(cx, cy, r_body)]
    for i in range(teeth):
        a = 2 * math.pi * i / teeth
        ux, uy = math.cos(a), math.sin(a)
        tx, ty = -uy, ux
        parts.append(polygon([(cx + ux * r_body * 0.8 + tx * half, cy + uy * r_body * 0.8 + ty * half),
                              (cx + ux * r_tip + tx * half, cy + uy * r_tip + ty * half),
                              (cx + ux * r_tip - tx * half, cy + uy * r_tip - ty * half),
                              (cx + ux * r_body * 0.8 - tx * half, cy + uy * r_body * 0.8 - ty * half)]))
    body = union(*parts)
    hole = circle(cx, cy, r_hole)
    return lambda x, y: body(x, y) and not hole(x, y)


@icon
def draw_options(s):
    img = Img(16, scale=s)
    if s > 1:
        img.shape(gear(8, 8, 8, 5.3, 7.3, 1.45, 2.1),
                  lambda x, y: "L" if x + y < 15.5 else ("g" if x + y > 22 else "G"))
        return img
    img.art([
        "................",
        "......KKKK......",
        "...KK.KLLK.KK...",
        "..KLLKKLLKKLGK..",
        "..KLLLLLLLLGGK..",
        "...KLLLKKLGGK...",
        ".KKKLLK..KGGKKK.",
        ".KLLLK....KGGGK.",
        ".KLLGK....KGGGK.",
        ".KKKGGK..KGGKKK.",
        "...KGGGKKGGGK...",
        "..KGGGGGGGGGgK..",
        "..KGGKKGGKKggK..",
        "...KK.KGgK.KK...",
        "......KKKK......",
        "................",
    ])
    return img


def grid_tiles(img, lines):
    img.rect(0, 0, 15, 15, "1")
    # Tile areas: the tiles meet at x/y = 5 and 10 (where the lines go).
    spans = [(1, 5), (6, 9), (10, 14)]
    for r, (y0, y1) in enumerate(spans):
        for c, (x0, x1) in enumerate(spans):
            img.rect(x0, y0, x1, y1, "1" if (r + c) % 2 == 0 else "3")
    img.frame(0, 0, 15, 15, K)
    if lines:
        for p in (5, 10):
            img.line(p, 0, p, 15, K)
            img.line(0, p, 15, p, K)


@icon
def draw_grid_off(s):
    img = Img(16, scale=s)
    grid_tiles(img, False)
    return img


@icon
def draw_grid_on(s):
    img = Img(16, scale=s)
    grid_tiles(img, True)
    return img


def magnifier(img):
    if img.s > 1:
        img.shape(stroke((10.9, 10.9), (14.4, 14.4), 1.7), "N")
        img.shape(circle(7, 7, 6), "b")
        img.shape(arc_band(7, 7, 3.4, 4.4, 195, 255), "W", None)
        return
    img.art([
        ".....KKKK.......",
        "...KKbbbbKK.....",
        "..KbWbbbbbbK....",
        "..KWbbbbbbbK....",
        ".KbWbbbbbbbbK...",
        ".KbbbbbbbbbbK...",
        ".KbbbbbbbbbbK...",
        ".KbbbbbbbbbbK...",
        "..KbbbbbbbbK....",
        "..KbbbbbbbbKK...",
        "...KKbbbbKKNNK..",
        ".....KKKKKNNNNK.",
        "..........KNNNNK",
        "...........KNNNK",
        "............KNK.",
    ], 0, 1)


@icon
def draw_zoom_in(s):
    img = Img(16, scale=s)
    magnifier(img)
    img.rect(4, 7, 9, 8, K)
    img.rect(6, 5, 7, 10, K)
    return img


@icon
def draw_zoom_out(s):
    img = Img(16, scale=s)
    magnifier(img)
    img.rect(4, 7, 9, 8, K)
    return img


@icon
def draw_jump(s):
    img = Img(16, scale=s)
    # The address list the jump lands in, with the target row marked.
    img.rect(7, 1, 15, 14, "W")
    img.frame(7, 1, 15, 14, K)
    for y in (3, 5, 10, 12):
        img.line(9, y, 13, y, "G")
    img.rect(8, 7, 14, 8, "Y")
    if s > 1:
        img.shape(union(box(0, 4, 6, 10), polygon([(4, 0.6), (10.4, 7), (4, 13.4)])), "B")
        return img
    img.art([
        "....K.....",
        "....KK....",
        "....KBK...",
        "KKKKKBBK..",
        "KBBBBBBBK.",
        "KBBBBBBBBK",
        "KBBBBBBBBK",
        "KBBBBBBBK.",
        "KKKKKBBK..",
        "....KBK...",
        "....KK....",
        "....K.....",
    ], 0, 1)
    return img


@icon
def draw_select(s):
    img = Img(16, scale=s)
    if s > 1:
        pointer = polygon([(3, -0.4), (14.4, 11), (9.8, 11), (12.2, 15.4), (10, 16.3), (7.5, 11.8),
                           (3.8, 15.4), (3, 15.4)])
        img.shape(pointer, "W")
        return img
    img.art([
        "...K............",
        "...KK...........",
        "...KWK..........",
        "...KWWK.........",
        "...KWWWK........",
        "...KWWWWK.......",
        "...KWWWWWK......",
        "...KWWWWWWK.....",
        "...KWWWWWWWK....",
        "...KWWWWWWWWK...",
        "...KWWWWWKKKKK..",
        "...KWWKWWK......",
        "...KWK.KWWK.....",
        "...KK..KWWK.....",
        "...K....KWWK....",
        ".........KK.....",
    ])
    return img


@icon
def draw_paint(s):
    img = Img(16, scale=s)
    pencil_shape(img, (0.6, 15.4), (14.2, 1.8), 2.3)
    return img


@icon
def draw_fill(s):
    img = Img(16, scale=s)
    # A bucket tipped over to the right; paint runs off its lip and drips.
    if s > 1:
        img.shape(arc_band(6.2, 6.2, 4.3, 5.3, 175, 272), K, None)
        side = polygon([(2, 5.6), (5.2, 1.8), (13.2, 9.8), (8.6, 12.9), (4, 12.9), (2, 9.6)])
        img.shape(side, lambda x, y: "L" if x + y < 11.5 or x < 4.6 else
                  ("g" if y > 10.2 and x > 7.6 else "G"))
        ux = uy = math.sqrt(0.5)

        def mouth(x, y):
            dx, dy = x - 9.3, y - 5.9
            along, across = dx * ux + dy * uy, -dx * uy + dy * ux
            return (along / 5.9) ** 2 + (across / 2.3) ** 2 <= 1

        img.shape(mouth, lambda x, y: "b" if x + 0.5 < 8.2 and y + 0.5 < 5.4 else "B")
        puddle = lambda x, y: ((x - 12.5) / 2.4) ** 2 + ((y - 14.6) / 1.4) ** 2 <= 1
        drip = union(stroke((12.5, 9.4), (12.5, 13.6), 1.5), puddle)
        img.shape(drip, "B", "d")
        return img
    img.art([
        "................",
        "...KKKKK........",
        "..K..KbBKK......",
        ".K...KbBBBK.....",
        ".K..KKBBBBBK....",
        ".K.KLKBBBBBBK...",
        "..KKLLKBBBBBK...",
        "..KLLLLKBBBBBK..",
        "..KLLLGGKBBBBK..",
        "..KLLGGGGKKBBBd.",
        "..KLGGGGggKdBBd.",
        "...KGGGgKK.dBd..",
        "....KKKK...dBd..",
        "...........dBd..",
        "..........dBBBd.",
        "...........ddd..",
    ])
    return img


def floppy12(img, ox, oy):
    img.art([
        "KKKKKKKKKKK.",
        "KBKLLLKKLKBK",
        "KBKLLLKKLKBK",
        "KBKLLLLLLKBK",
        "KBBKKKKKKBBK",
        "KBBBBBBBBBBK",
        "KBKKKKKKKKBK",
        "KBKWWWWWWKBK",
        "KBKWggggWKBK",
        "KBKWWWWWWKBK",
        "KBKWggggWKBK",
        "KKKKKKKKKKKK",
    ], ox, oy)


@icon
def draw_save(s):
    img = Img(16, scale=s)
    img.art([
        "KKKKKKKKKKKKKK..",
        "KBBKLLLLKKLKBBK.",
        "KBBKLLLLKKLKBBBK",
        "KBBKLLLLKKLKBBBK",
        "KBBKLLLLLLLKBBBK",
        "KBBBKKKKKKKBBBBK",
        "KBBBBBBBBBBBBBBK",
        "KBBBBBBBBBBBBBBK",
        "KBBKKKKKKKKKKBBK",
        "KBKWWWWWWWWWWKBK",
        "KBKWWWWWWWWWWKBK",
        "KBKWggggggggWKBK",
        "KBKWWWWWWWWWWKBK",
        "KBKWggggggggWKBK",
        "KBKWWWWWWWWWWKBK",
        "KKKKKKKKKKKKKKKK",
    ])
    return img


@icon
def draw_save_all(s):
    img = Img(16, scale=s)
    floppy12(img, 4, 0)
    floppy12(img, 0, 4)
    return img


def arrow_ring(img, cx, cy, arcs, colour="E", edge="e"):
    """Circular arrows turning clockwise: every arc (start, end) in degrees
    gets an arrow head at its end."""
    r0, r1 = 3.7, 7.4
    parts = []
    for a0, a1 in arcs:
        parts.append(arc_band(cx, cy, r0, r1, a0, a1))
        a = math.radians(a1)
        # Head: a triangle across the ring, pointing along the turning way;
        # it reaches further out than in so that it keeps off the middle.
        ux, uy = math.cos(a), math.sin(a)  # outward
        tx, ty = -uy, ux  # clockwise tangent on screen
        hi, ho, ln = r0 - 0.4, r1 + 2.6, 4.4
        mid = (hi + ho) / 2
        parts.append(polygon([
            (cx + ux * hi, cy + uy * hi),
            (cx + ux * ho, cy + uy * ho),
            (cx + ux * mid + tx * ln, cy + uy * mid + ty * ln),
        ]))
    img.shape(union(*parts), colour, edge)


@icon
def draw_reload_all(s):
    img = Img(16, scale=s)
    arrow_ring(img, 8, 8, [(195, 315), (15, 135)])
    # Four tiles in the middle.
    img.rect(6, 6, 9, 9, "1")
    img.rect(6, 6, 7, 7, "3")
    img.rect(8, 8, 9, 9, "3")
    img.frame(5, 5, 10, 10, K)
    return img


@icon
def draw_reload_one(s):
    img = Img(16, scale=s)
    arrow_ring(img, 8, 8, [(30, 315)])
    # One tile in the middle.
    img.rect(6, 6, 9, 9, "1")
    img.rect(7, 7, 8, 8, "3")
    img.frame(5, 5, 10, 10, K)
    return img


@icon
def draw_clear_one(s):
    img = Img(16, scale=s)
    # The tile being wiped: patterned, with a clean stripe where the eraser
    # has already passed.
    x0, y0, x1, y1 = 0, 6, 9, 15
    img.rect(x0, y0, x1, y1, "1")
    for x, y, ux, uy in img.pixels():
        if x0 + 1 <= ux < x1 and y0 + 1 <= uy < y1:
            if (int(ux) // 2 + int(uy) // 2) % 2:
                img.put(x, y, "3")
            if 5.5 <= uy - ux < 9.5 and ux + uy > 13.5:
                img.put(x, y, "W")
    img.frame(x0, y0, x1, y1, K)
    # Eraser at 45 degrees: blue sleeve up right, pink rubber touching down.
    top, length, width = (13.7, 2.3), 12.0, 4.6
    ux, uy = -math.sqrt(0.5), math.sqrt(0.5)  # along, toward the rubber end
    wx, wy = math.sqrt(0.5) * width / 2, math.sqrt(0.5) * width / 2
    tip = (top[0] + ux * length, top[1] + uy * length)
    body = polygon([
        (top[0] - wx, top[1] - wy), (top[0] + wx, top[1] + wy),
        (tip[0] + wx, tip[1] + wy), (tip[0] - wx, tip[1] - wy),
    ])

    def along(x, y):
        return (x - top[0]) * ux + (y - top[1]) * uy

    half = 0.5 / s
    img.shape(body, lambda x, y: "P" if along(x + half, y + half) > 7.0 else "B", K)
    for x, y, cx, cy in img.pixels():
        if img.get(x, y) == PAL["P"] and along(cx, cy) < 7.75:
            img.put(x, y, K)
    return img


@icon
def draw_clear_all(s):
    img = Img(16, scale=s)
    img.art([
        "................",
        "......KKKK......",
        ".KKKKKKKKKKKKKK.",
        ".KLLLLLLLLLLLLK.",
        ".KKKKKKKKKKKKKK.",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLgLggLgLGK..",
        "..KLLLLLLLLLGK..",
        "...KKKKKKKKKK...",
        "................",
    ])
    return img


def small_tile(img, ox, oy):
    """A 6x6 tile with a 2x2 pattern of two shades."""
    img.rect(ox, oy, ox + 5, oy + 5, "1")
    img.rect(ox + 1, oy + 1, ox + 2, oy + 2, "3")
    img.rect(ox + 3, oy + 3, ox + 4, oy + 4, "3")
    img.frame(ox, oy, ox + 5, oy + 5, K)


def bent_arrow(img):
    """From the right of the top-left tile, across and then down."""
    if img.s > 1:
        # Starts under the tile's right edge, which is drawn over it again.
        img.shape(union(box(5, 0, 14, 4), box(10, 0, 14, 5), polygon([(8.8, 4), (15.2, 4),
                                                                       (12, 8.2)])), "E")
        img.line(5, 0, 5, 5, K)
        return
    img.art([
        "KKKKKKK..",
        "EEEEEEEK.",
        "EEEEEEEK.",
        "KKKKKEEK.",
        "...KKEEKK",
        "...KEEEEK",
        "....KEEK.",
        ".....KK..",
    ], 6, 0)


@icon
def draw_copy_to_browser(s):
    img = Img(16, scale=s)
    small_tile(img, 0, 0)
    # Browser grid: 3x2 cells of 3 pixels, bottom right; middle top cell is
    # the target and already holds the copied tile's colour.
    x0, y0 = 3, 8
    for c in range(3):
        for r in range(2):
            x = x0 + 1 + c * 4
            y = y0 + 1 + r * 4
            img.rect(x, y, x + 2, y + 2, "W")
    img.rect(8, 9, 10, 11, "1")
    img.set(9, 10, "3")
    for i in range(4):
        img.line(x0 + i * 4, y0, x0 + i * 4, y0 + 8, K)
    for i in range(3):
        img.line(x0, y0 + i * 4, x0 + 12, y0 + i * 4, K)
    # Red frame around the target cell.
    img.frame(7, 8, 11, 12, "R")
    bent_arrow(img)
    return img


@icon
def draw_copy_to_address(s):
    img = Img(16, scale=s)
    small_tile(img, 0, 0)
    img.rect(0, 8, 15, 15, "W")
    img.frame(0, 8, 15, 15, K)
    img.art([
        ".K.K....K..KKK",
        "KKKKK..KK..K.K",
        ".K.K..K.K..K.K",
        "KKKKK.KKKK.K.K",
        ".K.K....K..KKK",
    ], 1, 10)
    bent_arrow(img)
    return img


@icon
def draw_help(s):
    img = Img(16, scale=s)
    img.shape(circle(8, 8, 7.9), "B", "d")
    if s > 1:
        mark = union(arc_band(8, 5.7, 1.05, 2.95, 180, 52), stroke((9.6, 7.7), (8, 9.1), 1.0),
                     box(7, 8.6, 9, 10), circle(8, 12, 1.1))
        img.shape(mark, "W", None)
        return img
    img.art([
        ".WWWW.",
        "WWWWWW",
        "WW..WW",
        "....WW",
        "...WWW",
        "..WWW.",
        "..WW..",
        "......",
        "..WW..",
        "..WW..",
    ], 5, 3)
    return img


def padlock_body(img):
    img.art([
        ".KKKKKKKKKKKKKK.",
        ".KYYYYYYYYYYYYK.",
        ".KYyyyyyyyyyyyK.",
        ".KYyyyyKKyyyyyK.",
        ".KYyyyyKKyyyyyK.",
        ".KYyyyyKKyyyyyK.",
        ".KYyyyyLLyyyyyK.",
        ".KYyyyyyyyyyyyK.",
        ".KKKKKKKKKKKKKK.",
    ], 0, 7)


def shackle(img, top, right_end):
    """The padlock's bow as a shape: a half ring from `top` down, its left leg into the
    body, its right one down to `right_end`."""
    cy = top + 5
    bow = union(arc_band(8, cy, 2, 5, 180, 360), box(3, cy, 6, 8.5), box(10, cy, 13, right_end))
    img.shape(bow, "G")


@icon
def draw_lock_closed(s):
    img = Img(16, scale=s)
    if s > 1:
        shackle(img, 1, 8.5)
    else:
        img.art([
            "................",
            ".....KKKKKK.....",
            "....KGGGGGGK....",
            "...KGKKKKKKGK...",
            "...KGK....KGK...",
            "...KGK....KGK...",
            "...KGK....KGK...",
        ])
    padlock_body(img)
    return img


@icon
def draw_lock_open(s):
    img = Img(16, scale=s)
    if s > 1:
        shackle(img, 0, 5.2)
    else:
        img.art([
            ".....KKKKKK.....",
            "....KGGGGGGK....",
            "...KGKKKKKKGK...",
            "...KGK....KGK...",
            "...KGK....KKK...",
            "...KGK..........",
            "...KGK..........",
        ])
    padlock_body(img)
    return img


def letter_f(s):
    img = Img(16, scale=s)
    img.art([
        "................",
        "...KKKKKKKKKK...",
        "...KBBBBBBBBK...",
        "...KBBBBBBBBK...",
        "...KBBKKKKKKK...",
        "...KBBK.........",
        "...KBBK.........",
        "...KBBKKKKKK....",
        "...KBBBBBBBK....",
        "...KBBBBBBBK....",
        "...KBBKKKKKK....",
        "...KBBK.........",
        "...KBBK.........",
        "...KBBK.........",
        "...KKKK.........",
        "................",
    ])
    return img


@icon
def draw_f_normal(s):
    return letter_f(s)


@icon
def draw_f_mirror_x(s):
    return letter_f(s).flipped_h()


@icon
def draw_f_mirror_y(s):
    return letter_f(s).flipped_v()


NONCOPIED_SHADES = {
    (0, 0): "1", (1, 0): "2", (2, 0): "3",
    (0, 1): "2", (1, 1): "3", (2, 1): "1",
    (0, 2): "3", (1, 2): "1", (2, 2): "2",
}


@icon
def draw_noncopied_show(s):
    img = Img(16, scale=s)
    tile_block(img, 0, 0, 3, 4, lambda c, r: NONCOPIED_SHADES[(c, r)])
    return img


@icon
def draw_noncopied_hide(s):
    img = Img(16, scale=s)
    hidden = {(1, 0), (0, 1), (2, 1), (1, 2)}
    tile_block(img, 0, 0, 3, 4, lambda c, r: "W" if (c, r) in hidden else NONCOPIED_SHADES[(c, r)])
    for c, r in hidden:
        x, y = 1 + c * 5, 1 + r * 5
        img.line(x, y, x + 3, y + 3, "R")
        img.line(x + 3, y, x, y + 3, "R")
    return img


# ---------------------------------------------------------------------------
# Program icon
# ---------------------------------------------------------------------------

# Four 8x8 tiles laid out 2x2, one base shade each, with a diamond motif in
# a contrasting shade.
DIAMOND = [
    "........",
    "...mm...",
    "..mmmm..",
    ".mmbbmm.",
    ".mmbbmm.",
    "..mmmm..",
    "...mm...",
    "........",
]
TILE_SHADES = [("1", "3"), ("2", "4"), ("3", "1"), ("4", "2")]  # TL, TR, BL, BR


def program_pixel(x, y):
    base, motif = TILE_SHADES[(y // 8) * 2 + x // 8]
    ch = DIAMOND[y % 8][x % 8]
    return motif if ch == "m" else base


def program_icon(size):
    img = Img(size)
    s = size / 16
    for y in range(size):
        for x in range(size):
            img.set(x, y, program_pixel(int(x / s), int(y / s)))
    border = max(1, round(size / 40))
    for i in range(border):
        img.frame(i, i, size - 1 - i, size - 1 - i, "4")
    # A pencil drawing on the block, its tip low in the bottom-left tile.
    half = 1.6 if size == 16 else size * 0.1
    pencil_shape(img, (size * 0.40, size * 0.94), (size * 0.97, size * 0.37), half, K, width=border)
    return img


def main():
    written = []
    for name, fn in ICONS.items():
        for scale, suffix in ((1, ""), (2, "@2x")):
            img = fn(scale)
            assert img.w == 16 * scale and img.h == 16 * scale, name
            img.save(name + suffix)
            written.append(name + suffix)
    for size in (16, 32, 48, 64, 128):
        img = program_icon(size)
        if size == 32:
            assert len(img.colours()) <= 16, len(img.colours())
        img.save("pelorin-%d" % size)
        written.append("pelorin-%d" % size)
    print("\n".join(n + ".png" for n in written))


if __name__ == "__main__":
    main()
