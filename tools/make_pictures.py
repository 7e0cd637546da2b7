#!/usr/bin/python3
"""Draws the game's pictures into data/pictures/.

Needs only Debian 12's python3 and python3-pil (Pillow).  Run from anywhere:

    tools/make_pictures.py

Every picture is drawn procedurally, pixel by pixel: each body part is a shape (ellipsoid, tapered
tube, polygon) lit from the upper left and quantised onto a small hand-picked colour ramp, with the
ramp's darkest colour as the part's outline.  The output is deterministic, so re-running the script
reproduces the committed files byte for byte.

The four Vexoid sprites are GIFs on silver (#C0C0C0) with silver as the transparent index; no
figure pixel is ever exactly silver.  The ship is a JPEG, the boss a 24-bit BMP and the window icon
an 8-bit palette BMP.
"""

import math
import os
import random

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "pictures")

SILVER = (192, 192, 192)

# Light falls from the upper left, slightly in front of the picture (y grows downward).
_L = (-0.55, -0.65, 0.75)
_n = math.sqrt(sum(c * c for c in _L))
LIGHT = tuple(c / _n for c in _L)

# 4x4 ordered-dither thresholds in [-0.5, 0.5): soften the steps between ramp colours.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
BAYER = [[(v + 0.5) / 16.0 - 0.5 for v in row] for row in BAYER]


def rgb(h):
    h = h.lstrip("#")
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16))


def ramp(*hexes):
    return [rgb(h) for h in hexes]


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def lit(nx, ny, nz):
    """Diffuse light on a unit normal, with a little ambient, plus a specular term."""
    d = nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]
    diffuse = clamp(d)
    # Reflection of the light about the normal, compared with the view direction (0, 0, 1).
    rz = 2 * d * nz - LIGHT[2]
    gloss = clamp(rz) ** 24
    return clamp(0.12 + 0.88 * diffuse), gloss


class Sprite:
    """A small picture being drawn: None where nothing has been painted yet."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[None] * w for _ in range(h)]

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.px[y][x]
        return None

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h and c is not None:
            self.px[y][x] = c

    # --- the one general primitive -------------------------------------------------------------

    def part(self, box, inside, shade, colours, edge=True, dither=0.6, gloss_at=0.55, clip=None,
             edge_colour=None, stripes=None):
        """Paints one body part.

        inside(x, y) -> bool says which pixel centres belong to it; shade(x, y) -> (light, gloss)
        gives its lighting in [0, 1].  colours[0] outlines the part (where it meets anything that is
        not itself), the rest make the lit ramp, and a strong specular hit takes the last colour.
        stripes = (test(x, y), other_colours) paints the pixels that pass the test from a second
        ramp of the same length (markings that follow the part's shading).
        Returns the set of painted pixels so later parts can use it as a mask.
        """
        x0, y0, x1, y1 = box
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w - 1, int(math.ceil(x1))), min(self.h - 1, int(math.ceil(y1)))
        mask = set()
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if inside(x + 0.5, y + 0.5) and (clip is None or (x, y) in clip):
                    mask.add((x, y))
        fill = colours[1:] if edge else colours
        n = len(fill)
        for (x, y) in mask:
            is_edge = edge and any((x + dx, y + dy) not in mask
                                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if is_edge:
                self.px[y][x] = edge_colour or colours[0]
                continue
            light, gloss = shade(x + 0.5, y + 0.5)
            ramp_here = fill
            if stripes and stripes[0](x + 0.5, y + 0.5):
                ramp_here = stripes[1][1:] if edge else stripes[1]
            if gloss > gloss_at:
                self.px[y][x] = ramp_here[-1]
                continue
            v = light * (n - 1.2) + 0.1 + BAYER[y % 4][x % 4] * dither
            i = int(clamp(round(v), 0, n - 2 if n > 2 else n - 1))
            self.px[y][x] = ramp_here[i]
        return mask

    # --- shapes built on it --------------------------------------------------------------------

    def ellipsoid(self, cx, cy, rx, ry, colours, bulge=1.0, **kw):
        def inside(x, y):
            return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

        def shade(x, y):
            nx, ny = (x - cx) / rx, (y - cy) / ry
            nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny)) * bulge
            m = math.sqrt(nx * nx + ny * ny + nz * nz) or 1
            return lit(nx / m, ny / m, nz / m)

        return self.part((cx - rx, cy - ry, cx + rx, cy + ry), inside, shade, colours, **kw)

    def blob(self, cx, cy, rx, ry, colours, taper=0.0, **kw):
        """An egg: an ellipsoid whose width shrinks toward the bottom (taper > 0) or the top."""
        def width(v):
            return rx * math.sqrt(max(0.0, 1 - v * v)) * (1 - taper * v)

        def inside(x, y):
            v = (y - cy) / ry
            return abs(v) <= 1 and abs(x - cx) <= width(v)

        def shade(x, y):
            v = (y - cy) / ry
            w = width(v) or 1e-9
            nx = (x - cx) / w
            nz = math.sqrt(max(0.0, 1 - nx * nx)) * math.sqrt(max(0.0, 1 - v * v))
            ny = v
            m = math.sqrt(nx * nx * (1 - v * v) + ny * ny + nz * nz) or 1
            return lit(nx * math.sqrt(max(0.0, 1 - v * v)) / m, ny / m, nz / m)

        return self.part((cx - rx * (1 + abs(taper)), cy - ry, cx + rx * (1 + abs(taper)), cy + ry),
                         inside, shade, colours, **kw)

    def paste(self, other, where=None):
        """Lays another sprite's painted pixels over this one (only inside `where` if given)."""
        for y in range(self.h):
            for x in range(self.w):
                c = other.px[y][x]
                if c is not None and (where is None or (x, y) in where):
                    self.px[y][x] = c

    def mask(self):
        return {(x, y) for y in range(self.h) for x in range(self.w) if self.px[y][x] is not None}

    def tube(self, pts, radii, colours, **kw):
        """A tapered tube through a polyline; radii gives the radius at each point."""
        segs = list(zip(pts[:-1], pts[1:], radii[:-1], radii[1:]))

        def nearest(x, y):
            best = None
            for (ax, ay), (bx, by), ra, rb in segs:
                dx, dy = bx - ax, by - ay
                L2 = dx * dx + dy * dy or 1e-9
                t = clamp(((x - ax) * dx + (y - ay) * dy) / L2)
                qx, qy = ax + dx * t, ay + dy * t
                r = ra + (rb - ra) * t
                d = math.hypot(x - qx, y - qy)
                score = d / r
                if best is None or score < best[0]:
                    best = (score, x - qx, y - qy, r)
            return best

        def inside(x, y):
            return nearest(x, y)[0] <= 1.0

        def shade(x, y):
            s, dx, dy, r = nearest(x, y)
            nx, ny = dx / r, dy / r
            nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
            return lit(nx, ny, nz)

        rmax = max(radii)
        box = (min(p[0] for p in pts) - rmax, min(p[1] for p in pts) - rmax,
               max(p[0] for p in pts) + rmax, max(p[1] for p in pts) + rmax)
        return self.part(box, inside, shade, colours, **kw)

    def polygon(self, pts, colours, light=None, **kw):
        """A flat polygon; light(x, y) may shade it (default: a gentle top-left gradient)."""
        xs, ys = [p[0] for p in pts], [p[1] for p in pts]
        bx0, by0, bx1, by1 = min(xs), min(ys), max(xs), max(ys)

        def inside(x, y):
            return point_in_poly(x, y, pts)

        def shade(x, y):
            if light:
                return light(x, y), 0.0
            t = ((x - bx0) / (bx1 - bx0 + 1e-9) + (y - by0) / (by1 - by0 + 1e-9)) / 2
            return 0.85 - 0.6 * t, 0.0

        return self.part((bx0, by0, bx1, by1), inside, shade, colours, **kw)

    def dots(self, pts, c):
        for x, y in pts:
            self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n + 1):
            t = i / n
            self.put(int(round(x0 + (x1 - x0) * t)), int(round(y0 + (y1 - y0) * t)), c)

    def curve(self, pts, c, steps=40):
        """A quadratic/cubic Bezier stroke one pixel wide."""
        prev = None
        for i in range(steps + 1):
            t = i / steps
            p = bezier(pts, t)
            q = (int(math.floor(p[0])), int(math.floor(p[1])))
            if q != prev:
                self.put(q[0], q[1], c)
                prev = q

    def outline_outside(self, c):
        """Adds a one-pixel outline around everything drawn so far (4-neighbour)."""
        add = []
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] is None and any(
                        self.get(x + dx, y + dy) is not None
                        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    add.append((x, y))
        for x, y in add:
            self.px[y][x] = c

    def image(self, background):
        img = Image.new("RGB", (self.w, self.h), background)
        for y in range(self.h):
            for x in range(self.w):
                if self.px[y][x] is not None:
                    img.putpixel((x, y), self.px[y][x])
        return img


def bezier(pts, t):
    while len(pts) > 1:
        pts = [(a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t) for a, b in zip(pts[:-1], pts[1:])]
    return pts[0]


def point_in_poly(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# ------------------------------------------------------------------------------------------------
# Colour ramps: outline first, then dark to light.

PINK = ramp("#4a1030", "#8a2a52", "#c44a72", "#e8769a", "#f8a8c0", "#fff0f4")
PINK_EAR = ramp("#4a1030", "#7a1e48", "#b03a66", "#dc6690", "#f49ab8")
GOGGLE = ramp("#1a1a2a", "#c8c8b0", "#ecebd8", "#ffffee", "#ffffff")
PUPIL = ramp("#000000", "#0a0a14", "#1e1e3a", "#303060", "#ffffff")
BLUE = ramp("#0a1440", "#17307a", "#2450b0", "#3a78dc", "#6aa8f4", "#c8e4ff")
ORANGE = ramp("#4a1a00", "#a23e00", "#e06a00", "#ff9420", "#ffc060", "#fff0c0")
STEEL = ramp("#1c2a3a", "#3a5068", "#5e7a96", "#8aa6c0", "#c4d8ea", "#ffffff")

BONE = ramp("#3a3028", "#8a7e6c", "#b8ae98", "#d8d0bc", "#f0ead8", "#fffff4")
SOCKET = ramp("#100808", "#201010", "#3a1a1a", "#5a2424")
RED = ramp("#3a0008", "#7a0a14", "#b8141e", "#e4302c", "#ff6a50", "#ffc0a0")

BRAIN = ramp("#0c3010", "#1e6a24", "#36a034", "#62c84a", "#9ae870", "#e8ffd0")
SKIN3 = ramp("#1a3010", "#3e6a2a", "#5e9a3e", "#84c05a", "#b4e08a", "#f0ffe0")
YELLOWEYE = ramp("#2a2000", "#d8d080", "#f4f0b0", "#fffff0", "#ffffff")

DKGREEN = ramp("#04140a", "#0b2c14", "#14441e", "#205e2c", "#347a3e", "#8cc07a")
STRIPE = ramp("#3a2c00", "#8a6a00", "#c09a00", "#e8c810", "#ffe850", "#fff8c0")
CLAW = ramp("#201a10", "#8a8070", "#c8c0b0", "#f0ece0", "#ffffff")
RED_EYE = ramp("#300000", "#a00000", "#e82000", "#ff8040", "#ffffc0")


# ------------------------------------------------------------------------------------------------
# brit1: a pink goggle-eyed alien in a round glass helmet on a blue collar, an orange antenna frame.

GLASS = ramp("#10203a", "#1a2e4c", "#22395c", "#2c476e", "#3a5a84", "#50749e", "#7094ba")


def draw_brit1_face(s, cx, cy, k, detail=True, pupil=2.7):
    """Pink face, pointed ears and goggle eyes centred on (cx, cy); k scales it (1 = sprite)."""
    for side in (-1, 1):
        ear = [(cx + side * 7 * k, cy - 5 * k), (cx + side * 18.5 * k, cy - 11 * k),
               (cx + side * 14.5 * k, cy - 0 * k), (cx + side * 9 * k, cy + 3 * k)]
        s.polygon(ear, PINK_EAR, light=lambda x, y, side=side: 0.8 if side < 0 else 0.5)
        if detail:
            inner = [(cx + side * 9.5 * k, cy - 4 * k), (cx + side * 16.5 * k, cy - 8.8 * k),
                     (cx + side * 13 * k, cy - 1 * k)]
            s.polygon(inner, [PINK[1], PINK[1], PINK[2]], light=lambda x, y: 0.35, edge=False)
    # Wide at the goggles, narrowing to a small chin.
    s.blob(cx, cy + 1 * k, 12 * k, 13.5 * k, PINK, taper=0.32, dither=0.3)
    if detail:
        for side in (-1, 1):   # blushing cheeks
            bx = int(cx + side * 7.5 * k - 0.5)
            s.dots([(bx, int(cy + 4.5 * k)), (bx + 1, int(cy + 4.5 * k))], PINK[4])
        s.put(int(cx - 1.6 * k), int(cy + 3.2 * k), PINK[1])   # nostrils
        s.put(int(cx + 1.0 * k), int(cy + 3.2 * k), PINK[1])
    # Goggle eyes bulging over the brow.
    er = 5.7 * k
    for side in (-1, 1):
        ex, ey = cx + side * 5.9 * k, cy - 5.2 * k
        s.ellipsoid(ex, ey, er, er * 1.08, GOGGLE, dither=0.25)
        # Pupils a little inward and down: a goofy cross-eyed stare.
        px, py = ex - side * 1.1 * k, ey + 1.0 * k
        pr = pupil * k
        s.ellipsoid(px, py, pr, pr, PUPIL, edge=False, dither=0)
        s.put(int(px - 0.9 * k), int(py - 1.1 * k), (255, 255, 255))
    # A wide grin with two little teeth.
    mx, my, w, h = cx, cy + 7.2 * k, 5.2 * k, 2.8 * k
    s.part((mx - w, my - 1, mx + w, my + h),
           lambda x, y: ((x - mx) / w) ** 2 + ((y - my) / h) ** 2 <= 1 and y >= my,
           lambda x, y: (clamp((my + h - y) / h), 0), ramp("#3a0818", "#5e1028", "#7e1c36", "#a02a48"),
           dither=0)
    if detail:
        s.put(int(mx - 2.5), int(my + 0.5), (255, 248, 236))
        s.put(int(mx + 1.5), int(my + 0.5), (255, 248, 236))


def glass_bowl(s, cx, cy, r, contents, rim=2):
    """A round glass bowl over `contents` (a sprite): tinted glass, a steel rim, a bright glare."""
    bowl = {(x, y) for y in range(s.h) for x in range(s.w)
            if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r}
    for (x, y) in bowl:
        nx, ny = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
        c = contents.px[y][x]
        if c is not None:
            # Whatever is behind the glass takes a faint blue cast.
            s.px[y][x] = mix(c, (150, 190, 235), 0.12)
            continue
        l, _ = lit(nx, ny, nz)
        # Clear in the middle, brighter toward the rim.
        v = clamp(0.15 + 0.35 * l + 0.65 * (1 - nz) ** 1.5 + BAYER[y % 4][x % 4] * 0.22)
        s.px[y][x] = GLASS[int(clamp(v * 6.99, 0, 6))]
    for (x, y) in bowl:
        d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
        if d > r - rim:
            ang = math.atan2(y + 0.5 - cy, x + 0.5 - cx)
            l = 0.5 + 0.5 * math.cos(ang - math.atan2(LIGHT[1], LIGHT[0]))
            s.px[y][x] = STEEL[1 + int(clamp(l * 4.99, 0, 4))]
    for y in range(s.h):
        for x in range(s.w):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if r < d <= r + 1.0:
                s.px[y][x] = STEEL[0]
    return bowl


def glare(s, cx, cy, r, bowl, big=True):
    for (x, y) in bowl:
        dx, dy = x + 0.5 - cx, y + 0.5 - cy
        d = math.hypot(dx, dy) / r
        ang = math.degrees(math.atan2(dy, dx))
        if 0.66 <= d <= 0.80 and -158 <= ang <= -118:
            s.px[y][x] = (255, 255, 255)
        elif 0.66 <= d <= 0.80 and (-168 <= ang < -158 or -118 < ang <= -106):
            s.px[y][x] = mix(s.px[y][x], (255, 255, 255), 0.55)
        elif big and 0.52 <= d <= 0.60 and -150 <= ang <= -140:
            s.px[y][x] = mix(s.px[y][x], (255, 255, 255), 0.8)
        elif 0.70 <= d <= 0.82 and 28 <= ang <= 48:
            s.px[y][x] = mix(s.px[y][x], (255, 255, 255), 0.5)


def make_brit1():
    s = Sprite(61, 70)
    cx, hy, hr = 30.5, 36.0, 23.0
    # Orange antenna frame: an arch over the helmet with two bobbled feelers.
    for side in (-1, 1):
        s.tube([(cx + side * 7, 6.0), (cx + side * 11.5, 2.8)], [1.0, 1.0], ORANGE)
        s.ellipsoid(cx + side * 13.0, 2.8, 2.5, 2.5, ORANGE, dither=0)
    s.tube([(cx - 19.5, 26), (cx - 17.5, 14), (cx - 10, 7.5), (cx, 6.2), (cx + 10, 7.5),
            (cx + 17.5, 14), (cx + 19.5, 26)], [2.4, 2.3, 2.2, 2.2, 2.2, 2.3, 2.4], ORANGE, dither=0.3)
    for side in (-1, 1):   # bolts where the frame meets the helmet
        s.ellipsoid(cx + side * 19.5, 25.5, 2.6, 2.6, ORANGE, dither=0)
    # Blue collar.
    collar = Sprite(61, 70)
    collar.ellipsoid(cx, 62.5, 25.0, 7.3, BLUE, dither=0.35)
    collar.ellipsoid(cx, 58.5, 18.5, 3.6, ramp("#0a1440", "#0c1c4c", "#12265e", "#183070"), edge=False,
                     dither=0)
    for i in range(-3, 4):   # rivets
        x = cx + i * 6.4
        y = 62.5 + 4.6 * math.sqrt(1 - (i / 3.9) ** 2)
        collar.put(int(x), int(y), BLUE[5])
        collar.put(int(x), int(y) + 1, BLUE[1])
    s.paste(collar)
    # The creature inside: a neck down into the collar, the face.
    inner = Sprite(61, 70)
    inner.tube([(cx, 50.0), (cx, 57.0)], [3.4, 4.2], PINK, dither=0.3)
    draw_brit1_face(inner, cx, 35.0, 1.0)
    bowl = glass_bowl(s, cx, hy, hr, inner)
    # The collar's front lip covers the bottom of the bowl.
    s.paste(collar, {(x, y) for (x, y) in collar.mask() if y >= 59})
    glare(s, cx, hy, hr, {(x, y) for (x, y) in bowl if y < 59})
    return s

# ------------------------------------------------------------------------------------------------
# brit2: a pale, big-skulled skeletal alien in mid-leap, arms flung wide, a red scarf at its neck.

def make_brit2():
    s = Sprite(70, 60)
    cx = 35.0
    # Legs first, they are behind everything: one knee drawn up, the other kicked back.
    for pts, r in (([(31.5, 40.5), (23.0, 43.5), (20.5, 52.5)], [1.7, 1.5, 1.3]),
                   ([(38.5, 40.5), (46.0, 47.0), (51.0, 55.5)], [1.7, 1.5, 1.3])):
        s.tube(pts, r, BONE, dither=0.3)
        s.ellipsoid(pts[1][0], pts[1][1], 2.2, 2.2, BONE, dither=0)   # knee
    s.polygon([(17.0, 52.0), (22.5, 51.0), (24.5, 54.5), (16.0, 55.5)], BONE)       # feet
    s.polygon([(49.0, 54.0), (53.5, 53.5), (55.0, 58.8), (50.5, 58.8)], BONE)
    # Pelvis.
    s.blob(cx, 40.5, 6.0, 3.2, BONE, taper=0.5, dither=0.2)
    s.ellipsoid(cx - 2.6, 41.0, 1.1, 1.0, SOCKET, edge=False, dither=0)
    s.ellipsoid(cx + 2.6, 41.0, 1.1, 1.0, SOCKET, edge=False, dither=0)
    # Spine.
    s.tube([(cx, 26.0), (cx, 39.0)], [1.4, 1.4], BONE, dither=0)
    # Ribcage: a shadowed chest with pale ribs hooping out from the spine.
    s.blob(cx, 31.8, 8.2, 6.6, ramp("#1c1410", "#2e221c", "#3e2e26", "#4e3a30"), taper=0.25, dither=0.3)
    for i, y in enumerate((27.6, 30.2, 32.8, 35.4)):
        w = 7.4 - i * 0.8
        for side in (-1, 1):
            s.tube([(cx, y), (cx + side * w * 0.75, y - 0.3), (cx + side * w, y + 1.4),
                    (cx + side * w * 0.75, y + 2.3)], [0.75, 0.8, 0.75, 0.6], BONE[1:], dither=0,
                   edge=False)
    s.tube([(cx, 26.5), (cx, 35.0)], [1.0, 0.9], BONE, dither=0)   # breastbone
    # Arms flung wide and up, bony fingers spread.
    for side in (-1, 1):
        sh = (cx + side * 7.0, 27.5)
        el = (cx + side * 17.5, 21.0)
        wr = (cx + side * 27.0, 13.0)
        s.tube([sh, el], [1.6, 1.4], BONE, dither=0.2)
        s.tube([el, wr], [1.4, 1.2], BONE, dither=0.2)
        s.ellipsoid(el[0], el[1], 2.0, 2.0, BONE, dither=0)
        s.ellipsoid(sh[0], sh[1], 2.5, 2.2, BONE, dither=0)
        # Hand: a knuckly palm and four long splayed fingers, pale on a dark outline.
        base = (wr[0] + side * 1.2, wr[1] - 0.8)
        tips = []
        for ang in (-120, -85, -50, -15):
            a = math.radians(ang if side > 0 else 180 - ang)
            ln = 6.0 if ang in (-85, -50) else 5.0
            tips.append((base[0] + math.cos(a) * ln, base[1] + math.sin(a) * ln))
        for tip in tips:
            s.tube([base, tip], [1.5, 1.2], [BONE[0]], edge=False, dither=0)
        s.ellipsoid(base[0], base[1], 2.4, 2.2, [BONE[0]], edge=False, dither=0)
        for tip in tips:
            s.line(base[0], base[1], tip[0], tip[1], BONE[3])
        s.ellipsoid(base[0], base[1], 1.5, 1.3, BONE[2:], edge=False, dither=0)
    # The red scarf: knotted at the neck, its tail streaming back behind the leap.
    s.tube([(cx - 3.0, 26.0), (cx - 9.0, 29.5), (cx - 14.0, 28.0), (cx - 19.0, 31.0)],
           [2.3, 2.0, 1.9, 1.6], RED, dither=0.3)
    s.polygon([(cx - 18.0, 29.2), (cx - 22.5, 30.0), (cx - 21.5, 33.5), (cx - 18.5, 32.8)], RED,
              light=lambda x, y: 0.4)
    s.tube([(cx - 6.0, 24.5), (cx, 25.8), (cx + 6.0, 24.5)], [2.2, 2.6, 2.2], RED, dither=0.3)
    s.ellipsoid(cx + 2.0, 26.6, 2.2, 2.0, RED, dither=0)   # the knot
    # The big skull: a huge domed cranium over a small jaw.
    s.blob(cx, 12.0, 12.5, 11.0, BONE, taper=0.12, dither=0.3)
    s.blob(cx, 20.0, 6.0, 3.5, BONE, taper=0.4, dither=0.2)
    # Brow ridges and deep sockets with a cold green glint.
    for side in (-1, 1):
        ex = cx + side * 4.6
        s.ellipsoid(ex, 14.0, 3.4, 3.0, SOCKET, dither=0)
        s.put(int(ex - 0.5 + side * 0.5), 14, (120, 255, 140))
        s.put(int(ex - 0.5 + side * 0.5), 13, (210, 255, 210))
    # Nose hole and a row of teeth.
    s.dots([(int(cx) - 1, 18), (int(cx), 18), (int(cx) - 1, 19)], SOCKET[1])
    for x in range(int(cx) - 4, int(cx) + 4):
        s.put(x, 20, SOCKET[1] if x % 2 else BONE[2])
        s.put(x, 21, BONE[4] if x % 2 == 0 else BONE[2])
    # Cranial seams on the dome.
    s.curve([(cx + 1, 1.5), (cx - 2, 5.0), (cx + 2, 8.0)], BONE[2], steps=20)
    return s


# ------------------------------------------------------------------------------------------------
# brit3: a standing alien with a huge veined green brain for a head, goggling eyes, a blue top and
# thin legs.

VEIN = ramp("#300818", "#6a1430", "#9a2448", "#c8406a")
SHOE = ramp("#100c08", "#2a2018", "#4a3828", "#6e5640", "#9a7e60")


def brain(s, cx, cy, rx, ry, seed):
    """A brain on a big sphere: meandering folds (the zero lines of a warped wave pattern) cut
    dark grooves between rounded ridges, and a deep split runs between the two halves."""
    rnd = random.Random(seed)
    p = [rnd.uniform(0, 6.28) for _ in range(4)]

    def inside(x, y):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

    def wave(x, y):
        u, v = x - cx, y - cy
        return (math.sin(0.78 * u + 1.7 * math.sin(0.42 * v + p[0]) + p[1]) +
                math.sin(0.70 * v + 1.5 * math.sin(0.38 * u + p[2]) + p[3]))

    def shade(x, y):
        nx, ny = (x - cx) / rx, (y - cy) / ry
        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
        g = wave(x, y)
        # Ridge height from the wave's size; its slope tilts the normal so ridges look round.
        e = 0.3
        gx = (abs(wave(x + e, y)) - abs(wave(x - e, y))) / (2 * e)
        gy = (abs(wave(x, y + e)) - abs(wave(x, y - e))) / (2 * e)
        bx, by = nx - 0.35 * gx, ny - 0.35 * gy
        m = math.sqrt(bx * bx + by * by + nz * nz) or 1
        l, sp = lit(bx / m, by / m, nz / m)
        if abs(g) < 0.32:
            return 0.0, 0.0       # the bottom of a fold
        ridge = clamp(abs(g) / 1.1)
        l *= 0.45 + 0.55 * ridge
        if abs(x - cx) < 1.0 and y < cy + ry * 0.75:
            l *= 0.2
        return l, sp if ridge > 0.7 else 0.0

    box = (cx - rx, cy - ry, cx + rx, cy + ry)
    return s.part(box, inside, shade, BRAIN, dither=0.3, gloss_at=0.5)


def vein(s, pts, c, c2):
    s.curve(pts, c, steps=60)
    # A lighter fleck along the vein so it reads as raised.
    p = bezier(pts, 0.4)
    s.put(int(p[0]), int(p[1]) - 1, c2)


def make_brit3():
    s = Sprite(42, 80)
    cx = 21.0
    # Thin legs with knobbly knees and little boots.
    for side in (-1, 1):
        hip, knee, ankle = (cx + side * 3.2, 58.0), (cx + side * 4.0, 67.0), (cx + side * 4.2, 75.0)
        s.tube([hip, knee, ankle], [1.5, 1.3, 1.2], SKIN3, dither=0.2)
        s.ellipsoid(knee[0], knee[1], 1.9, 1.7, SKIN3, dither=0)
        s.blob(ankle[0] + side * 1.6, 77.5, 4.0, 2.4, SHOE, taper=-0.3, dither=0.2)
    # Skinny arms hanging at the sides, three-fingered hands.
    for side in (-1, 1):
        sh, el, wr = (cx + side * 7.5, 44.0), (cx + side * 10.0, 51.0), (cx + side * 10.5, 57.5)
        s.tube([sh, el, wr], [1.5, 1.3, 1.2], SKIN3, dither=0.2)
        for dx in (-1.3, 0.0, 1.3):
            s.tube([(wr[0], wr[1]), (wr[0] + dx * 1.2, wr[1] + 3.2)], [0.9, 0.7], SKIN3, dither=0)
        s.ellipsoid(wr[0], wr[1] + 0.4, 1.8, 1.6, SKIN3, dither=0)
    # The blue top: a snug jumper with rounded shoulders, a ribbed hem and a bright badge.
    for side in (-1, 1):
        s.ellipsoid(cx + side * 7.8, 45.8, 3.0, 3.4, BLUE, dither=0.2)
    top = [(cx - 4.5, 40.5), (cx + 4.5, 40.5), (cx + 8.0, 42.5), (cx + 9.0, 45.0), (cx + 7.2, 49.0),
           (cx + 7.0, 55.0), (cx + 7.6, 58.0), (cx - 7.6, 58.0), (cx - 7.0, 55.0), (cx - 7.2, 49.0),
           (cx - 9.0, 45.0), (cx - 8.0, 42.5)]
    s.polygon(top, BLUE, light=lambda x, y: clamp(0.95 - ((x - cx + 2.5) / 8.5) ** 2 - (y - 40) / 70.0))
    s.tube([(cx - 7.0, 56.5), (cx + 7.0, 56.5)], [1.3, 1.3], BLUE[:4], dither=0)
    for x in range(int(cx) - 6, int(cx) + 7, 2):
        s.put(x, 56, BLUE[1])
    s.ellipsoid(cx + 2.5, 47.5, 2.0, 2.0, ramp("#402000", "#c07000", "#ffb000", "#ffe060", "#ffffff"),
                dither=0)
    # Thin neck.
    s.tube([(cx, 36.0), (cx, 41.5)], [2.0, 2.4], SKIN3, dither=0)
    # A small pointed face under the brain.
    s.blob(cx, 33.5, 8.0, 5.8, SKIN3, taper=0.45, dither=0.3)
    s.part((cx - 3, 36, cx + 3, 39), lambda x, y: ((x - cx) / 2.6) ** 2 + ((y - 37.0) / 1.2) ** 2 <= 1,
           lambda x, y: (0.3, 0), ramp("#200810", "#3a0c1c", "#5a1428"), dither=0)
    # The huge brain, veined.
    brain(s, cx, 16.5, 20.4, 16.0, seed=3)
    rnd = random.Random(11)
    for start, end, bend in (((cx - 4, 30), (cx - 15, 14), (cx - 16, 26)),
                             ((cx + 4, 30), (cx + 16, 12), (cx + 17, 25)),
                             ((cx - 9, 27), (cx - 8, 5), (cx - 15, 15)),
                             ((cx + 9, 27), (cx + 10, 4), (cx + 14, 16))):
        vein(s, [start, bend, end], VEIN[1], VEIN[3])
        mid = bezier([start, bend, end], 0.6)
        twig = (mid[0] + rnd.choice((-4, 4)), mid[1] - 3)
        s.line(mid[0], mid[1], twig[0], twig[1], VEIN[1])
    # Goggling eyes bulging out at the bottom of the brain.
    for side in (-1, 1):
        ex, ey = cx + side * 5.0, 30.0
        s.ellipsoid(ex, ey, 4.4, 4.6, YELLOWEYE, dither=0.2)
        s.ellipsoid(ex + side * 0.6, ey + 0.8, 1.8, 2.1, PUPIL, edge=False, dither=0)
        s.put(int(ex + side * 0.6 - 0.8), int(ey), (255, 255, 255))
    return s


# ------------------------------------------------------------------------------------------------
# brit4: a standing long-eared creature, dark green with yellow stripes, clawed hands hanging down.

EAR_IN = ramp("#1a0610", "#3e0e22", "#5e1a34", "#802a48", "#a04060")
MOUTH = ramp("#140004", "#2a0008", "#4a0a14", "#6a1420")


def claw(s, base, tip, r=1.0):
    """An ivory claw: a dark rim around a pale core that sharpens to a point."""
    s.tube([base, tip], [r + 0.5, 0.7], [CLAW[0]], edge=False, dither=0)
    s.line(base[0], base[1], tip[0], tip[1], CLAW[3])
    s.put(int(tip[0]), int(tip[1]), CLAW[2])


def make_brit4():
    s = Sprite(51, 72)
    cx = 25.5

    def bands(period, width, sway=0.0):
        return lambda x, y: ((y + sway * (x - cx) ** 2) % period) < width

    # Stubby bent legs with clawed feet.
    for side in (-1, 1):
        hip, knee, ankle = (cx + side * 5.0, 46.0), (cx + side * 8.5, 55.5), (cx + side * 6.5, 64.5)
        s.tube([hip, knee, ankle], [3.4, 2.6, 2.0], DKGREEN, dither=0.3, stripes=(bands(4.6, 1.6), STRIPE))
        s.blob(ankle[0] + side * 1.0, 67.5, 4.6, 2.6, DKGREEN, taper=-0.2, dither=0.2)
        for dx in (-3.0, 0.0, 3.0):
            claw(s, (ankle[0] + side * 1.0 + dx, 68.5), (ankle[0] + side * 1.0 + dx * 1.25, 71.3), r=1.0)
    # The body: a hunched pot belly, striped.
    s.blob(cx, 37.0, 10.5, 12.5, DKGREEN, taper=-0.12, dither=0.35, gloss_at=2.0,
           stripes=(bands(5.0, 1.8, 0.035), STRIPE))
    # A paler belly.
    belly = ramp("#04140a", "#1c4a22", "#2c6430", "#407c40", "#5a9452", "#a0d090")
    s.blob(cx + 0.5, 40.5, 6.0, 7.5, belly, edge=False, dither=0.5, gloss_at=2.0,
           stripes=(bands(5.0, 1.8, 0.035), STRIPE[1:]))
    # Long arms hanging down, big claws.
    for side in (-1, 1):
        sh, el, wr = (cx + side * 9.5, 29.0), (cx + side * 14.5, 39.0), (cx + side * 14.5, 50.0)
        s.tube([sh, el, wr], [2.8, 2.2, 2.0], DKGREEN, dither=0.3, stripes=(bands(4.4, 1.5), STRIPE))
        s.ellipsoid(sh[0], sh[1] + 0.5, 3.8, 3.6, DKGREEN, dither=0.3, stripes=(bands(4.4, 1.5), STRIPE))
        hx, hy = wr[0], 52.0
        for dx, ln in ((-2.2, 5.0), (0.0, 6.0), (2.2, 5.0)):
            claw(s, (hx + dx, hy + 1.5), (hx + dx * 1.3 + side * 0.6, hy + 1.5 + ln), r=1.1)
        s.ellipsoid(hx, hy, 3.4, 2.8, DKGREEN, dither=0.2)
        # Thumb claw turned inward.
        claw(s, (hx - side * 2.8, hy - 0.5), (hx - side * 4.2, hy + 3.2), r=0.9)
    # Long pointed ears swept up and out, dark inside.
    for side in (-1, 1):
        ear = [(cx + side * 5.0, 9.0), (cx + side * 14.0, 5.0), (cx + side * 24.5, 0.5),
               (cx + side * 18.0, 9.5), (cx + side * 7.5, 17.0)]
        s.polygon(ear, DKGREEN, light=lambda x, y, side=side: 0.75 if side < 0 else 0.45,
                  stripes=(lambda x, y: abs(x - cx) % 6.0 < 1.4 and abs(x - cx) > 11, STRIPE))
        inner = [(cx + side * 8.0, 9.5), (cx + side * 16.0, 6.0), (cx + side * 22.0, 2.2),
                 (cx + side * 16.5, 9.0), (cx + side * 9.0, 14.5)]
        s.polygon(inner, EAR_IN, light=lambda x, y: 0.5 - abs(x - cx) / 60, edge=False)
    # The head: a broad skull, heavy brow, yellow slit eyes and a fanged grin.
    s.blob(cx, 16.0, 9.5, 9.0, DKGREEN, taper=0.18, dither=0.3,
           stripes=(lambda x, y: y < 11 and abs(x - cx) % 4.0 < 1.3 and abs(x - cx) > 1, STRIPE))
    for side in (-1, 1):
        ex, ey = cx + side * 4.2, 14.5
        s.part((ex - 4, ey - 3, ex + 4, ey + 3),
               lambda x, y, ex=ex, ey=ey, side=side:
               ((x - ex) / 3.4) ** 2 + ((y - ey - side * (x - ex) * 0.25) / 2.1) ** 2 <= 1,
               lambda x, y, ex=ex: (clamp(0.95 - abs(x - ex) / 5), 0.0), RED_EYE, dither=0.2)
        s.put(int(ex), int(ey) - 1, (20, 0, 0))    # slit pupils
        s.put(int(ex), int(ey), (20, 0, 0))
        s.put(int(ex), int(ey) + 1, (20, 0, 0))
        # Brow ridge above each eye.
        s.line(ex - side * 3.5, ey - 2.6, ex + side * 2.5, ey - 3.8, DKGREEN[0])
    s.dots([(int(cx) - 1, 18), (int(cx) + 1, 18)], DKGREEN[0])   # nostrils
    mx, my, w, h = cx, 20.8, 5.5, 2.6
    s.part((mx - w, my - 2, mx + w, my + h),
           lambda x, y: ((x - mx) / w) ** 2 + ((y - my) / h) ** 2 <= 1 and y >= my - 0.6 + 0.05 * (x - mx) ** 2,
           lambda x, y: (clamp((my + h - y) / h * 0.8), 0), MOUTH, dither=0)
    fang = (250, 246, 225)
    for fx in (int(mx) - 3, int(mx) + 2):
        s.dots([(fx, 21), (fx, 22)], fang)
    s.dots([(int(mx) - 1, 23), (int(mx) + 1, 23)], fang)
    return s


# ------------------------------------------------------------------------------------------------
# ship: a white shuttle seen from behind, nose up, lifting off on an orange-white flame, on black.
# Rendered smooth (supersampled) since it is stored as a JPEG.

def supersample(w, h, ss, colour_at):
    img = Image.new("RGB", (w, h))
    for y in range(h):
        for x in range(w):
            acc = [0.0, 0.0, 0.0]
            for j in range(ss):
                for i in range(ss):
                    c = colour_at(x + (i + 0.5) / ss, y + (j + 0.5) / ss)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            n = ss * ss
            img.putpixel((x, y), tuple(int(round(a / n)) for a in acc))
    return img


def fire(t):
    """Flame colour for heat t in [0, 1]: black, deep red, orange, yellow, white."""
    stops = [(0.0, (0, 0, 0)), (0.18, (90, 8, 0)), (0.40, (220, 60, 0)), (0.62, (255, 150, 20)),
             (0.80, (255, 225, 110)), (1.0, (255, 255, 240))]
    t = clamp(t)
    for (t0, c0), (t1, c1) in zip(stops[:-1], stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def make_ship():
    W, H = 39, 70
    cx = 19.5
    nozzle_y = 47.0
    # The orbiter's outline, nose up.
    body = [(cx - 5.5, 14.0), (cx - 5.5, 45.0), (cx + 5.5, 45.0), (cx + 5.5, 14.0)]
    left_wing = [(cx - 5.0, 21.0), (cx - 7.5, 29.0), (cx - 17.5, 41.0), (cx - 18.0, 44.5),
                 (cx - 5.0, 44.5)]
    right_wing = [(cx + x - cx, y) for (x, y) in left_wing]
    right_wing = [(2 * cx - x, y) for (x, y) in left_wing]
    pods = [(cx - 7.5, 38.0, 2.0), (cx + 7.5, 38.0, 2.0)]          # engine pods beside the fin
    nozzles = [(cx - 3.0, 46.2, 2.4), (cx + 3.0, 46.2, 2.4), (cx, 44.2, 2.4)]
    rnd = random.Random(5)
    flick = [rnd.uniform(0, 6.28) for _ in range(6)]

    def nose_half_width(y):
        # An ogive from the tip at y = 1.5 to full width at y = 14.
        t = clamp((y - 1.5) / 12.5)
        return 5.5 * math.sqrt(1 - (1 - t) ** 2)

    def flame(x, y):
        d = y - (nozzle_y - 1.0)
        if d < 0:
            return 0.0
        half = 4.2 + d * 0.42 + 0.7 * math.sin(d * 0.9 + flick[0])
        wob = 0.9 * math.sin(d * 0.45 + flick[1]) + 0.4 * math.sin(d * 1.3 + flick[2])
        u = (x - cx - wob * min(1.0, d / 10)) / half
        core = math.exp(-u * u * 1.7)
        # Three white-hot jets that merge into one plume.
        jets = sum(math.exp(-((x - jx) / (1.3 + d * 0.15)) ** 2) for jx in (cx - 3, cx + 3, cx))
        jets = min(1.0, jets) * math.exp(-d / 11.0)
        fade = clamp(1.0 - (d / (H - nozzle_y + 4)) ** 1.5)
        ripple = 0.9 + 0.1 * math.sin(d * 1.9 + u * 3 + flick[3])
        return clamp(1.05 * core * fade * ripple + 0.5 * jets)

    def white_body(x, y, nx):
        """Off-white hull lit from the left: nx in [-1, 1] across the cylinder."""
        l = clamp(0.80 - 0.45 * nx - 0.25 * nx * nx)
        base = (236, 238, 242)
        c = mix((70, 74, 86), base, l)
        if nx < -0.35 and nx > -0.6:
            c = mix(c, (255, 255, 255), 0.5)
        return c

    def colour_at(x, y):
        # The hull.
        if 1.5 <= y <= 14.0 and abs(x - cx) <= nose_half_width(y):
            nx = (x - cx) / max(0.5, nose_half_width(y))
            if y < 4.2:
                return mix((18, 18, 24), (90, 92, 104), clamp(0.6 - nx * 0.5))   # black nose cap
            c = white_body(x, y, nx)
            # Cockpit windows.
            if 7.2 <= y <= 9.0 and 0.5 <= abs(x - cx) <= 3.6 and abs(abs(x - cx) - 2.05) > 0.35:
                return (26, 32, 52) if x < cx else (14, 18, 30)
            return c
        for px, py, r in pods:
            if ((x - px) / r) ** 2 + ((y - py) / 3.5) ** 2 <= 1 or (abs(x - px) <= r and py <= y <= 45.0):
                nx = (x - px) / r
                return white_body(x, y, nx * 0.8)
        if point_in_poly(x, y, body):
            nx = (x - cx) / 5.5
            if y > 43.6:
                return mix((30, 30, 36), (110, 110, 120), clamp(0.6 - nx * 0.4))   # aft bulkhead
            c = white_body(x, y, nx)
            # The tail fin, edge-on, runs down the middle of the back.
            if y > 24 and abs(x - cx) < 0.7:
                return (120, 124, 136) if x > cx else (250, 250, 252)
            if y > 24 and abs(x - cx) < 1.2:
                return mix(c, (60, 62, 70), 0.55)
            # Payload bay door seams.
            if abs(abs(x - cx) - 3.6) < 0.18 and 15 < y < 38:
                return mix(c, (100, 104, 116), 0.6)
            return c
        for wing, side in ((left_wing, -1), (right_wing, 1)):
            if point_in_poly(x, y, wing):
                # Leading edges are dark heat tiles, the rest white and flat, shaded by side.
                a, b = wing[1], wing[2]
                ex, ey = b[0] - a[0], b[1] - a[1]
                dist = abs((x - a[0]) * ey - (y - a[1]) * ex) / math.hypot(ex, ey)
                if dist < 1.0 and y < 42:
                    return (40, 40, 48)
                if abs(x - cx) < 6.5 and y < 30 and (x - cx) * side > 0:
                    pass
                l = 0.88 if side < 0 else 0.66
                l -= 0.10 * clamp((y - 30) / 15)
                # Elevon hinge line near the trailing edge.
                if 42.2 < y < 42.6 and abs(x - cx) > 6.5:
                    l -= 0.2
                return mix((60, 62, 72), (238, 240, 244), l)
        # Engine bells, dark with a hot glowing throat.
        for nx0, ny0, r in nozzles:
            d = math.hypot(x - nx0, (y - ny0) * 1.3)
            if d <= r:
                if d <= r * 0.55:
                    return fire(0.95 - d / r * 0.4)
                return mix((40, 40, 46), (150, 150, 160), clamp(0.7 - (x - nx0) / r * 0.5))
        t = flame(x, y)
        # A soft glow around the plume.
        glow = clamp(0.26 * math.exp(-((y - 58) / 12) ** 2) * math.exp(-((x - cx) / 13) ** 2))
        return fire(max(t, glow))

    return supersample(W, H, 6, colour_at)


# ------------------------------------------------------------------------------------------------
# bady: the boss, a huge red-brown monster head with webbed fin-like frills, a dark scaly crown, two
# curved horns and a fanged open mouth, on black.

HIDE = ramp("#140403", "#2e0a06", "#4a120a", "#66200e", "#823016", "#9e4420", "#b85c30", "#d8885a")
WEB = ramp("#1c0406", "#420a0e", "#621416", "#82221e", "#a03628", "#c05236", "#de7a52")
SPINE = ramp("#1a0806", "#40140c", "#682a18", "#8e4626", "#b46a40", "#dca070")
SCALE = ramp("#070304", "#150b0c", "#241416", "#341e1e", "#4a2c28", "#643e34", "#8a5a48")
HORN = ramp("#1a140c", "#4a3c28", "#7a6446", "#a68c66", "#ccb48a", "#eee0bc", "#fffaf0")
TOOTH = ramp("#2a2218", "#9a8e74", "#c8bea0", "#e8e0c8", "#fffaea")
GULLET = ramp("#000000", "#120002", "#280408", "#40080e", "#5a0e16")
TONGUE = ramp("#2a0410", "#6a1028", "#942040", "#bc3858", "#dc6078", "#f4a0b0")
EYE = ramp("#200800", "#a04000", "#e07800", "#ffb000", "#ffe040", "#ffffc0")


def bezier_tube(s, pts, r0, r1, colours, n=24, **kw):
    line = [bezier(pts, i / n) for i in range(n + 1)]
    radii = [r0 + (r1 - r0) * (i / n) for i in range(n + 1)]
    return s.tube(line, radii, colours, **kw)


def frill(s, ox, oy, side, angles=(-62, -38, -15, 8, 31, 54), lengths=(46, 52, 54, 50, 44, 36)):
    """A webbed fin: bony rays fanning out from (ox, oy), skin stretched between them with
    scalloped edges and dark veins."""
    rays = []
    reach = max(lengths)
    for i, ang in enumerate(angles):
        a = math.radians(180 + ang) if side < 0 else math.radians(-ang)
        ln = lengths[i]
        tip = (ox + math.cos(a) * ln, oy + math.sin(a) * ln)
        # Each ray bows a little, like a sail batten.
        bend = (ox + math.cos(a + 0.15 * side) * ln * 0.55, oy + math.sin(a + 0.15 * side) * ln * 0.55)
        rays.append(((ox, oy), bend, tip))
    # Membrane polygon: out along each ray, the edge sags inward between tips.
    outline = [(ox, oy)]
    for i, r in enumerate(rays):
        outline.append(r[2])
        if i + 1 < len(rays):
            a, b = r[2], rays[i + 1][2]
            mx, my = (a[0] + b[0]) / 2, (a[1] + b[1]) / 2
            outline.append((mx + (ox - mx) * 0.22, my + (oy - my) * 0.22))
    tips = [r[2] for r in rays]

    def web_light(x, y):
        # Lit toward the rim, the skin between rays gathered into soft folds.
        d = math.hypot(x - ox, y - oy) / reach
        ang = math.atan2(y - oy, x - ox)
        fold = 0.5 + 0.5 * math.cos(ang * 22)
        return clamp(0.25 + 0.55 * d + 0.2 * fold - (0.15 if side > 0 else 0))

    s.polygon(outline, WEB, light=web_light, dither=0.5)
    # Veins branching across the membrane.
    for i in range(len(rays) - 1):
        a, b = rays[i][2], rays[i + 1][2]
        m = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
        end = (m[0] + (ox - m[0]) * 0.3, m[1] + (oy - m[1]) * 0.3)
        s.curve([(ox + (end[0] - ox) * 0.3, oy + (end[1] - oy) * 0.3), end], WEB[1], steps=30)
    for r in rays:
        bezier_tube(s, list(r), 2.6, 0.9, SPINE, dither=0.3)
        s.ellipsoid(r[2][0], r[2][1], 1.8, 1.8, SPINE, dither=0)


def scaly_crown(s, cx, top, bottom, head_mask):
    """Dark overlapping scales over the top of the skull.  Rows are laid from the bottom up so each
    row's rounded lower edges overlap the row below, like roof tiles."""
    def edge_y(x):
        # The crown's lower border dips to a widow's peak over the brow.
        u = (x - cx) / 40.0
        return bottom - 12 * u * u + 7 * math.exp(-(u * 7) ** 2)

    crown = {(x, y) for (x, y) in head_mask if y + 0.5 <= edge_y(x + 0.5)}
    R = 4.2
    step_x, step_y = 6.4, 3.6
    rows = int((bottom + 8 - top) / step_y) + 2
    for row in range(rows, -2, -1):
        sy = top + row * step_y
        off = step_x / 2 if row % 2 else 0.0
        for col in range(-14, 15):
            sx = cx + col * step_x + off
            for y in range(int(sy - R) - 1, int(sy + R) + 2):
                for x in range(int(sx - R) - 1, int(sx + R) + 2):
                    if (x, y) not in crown:
                        continue
                    dx, dy = x + 0.5 - sx, y + 0.5 - sy
                    d = math.hypot(dx, dy * 1.15)
                    if d > R:
                        continue
                    # The whole crown is a dome lit from the upper left; each scale a small lens.
                    nx = (x + 0.5 - cx) / 42
                    big = clamp(0.75 - 0.45 * nx - 0.35 * (y + 0.5 - top) / (bottom - top))
                    if d > R - 1.0 and dy > -1.0:
                        c = SCALE[0]
                    else:
                        lens = clamp(0.9 - (dx + dy) / (2 * R) - 0.5 * d / R)
                        l = clamp(big * (0.45 + 0.75 * lens) + BAYER[y % 4][x % 4] * 0.2)
                        c = SCALE[1 + int(clamp(l * 5.99, 0, 5))]
                    s.px[y][x] = c
    # A dark rim where the crown meets the hide.
    for (x, y) in head_mask:
        if edge_y(x + 0.5) < y + 0.5 <= edge_y(x + 0.5) + 1.2:
            s.px[y][x] = SCALE[0]


def profile_shape(s, cx, widths, colours, **kw):
    """A bilaterally symmetric rounded form; widths lists (y, half width) from top to bottom."""
    ys = [w[0] for w in widths]

    def half(y):
        if y <= ys[0] or y >= ys[-1]:
            return 0.0
        for i in range(len(widths) - 1):
            (ya, wa), (yb, wb) = widths[i], widths[i + 1]
            if ya <= y <= yb:
                t = (y - ya) / (yb - ya)
                # Catmull-Rom through the neighbours keeps the outline smooth.
                w0 = widths[i - 1][1] if i > 0 else wa
                w3 = widths[i + 2][1] if i + 2 < len(widths) else wb
                return 0.5 * ((2 * wa) + (-w0 + wb) * t + (2 * w0 - 5 * wa + 4 * wb - w3) * t * t +
                              (-w0 + 3 * wa - 3 * wb + w3) * t ** 3)
        return 0.0

    mid, hh = (ys[0] + ys[-1]) / 2, (ys[-1] - ys[0]) / 2

    def inside(x, y):
        return abs(x - cx) <= half(y)

    def shade(x, y):
        w = half(y) or 1e-9
        nx = (x - cx) / w
        ny = (y - mid) / hh
        nz = math.sqrt(max(0.0, 1 - nx * nx)) * math.sqrt(max(0.0, 1 - ny * ny * 0.6))
        ny *= 0.75
        m = math.sqrt(nx * nx + ny * ny + nz * nz) or 1
        return lit(nx / m, ny / m, nz / m)

    wmax = max(w[1] for w in widths)
    return s.part((cx - wmax, ys[0], cx + wmax, ys[-1]), inside, shade, colours, **kw)


def bump(s, cx, cy, rx, ry, colours, clip, strength=1.0, dither=0.45):
    """Reshades an area as a swelling under the skin, without an outline."""
    return s.ellipsoid(cx, cy, rx, ry, colours, edge=False, clip=clip, dither=dither, gloss_at=2.0)


def make_bady():
    W, H = 164, 133
    s = Sprite(W, H)
    cx = 82.0
    # Frills behind the head.
    for side in (-1, 1):
        frill(s, cx + side * 26, 104, side, angles=(-8, -30, -52), lengths=(36, 38, 30))
        frill(s, cx + side * 30, 64, side)
    # Horns: from the crown, sweeping out and curling up to sharp tips.
    horns = []
    for side in (-1, 1):
        pts = [(cx + side * 22, 32), (cx + side * 42, 22), (cx + side * 52, 2), (cx + side * 38, 3)]
        horns.append(pts)
    # The head, wide cheeks narrowing to a heavy jaw.
    head = profile_shape(s, cx, [(17, 0), (20, 14), (26, 27), (35, 34), (50, 38), (64, 39.5), (78, 37),
                                 (92, 34), (106, 31.5), (118, 27), (126, 19), (130, 9), (131.5, 0)],
                         HIDE, dither=0.45, gloss_at=0.75)
    # Cheekbones and a muzzle swelling under the hide.
    inner = {(x, y) for (x, y) in head if all((x + dx, y + dy) in head for dx in (-2, 2) for dy in (-2, 2))}
    for side in (-1, 1):
        bump(s, cx + side * 24, 76, 12, 11, HIDE[1:], inner)
    bump(s, cx, 80, 13, 10, HIDE[1:], inner)
    # Warts scattered over the hide: lit above, shadowed below.
    rnd = random.Random(7)
    for _ in range(70):
        x, y = rnd.randint(48, 116), rnd.randint(55, 125)
        if (x, y) in inner and (x, y + 2) in inner:
            s.put(x, y, HIDE[6])
            s.put(x + 1, y + 1, HIDE[2])
            s.put(x, y + 1, HIDE[4])
    scaly_crown(s, cx, 16, 50, head)
    for pts in horns:
        side = 1 if pts[0][0] > cx else -1
        bezier_tube(s, pts, 6.2, 1.0, HORN, dither=0.35, n=30)
        # Growth rings around the horn.
        for t in (0.18, 0.32, 0.46, 0.6, 0.72):
            p = bezier(pts, t)
            q = bezier(pts, t + 0.02)
            dx, dy = q[0] - p[0], q[1] - p[1]
            m = math.hypot(dx, dy) or 1
            r = 6.2 + (1.0 - 6.2) * t - 0.8
            s.line(p[0] - dy / m * r, p[1] + dx / m * r, p[0] + dy / m * r, p[1] - dx / m * r, HORN[1])
    # Deep shadowed sockets, heavy brows, glowing slit eyes.
    for side in (-1, 1):
        s.ellipsoid(cx + side * 17, 60.5, 12.5, 8.0, [HIDE[0], HIDE[0], HIDE[1], HIDE[2], HIDE[3]],
                    edge=False, dither=0.5, gloss_at=2.0, clip=head)
    for side in (-1, 1):
        ex, ey = cx + side * 17, 60
        s.part((ex - 10, ey - 6, ex + 10, ey + 6),
               lambda x, y, ex=ex, ey=ey, side=side:
               ((x - ex) / 8.5) ** 2 + ((y - ey + side * (x - ex) * 0.18) / 4.6) ** 2 <= 1,
               lambda x, y, ex=ex, ey=ey: (clamp(1.0 - math.hypot((x - ex) / 8, (y - ey) / 4) * 0.7), 0),
               EYE, dither=0.3)
        for y in range(ey - 4, ey + 5):
            s.put(int(ex), y, (20, 0, 0))
            if abs(y - ey) < 3:
                s.put(int(ex) + 1, y, (40, 4, 0))
        s.put(int(ex) - 3, ey - 2, (255, 255, 240))
        # The brow: a thick ridge angled down toward the nose.
        bezier_tube(s, [(ex + side * 13, ey - 14), (ex + side * 2, ey - 10), (ex - side * 9, ey - 3)],
                    4.2, 3.2, HIDE, dither=0.4, gloss_at=0.6)
    # Nostril slits on a short snout.
    for side in (-1, 1):
        s.tube([(cx + side * 3, 82.0), (cx + side * 7, 79.0)], [1.4, 1.0], [HIDE[0]], edge=False, dither=0)
        s.line(cx + side * 3, 80.5, cx + side * 7, 77.5, HIDE[6])
    # Snarl wrinkles over the muzzle and beside the nose.
    for side in (-1, 1):
        for k in range(3):
            s.curve([(cx + side * (9 + k * 3), 84 + k * 2), (cx + side * (13 + k * 3), 80 + k * 3),
                     (cx + side * (15 + k * 3), 86 + k * 3)], HIDE[1], steps=20)
    # The open mouth.
    mx, my = cx, 104
    mouth_rx, mouth_ry = 27, 17

    def in_mouth(x, y):
        top = my - mouth_ry * 0.55 + 0.012 * (x - mx) ** 2
        return ((x - mx) / mouth_rx) ** 2 + ((y - my) / mouth_ry) ** 2 <= 1 and y >= top

    mouth = s.part((mx - mouth_rx, my - mouth_ry, mx + mouth_rx, my + mouth_ry), in_mouth,
                   lambda x, y: (clamp(0.15 + 0.6 * ((y - my) / mouth_ry + 0.6)
                                       - 0.4 * abs(x - mx) / mouth_rx), 0.0), GULLET, dither=0.4)
    s.blob(mx, my + 9, 13, 6, TONGUE, clip=mouth, dither=0.4, taper=-0.2)
    s.line(mx, my + 5, mx, my + 11, TONGUE[1])
    # Fangs: two great ones above, two below, smaller teeth between.

    def fang(x, y0, y1, w, down=True):
        tip = (x + (1.2 if x < mx else -1.2), y1)
        pts = [(x - w, y0), (x + w, y0), tip] if down else [(x - w, y0), (x + w, y0), tip]
        s.polygon(pts, TOOTH, light=lambda px, py: clamp(0.9 - (px - x + w) / (2 * w + 0.01) * 0.6),
                  dither=0.2)

    top_of = lambda x: my - mouth_ry * 0.55 + 0.012 * (x - mx) ** 2
    for side in (-1, 1):
        x = mx + side * 14
        fang(x, top_of(x) - 1, top_of(x) + 18, 4.0)
        for dx in (4.5, 8.5):
            x2 = mx + side * dx
            fang(x2, top_of(x2) - 1, top_of(x2) + 7, 2.6)
        x3 = mx + side * 20.5
        fang(x3, top_of(x3) - 1, top_of(x3) + 8, 2.6)
        bot = lambda x: my + mouth_ry * math.sqrt(max(0.0, 1 - ((x - mx) / mouth_rx) ** 2))
        xb = mx + side * 10
        fang(xb, bot(xb) + 1, bot(xb) - 14, 3.4, down=False)
        for dx in (4.0, 16.5):
            x4 = mx + side * dx
            fang(x4, bot(x4) + 1, bot(x4) - 6, 2.4, down=False)
    return s


# ------------------------------------------------------------------------------------------------
# icon: the window icon, brit1's face in its glass helmet on a dark background.

def make_icon():
    s = Sprite(32, 32)
    cx, hy, hr = 16.0, 16.8, 13.2
    # The orange frame arching over the helmet, with its two bobbles.
    s.tube([(cx - 11.5, 12.0), (cx - 9.5, 5.0), (cx - 4, 2.6), (cx + 4, 2.6), (cx + 9.5, 5.0),
            (cx + 11.5, 12.0)], [1.4] * 6, ORANGE[:5], dither=0)
    for side in (-1, 1):
        s.ellipsoid(cx + side * 6.5, 1.6, 1.6, 1.6, ORANGE[:5], dither=0)
    collar = Sprite(32, 32)
    collar.ellipsoid(cx, 29.6, 13.5, 3.4, BLUE, dither=0.3)
    s.paste(collar)
    inner = Sprite(32, 32)
    inner.tube([(cx, 24.0), (cx, 29.0)], [2.2, 2.6], PINK, dither=0)
    draw_brit1_face(inner, cx, 17.2, 0.66, detail=False, pupil=1.9)
    bowl = glass_bowl(s, cx, hy, hr, inner, rim=1)
    s.paste(collar, {(x, y) for (x, y) in collar.mask() if y >= 28})
    glare(s, cx, hy, hr, {(x, y) for (x, y) in bowl if y < 28}, big=False)
    return s


def save_icon(s, name, background=(6, 6, 20)):
    img = s.image(background)
    colours = sorted(set(img.getdata()))
    if len(colours) > 256:
        raise SystemExit("%s: %d colours, too many for an 8-bit BMP" % (name, len(colours)))
    index = {c: i for i, c in enumerate(colours)}
    pal = [v for c in colours for v in c] + [0, 0, 0] * (256 - len(colours))
    out = Image.new("P", img.size)
    out.putpalette(pal)
    out.putdata([index[c] for c in img.getdata()])
    out.save(os.path.join(OUT, name))


# ------------------------------------------------------------------------------------------------
# Saving.

def save_gif(s, name):
    """Palette GIF on silver with silver as the transparent index 0."""
    colours = []
    seen = {}
    for y in range(s.h):
        for x in range(s.w):
            c = s.px[y][x]
            if c is None:
                continue
            if c == SILVER:  # never let a figure pixel vanish into the background
                c = (190, 190, 194)
                s.px[y][x] = c
            if c not in seen:
                seen[c] = len(colours) + 1
                colours.append(c)
    if len(colours) > 255:
        raise SystemExit("%s: %d colours, too many for a GIF" % (name, len(colours)))
    img = Image.new("P", (s.w, s.h), 0)
    pal = list(SILVER)
    for c in colours:
        pal.extend(c)
    pal.extend([0, 0, 0] * (256 - 1 - len(colours)))
    img.putpalette(pal)
    for y in range(s.h):
        for x in range(s.w):
            c = s.px[y][x]
            img.putpixel((x, y), 0 if c is None else seen[c])
    img.save(os.path.join(OUT, name), transparency=0, optimize=False)


def main():
    os.makedirs(OUT, exist_ok=True)
    save_gif(make_brit1(), "brit1.gif")
    save_gif(make_brit2(), "brit2.gif")
    save_gif(make_brit3(), "brit3.gif")
    save_gif(make_brit4(), "brit4.gif")
    save_icon(make_icon(), "icon.bmp")
    make_bady().image((0, 0, 0)).save(os.path.join(OUT, "bady.bmp"))
    make_ship().save(os.path.join(OUT, "ship.jpg"), quality=95, subsampling=0)


if __name__ == "__main__":
    main()
