#!/usr/bin/env python3
"""Draws the program's 40 menu images and writes them as horizontal strips into
src/resources/: MenuImages16.bmp (16 x 16 each, 96 dpi), MenuImages20.bmp (20 x 20,
120 dpi), MenuImages24.bmp (24 x 24, 144 dpi) and MenuImages32.bmp (32 x 32,
192 dpi). The strips are 24-bit uncompressed bottom-up BMPs in which fuchsia,
RGB(255,0,255), marks the empty pixels.

Every image is described once, on a 16 x 16 design grid, and rendered at each
size from those shapes: edges snap to the pixel grid of that size and strokes
get a whole number of pixels, so the small images stay crisp. Shapes are
sampled 4 x 4 per pixel; a pixel is either empty (under half covered) or takes
the one colour that covers most of it, so every pixel is a palette colour and
nothing blends with the colour key.

Run by hand when the artwork changes (python3 tools/make-menu-images.py); the
results are committed. Python 3 standard library only."""
import math
import os
import struct

SIZES = ((16, 96), (20, 120), (24, 144), (32, 192))
SUB = 4                 # samples per pixel along each axis
KEY = (255, 0, 255)     # the colour key: empty pixels

# The palette: one ink for outlines and glyphs, neutral greys, and an accent
# family each of blue, green, red and amber.
INK = (0x37, 0x41, 0x4B)
GREY = (0x85, 0x92, 0x9F)
LIGHT = (0xD6, 0xDD, 0xE4)
WHITE = (0xFF, 0xFF, 0xFF)
BLUE = (0x2B, 0x7B, 0xD6)
BLUE_D = (0x1A, 0x4F, 0x96)
BLUE_L = (0xA9, 0xD3, 0xF8)
GLARE = (0x4C, 0x93, 0xE2)   # a reflection on a blue screen
GREEN = (0x2E, 0x9E, 0x44)
RED = (0xD9, 0x36, 0x3E)
AMBER = (0xF4, 0xB4, 0x3A)
AMBER_D = (0xA8, 0x6C, 0x0E)
AMBER_L = (0xFF, 0xD9, 0x7A)


class Canvas:
    """One image at one size. Coordinates are in design units (16 per image);
    integers are pixel edges of the 16-pixel image, halves are its pixel centres."""

    def __init__(self, n):
        self.n = n
        self.s = n / 16.0
        self.m = n * SUB
        self.buf = [None] * (self.m * self.m)
        self.clip = None

    # -- grid helpers -----------------------------------------------------
    def px(self, w):
        """A stroke width in design units as a whole number of pixels."""
        return max(1, int(math.floor(w * self.s + 0.3)))

    def snap(self, v, wpx=0):
        """A coordinate in pixels: on an edge for even widths, on a centre for odd."""
        return math.floor(v * self.s - wpx / 2.0 + 0.5) + wpx / 2.0

    def edge(self, v):
        return int(math.floor(v * self.s + 0.5))

    # -- painting ---------------------------------------------------------
    def _paint(self, x0, y0, x1, y1, test, col):
        """Sets the samples inside the pixel box (x0,y0)-(x1,y1) for which test(x, y) holds."""
        if self.clip:
            cx0, cy0, cx1, cy1 = self.clip
            x0, y0, x1, y1 = max(x0, cx0), max(y0, cy0), min(x1, cx1), min(y1, cy1)
        m = self.m
        i0, i1 = max(0, int(math.floor(x0 * SUB))), min(m, int(math.ceil(x1 * SUB)))
        j0, j1 = max(0, int(math.floor(y0 * SUB))), min(m, int(math.ceil(y1 * SUB)))
        buf = self.buf
        for j in range(j0, j1):
            y = (j + 0.5) / SUB
            row = j * m
            for i in range(i0, i1):
                if test is None or test((i + 0.5) / SUB, y):
                    buf[row + i] = col

    def set_clip(self, x0, y0, x1, y1):
        self.clip = (self.edge(x0), self.edge(y0), self.edge(x1), self.edge(y1))

    def clear_clip(self):
        self.clip = None

    def rect(self, x0, y0, x1, y1, col):
        """A filled rectangle whose edges snap to pixel edges."""
        self._paint(self.edge(x0), self.edge(y0), self.edge(x1), self.edge(y1), None, col)

    def prect(self, X0, Y0, X1, Y1, col):
        """rect() with its edges given in pixels."""
        self._paint(X0, Y0, X1, Y1, None, col)

    def box(self, x0, y0, x1, y1, fill, line, w=1, r=0):
        """A filled rectangle with an inner outline of a whole number of pixels,
        optionally with rounded corners of radius r."""
        self.pbox(self.edge(x0), self.edge(y0), self.edge(x1), self.edge(y1), fill, line, w, r)

    def pbox(self, X0, Y0, X1, Y1, fill, line, w=1, r=0):
        """box() with its edges given in pixels."""
        t = self.px(w) if line else 0
        R = r * self.s
        if line:
            self._rrect(X0, Y0, X1, Y1, R, line)
        if fill:
            self._rrect(X0 + t, Y0 + t, X1 - t, Y1 - t, max(0.0, R - t), fill)

    def layout(self, lo, hi, count, size, gap):
        """Pixel spans of count cells of the given size and gap, centred between lo
        and hi: every cell gets the same whole number of pixels, and so does every gap."""
        t = int(math.floor(size * self.s + 0.5))
        g = max(1, int(math.floor(gap * self.s + 0.5)))
        start = self.edge(lo) + (self.edge(hi) - self.edge(lo) - (count * t + (count - 1) * g)) // 2
        return [(start + i * (t + g), start + i * (t + g) + t) for i in range(count)]

    def _rrect(self, X0, Y0, X1, Y1, R, col):
        if R <= 0:
            self._paint(X0, Y0, X1, Y1, None, col)
            return

        def inside(x, y):
            cx = min(max(x, X0 + R), X1 - R)
            cy = min(max(y, Y0 + R), Y1 - R)
            return (x - cx) ** 2 + (y - cy) ** 2 <= R * R
        self._paint(X0, Y0, X1, Y1, inside, col)

    def _points(self, pts, wpx, snap):
        if snap:
            return [(self.snap(x, wpx), self.snap(y, wpx)) for x, y in pts]
        return [(x * self.s, y * self.s) for x, y in pts]

    def poly(self, pts, col, w=0, snap=True):
        """A filled polygon. With w, vertices snap as a stroke of that width would."""
        self.ppoly(self._points(pts, self.px(w) if w else 0, snap), col)

    def ppoly(self, P, col):
        """poly() with its vertices given in pixels."""
        xs, ys = [p[0] for p in P], [p[1] for p in P]
        edges = list(zip(P, P[1:] + P[:1]))

        def inside(x, y):
            c = False
            for (ax, ay), (bx, by) in edges:
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    c = not c
            return c
        self._paint(min(xs), min(ys), max(xs), max(ys), inside, col)

    def stroke(self, pts, w, col, closed=False, snap=True, cap="round"):
        """A polyline of width w (a whole number of pixels) with round joins."""
        wpx = self.px(w)
        P = self._points(pts, wpx, snap)
        if closed:
            P = P + P[:1]
        h = wpx / 2.0
        for (ax, ay), (bx, by) in zip(P, P[1:]):
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy or 1e-9

            def on(x, y, ax=ax, ay=ay, dx=dx, dy=dy, ll=ll):
                t = ((x - ax) * dx + (y - ay) * dy) / ll
                if cap == "butt" and (t < 0 or t > 1):
                    return False
                t = min(1.0, max(0.0, t))
                return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= h * h
            self._paint(min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h, on, col)

    def shape(self, pts, fill, line, w=1):
        """A filled polygon outlined by a stroke along its edges (points at pixel centres)."""
        if fill:
            self.poly(pts, fill, w)
        self.stroke(pts, w, line, closed=True)

    def circle(self, cx, cy, r, col, rpx_less=0):
        X, Y, R = cx * self.s, cy * self.s, r * self.s - rpx_less
        self._paint(X - R, Y - R, X + R, Y + R, lambda x, y: (x - X) ** 2 + (y - Y) ** 2 <= R * R, col)

    def disc(self, cx, cy, r, fill, line, w=1):
        """A filled circle with an outline of a whole number of pixels."""
        self.circle(cx, cy, r, line)
        if fill:
            self.circle(cx, cy, r, fill, self.px(w))

    def ring(self, cx, cy, r, w, col, a0=None, a1=None):
        """A ring of outer radius r and width w, optionally only between the angles
        a0 and a1 (degrees, clockwise from three o'clock, y pointing down)."""
        X, Y, R = cx * self.s, cy * self.s, r * self.s
        Ri = R - self.px(w)

        def on(x, y):
            d = (x - X) ** 2 + (y - Y) ** 2
            if d > R * R or d < Ri * Ri:
                return False
            if a0 is None:
                return True
            a = math.degrees(math.atan2(y - Y, x - X)) % 360
            lo, hi = a0 % 360, a1 % 360
            return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
        self._paint(X - R, Y - R, X + R, Y + R, on, col)

    # -- result -----------------------------------------------------------
    def pixels(self):
        """The image as rows of colours (None where empty): a pixel less than half
        covered stays empty, any other takes the colour that covers most of it."""
        n, m, buf = self.n, self.m, self.buf
        out = []
        for y in range(n):
            row = []
            for x in range(n):
                counts = {}
                for j in range(y * SUB, y * SUB + SUB):
                    base = j * m + x * SUB
                    for c in buf[base:base + SUB]:
                        if c is not None:
                            counts[c] = counts.get(c, 0) + 1
                if 2 * sum(counts.values()) < SUB * SUB:
                    row.append(None)
                else:
                    row.append(max(counts.items(), key=lambda e: e[1])[0])
            out.append(row)
        return out


# -- shared parts -------------------------------------------------------------

def tiles(c, cells, cols, rows, fill=BLUE, line=BLUE_D, size=4, gap=1, area=(1, 1, 15, 15)):
    """Small desktop icons at the given (column, row) cells of a grid laid out
    evenly in pixels; returns the column and row spans."""
    xs = c.layout(area[0], area[2], cols, size, gap)
    ys = c.layout(area[1], area[3], rows, size, gap)
    for i, j in cells:
        c.pbox(xs[i][0], ys[j][0], xs[i][1], ys[j][1], fill, line)
    return xs, ys


def picture(c, x0, y0, x1, y1):
    """A framed landscape: sky, sun and a green hill."""
    c.box(x0, y0, x1, y1, BLUE_L, INK)
    c.set_clip(x0 + 1, y0 + 1, x1 - 1, y1 - 1)
    w, h = x1 - x0, y1 - y0
    c.poly([(x0, y1), (x0, y0 + h * 0.62), (x0 + w * 0.4, y0 + h * 0.42),
            (x0 + w * 0.75, y0 + h * 0.62), (x1, y0 + h * 0.5), (x1, y1)], GREEN, snap=False)
    if w >= 7:
        c.circle(round(x0 + w * 0.72), round(y0 + h * 0.3), 1.2, AMBER)
    c.clear_clip()


def monitor(c, screen):
    c.box(1, 2, 15, 12, screen, INK)
    c.rect(7, 12, 9, 14, INK)
    c.rect(4, 14, 12, 15, INK)


def page(c, x0, y0, x1, y1, fold=4):
    """A sheet of paper with a folded top right corner (points on pixel centres)."""
    a, b, e, f = x0 + 0.5, y0 + 0.5, x1 - 0.5, y1 - 0.5
    c.shape([(a, b), (e - fold, b), (e, b + fold), (e, f), (a, f)], WHITE, INK)
    c.shape([(e - fold, b), (e - fold, b + fold), (e, b + fold)], LIGHT, INK)


def star4(c, cx, cy, r, col, waist=0.28):
    """A four-pointed sparkle."""
    k = r * waist
    c.poly([(cx, cy - r), (cx + k, cy - k), (cx + r, cy), (cx + k, cy + k),
            (cx, cy + r), (cx - k, cy + k), (cx - r, cy), (cx - k, cy - k)], col, snap=False)


def floppy(c, body, line):
    c.shape([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)], body, line)
    c.rect(4, 2, 11, 6, LIGHT)
    c.rect(8, 3, 10, 5, line)
    c.rect(3, 8, 13, 14, WHITE)


# -- the images, by index -----------------------------------------------------

def img_check(c):
    c.stroke([(3, 8), (6.5, 11.5), (13, 5)], 2, INK, snap=False)


def img_open_folder(c):
    c.shape([(1.5, 2.5), (5.5, 2.5), (6.5, 3.5), (12.5, 3.5), (12.5, 13.5), (1.5, 13.5)], AMBER, AMBER_D)
    c.shape([(4.5, 6.5), (15.5, 6.5), (12.5, 13.5), (1.5, 13.5)], AMBER_L, AMBER_D)


def img_about(c):
    c.circle(8, 8, 7.4, BLUE)
    c.rect(7, 3, 9, 5, WHITE)
    c.rect(7, 6, 9, 13, WHITE)


def img_help(c):
    c.circle(8, 8, 7.4, BLUE)
    c.ring(8, 6.2, 3.2, 2, WHITE, 165, 95)
    c.rect(7, 8, 9, 10, WHITE)
    c.rect(7, 11, 9, 13, WHITE)


def img_properties(c):
    teeth = 8
    cx = cy = 8.0

    def gear_pts():
        pts = []
        for i in range(teeth):
            a = 2 * math.pi * i / teeth
            for da, r in ((-0.34, 5.2), (-0.22, 7.4), (0.22, 7.4), (0.34, 5.2)):
                pts.append((cx + r * math.cos(a + da), cy + r * math.sin(a + da)))
        return pts
    c.poly(gear_pts(), GREY, snap=False)
    c.circle(cx, cy, 5.6, GREY)
    c.circle(cx, cy, 2.1, WHITE)


def img_close(c):
    c.ring(8, 8.5, 6.5, 2, RED, -50, 230)
    c.rect(7, 1, 9, 8.5, RED)


def img_display(c):
    monitor(c, BLUE)
    c.poly([(2, 3), (7, 3), (2, 8)], GLARE)


def img_align_grid(c):
    tiles(c, [(i, j) for j in range(3) for i in range(3)], 3, 3)


def img_recent(c):
    c.disc(8, 8, 7.4, WHITE, INK)
    c.rect(7, 3, 8, 8, INK)
    c.rect(7, 7, 11, 8, INK)
    c.rect(7, 7, 8, 8, BLUE)


def img_floppy_drive(c):
    floppy(c, INK, INK)
    for y in (10, 12):
        c.rect(5, y, 11, y + 1, GREY)


def img_fixed_drive(c):
    c.box(1, 4, 15, 13, LIGHT, INK, r=1.5)
    c.rect(2, 9, 14, 10, GREY)
    c.rect(11, 10.5, 13, 11.5, GREEN)


def img_screen_saver(c):
    monitor(c, BLUE_D)
    c.circle(6.8, 7, 3.2, AMBER)
    c.circle(8.2, 5.8, 2.7, BLUE_D)
    c.rect(11, 4, 12, 7, WHITE)
    c.rect(10, 5, 13, 6, WHITE)


def img_hide_icons(c):
    tiles(c, [(0, 0), (1, 0), (0, 1), (1, 1)], 2, 2, BLUE_L, GREY, 5, 2, (2, 2, 14, 14))
    c.stroke([(2, 14), (14, 2)], 4, WHITE)
    c.stroke([(2, 14), (14, 2)], 2, RED)


def img_align_left(c):
    bar = c.px(1)
    c.prect(c.edge(1), c.edge(1), c.edge(1) + bar, c.edge(15), INK)
    ys = c.layout(1, 15, 3, 4, 1)
    step = ys[1][0] - ys[0][0]
    x0 = c.edge(1) + bar + (ys[1][0] - ys[0][1])
    xs = [(x0, x0 + ys[0][1] - ys[0][0]), (x0 + step, x0 + step + ys[0][1] - ys[0][0])]
    for i, j in ((0, 0), (1, 0), (0, 1), (0, 2), (1, 2)):
        c.pbox(xs[i][0], ys[j][0], xs[i][1], ys[j][1], BLUE, BLUE_D)
    # An arrow in the middle row pointing at the edge.
    t = ys[1][1] - ys[1][0]
    mid = (ys[1][0] + ys[1][1]) / 2.0
    tip = xs[1][0] + c.px(1)
    depth = int(math.floor((c.n - c.edge(1) - tip) * 0.45 + 0.5))
    shaft = int(math.floor(t / 2.0 + 0.5))
    if shaft % 2 != t % 2:
        shaft -= 1
    c.ppoly([(tip, mid), (tip + depth, mid - depth), (tip + depth, mid + depth)], INK)
    c.prect(tip + depth, mid - shaft / 2.0, c.n - c.edge(1), mid + shaft / 2.0, INK)


def img_spiral(c):
    c.stroke([(7.5, 7.5), (10.5, 7.5), (10.5, 10.5), (4.5, 10.5), (4.5, 4.5), (13.5, 4.5),
              (13.5, 13.5), (1.5, 13.5), (1.5, 1.5), (11.5, 1.5)], 1, BLUE_D)


def img_custom(c):
    tiles(c, [(0, 0), (1, 0), (0, 1)], 2, 2, area=(1, 1, 10, 10))
    # A pencil along the diagonal from its tip at the bottom left.
    tx, ty = 4.0, 14.5
    ux, uy = 1 / math.sqrt(2), -1 / math.sqrt(2)
    vx, vy = -uy, ux
    hw = 2.0

    def at(u, v):
        return (tx + ux * u + vx * v, ty + uy * u + vy * v)
    c.poly([at(3.2, -hw), at(13, -hw), at(13, hw), at(3.2, hw)], INK, snap=False)
    c.poly([at(3.6, -hw + 1), at(12.6, -hw + 1), at(12.6, hw - 1), at(3.6, hw - 1)], AMBER, snap=False)
    c.poly([at(0, 0), at(3.4, -hw), at(3.4, hw)], AMBER_L, snap=False)
    c.poly([at(0, 0), at(1.4, -0.9), at(1.4, 0.9)], INK, snap=False)


def img_save_custom(c):
    floppy(c, BLUE, BLUE_D)
    tiles(c, [(0, 0), (1, 0)], 2, 1, area=(3, 8, 13, 14))


def img_desktop(c):
    monitor(c, BLUE_L)
    c.set_clip(2, 3, 14, 11)
    c.poly([(2, 11), (2, 8), (6, 5.5), (10, 8.5), (14, 6.5), (14, 11)], GREEN, snap=False)
    c.circle(11, 5, 1.3, AMBER)
    c.clear_clip()


def img_apply(c):
    picture(c, 1, 1, 13, 12)
    c.stroke([(5.5, 10.5), (8.5, 13.5), (14.5, 7.5)], 4, WHITE)
    c.stroke([(5.5, 10.5), (8.5, 13.5), (14.5, 7.5)], 2, GREEN)


def img_delete(c):
    c.stroke([(3, 3), (13, 13)], 2.4, RED)
    c.stroke([(13, 3), (3, 13)], 2.4, RED)


def img_windows(c):
    # Four panes of a window seen like a flag at a slight angle: a straight
    # cross between the panes, the far (left) column a little shorter.
    cols = c.layout(1, 15, 2, 6, 2)
    rows = c.layout(2, 14, 2, 5, 2)
    for k, (xa, xb) in enumerate(cols):
        d = c.edge(1) if k == 0 else 0
        c.pbox(xa, rows[0][0] + d, xb, rows[0][1], BLUE, None)
        c.pbox(xa, rows[1][0], xb, rows[1][1] - d, BLUE, None)


def area(c):
    """The desktop that a picture is placed on."""
    c.box(1, 2, 15, 14, LIGHT, GREY)


def img_picture_left(c):
    area(c)
    picture(c, 1, 4, 9, 12)


def img_picture_right(c):
    area(c)
    picture(c, 7, 4, 15, 12)


def img_picture_top(c):
    area(c)
    picture(c, 4, 2, 12, 9)


def img_picture_bottom(c):
    area(c)
    picture(c, 4, 7, 12, 14)


def img_picture_centre(c):
    area(c)
    picture(c, 4, 4, 12, 12)


def img_centre_h(c):
    picture(c, 5, 2, 11, 14)
    c.poly([(0, 4), (4, 8), (0, 12)], INK)
    c.poly([(16, 4), (12, 8), (16, 12)], INK)


def img_centre_v(c):
    picture(c, 2, 5, 14, 11)
    c.poly([(4, 0), (8, 4), (12, 0)], INK)
    c.poly([(4, 16), (8, 12), (12, 16)], INK)


def img_effects(c):
    c.stroke([(2, 14), (9.5, 6.5)], 2, INK)
    c.stroke([(8.5, 7.5), (10, 6)], 2, WHITE, snap=False)
    star4(c, 11.5, 4.5, 4.2, AMBER)
    star4(c, 4.5, 4, 2.6, AMBER)
    star4(c, 13.2, 11.5, 2.6, AMBER)


def img_dropper(c):
    c.stroke([(2, 14), (10, 6)], 3.6, INK, snap=False)
    c.stroke([(3, 13), (10, 6)], 1.6, BLUE_L, snap=False)
    c.stroke([(3, 13), (6, 10)], 1.6, BLUE, snap=False)
    c.stroke([(8.3, 4.3), (11.7, 7.7)], 2, INK, snap=False)
    c.circle(12, 4, 2.8, INK)


def img_blank(c):
    page(c, 3, 1, 13, 15)


def img_new(c):
    page(c, 2, 1, 12, 15)
    c.rect(10, 8, 14, 16, WHITE)
    c.rect(8, 10, 16, 14, WHITE)
    c.rect(11, 9, 13, 15, GREEN)
    c.rect(9, 11, 15, 13, GREEN)


def img_cut(c):
    c.stroke([(6, 10), (11.5, 1.5)], 2, INK, snap=False)
    c.stroke([(10, 10), (4.5, 1.5)], 2, INK, snap=False)
    c.ring(4.5, 12.5, 2.9, 1.3, RED)
    c.ring(11.5, 12.5, 2.9, 1.3, RED)


def img_copy(c):
    c.box(1, 1, 10, 11, WHITE, INK)
    c.rect(3, 3, 8, 4, GREY)
    c.rect(3, 5, 5, 6, GREY)
    c.box(6, 5, 15, 15, WHITE, INK)
    for y, x1 in ((7, 13), (9, 13), (11, 13), (13, 11)):
        c.rect(8, y, x1, y + 1, GREY)


def img_paste(c):
    c.box(2, 2, 14, 15, AMBER, AMBER_D, r=1.5)
    c.rect(4, 4, 12, 14, WHITE)
    c.box(5, 1, 11, 4, LIGHT, INK)
    for y, x1 in ((6, 10), (8, 10), (10, 10), (12, 9)):
        c.rect(6, y, x1, y + 1, GREY)


def img_list(c):
    for y in (2, 7, 12):
        c.rect(1, y, 4, y + 3, BLUE)
        c.rect(6, y + 1, 15, y + 2, INK)


def img_more(c):
    c.stroke([(3, 4), (7, 8), (3, 12)], 2, INK)
    c.stroke([(9, 4), (13, 8), (9, 12)], 2, INK)


# Each image as (drawing, edge): the icon alignments (13..16) share one drawing
# made for the left edge and turned to face the others.
IMAGES = [
    (img_check, None), (img_open_folder, None), (img_about, None), (img_help, None),
    (img_properties, None), (img_close, None), (img_display, None), (img_align_grid, None),
    (img_recent, None), (img_floppy_drive, None), (img_fixed_drive, None),
    (img_screen_saver, None), (img_hide_icons, None),
    (img_align_left, "left"), (img_align_left, "right"), (img_align_left, "top"),
    (img_align_left, "bottom"),
    (img_spiral, None), (img_custom, None), (img_save_custom, None), (img_desktop, None),
    (img_apply, None), (img_delete, None), (img_windows, None),
    (img_picture_left, None), (img_picture_right, None), (img_picture_top, None),
    (img_picture_bottom, None), (img_picture_centre, None), (img_centre_h, None),
    (img_centre_v, None), (img_effects, None), (img_dropper, None), (img_blank, None),
    (img_new, None), (img_cut, None), (img_copy, None), (img_paste, None), (img_list, None),
    (img_more, None),
]
assert len(IMAGES) == 40


def render(draw, edge, n):
    c = Canvas(n)
    draw(c)
    px = c.pixels()
    if edge in ("top", "bottom"):
        px = [list(r) for r in zip(*px)]    # the left edge becomes the top
    if edge == "right":
        px = [r[::-1] for r in px]
    if edge == "bottom":
        px = px[::-1]
    return px


def write_bmp(path, rows, dpi):
    """A 24-bit uncompressed bottom-up BMP from rows of (r, g, b)."""
    h, w = len(rows), len(rows[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            data += bytes((b, g, r))
        data += b"\0" * (stride - w * 3)
    ppm = int(round(dpi / 0.0254))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), ppm, ppm, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + data)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources")
    for n, dpi in SIZES:
        strip = [[] for _ in range(n)]
        for draw, edge in IMAGES:
            for y, row in enumerate(render(draw, edge, n)):
                for p in row:
                    if p == KEY:
                        p = (254, 0, 255)
                    strip[y].append(KEY if p is None else p)
        write_bmp(os.path.join(out, "MenuImages%d.bmp" % n), strip, dpi)


if __name__ == "__main__":
    main()
