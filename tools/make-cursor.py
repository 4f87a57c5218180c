#!/usr/bin/env python3
"""Writes src/resources/Dropper.cur: a 32x32 monochrome colour-dropper cursor
whose hot spot is the tip of the pipette (bottom left). Run by hand when the
artwork changes; the result is committed."""
import math
import os
import struct

W = H = 32
HOT = (1, 30)


def inside_body(x, y):
    # A pipette from the tip (1,30) up to the bulb at (25,6), 3 pixels thick.
    ax, ay, bx, by = 1.5, 30.5, 22.0, 10.0
    t = max(0.0, min(1.0, ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / ((bx - ax) ** 2 + (by - ay) ** 2)))
    d = math.hypot(x - (ax + t * (bx - ax)), y - (ay + t * (by - ay)))
    return d <= 1.2 + 1.3 * t


def inside_bulb(x, y):
    return math.hypot(x - 24.5, y - 7.5) <= 5.5


def black(x, y):
    return inside_body(x + 0.5, y + 0.5) or inside_bulb(x + 0.5, y + 0.5)


def edge(x, y):
    return black(x, y) and not all(black(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))


rows_xor, rows_and = [], []
for y in range(H - 1, -1, -1):  # bottom-up rows
    xor = andm = 0
    for x in range(W):
        opaque = black(x, y)
        white_inside = opaque and not edge(x, y) and inside_bulb(x + 0.5, y + 0.5) is False and x > 4
        bit = 1 << (31 - x)
        if not opaque:
            andm |= bit  # transparent: screen shows through
        elif white_inside:
            xor |= bit   # the glass of the pipette shows white
    rows_xor.append(struct.pack(">I", xor))
    rows_and.append(struct.pack(">I", andm))

header = struct.pack("<IiiHHIIiiII", 40, W, H * 2, 1, 1, 0, 0, 0, 0, 2, 0)
palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
image = header + palette + b"".join(rows_xor) + b"".join(rows_and)
cur = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", W, H, 0, 0, HOT[0], HOT[1], len(image), 22) + image
out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources", "Dropper.cur")
with open(out, "wb") as f:
    f.write(cur)
