#!/usr/bin/env python3
"""Draws the shipped stand-in pictures as 24-bit Windows BMP files.

    scripts/make-pictures.py [OUTPUT_FOLDER]

OUTPUT_FOLDER (default data/bmp) receives

    cooking/和食.bmp, cooking/洋食.bmp, cooking/中華.bmp, cooking/DEFCOOK.bmp
        the pictures of a dish without its own picture, by category (a rice bowl with chopsticks,
        a plate with knife and fork, a noodle bowl with a spoon, a covered dish)
    bmpsy1/DEF1256.bmp ... bmpsy18/DEF18256.bmp
        the default picture of a food without a photo: a card in the group's colour with the
        group's number and name

Everything is drawn here, with the standard library only: shapes are polygons filled with
anti-aliasing, and text is taken as outlines from the IPAex Gothic font (Debian:
fonts-ipaexfont-gothic), so the files do not depend on the fonts or the graphics library of the
machine. The drawing has no randomness and no dates, so the same font file always gives the same
bytes; the tests compare a fresh run with the committed files.
"""

import math
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
FONT_PATH = Path("/usr/share/fonts/opentype/ipaexfont-gothic/ipaexg.ttf")

WIDTH = 160
HEIGHT = 120
SUBSAMPLES = 5  # sub-scanlines per pixel row of the anti-aliasing

# ---------------------------------------------------------------------------------------------
# TrueType outlines (only what the IPAex Gothic font needs: cmap formats 4 and 12, simple and
# composite glyphs).


class Font:
    def __init__(self, path):
        self.data = path.read_bytes()
        count = struct.unpack_from(">H", self.data, 4)[0]
        self.tables = {}
        for i in range(count):
            tag, _, offset, length = struct.unpack_from(">4sIII", self.data, 12 + 16 * i)
            self.tables[tag.decode("latin-1")] = (offset, length)
        head = self.tables["head"][0]
        self.units_per_em = struct.unpack_from(">H", self.data, head + 18)[0]
        self.long_loca = struct.unpack_from(">h", self.data, head + 50)[0] == 1
        self.glyph_count = struct.unpack_from(">H", self.data, self.tables["maxp"][0] + 4)[0]
        self.metric_count = struct.unpack_from(">H", self.data, self.tables["hhea"][0] + 34)[0]
        self.cmap = self._read_cmap()

    def _read_cmap(self):
        base = self.tables["cmap"][0]
        count = struct.unpack_from(">H", self.data, base + 2)[0]
        subtables = {}
        for i in range(count):
            platform, encoding, offset = struct.unpack_from(">HHI", self.data, base + 4 + 8 * i)
            subtables[(platform, encoding)] = base + offset
        mapping = {}
        if (3, 10) in subtables:
            at = subtables[(3, 10)]
            groups = struct.unpack_from(">I", self.data, at + 12)[0]
            for g in range(groups):
                start, end, glyph = struct.unpack_from(">III", self.data, at + 16 + 12 * g)
                for c in range(start, end + 1):
                    mapping[c] = glyph + c - start
            return mapping
        at = subtables[(3, 1)]
        segments = struct.unpack_from(">H", self.data, at + 6)[0] // 2
        ends = at + 14
        starts = ends + 2 * segments + 2
        deltas = starts + 2 * segments
        ranges = deltas + 2 * segments
        for s in range(segments):
            end = struct.unpack_from(">H", self.data, ends + 2 * s)[0]
            start = struct.unpack_from(">H", self.data, starts + 2 * s)[0]
            delta = struct.unpack_from(">h", self.data, deltas + 2 * s)[0]
            range_offset = struct.unpack_from(">H", self.data, ranges + 2 * s)[0]
            for c in range(start, min(end, 0xFFFE) + 1):
                if range_offset == 0:
                    glyph = (c + delta) & 0xFFFF
                else:
                    glyph = struct.unpack_from(">H", self.data, ranges + 2 * s + range_offset + 2 * (c - start))[0]
                    if glyph:
                        glyph = (glyph + delta) & 0xFFFF
                mapping[c] = glyph
        return mapping

    def glyph(self, char):
        glyph = self.cmap.get(ord(char), 0)
        if glyph == 0:
            raise SystemExit(f"make-pictures: the font has no glyph for {char!r}")
        return glyph

    def advance(self, glyph):
        hmtx = self.tables["hmtx"][0]
        return struct.unpack_from(">H", self.data, hmtx + 4 * min(glyph, self.metric_count - 1))[0]

    def _glyph_range(self, glyph):
        loca = self.tables["loca"][0]
        if self.long_loca:
            start, end = struct.unpack_from(">II", self.data, loca + 4 * glyph)
        else:
            start, end = (2 * v for v in struct.unpack_from(">HH", self.data, loca + 2 * glyph))
        return self.tables["glyf"][0] + start, end - start

    def contours(self, glyph):
        """The glyph's contours in font units, each a list of (x, y, on_curve)."""
        at, length = self._glyph_range(glyph)
        if length == 0:
            return []
        count = struct.unpack_from(">h", self.data, at)[0]
        if count < 0:
            return self._composite(at + 10)
        ends = struct.unpack_from(f">{count}H", self.data, at + 10)
        points = ends[-1] + 1 if count else 0
        p = at + 10 + 2 * count
        p += 2 + struct.unpack_from(">H", self.data, p)[0]
        flags = []
        while len(flags) < points:
            flag = self.data[p]
            p += 1
            flags.append(flag)
            if flag & 8:
                flags.extend([flag] * self.data[p])
                p += 1
        coordinates = []
        for short_bit, same_bit in ((2, 16), (4, 32)):
            values = []
            value = 0
            for flag in flags:
                if flag & short_bit:
                    step = self.data[p]
                    p += 1
                    value += step if flag & same_bit else -step
                elif not flag & same_bit:
                    value += struct.unpack_from(">h", self.data, p)[0]
                    p += 2
                values.append(value)
            coordinates.append(values)
        result = []
        first = 0
        for end in ends:
            result.append([(coordinates[0][i], coordinates[1][i], bool(flags[i] & 1)) for i in range(first, end + 1)])
            first = end + 1
        return result

    def _composite(self, p):
        result = []
        while True:
            flags, component = struct.unpack_from(">HH", self.data, p)
            p += 4
            if flags & 1:
                dx, dy = struct.unpack_from(">hh", self.data, p)
                p += 4
            else:
                dx, dy = struct.unpack_from(">bb", self.data, p)
                p += 2
            if not flags & 2:
                raise SystemExit("make-pictures: composite glyphs anchored by points are not supported")
            a, b, c, d = 1.0, 0.0, 0.0, 1.0
            if flags & 8:
                a = d = struct.unpack_from(">h", self.data, p)[0] / 16384
                p += 2
            elif flags & 0x40:
                a, d = (v / 16384 for v in struct.unpack_from(">hh", self.data, p))
                p += 4
            elif flags & 0x80:
                a, b, c, d = (v / 16384 for v in struct.unpack_from(">hhhh", self.data, p))
                p += 8
            for contour in self.contours(component):
                result.append([(a * x + c * y + dx, b * x + d * y + dy, on) for x, y, on in contour])
            if not flags & 0x20:
                return result


def flatten_contour(contour, transform, steps=6):
    """A closed polygon through a quadratic TrueType contour, mapped by transform(x, y)."""
    points = list(contour)
    if not points:
        return []
    # Start on an on-curve point; a contour of off-curve points only starts between two of them.
    start = next((i for i, p in enumerate(points) if p[2]), None)
    if start is None:
        x0, y0, _ = points[0]
        x1, y1, _ = points[1]
        points.insert(0, ((x0 + x1) / 2, (y0 + y1) / 2, True))
        start = 0
    points = points[start:] + points[:start]
    polygon = [transform(points[0][0], points[0][1])]
    current = points[0]
    control = None
    for x, y, on in points[1:] + [points[0]]:
        if on:
            if control is None:
                polygon.append(transform(x, y))
            else:
                polygon.extend(quadratic(current, control, (x, y), transform, steps))
                control = None
            current = (x, y)
        else:
            if control is not None:
                middle = ((control[0] + x) / 2, (control[1] + y) / 2)
                polygon.extend(quadratic(current, control, middle, transform, steps))
                current = middle
            control = (x, y)
    return polygon


def quadratic(p0, p1, p2, transform, steps):
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        out.append(transform(u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
                             u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]))
    return out


FONT = None


def text_shape(text, size, cx, cy):
    """The outlines of text at size pixels per em, with the ink centred on (cx, cy)."""
    global FONT
    if FONT is None:
        if not FONT_PATH.exists():
            raise SystemExit(f"make-pictures: the font {FONT_PATH} is missing (Debian: fonts-ipaexfont-gothic)")
        FONT = Font(FONT_PATH)
    scale = size / FONT.units_per_em
    polygons = []
    pen = 0.0
    for char in text:
        glyph = FONT.glyph(char)
        offset = pen

        def transform(x, y, offset=offset):
            return (offset + x * scale, -y * scale)

        for contour in FONT.contours(glyph):
            polygons.append(flatten_contour(contour, transform))
        pen += FONT.advance(glyph) * scale
    xs = [x for poly in polygons for x, _ in poly]
    ys = [y for poly in polygons for _, y in poly]
    dx = cx - (min(xs) + max(xs)) / 2
    dy = cy - (min(ys) + max(ys)) / 2
    return [[(x + dx, y + dy) for x, y in poly] for poly in polygons]


def text_width(shape):
    xs = [x for poly in shape for x, _ in poly]
    return max(xs) - min(xs)


# ---------------------------------------------------------------------------------------------
# Canvas: float RGB, shapes are lists of closed polygons filled by the non-zero rule.


class Canvas:
    def __init__(self, width, height, paint):
        self.width = width
        self.height = height
        self.pixels = [list(colour_at(paint, x + 0.5, y + 0.5)) for y in range(height) for x in range(width)]

    def fill(self, polygons, paint, opacity=1.0):
        edges = []
        for poly in polygons:
            n = len(poly)
            for i in range(n):
                x0, y0 = poly[i]
                x1, y1 = poly[(i + 1) % n]
                if y0 != y1:
                    edges.append((x0, y0, x1, y1, 1 if y1 > y0 else -1))
        if not edges:
            return
        top = max(0, int(math.floor(min(min(e[1], e[3]) for e in edges))))
        bottom = min(self.height, int(math.ceil(max(max(e[1], e[3]) for e in edges))))
        for row in range(top, bottom):
            active = [e for e in edges if min(e[1], e[3]) < row + 1 and max(e[1], e[3]) > row]
            if not active:
                continue
            coverage = {}
            for k in range(SUBSAMPLES):
                y = row + (k + 0.5) / SUBSAMPLES
                crossings = []
                for x0, y0, x1, y1, direction in active:
                    if (y0 <= y < y1) or (y1 <= y < y0):
                        crossings.append((x0 + (y - y0) * (x1 - x0) / (y1 - y0), direction))
                crossings.sort()
                winding = 0
                for i, (x, direction) in enumerate(crossings):
                    before = winding
                    winding += direction
                    if before == 0 and winding != 0:
                        span_start = x
                    elif before != 0 and winding == 0:
                        add_span(coverage, span_start, x, self.width)
            for column, amount in coverage.items():
                alpha = min(1.0, amount / SUBSAMPLES) * opacity
                if alpha <= 0:
                    continue
                colour = colour_at(paint, column + 0.5, row + 0.5)
                pixel = self.pixels[row * self.width + column]
                for c in range(3):
                    pixel[c] += (colour[c] - pixel[c]) * alpha

    def bmp(self):
        """The picture as a 24-bit bottom-up Windows BMP (BITMAPINFOHEADER, no compression)."""
        stride = (self.width * 3 + 3) & ~3
        body = bytearray()
        for y in range(self.height - 1, -1, -1):
            row = bytearray()
            for x in range(self.width):
                r, g, b = (max(0, min(255, int(round(v)))) for v in self.pixels[y * self.width + x])
                row += bytes((b, g, r))
            row += bytes(stride - len(row))
            body += row
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
        return header + info + bytes(body)


def add_span(coverage, a, b, width):
    a = max(0.0, a)
    b = min(float(width), b)
    if b <= a:
        return
    first = int(a)
    last = int(b)
    if first == last:
        coverage[first] = coverage.get(first, 0.0) + (b - a)
        return
    coverage[first] = coverage.get(first, 0.0) + (first + 1 - a)
    for column in range(first + 1, min(last, width)):
        coverage[column] = coverage.get(column, 0.0) + 1.0
    if last < width:
        coverage[last] = coverage.get(last, 0.0) + (b - last)


# Paints: a colour (r, g, b) or a gradient between two colours along a line.


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def gradient(x0, y0, c0, x1, y1, c1):
    return ("gradient", x0, y0, hex_colour(c0), x1, y1, hex_colour(c1))


def colour_at(paint, x, y):
    if isinstance(paint, str):
        return hex_colour(paint)
    if paint[0] == "gradient":
        _, x0, y0, c0, x1, y1, c1 = paint
        dx, dy = x1 - x0, y1 - y0
        t = ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)
        t = max(0.0, min(1.0, t))
        return tuple(c0[i] + (c1[i] - c0[i]) * t for i in range(3))
    return paint


# Shapes.


def ellipse(cx, cy, rx, ry, start=0.0, end=2 * math.pi, steps=72):
    """An ellipse (or, with start/end in radians, the closed arc between them; y grows downwards)."""
    full = end - start >= 2 * math.pi - 1e-9
    count = steps if full else max(2, int(steps * (end - start) / (2 * math.pi)) + 1)
    points = []
    for i in range(count if full else count + 1):
        t = start + (end - start) * i / count
        points.append((cx + rx * math.cos(t), cy + ry * math.sin(t)))
    return points


def rectangle(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def rounded_rectangle(x0, y0, x1, y1, r):
    points = []
    for cx, cy, a in ((x1 - r, y0 + r, -math.pi / 2), (x1 - r, y1 - r, 0.0),
                      (x0 + r, y1 - r, math.pi / 2), (x0 + r, y0 + r, math.pi)):
        points += ellipse(cx, cy, r, r, a, a + math.pi / 2, steps=48)
    return points


def oriented(polygon):
    """polygon turned so that it winds the same way as every other shape part (non-zero fill
    then unions the parts)."""
    area = sum(polygon[i][0] * polygon[(i + 1) % len(polygon)][1] - polygon[(i + 1) % len(polygon)][0] * polygon[i][1]
               for i in range(len(polygon)))
    return polygon if area >= 0 else polygon[::-1]


def stroke(points, width, taper=None):
    """A polyline drawn with round joins and caps, width pixels wide (taper: the width at the end,
    for chopsticks and handles)."""
    end_width = width if taper is None else taper
    parts = []
    total = len(points) - 1
    for i in range(total):
        (x0, y0), (x1, y1) = points[i], points[i + 1]
        w0 = (width + (end_width - width) * i / total) / 2
        w1 = (width + (end_width - width) * (i + 1) / total) / 2
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length, (x1 - x0) / length
        parts.append(oriented([(x0 + nx * w0, y0 + ny * w0), (x1 + nx * w1, y1 + ny * w1),
                               (x1 - nx * w1, y1 - ny * w1), (x0 - nx * w0, y0 - ny * w0)]))
    for i, (x, y) in enumerate(points):
        w = (width + (end_width - width) * i / total) / 2
        parts.append(oriented(ellipse(x, y, w, w, steps=24)))
    return parts


def translated(polygons, dx, dy):
    return [[(x + dx, y + dy) for x, y in poly] for poly in polygons]


def shadow(canvas, polygons, dx, dy, opacity=0.22, spread=3):
    """A soft shadow: the shape repeated a few times, each a little larger and fainter."""
    xs = [x for poly in polygons for x, _ in poly]
    ys = [y for poly in polygons for _, y in poly]
    cx, cy = (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2
    half_w, half_h = max(1.0, (max(xs) - min(xs)) / 2), max(1.0, (max(ys) - min(ys)) / 2)
    for step in range(spread, 0, -1):
        sx, sy = 1 + step / half_w, 1 + step / half_h
        grown = [[(cx + (x - cx) * sx + dx, cy + (y - cy) * sy + dy) for x, y in poly] for poly in polygons]
        canvas.fill(grown, "#000000", opacity / (spread + 1))
    canvas.fill(translated(polygons, dx, dy), "#000000", opacity / (spread + 1))


def caption(canvas, text, fill, ink):
    """The picture's name on a small label in the lower right corner."""
    shape = text_shape(text, 15, 0, 0)
    w = text_width(shape)
    x1, y1 = WIDTH - 6, HEIGHT - 6
    x0, y0 = x1 - w - 14, y1 - 21
    label = [rounded_rectangle(x0, y0, x1, y1, 6)]
    shadow(canvas, label, 0, 1, 0.25, 1)
    canvas.fill(label, fill)
    canvas.fill(translated(shape, (x0 + x1) / 2, (y0 + y1) / 2), ink)


# ---------------------------------------------------------------------------------------------
# Dish categories.


def japanese_dish():
    canvas = Canvas(WIDTH, HEIGHT, gradient(0, 0, "#efe8cf", 0, HEIGHT, "#d8cda3"))
    for y in range(3, HEIGHT, 5):  # the weave of a tatami mat
        canvas.fill([rectangle(0, y, WIDTH, y + 1)], "#9c8f5f", 0.18)
    cx, rim = 80, 50
    bowl = [ellipse(cx, rim, 38, 38, 0, math.pi, steps=96)]
    foot = [rounded_rectangle(cx - 15, rim + 33, cx + 15, rim + 43, 3)]
    shadow(canvas, [ellipse(cx, rim + 43, 30, 6)], 0, 0, 0.35, 4)
    canvas.fill(foot, "#20305c")
    canvas.fill(bowl, gradient(cx - 38, 0, "#4a6cb0", cx + 38, 0, "#1f3468"))
    # A white wave around the bowl.
    wave = [(cx - 34 + i * 2, rim + 16 + 2.2 * math.sin(i * 0.9)) for i in range(35)]
    canvas.fill(stroke(wave, 2.2), "#f4f1e6", 0.9)
    canvas.fill([ellipse(cx - 14, rim + 24, 4, 4), ellipse(cx + 14, rim + 24, 4, 4), ellipse(cx, rim + 28, 4, 4)], "#f4f1e6", 0.85)
    # The rice heaped above the rim.
    rice = [ellipse(cx, rim + 1, 36, 22, math.pi, 2 * math.pi, steps=96)]
    canvas.fill(rice, gradient(0, rim - 22, "#ffffff", 0, rim, "#ebe7da"))
    for gx, gy, a in ((-20, -5, 0.4), (-8, -12, -0.3), (6, -15, 0.2), (18, -7, -0.5), (-2, -5, 0.7),
                      (10, -4, 0.1), (-14, -14, 0.9), (26, -2, 0.3), (-27, -1, -0.2), (0, -19, 0.0)):
        grain = [(cx + gx + 3.2 * math.cos(t) * math.cos(a) - 1.6 * math.sin(t) * math.sin(a),
                  rim + gy + 3.2 * math.cos(t) * math.sin(a) + 1.6 * math.sin(t) * math.cos(a))
                 for t in (i * math.pi / 12 for i in range(24))]
        canvas.fill([grain], "#d9d3bf", 0.9)
    canvas.fill(stroke([(cx - 38, rim), (cx + 38, rim)], 2.0), "#2b4583")
    # Chopsticks on their rest, in front of the bowl.
    rest = [ellipse(30, 104, 8, 4)]
    shadow(canvas, rest, 0, 2, 0.3, 2)
    canvas.fill(rest, gradient(22, 0, "#9fb6c9", 38, 0, "#6f8aa3"))
    for offset in (0, 5):
        line = [(14, 100 + offset), (150, 89 + offset)]
        canvas.fill(stroke(translated([line], 0, 2)[0], 4.2, 2.2), "#000000", 0.15)
        canvas.fill(stroke(line, 4.2, 2.2), gradient(0, 95, "#9a3a22", 0, 103, "#5e1f12"))
        canvas.fill(stroke([(14, 100 + offset), (40, 98 + offset)], 4.4), "#2a2a2a")
    caption(canvas, "和食", "#fffdf5", "#7a2e1f")
    return canvas


def western_dish():
    canvas = Canvas(WIDTH, HEIGHT, "#fbf7f2")
    for i in range(0, WIDTH, 16):  # a gingham table cloth
        canvas.fill([rectangle(i, 0, i + 8, HEIGHT)], "#d9534f", 0.28)
    for i in range(0, HEIGHT, 16):
        canvas.fill([rectangle(0, i, WIDTH, i + 8)], "#d9534f", 0.28)
    cx, cy = 80, 56
    plate = [ellipse(cx, cy, 42, 42, steps=120)]
    shadow(canvas, plate, 1, 3, 0.35, 4)
    canvas.fill(plate, gradient(cx - 30, cy - 30, "#ffffff", cx + 30, cy + 30, "#e4e4e4"))
    canvas.fill([ellipse(cx, cy, 31, 31, steps=120)], "#d0d0d0")
    canvas.fill([ellipse(cx, cy, 30, 30, steps=120)], gradient(cx + 20, cy + 20, "#ffffff", cx - 20, cy - 20, "#efefef"))
    # A hamburger steak with greens and a carrot.
    steak = [ellipse(cx - 3, cy + 2, 18, 13)]
    shadow(canvas, steak, 0, 2, 0.3, 2)
    canvas.fill(steak, gradient(0, cy - 11, "#9b5a30", 0, cy + 15, "#5c3018"))
    canvas.fill([ellipse(cx - 3, cy - 2, 13, 6)], "#6e2a14", 0.8)  # the sauce
    canvas.fill([ellipse(cx - 8, cy - 4, 4, 1.6)], "#ffffff", 0.35)
    for lx, ly, a in ((cx + 17, cy - 14, 0.6), (cx + 22, cy - 7, -0.2), (cx + 12, cy - 19, 1.2)):
        leaf = [(lx + 7 * math.cos(t) * math.cos(a) - 3.5 * math.sin(t) * math.sin(a),
                 ly + 7 * math.cos(t) * math.sin(a) + 3.5 * math.sin(t) * math.cos(a))
                for t in (i * math.pi / 16 for i in range(32))]
        canvas.fill([leaf], gradient(lx - 6, ly, "#7cc35b", lx + 6, ly, "#3c8a2e"))
    carrot = [(cx + 12, cy + 13), (cx + 26, cy + 6), (cx + 25, cy + 16)]
    canvas.fill([carrot], gradient(cx + 12, 0, "#ff9a3c", cx + 26, 0, "#e06a10"))
    # Fork on the left, knife on the right.
    fork = stroke([(20, 64), (20, 108)], 6) + [rounded_rectangle(13, 40, 27, 58, 5), rectangle(17.5, 50, 22.5, 66)]
    for tine in range(4):
        x = 14 + tine * 3.7
        fork.append(rounded_rectangle(x, 14, x + 2.2, 46, 1.1))
    knife = stroke([(140, 64), (140, 108)], 7) + [[(135, 66), (135, 22), (139, 14), (145, 20), (145, 66)]]
    for tool in (fork, knife):
        shadow(canvas, tool, 1, 2, 0.35, 1)
        canvas.fill(tool, "#8d949c")
        canvas.fill(translated(tool, -0.6, -0.6), gradient(0, 14, "#f4f6f8", 0, 108, "#b9c0c8"))
    caption(canvas, "洋食", "#ffffff", "#b23a36")
    return canvas


def chinese_dish():
    canvas = Canvas(WIDTH, HEIGHT, gradient(0, 0, "#c9352f", 0, HEIGHT, "#851616"))
    # A gold frame with the corners cut in, as on a menu board.
    frame = [rectangle(5, 5, WIDTH - 5, 7), rectangle(5, HEIGHT - 7, WIDTH - 5, HEIGHT - 5),
             rectangle(5, 5, 7, HEIGHT - 5), rectangle(WIDTH - 7, 5, WIDTH - 5, HEIGHT - 5)]
    canvas.fill([oriented(p) for p in frame], "#e8b84a", 0.8)
    cx, rim = 80, 52
    bowl = [ellipse(cx, rim, 50, 40, 0, math.pi, steps=120)]
    shadow(canvas, [ellipse(cx, rim + 42, 34, 6)], 0, 0, 0.45, 4)
    canvas.fill([rounded_rectangle(cx - 18, rim + 34, cx + 18, rim + 44, 3)], "#d6d6d0")
    canvas.fill(bowl, gradient(cx - 50, 0, "#ffffff", cx + 50, 0, "#d3d3cb"))
    # The fret band below the rim.
    band_top, band_bottom = rim + 6, rim + 14
    clip_half = math.sqrt(max(0.0, 1 - ((band_bottom - rim) / 40) ** 2)) * 50
    top_half = math.sqrt(max(0.0, 1 - ((band_top - rim) / 40) ** 2)) * 50
    canvas.fill([oriented([(cx - top_half, band_top), (cx + top_half, band_top),
                           (cx + clip_half, band_bottom), (cx - clip_half, band_bottom)])], "#c9352f")
    for i in range(-4, 5):
        x = cx + i * 10
        square = [oriented(rectangle(x - 3, band_top + 1.5, x + 3, band_top + 2.5)),
                  oriented(rectangle(x + 2, band_top + 1.5, x + 3, band_bottom - 1.5)),
                  oriented(rectangle(x - 1, band_bottom - 2.5, x + 3, band_bottom - 1.5)),
                  oriented(rectangle(x - 1, band_top + 3.5, x, band_bottom - 1.5))]
        canvas.fill(square, "#ffffff", 0.9)
    # Soup and noodles seen over the rim.
    canvas.fill([ellipse(cx, rim, 50, 9, steps=120)], "#f7f7f2")
    canvas.fill([ellipse(cx, rim + 0.5, 46, 7.5, steps=120)], gradient(0, rim - 7, "#c97b22", 0, rim + 7, "#e9a84a"))
    for k in range(5):
        wave = [(cx - 36 + i * 3, rim - 3 + k * 1.6 + 1.1 * math.sin(i * 0.8 + k)) for i in range(25)]
        canvas.fill(stroke(wave, 1.2), "#f6df8e", 0.9)
    for gx, gy in ((-22, -2), (-15, 2), (18, 1), (25, -3), (8, 3)):
        canvas.fill([ellipse(cx + gx, rim + gy, 2.6, 1.4)], "#4f9a3a")
        canvas.fill([ellipse(cx + gx, rim + gy, 1.2, 0.6)], "#d9efb8")
    canvas.fill([ellipse(cx - 4, rim - 1, 7, 3.4)], "#f0e9de")  # a slice of pork
    canvas.fill([ellipse(cx - 4, rim - 1, 5, 2.2)], "#d38d6d")
    # The spoon rests in the soup with its handle over the rim.
    handle = stroke([(cx + 18, rim - 1), (cx + 44, rim - 26), (cx + 50, rim - 34)], 6.5, 4.5)
    shadow(canvas, handle, 1, 2, 0.3, 1)
    canvas.fill(handle, gradient(cx + 18, 0, "#ffffff", cx + 50, 0, "#dcdcd4"))
    canvas.fill([ellipse(cx + 17, rim + 1, 9, 4)], "#ffffff")
    canvas.fill(stroke([(cx + 28, rim - 9), (cx + 44, rim - 25)], 1.4), "#c9352f", 0.8)
    caption(canvas, "中華", "#e8b84a", "#7a1010")
    return canvas


def covered_dish():
    canvas = Canvas(WIDTH, HEIGHT, gradient(0, 0, "#dcebea", 0, HEIGHT, "#a9c9c6"))
    cx, base = 80, 86
    plate = [ellipse(cx, base + 2, 60, 11, steps=120)]
    shadow(canvas, plate, 0, 3, 0.3, 4)
    canvas.fill(plate, gradient(0, base - 9, "#ffffff", 0, base + 13, "#cfd6da"))
    dome = [ellipse(cx, base, 48, 50, math.pi, 2 * math.pi, steps=120)]
    canvas.fill(dome, gradient(cx - 48, 0, "#f6f8fa", cx + 48, 0, "#8e9aa6"))
    canvas.fill([ellipse(cx, base, 48, 5, 0, math.pi, steps=96) + [(cx - 48, base)]], "#7c8895")
    canvas.fill(stroke([(cx - 48, base), (cx + 48, base)], 3), "#6f7b88")
    knob = [ellipse(cx, base - 54, 7, 5)]
    canvas.fill([rectangle(cx - 2.5, base - 53, cx + 2.5, base - 48)], "#7c8895")
    canvas.fill(knob, gradient(cx - 7, 0, "#f6f8fa", cx + 7, 0, "#8e9aa6"))
    # The light on the dome.
    canvas.fill(stroke([(cx - 30, base - 12), (cx - 33, base - 22), (cx - 28, base - 33), (cx - 18, base - 41)], 4, 2),
                "#ffffff", 0.75)
    caption(canvas, "料理", "#ffffff", "#3f6f6b")
    return canvas


DISHES = (("和食", japanese_dish), ("洋食", western_dish), ("中華", chinese_dish), ("DEFCOOK", covered_dish))

# ---------------------------------------------------------------------------------------------
# Food groups: number, the name as the official tables print it (split where it is too long
# for one line) and the card's colour.

GROUPS = (
    (1, ("穀類",), "#c98f2a"),
    (2, ("いも及び", "でん粉類"), "#a86f45"),
    (3, ("砂糖及び", "甘味類"), "#d86e98"),
    (4, ("豆類",), "#7f9233"),
    (5, ("種実類",), "#8c5a34"),
    (6, ("野菜類",), "#3f9f48"),
    (7, ("果実類",), "#e8682c"),
    (8, ("きのこ類",), "#8d7058"),
    (9, ("藻類",), "#2a7565"),
    (10, ("魚介類",), "#2e78b8"),
    (11, ("肉類",), "#b93c36"),
    (12, ("卵類",), "#d9a21c"),
    (13, ("乳類",), "#5b97cf"),
    (14, ("油脂類",), "#a39217"),
    (15, ("菓子類",), "#c9507d"),
    (16, ("し好飲料類",), "#6b4a3c"),
    (17, ("調味料及び", "香辛料類"), "#7d4fa8"),
    (18, ("調理加工", "食品類"), "#55707e"),
)


def mix(colour, other, t):
    a, b = hex_colour(colour), hex_colour(other)
    return "#" + "".join(f"{int(round(a[i] + (b[i] - a[i]) * t)):02x}" for i in range(3))


def food_group_card(number, lines, colour):
    canvas = Canvas(WIDTH, HEIGHT, gradient(0, 0, mix(colour, "#ffffff", 0.25), 0, HEIGHT, mix(colour, "#000000", 0.15)))
    # Large faint rings behind the text, for a little depth.
    canvas.fill([ellipse(WIDTH - 10, HEIGHT + 10, 70, 70)], "#ffffff", 0.08)
    canvas.fill([ellipse(WIDTH - 10, HEIGHT + 10, 48, 48)], "#ffffff", 0.08)
    # The group number on a white disc.
    badge = [ellipse(27, 27, 18, 18)]
    shadow(canvas, badge, 0, 2, 0.3, 2)
    canvas.fill(badge, "#ffffff")
    digits = text_shape(str(number), 22 if number < 10 else 19, 27, 27)
    canvas.fill(digits, mix(colour, "#000000", 0.2))
    label = text_shape("食品群", 13, 0, 0)
    canvas.fill(translated(label, 52 + text_width(label) / 2, 27), "#ffffff", 0.9)
    # The name, as large as fits.
    size = 30 if len(lines) == 1 else 24
    shapes = [text_shape(line, size, 0, 0) for line in lines]
    widest = max(text_width(s) for s in shapes)
    if widest > WIDTH - 20:
        size *= (WIDTH - 20) / widest
        shapes = [text_shape(line, size, 0, 0) for line in lines]
    centre = 80 if len(lines) == 1 else 76
    gap = size * 1.2
    for i, shape in enumerate(shapes):
        y = centre + (i - (len(lines) - 1) / 2) * gap
        placed = translated(shape, WIDTH / 2, y)
        canvas.fill(translated(placed, 0, 1.5), "#000000", 0.25)
        canvas.fill(placed, "#ffffff")
    return canvas


def main(argv):
    if len(argv) > 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    out = Path(argv[1]) if len(argv) == 2 else HERE.parent / "data" / "bmp"
    (out / "cooking").mkdir(parents=True, exist_ok=True)
    for name, draw in DISHES:
        (out / "cooking" / f"{name}.bmp").write_bytes(draw().bmp())
    for number, lines, colour in GROUPS:
        folder = out / f"bmpsy{number}"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / f"DEF{number}256.bmp").write_bytes(food_group_card(number, lines, colour).bmp())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
