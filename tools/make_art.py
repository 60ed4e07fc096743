#!/usr/bin/env python3
"""Draws Quiltra's icons, cursor and bitmaps: python3 tools/make_art.py OUTDIR.

Everything is drawn from code so the build needs no binary art in the tree;
the output is byte-for-byte the same on every run.
"""
import math
import os
import struct
import sys


# ---------------------------------------------------------------- raster ---
# Shapes are turned into coverage maps {pixel index: 0..1} with analytic
# edge coverage, which gives the same smooth edges as supersampling at a
# fraction of the cost in pure Python.

class Canvas:
    def __init__(self, w, h, rgba=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = bytearray(bytes(rgba) * (w * h))

    def paint(self, cov, colour, alpha=1.0):
        """Composites colour (an RGB tuple or f(x, y) -> RGB) over the canvas."""
        px, w = self.px, self.w
        for i, c in cov.items():
            a = min(c, 1.0) * alpha
            if a <= 0.002:
                continue
            rgb = colour(i % w, i // w) if callable(colour) else colour
            o = i * 4
            below = px[o + 3] / 255.0 * (1.0 - a)
            out = a + below
            for k in range(3):
                px[o + k] = min(255, int((rgb[k] * a + px[o + k] * below) / out + 0.5))
            px[o + 3] = int(out * 255 + 0.5)

    def rgb(self, x, y):
        o = (y * self.w + x) * 4
        return self.px[o], self.px[o + 1], self.px[o + 2]


def polygon(pts, w, h, sub=5):
    """Coverage of a closed polygon (even-odd), sub sample rows per pixel."""
    cov = {}
    n = len(pts)
    edges = [(pts[k], pts[(k + 1) % n]) for k in range(n)]
    edges = [(a, b) for a, b in edges if a[1] != b[1]]
    top = max(0, int(min(p[1] for p in pts)))
    bottom = min(h - 1, int(max(p[1] for p in pts)))
    for y in range(top, bottom + 1):
        row = y * w
        for s in range(sub):
            sy = y + (s + 0.5) / sub
            xs = sorted(ax + (sy - ay) * (bx - ax) / (by - ay)
                        for (ax, ay), (bx, by) in edges if (ay <= sy) != (by <= sy))
            for a, b in zip(xs[0::2], xs[1::2]):
                a, b = max(a, 0.0), min(b, float(w))
                for x in range(int(a), min(int(b), w - 1) + 1):
                    part = min(b, x + 1) - max(a, x)
                    if part > 0:
                        cov[row + x] = cov.get(row + x, 0.0) + part / sub
    return cov


def stroke(lines, width, w, h, cov=None):
    """Coverage of polylines drawn with a round pen (union by maximum)."""
    cov = {} if cov is None else cov
    r = width / 2.0
    for line in lines:
        if len(line) == 1:
            line = [line[0], line[0]]
        for (x0, y0), (x1, y1) in zip(line, line[1:]):
            dx, dy = x1 - x0, y1 - y0
            l2 = dx * dx + dy * dy or 1e-9
            for y in range(max(0, int(min(y0, y1) - r - 1)), min(h, int(max(y0, y1) + r + 2))):
                py = y + 0.5
                for x in range(max(0, int(min(x0, x1) - r - 1)), min(w, int(max(x0, x1) + r + 2))):
                    px = x + 0.5
                    t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / l2))
                    c = min(1.0, width, r + 0.5 - math.hypot(px - x0 - t * dx, py - y0 - t * dy))
                    if c > 0 and c > cov.get(y * w + x, 0.0):
                        cov[y * w + x] = c
    return cov


def shifted(cov, dx, dy, w, h):
    out = {}
    for i, c in cov.items():
        x, y = i % w + dx, i // w + dy
        if 0 <= x < w and 0 <= y < h:
            out[y * w + x] = c
    return out


def blurred(cov, rad, w, h):
    """Two box-blur passes each way: a cheap stand-in for a gaussian."""
    xs = [i % w for i in cov]
    ys = [i // w for i in cov]
    x0, x1 = max(0, min(xs) - 2 * rad), min(w - 1, max(xs) + 2 * rad)
    y0, y1 = max(0, min(ys) - 2 * rad), min(h - 1, max(ys) + 2 * rad)
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    g = [[cov.get((y0 + j) * w + x0 + i, 0.0) for i in range(bw)] for j in range(bh)]

    def box(line):
        n, k = len(line), 2 * rad + 1
        return [sum(line[max(0, i - rad):i + rad + 1]) / k for i in range(n)]
    for _ in range(2):
        g = [box(r) for r in g]
        g = [list(c) for c in zip(*[box(list(col)) for col in zip(*g)])]
    return {(y0 + j) * w + x0 + i: g[j][i]
            for j in range(bh) for i in range(bw) if g[j][i] > 0.002}


def arc(cx, cy, rx, ry, a0, a1, steps=None):
    steps = steps or max(4, int(abs(a1 - a0) / 8))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / steps)))
            for k in range(steps + 1)]


def knob_edge(p, q, bulge, size, along=0.5, big=1.0):
    """Jigsaw edge from p to q (q excluded); bulge +1/-1 puts the knob on the
    left/right of the direction of travel, 0 keeps the edge straight."""
    if not bulge:
        return [p]
    (px, py), (qx, qy) = p, q
    length = math.hypot(qx - px, qy - py)
    ux, uy = (qx - px) / length, (qy - py) / length
    nx, ny = uy * bulge, -ux * bulge
    rx, ry, lift = 0.19 * size * big, 0.21 * size * big, 0.12 * size * big
    half = rx * math.sqrt(1.0 - (lift / ry) ** 2)
    th0 = math.atan2(-lift / ry, -half / rx) + 2 * math.pi
    th1 = math.atan2(-lift / ry, half / rx)
    pts = [p]
    for k in range(37):
        th = th0 + (th1 - th0) * k / 36
        u = length * along + rx * math.cos(th)
        v = lift + ry * math.sin(th)
        pts.append((px + ux * u + nx * v, py + uy * u + ny * v))
    return pts


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def blend(stops, at):
    """The colour at `at` along stops [(place, colour), ...], each place after the last."""
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if at < p1:
            return mix(c0, c1, max(0.0, (at - p0) / float(p1 - p0)))
    return stops[-1][1]


def hash01(*key):
    v = 2166136261
    for k in key:
        v = ((v ^ (k & 0xFFFFFFFF)) * 16777619) & 0xFFFFFFFF
        v ^= v >> 13
    return ((v * 2654435761) & 0xFFFFFFFF) / 4294967296.0


# ---------------------------------------------------------------- writers ---

def bmp_file(w, h, bits, palette, rows):
    """rows: packed pixel rows, top row first; written bottom-up and padded."""
    stride = (w * bits + 31) // 32 * 4
    data = b"".join(r.ljust(stride, b"\0") for r in reversed(rows))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(data), 2835, 2835,
                       len(palette), 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pal) + len(data), 0, 0,
                       14 + len(info) + len(pal))
    return head + info + pal + data


def mask_rows(w, h, transparent):
    stride = (w + 31) // 32 * 4
    rows = []
    for y in range(h):
        bits = bytearray(stride)
        for x in range(w):
            if transparent(x, y):
                bits[x >> 3] |= 0x80 >> (x & 7)
        rows.append(bytes(bits))
    return b"".join(reversed(rows))


def dib_32(c):
    """BMP-in-ICO image: BGRA colour rows plus the AND mask older Windows reads."""
    rows = []
    for y in reversed(range(c.h)):
        for x in range(c.w):
            o = (y * c.w + x) * 4
            r, g, b, a = c.px[o:o + 4]
            rows.append(bytes((b, g, r, a)) if a else b"\0\0\0\0")
    xor = b"".join(rows)
    andm = mask_rows(c.w, c.h, lambda x, y: c.px[(y * c.w + x) * 4 + 3] == 0)
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(andm),
                       0, 0, 0, 0)
    return info + xor + andm


def icon_file(kind, images):
    """images: (width, height, colours, field1, field2, dib) per directory entry;
    for icons the fields are planes and bit count, for cursors the hot spot."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for w, h, colours, f1, f2, dib in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, colours, 0, f1, f2, len(dib), offset)
        offset += len(dib)
        body += dib
    return out + body


# ----------------------------------------------------------------- icons ---

def piece_outline(x0, y0, x1, y1, sides, big=1.2):
    """A piece's outline clockwise from the top-left; sides gives for top,
    right, bottom and left +1 for a knob, -1 for a socket, 0 for flat."""
    size = min(x1 - x0, y1 - y0)
    corners = [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
    pts = []
    for k in range(4):
        # Going clockwise on screen the outside is on the left of travel.
        pts += knob_edge(corners[k], corners[(k + 1) % 4], sides[k], size, 0.5, big)
    return pts


def closed(pts):
    return [pts + pts[:1]]


def rotated(pts, deg, cx, cy):
    ca, sa = math.cos(math.radians(deg)), math.sin(math.radians(deg))
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in pts]


def warm(top, span):
    return lambda x, y: mix((255, 200, 90), (212, 66, 22), max(0.0, min(1.0, (x + y - top) / span)))


# Each icon size gets its own coordinates, on half pixels, so that the
# outlines land on whole pixels instead of smearing over two.
def program_icon(n):
    c = Canvas(n, n)
    if n == 32:
        body, pen = piece_outline(3.5, 10.5, 22.5, 29.5, (1, 1, 0, -1)), 1.4
        c.paint(polygon([(x + 1, y + 1) for x, y in body], n, n), (60, 30, 10), 0.3)
    else:
        body, pen = piece_outline(1.5, 5.5, 11.5, 15.5, (1, 1, 0, -1)), 1.0
    c.paint(polygon(body, n, n), warm(n * 0.3, n * 1.3))
    c.paint(stroke(closed(body), pen, n, n), (110, 34, 8))
    glint = [arc(13, 8, 2.6, 3.0, 195, 265)] if n == 32 else [[(5.5, 3.5)]]
    c.paint(stroke(glint, 1.5 if n == 32 else 1.0, n, n), (255, 248, 220), 0.9 if n == 32 else 0.6)
    return c


def box_icon(n):
    c = Canvas(n, n)
    if n == 32:
        piece = piece_outline(8.5, 7.5, 19.5, 18.5, (1, 1, 0, -1), 1.1)
    else:
        piece = piece_outline(3.5, 3.5, 10.5, 10.5, (1, 1, 0, 0), 1.3)

    def S(pts):
        return pts if n == 32 else [(int(x / 2) + 0.5, int(y / 2) + 0.5) for x, y in pts]
    inside = S([(2.5, 17.5), (9.5, 12.5), (29.5, 12.5), (22.5, 17.5)])
    front = S([(2.5, 17.5), (22.5, 17.5), (22.5, 30.5), (2.5, 30.5)])
    side = S([(22.5, 17.5), (29.5, 12.5), (29.5, 25.5), (22.5, 30.5)])
    dark = (70, 38, 14)
    c.paint(polygon(inside, n, n), (92, 52, 22))
    piece = rotated(piece, -14, n * 0.45, n * 0.4)
    c.paint(polygon(piece, n, n), warm(n * 0.3, n * 0.8))
    c.paint(stroke(closed(piece), 1.0, n, n), (110, 34, 8))
    c.paint(polygon(front, n, n), lambda x, y: mix((240, 186, 116), (208, 146, 82), y / float(n)))
    c.paint(polygon(side, n, n), (170, 112, 58))
    c.paint(stroke(closed(front) + closed(side) + closed(inside), 1.0, n, n), dark)
    return c


# ---------------------------------------------------------------- cursor ---

# The open hand, 32 x 32 (rows below the wrist are clear): '#' black,
# '-' white, '.' see-through. The hot spot sits in the middle finger.
HAND = """
................................
...............##...............
..............#--#..##..........
.........##..#----##--#.........
........#--#.#----#----#........
.......#----##----#----#........
.......#----##----#----#.###....
.......#----##----#----##---#...
........#----#----#----##---#...
........#----#----#----##---#...
........#----#----#----##---#...
........#----#----#----#---#....
........#----#----#----#---#....
...##...#------------------#....
..#--#..#------------------#....
..#---#.#------------------#....
..#----##------------------#....
...#----#------------------#....
...#-----------------------#....
....#---------------------#.....
.....#--------------------#.....
......#-------------------#.....
.......#-----------------#......
........#----------------#......
.........#---------------#......
.........#---------------#......
.........#---------------#......
.........#---------------#......
..........###############.......
"""


# The hand at 32, 48 and 64 pixels, so that a high-DPI screen gets a sharp one: each larger
# pixel takes the design pixel under its centre.
def cursor_image(rows, n, hot):
    big = ["".join(rows[(2 * y + 1) * 32 // (2 * n)][(2 * x + 1) * 32 // (2 * n)] for x in range(n))
           for y in range(n)]
    stride = (n + 31) // 32 * 4
    xor = b"".join(int(r.replace("-", "1").replace("#", "0").replace(".", "0"), 2)
                   .to_bytes(n // 8, "big").ljust(stride, b"\0") for r in reversed(big))
    andm = mask_rows(n, n, lambda x, y: big[y][x] == ".")
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 1, 0, len(xor) + len(andm), 0, 0, 2, 0)
    pal = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return (n, n, 2, hot[0] * n // 32, hot[1] * n // 32, info + pal + xor + andm)


def cursor_file(art, hot):
    rows = art.split()
    rows += ["." * 32] * (32 - len(rows))
    return icon_file(2, [cursor_image(rows, n, hot) for n in (32, 48, 64)])


# --------------------------------------------------------------- toolbar ---

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
INK = {ch: i for i, ch in enumerate("krgontp.dRGyBmcw")}

# New, Open, Save | Enlarge, Reduce, Box; '.' is the button face.
BUTTONS = ["""
................ ................ ................
..kkkkkkkk...... ................ .kkkkkkkkkkkkkk.
..kwwwwwwkk..... ................ .knwwwwwwwwwwnk.
..kwwwwwwkwk.... .kkkk........... .knwddddddddwnk.
..kwwwwwwkwwk... kywwyk.......... .knwwwwwwwwwwnk.
..kwwwwwwkkkkk.. kwyyyykkkkkkk... .knwddddddddwnk.
..kwwwwwwwwwwk.. kwyoooooooooyk.. .knwwwwwwwwwwnk.
..kwwwwwwwwwwk.. kwyookkkkkkkkkkk .knnnnnnnnnnnnk.
..kwwwwwwwwwwk.. kwyokyyyyyyyyyk. .knnnnnnnnnnnnk.
..kwwwwwwwwwwk.. kwykyyyyyyyyyk.. .knnnwwwwwwwnnk.
..kwwwwwwwwwwk.. kwkyyyyyyyyyk... .knnnw..nn.dnnk.
..kwwwwwwwwwwk.. kkyyyyyyyyyk.... .knnnw..nn.dnnk.
..kwwwwwwwwwwk.. kkkkkkkkkkk..... .knnnw..nn.dnnk.
..kkkkkkkkkkkk.. ................ .kkkkkkkkkkkkkk.
................ ................ ................
""", """
....kkkkk....... ....kkkkk....... .......kkk......
..kkwwwwwkk..... ..kkwwwwwkk..... ......kRyRk.....
..kwwwwwwwk..... ..kwwwwwwwk..... ....kkkRRRkkk...
.kwwwwkwwwwk.... .kwwwwwwwwwk.... ....kRRRRRRRk...
.kwwwwkwwwwk.... .kwwwwwwwwwk.... ...kkRRRRRRRkkk.
.kwwkkkkkwwk.... .kwwkkkkkwwk.... ..kokRRRRRRRkkk.
.kwwwwkwwwwk.... .kwwwwwwwwwk.... .kookRRRRRRRkok.
.kwwwwkwwwwk.... .kwwwwwwwwwk.... kkkkkkkkkkkkook.
..kwwwwwwwk..... ..kwwwwwwwk..... kyyyyyyyyyykook.
..kkwwwwwkkk.... ..kkwwwwwkkk.... kyyyyyyyyyykook.
....kkkkkkkkk... ....kkkkkkkkk... kyyyyyyyyyykook.
..........kkkk.. ..........kkkk.. kyyyyyyyyyykook.
...........kkkk. ...........kkkk. kyyyyyyyyyykok..
............kkkk ............kkkk kyyyyyyyyyykk...
.............kk. .............kk. kkkkkkkkkkkk....
"""]


# For high-DPI screens the strip is drawn again at 150 and 200 %: every pixel of the larger
# strip takes the colour of the design pixel under its centre, so edges stay hard where a
# stretch by the system would blur them.
def toolbar_bmp(percent=100):
    grid = [[] for _ in range(15)]
    for block in BUTTONS:
        lines = block.strip("\n").split("\n")
        for y, line in enumerate(lines):
            grid[y] += [INK[ch] for ch in line.replace(" ", "")]
    assert all(len(r) == 96 for r in grid)
    w, h = 96 * percent // 100, (15 * percent + 50) // 100
    scaled = [[grid[(2 * y + 1) * 15 // (2 * h)][(2 * x + 1) * 96 // (2 * w)] for x in range(w)]
              for y in range(h)]
    rows = [bytes((r[x] << 4) | r[x + 1] for x in range(0, w, 2)) for r in scaled]
    return bmp_file(w, h, 4, VGA, rows)


# ----------------------------------------------------------- start picture ---
# A round-pen alphabet with just the letters the start picture needs; units
# put the baseline at 0, x-height at 7 and capitals at 10, y pointing up.

GLYPHS = {
    "Q": (8.4, [arc(4.2, 5, 4.2, 5, 0, 360, 48), [(5.0, 2.2), (8.6, -1.2)]]),
    "u": (4.8, [[(0, 7)] + arc(2.4, 2.6, 2.4, 2.6, 180, 360), [(4.8, 7), (4.8, 0)]]),
    "i": (0.0, [[(0, 0), (0, 7)], [(0, 9.7)]]),
    "l": (1.4, [[(0, 10.6)] + arc(1.6, 1.6, 1.6, 1.6, 180, 270)]),
    "t": (3.8, [[(1.2, 10)] + arc(3.0, 1.8, 1.8, 1.8, 180, 280), [(0, 7), (3.8, 7)]]),
    "r": (3.2, [[(0, 0), (0, 7)], arc(3.3, 3.6, 3.3, 3.3, 180, 95)]),
    "a": (5.8, [arc(2.9, 3.5, 2.9, 3.5, 0, 360, 40), [(5.8, 7), (5.8, 0)]]),
    "J": (3.8, [[(3.8, 10)] + arc(1.9, 2.6, 1.9, 2.6, 0, -180)]),
    "g": (5.8, [arc(2.9, 3.5, 2.9, 3.5, 0, 360, 40), [(5.8, 7)] + arc(2.9, -0.6, 2.9, 2.4, 0, -160)]),
    "s": (4.6, [arc(2.3, 5.25, 2.3, 1.75, 25, 270) + arc(2.3, 1.75, 2.3, 1.75, 90, -155)]),
    "w": (6.8, [[(0, 7), (1.7, 0), (3.4, 5.4), (5.1, 0), (6.8, 7)]]),
    "P": (5.4, [[(0, 0), (0, 10), (2.8, 10)] + arc(2.8, 7.6, 2.6, 2.4, 90, -90) + [(0, 5.2)]]),
    "z": (4.8, [[(0, 7), (4.8, 7), (0, 0), (4.8, 0)]]),
    "e": (5.6, [[(0, 3.5)] + arc(2.8, 3.5, 2.8, 3.5, 0, 318)]),
    " ": (2.6, []),
}


def text_lines(text, cx, base, unit, gap):
    """Polylines in pixels for text centred on cx with its baseline at base."""
    width = sum(GLYPHS[ch][0] for ch in text) + gap * (len(text) - 1)
    x = cx / unit - width / 2.0
    lines = []
    for ch in text:
        adv, strokes = GLYPHS[ch]
        lines += [[((x + u) * unit, base - v * unit) for u, v in s] for s in strokes]
        x += adv + gap
    return lines


W, H = 497, 291
COLS, ROWS = 7, 4
SUN = (420, 150)
# A sunset: blue overhead through lilac to peach at the horizon, because a
# straight blue-to-orange blend turns grey half way.
SKY = [(0, (58, 108, 192)), (80, (128, 172, 226)), (125, (204, 196, 228)),
       (160, (252, 206, 180)), (195, (255, 190, 130))]


def sky(x, y):
    base = blend(SKY, y)
    d = math.hypot(x - SUN[0], y - SUN[1])
    return mix(base, (255, 238, 196), 0.7 * math.exp(-d / 45.0))


def ridge(x, base, a, f, ph):
    return base + a * math.sin(x / f + ph) + 0.45 * a * math.sin(x / (f * 0.43) + 2 * ph)


FIELDS = [(132, 176, 72), (166, 196, 84), (104, 154, 70), (206, 196, 104), (150, 170, 66),
          (222, 204, 120), (118, 166, 94), (186, 198, 96)]


def hills(c, layer, base, amp, freq, phase, haze):
    tops = [ridge(x, base, amp, freq, phase) for x in range(W + 1)]
    band, field = 9.0 + 4 * layer, 34.0 + 12 * layer

    def colour(x, y):
        depth = y + 0.5 - tops[x]
        v = depth / band
        u = (x + 0.55 * depth) / field + hash01(layer, int(v)) * 3.0
        col = FIELDS[int(hash01(layer, int(v), int(u)) * len(FIELDS))]
        if hash01(int(u), int(v), 7) < 0.3:
            col = mix(col, (90, 120, 50), 0.12 * (1 + math.sin(x * 0.9 + depth * 1.3)))
        edge = min(abs(v - round(v)) * band, abs(u - round(u)) * field)
        col = mix(col, (70, 104, 52), max(0.0, 1.0 - edge / (0.7 + 0.25 * layer)) * 0.8)
        return mix(col, sky(x, 150), haze)
    outline = [(x, tops[x]) for x in range(W + 1)] + [(W, H), (0, H)]
    c.paint(polygon(outline, W, H, 3), colour)
    return tops


def trees(c, tops, xs, size):
    for x in xs:
        y = tops[x] + 1.5
        c.paint(stroke([[(x + 0.5, y), (x + 0.5, y - size)]], 1.3, W, H), (92, 62, 36))
        crown = arc(x + 0.5, y - size * 1.5, size * 0.75, size, 0, 360, 24)
        c.paint(polygon(crown, W, H), lambda px, py: mix((78, 130, 56), (36, 80, 36),
                                                         (px - x + size) / (2.2 * size)))


def cut_edges():
    """The shared cut lines: corner points with a little wobble, one knob per
    inner edge. Returns (horizontal, vertical) edge point lists."""
    cw, ch = W / COLS, H / ROWS
    corner = [[(i * cw + ((hash01(i, j, 1) - 0.5) * 8 if 0 < i < COLS else 0),
                j * ch + ((hash01(i, j, 2) - 0.5) * 8 if 0 < j < ROWS else 0))
               for j in range(ROWS + 1)] for i in range(COLS + 1)]
    size = min(cw, ch)

    def edge(p, q, inner, i, j, k):
        if not inner:
            return [p, q]
        bulge = 1 if hash01(i, j, k) < 0.5 else -1
        return knob_edge(p, q, bulge, size, 0.42 + 0.16 * hash01(i, j, k + 5)) + [q]
    hor = [[edge(corner[i][j], corner[i + 1][j], 0 < j < ROWS, i, j, 3)
            for j in range(ROWS + 1)] for i in range(COLS)]
    ver = [[edge(corner[i][j], corner[i][j + 1], 0 < i < COLS, i, j, 4)
            for j in range(ROWS)] for i in range(COLS + 1)]
    return hor, ver


def piece_shape(hor, ver, i, j):
    return hor[i][j] + ver[i + 1][j] + hor[i][j + 1][::-1] + ver[i][j][::-1]


def groove(c, lines):
    """A cut drawn as a dark line with a lit lower edge, so it reads as a gap."""
    lit = [[(x + 0.9, y + 0.9) for x, y in line] for line in lines]
    c.paint(stroke(lit, 1.0, W, H), (255, 250, 235), 0.45)
    c.paint(stroke(lines, 1.1, W, H), (46, 34, 24), 0.6)


def landscape(c):
    c.paint({i: 1.0 for i in range(W * H)}, sky)
    for cx, cy, sc in ((70, 46, 1.0), (196, 28, 0.7), (300, 60, 0.8), (452, 34, 0.6)):
        puffs = {}
        for k in range(5):
            ex, ey = cx + (k - 2) * 15 * sc, cy + (6 - abs(k - 2) * 4) * sc * -0.6
            r = (18 - abs(k - 2) * 4) * sc
            for i, v in polygon(arc(ex, ey, r * 1.3, r * 0.75, 0, 360, 32), W, H).items():
                puffs[i] = max(puffs.get(i, 0.0), v)
        c.paint(blurred(puffs, 1, W, H), (255, 250, 244), 0.8)
    c.paint(polygon(arc(SUN[0], SUN[1], 14, 14, 0, 360, 48), W, H), (255, 253, 236))
    mountains = [(x, ridge(x, 168, 14, 38, 0.6) - 18 * math.exp(-((x - 120) / 60.0) ** 2))
                 for x in range(W + 1)] + [(W, H), (0, H)]
    c.paint(polygon(mountains, W, H, 3), lambda x, y: mix((126, 138, 186), (196, 190, 200), (y - 140) / 60.0))
    hills(c, 0, 186, 9, 60, 1.0, 0.35)
    back = hills(c, 1, 212, 14, 85, 2.6, 0.15)
    trees(c, back, (58, 66, 300, 309, 318), 4)
    front = hills(c, 2, 252, 13, 70, 0.3, 0.0)
    trees(c, front, (150, 432, 444), 6)
    for y in range(H):
        for x in range(W):
            v = 1.0 - 0.22 * (((x - W / 2.0) / (W / 2.0)) ** 2 + ((y - H / 2.0) / (H / 2.0)) ** 2) ** 1.5
            o = (y * W + x) * 4
            c.px[o:o + 3] = bytes(int(ch * v) for ch in c.px[o:o + 3])


def cut_up(c):
    """Cuts the picture into pieces and lifts two of them out of their holes."""
    scene = Canvas(W, H)
    scene.px[:] = c.px
    hor, ver = cut_edges()
    groove(c, [e for col in hor for e in col[1:-1]] + [e for col in ver[1:-1] for e in col])
    for (i, j), (dx, dy) in (((1, 2), (-6, -9)), ((5, 3), (-62, -22))):
        shape = piece_shape(hor, ver, i, j)
        hole = polygon(shape, W, H)
        c.paint(hole, (88, 86, 92))
        rim = polygon([(x + 3, y + 3) for x, y in shape], W, H)
        c.paint({k: v * (1 - rim.get(k, 0.0)) for k, v in hole.items()}, (20, 18, 24), 0.55)
        moved = [(x + dx, y + dy) for x, y in shape]
        shadow = polygon([(x + 5, y + 7) for x, y in moved], W, H)
        c.paint(blurred(shadow, 2, W, H), (10, 10, 20), 0.45)
        c.paint(polygon(moved, W, H), lambda x, y: scene.rgb(x - dx, y - dy))
        groove(c, closed(moved))


def lettering(c):
    title = text_lines("Quiltra", W / 2.0, 104, 6.2, 3.3)
    sub = text_lines("Jigsaw Puzzle", W / 2.0, 140, 1.9, 2.6)
    halo = stroke(title, 19.5, W, H)
    stroke(sub, 7.0, W, H, halo)
    c.paint(blurred(shifted(halo, 3, 4, W, H), 2, W, H), (20, 20, 40), 0.4)
    c.paint(halo, (84, 38, 22))
    c.paint(stroke(title, 12.0, W, H),
            lambda x, y: mix((255, 250, 226), (255, 176, 64), max(0.0, min(1.0, (y - 44) / 60.0))))
    c.paint(stroke(sub, 3.2, W, H), (255, 250, 236))


def start_bmp():
    c = Canvas(W, H, (0, 0, 0, 255))
    landscape(c)
    cut_up(c)
    lettering(c)
    rows = [bytes(b for x in range(W) for b in c.rgb(x, y)[::-1]) for y in range(H)]
    return bmp_file(W, H, 24, [], rows)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_art.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "quiltra.ico": icon_file(1, [(n, n, 0, 1, 32, dib_32(program_icon(n))) for n in (32, 16)]),
        "box.ico": icon_file(1, [(n, n, 0, 1, 32, dib_32(box_icon(n))) for n in (32, 16)]),
        "hand.cur": cursor_file(HAND, (16, 9)),
        "toolbar.bmp": toolbar_bmp(),
        "toolbar150.bmp": toolbar_bmp(150),
        "toolbar200.bmp": toolbar_bmp(200),
        "start.bmp": start_bmp(),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
