#!/usr/bin/env python3
"""Draws the picture the demo plays: python3 tools/make_demo_picture.py OUT.bmp

Balloons over a sunset, hills and a patchwork of fields, 640 x 480. Every part of it
has colour, so every piece the demo cuts shows something on the screenshots. Drawn
with the program's own art helpers; the output is the same on every run.
"""
import math
import sys

from make_art import Canvas, arc, blend, blurred, bmp_file, hash01, mix, polygon, stroke

W, H = 640, 480
SUN = (452, 262)
# Indigo overhead through violet and rose to gold at the horizon: never near white.
SKY = [(0, (34, 40, 120)), (100, (104, 58, 168)), (185, (214, 84, 146)),
       (250, (252, 142, 76)), (300, (255, 196, 84))]
RAINBOW = [(214, 40, 52), (246, 132, 30), (250, 206, 40), (60, 168, 80), (40, 110, 200),
           (120, 64, 170)]
FIELDS = [(92, 170, 60), (222, 196, 40), (200, 60, 50), (140, 100, 190), (236, 138, 40),
          (60, 140, 96), (178, 204, 70), (214, 90, 140)]
# (centre x, centre y, radius, first stripe): big ones low and apart, so that more than
# one row and column of pieces holds a balloon.
BALLOONS = [(128, 118, 52, 0), (318, 62, 30, 2), (548, 150, 42, 4)]


def sky(x, y):
    base = blend(SKY, y)
    glow = math.exp(-math.hypot(x - SUN[0], y - SUN[1]) / 70.0)
    return mix(base, (255, 226, 150), 0.8 * glow)


def depth(y, top, span):
    """How far down a hill's colour blend the row lies, 0 to 1."""
    return min(1.0, max(0.0, (y - top) / float(span)))


def ridge(base, amp, freq, phase):
    return [(x, base + amp * math.sin(x / freq + phase) + 0.4 * amp * math.sin(x / (freq * 0.37)))
            for x in range(W + 1)] + [(W, H), (0, H)]


def fields(x, y):
    """Bands that widen towards the viewer, each cut into slanted patches of one crop."""
    near = depth(y, 296, 184)
    band = int(6 * near ** 0.8 + 0.5 * math.sin(x / 90.0))
    slant = (x - W / 2) * (0.4 + near)
    patch = int((x + slant) / (90 + 80 * near) + hash01(band, 3) * 4)
    colour = FIELDS[int(hash01(band, patch) * len(FIELDS))]
    rows = math.sin((x + slant * 0.5) * (0.35 - 0.2 * near))
    return mix(colour, (40, 70, 30), 0.12 * (1 + rows))


def balloon(c, cx, cy, r, first):
    # Over the top from the lower right to the lower left, then in to the neck.
    envelope = arc(cx, cy, r, r * 1.08, 30, -210, 96)
    envelope += [(cx - r * 0.28, cy + r * 1.45), (cx + r * 0.28, cy + r * 1.45)]

    def stripes(x, y):
        k = int((x - cx) / (r * 2.0 / len(RAINBOW)) + len(RAINBOW) / 2.0 + first) % len(RAINBOW)
        shade = 1.0 - 0.35 * ((x - cx) / r) ** 2
        return tuple(v * shade for v in RAINBOW[k])
    c.paint(polygon(envelope, W, H), stripes)
    basket_top = cy + r * 1.6
    ropes = [[(cx - r * 0.28, cy + r * 1.45), (cx - r * 0.18, basket_top)],
             [(cx + r * 0.28, cy + r * 1.45), (cx + r * 0.18, basket_top)]]
    c.paint(stroke(ropes, 1.2, W, H), (60, 40, 30))
    basket = [(cx - r * 0.2, basket_top), (cx + r * 0.2, basket_top),
              (cx + r * 0.16, basket_top + r * 0.3), (cx - r * 0.16, basket_top + r * 0.3)]
    c.paint(polygon(basket, W, H), (130, 80, 40))


def flowers(c):
    for k in range(260):
        x = hash01(k, 1) * W
        y = 380 + hash01(k, 2) ** 0.7 * 100
        size = 1.5 + 3.5 * (y - 380) / 100.0
        c.paint(polygon(arc(x, y, size, size, 0, 360, 12), W, H),
                [(255, 240, 90), (250, 250, 250), (230, 40, 60), (90, 60, 220)][k % 4])


def picture():
    c = Canvas(W, H, (0, 0, 0, 255))
    c.paint({i: 1.0 for i in range(W * H)}, sky)
    c.paint(polygon(arc(SUN[0], SUN[1], 34, 34, 0, 360, 64), W, H), (255, 240, 170))
    for cx, cy, sc in ((230, 180, 1.0), (600, 60, 0.8), (40, 30, 0.7)):
        puffs = {}
        for k in range(5):
            ex = cx + (k - 2) * 20 * sc
            r = (22 - abs(k - 2) * 5) * sc
            for i, v in polygon(arc(ex, cy - r * 0.4, r * 1.3, r * 0.7, 0, 360, 32), W, H).items():
                puffs[i] = max(puffs.get(i, 0.0), v)
        c.paint(blurred(puffs, 1, W, H), (255, 196, 210), 0.75)
    c.paint(polygon(ridge(262, 16, 55, 0.8), W, H, 3),
            lambda x, y: mix((112, 74, 170), (70, 54, 130), depth(y, 240, 60)))
    c.paint(polygon(ridge(290, 10, 80, 2.2), W, H, 3),
            lambda x, y: mix((40, 128, 130), (30, 96, 90), depth(y, 280, 30)))
    c.paint(polygon(ridge(306, 5, 120, 0.4), W, H, 3), fields)
    flowers(c)
    for cx, cy, r, first in BALLOONS:
        balloon(c, cx, cy, r, first)
    rows = [bytes(b for x in range(W) for b in c.rgb(x, y)[::-1]) for y in range(H)]
    return bmp_file(W, H, 24, [], rows)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_demo_picture.py OUT.bmp")
    with open(sys.argv[1], "wb") as f:
        f.write(picture())


if __name__ == "__main__":
    main()
