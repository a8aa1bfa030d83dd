#!/usr/bin/env python3
"""Draws the Norvane Component Installer's artwork into this directory.

Everything is drawn from scratch here; run it again after changing it and
commit the outputs. One function per picture; main() writes them all and then
checks them.

Outputs (all in resources/), at 100 % (96 DPI) unless a suffix names a scale:
  background.jpg          600x400 wizard background (baseline JFIF, 4:4:4)
  background-200.jpg      the same drawn at 1200x800, for every larger scale
  installer.ico           application icon, 48, 40, 32, 24, 20 and 16 pixels,
                          16 colours each
  status-installing.bmp   16x16 status image 0: arrow (step in progress)
  status-succeeded.bmp    16x16 status image 1: screen with disc (done)
  status-failed.bmp       16x16 status image 2: image 1 crossed out (failed)
  status.bmp              48x16 strip of the three status images
  components.bmp          176x16 strip of eleven component tiles

The status images and tiles are drawings on a 16-pixel grid: their rendering
at a larger scale is each grid cell as a square of pixels, averaged where a
cell's edge falls inside a pixel. The program makes those renderings itself
from the 16-pixel strips, so they take no room in the installer. All bitmaps use pure magenta (255,0,255) as the transparent colour.

license.txt (code page 1252, CRLF) is kept by hand: its lines are broken to
fit the agreement box in the page font. This program only checks it.

Needs: python3, ImageMagick 6 (convert) and the URW Gothic font
(fonts-urw-base35). No network access.
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile

OUT = os.path.dirname(os.path.abspath(__file__))
FONT_DEMI = "/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf"
FONT_BOOK = "/usr/share/fonts/opentype/urw-base35/URWGothic-Book.otf"
MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)

# The background's renderings: scale, JPEG quality and grain strength. The
# program scales the 200 % picture down for 125 % to 175 %. It is saved at a
# lower quality and without the grain, to keep the installer small; at twice
# the size its text and edges stay clean at this setting.
BACKGROUNDS = [(1, "background.jpg", 100, 0.002),
               (2, "background-200.jpg", 75, 0.0)]


# ---------------------------------------------------------------------------
# Bitmap files
# ---------------------------------------------------------------------------
def write_bmp24(path, px):
    """Write rows of (r, g, b) (top row first) as a 24-bit BI_RGB bottom-up BMP."""
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(px):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(os.path.join(OUT, path), "wb") as f:
        f.write(head + info + data)


def from_grid(grid, palette):
    rows = grid.strip("\n").split("\n")
    assert len(rows) == 16 and all(len(r) == 16 for r in rows), grid
    return [[palette[c] for c in r] for r in rows]


def hstrip(images):
    return [sum((img[y] for img in images), []) for y in range(len(images[0]))]


# ---------------------------------------------------------------------------
# Status images of the progress and completion lists
# ---------------------------------------------------------------------------
# --- status image 0: dark-red arrow pointing right -------------------------
ARROW = """
................
........#.......
........##......
........#h#.....
........#hh#....
.########hhh#...
.#hhhhhhhhhhh#..
.#hhhhhhhhhhhh#.
.#oooooooooooo#.
.#ooooooooooo#..
.########ooo#...
........#oo#....
........#o#.....
........##......
........#.......
................
"""
ARROW_COLOURS = {".": MAGENTA, "#": (0x5A, 0x00, 0x00),
                 "h": (0xB8, 0x24, 0x24), "o": (0x96, 0x10, 0x10)}

# --- status image 1: computer screen with an installation disc in front ----
SCREEN = """
KKKKKKKKKKKK....
KGGGGGGGGGGK....
KGSSSSSSSSGK....
KGSLLSSSSSGK....
KGSLSSSSSSGK....
KGSSSSSSSSGK....
KGSSSSSSSSGK....
KGSSSSSSSSGK....
KGGGGGGGGGGK....
KKKKKKKKKKKK....
....KDDK........
..KKKKKKKK......
..KDDDDDDK......
..KKKKKKKK......
................
................
"""
SCREEN_COLOURS = {".": MAGENTA, "K": (0x30, 0x30, 0x30),
                  "G": (0xC8, 0xC8, 0xC8), "S": (0x1F, 0x5F, 0xC0),
                  "L": (0x7F, 0xB0, 0xF0), "D": (0x90, 0x90, 0x90)}


def draw_disc(px, cx, cy, radius):
    """A silver disc with a dark hub and rainbow sheen, drawn on top of px."""
    def inside(x, y):
        return math.hypot(x - cx, y - cy) <= radius
    for y in range(16):
        for x in range(16):
            if not inside(x, y):
                continue
            d = math.hypot(x - cx, y - cy)
            edge = any(not inside(x + dx, y + dy)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            ang = math.degrees(math.atan2(cy - y, x - cx)) % 360  # 90 = up
            if edge:
                c = (0x5C, 0x5C, 0x64)        # rim
            elif d < 0.5:
                c = (0x50, 0x50, 0x58)        # centre hole
            elif d < 1.6:
                c = (0x9A, 0x9A, 0xA2)        # hub
            elif 20 <= ang < 60:
                c = (0x9C, 0xDA, 0xEA)        # cyan sheen
            elif 200 <= ang < 230:
                c = (0xEE, 0xE2, 0x88)        # yellow sheen
            elif 230 <= ang < 260:
                c = (0xE8, 0xA8, 0xD0)        # pink sheen
            elif 100 <= ang < 190:
                c = WHITE                     # highlight
            else:
                c = (0xD6, 0xDA, 0xDE)        # silver
            px[y][x] = c



def status_images():
    """The three status images, 16x16 each: in progress, done, failed."""
    arrow = from_grid(ARROW, ARROW_COLOURS)
    computer = from_grid(SCREEN, SCREEN_COLOURS)
    draw_disc(computer, 11.0, 11.0, 4.6)
    # Image 2 is image 1 crossed by a red prohibition sign.
    failed = [row[:] for row in computer]
    for y in range(16):
        for x in range(16):
            dx, dy = x - 7.5, y - 7.5
            d = math.hypot(dx, dy)
            ring = 5.0 <= d <= 7.3
            bar = abs(dx - dy) / math.sqrt(2) <= 0.75 and d < 5.5  # top-left to bottom-right
            if ring or bar:
                failed[y][x] = (0xD8, 0x10, 0x10)
    return arrow, computer, failed


def write_status_images():
    arrow, computer, failed = status_images()
    write_bmp24("status-installing.bmp", arrow)
    write_bmp24("status-succeeded.bmp", computer)
    write_bmp24("status-failed.bmp", failed)
    write_bmp24("status.bmp", hstrip([arrow, computer, failed]))


# ---------------------------------------------------------------------------
# Component tiles of the selection list
# ---------------------------------------------------------------------------
# Each glyph is 10x10 and sits at (3,3) inside the 16x16 tile.
TILES = [
    ("application", (0x2F, 0x6F, 0xD0), """
..........
.########.
.########.
.#......#.
.#......#.
.#......#.
.#......#.
.########.
..........
.........."""),
    ("runtime", (0x12, 0x95, 0x9B), """
..#.......
..##......
..###.....
..####....
..#####...
..####....
..###.....
..##......
..#.......
.........."""),
    ("library", (0x3B, 0x9A, 0x3B), """
..........
.########.
.########.
..........
.########.
.########.
..........
.########.
.########.
.........."""),
    ("driver", (0x5A, 0x6B, 0x7D), """
..#.##.#..
..#.##.#..
.########.
##......##
.#.####.#.
.#.####.#.
##......##
.########.
..#.##.#..
..#.##.#.."""),
    ("service", (0x7A, 0x4F, 0xB5), """
....##....
.##.##.##.
.########.
..##..##..
####..####
####..####
..##..##..
.########.
.##.##.##.
....##...."""),
    ("tools", (0xD9, 0x82, 0x2B), """
......#...
......#...
..#..#..#.
.#...#...#
#....#....
.#..#....#
..#.#...#.
....#.....
...#......
.........."""),
    ("documentation", (0xA0, 0x65, 0x2A), """
.#####....
.#...##...
.#...#.#..
.#...####.
.#......#.
.#.####.#.
.#......#.
.#.####.#.
.#......#.
.########."""),
    ("samples", (0xC8, 0x40, 0x6A), """
..######..
...#..#...
...#..#...
...#..#...
..#....#..
.#......#.
.########.
#########.
##########
.........."""),
    ("language", (0x1F, 0x8F, 0xC8), """
..######..
.#..##..#.
#..#..#..#
#..#..#..#
##########
#..#..#..#
#..#..#..#
.#..##..#.
..######..
.........."""),
    ("fonts", (0x3F, 0x4F, 0xA8), """
..........
...####...
..##..##..
..##..##..
.##....##.
.########.
.##....##.
##......##
##......##
.........."""),
    ("data", (0x6B, 0x8E, 0x23), """
..######..
.#......#.
.########.
.########.
..######..
.#......#.
.########.
.########.
..######..
.........."""),
]


def scale(c, f):
    return tuple(max(0, min(255, round(v * f))) for v in c)


def mix(c, d, t):
    return tuple(round(a + (b - a) * t) for a, b in zip(c, d))


def tile(base, glyph):
    px = [[MAGENTA] * 16 for _ in range(16)]
    border = scale(base, 0.62)
    for y in range(16):
        for x in range(16):
            ex, ey = min(x, 15 - x), min(y, 15 - y)   # distance to the edges
            if ex + ey <= 1:
                continue                              # rounded corner
            if ex == 0 or ey == 0 or (ex == 1 and ey == 1):
                px[y][x] = border
            else:                                     # light top, full colour below
                px[y][x] = mix(base, WHITE, 0.22 * (1 - (y - 1) / 13))
    for gy, line in enumerate(glyph.strip("\n").split("\n")):
        for gx, ch in enumerate(line):
            if ch == "#":
                px[3 + gy][3 + gx] = WHITE
    return px


def write_component_tiles():
    assert len(TILES) == 11
    write_bmp24("components.bmp", hstrip([tile(c, g) for _, c, g in TILES]))


# ---------------------------------------------------------------------------
# installer.ico: isometric box in the colours of the logo
# ---------------------------------------------------------------------------
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 transparent pixels (masked)
    (0x0A, 0x2A, 0x5A),  # 1 outline
    (0xFF, 0xFF, 0xFF),  # 2 gaps between the faces
    (0xC8, 0xEC, 0xF2),  # 3 top face
    (0x2A, 0x6C, 0xBE),  # 4 left face
    (0x1C, 0x55, 0xA0),  # 5 left face, shaded
    (0x12, 0x9A, 0xA2),  # 6 right face
    (0x0B, 0x7A, 0x82),  # 7 right face, shaded
] + [(v, v, v) for v in range(0x40, 0xC0, 0x10)]  # unused entries: greys
CLEAR, LINE, GAP, TOP, LEFT, LEFT_D, RIGHT, RIGHT_D = range(8)


def iso_box(n, shaded):
    """n x n palette indices: a box seen from above with 2:1 pixel slopes."""
    h, q = n // 2, n // 4
    g = [[CLEAR] * n for _ in range(n)]

    def span(r):  # leftmost and rightmost column of the box on row r
        if r < q:
            return h - 2 - 2 * r, h + 1 + 2 * r
        if r >= n - q:
            return span(n - 1 - r)
        return 0, n - 1

    for r in range(n):
        a, b = span(r)
        j = r - q
        for c in range(a, b + 1):
            if r < q or (j < q - 1 and 2 * j + 2 < c < n - 3 - 2 * j):
                g[r][c] = TOP
            else:
                left = c < h
                along = (c // 2) if left else ((n - 1 - c) // 2)
                dark = shaded and r - along > n * 0.62
                g[r][c] = (LEFT_D if dark else LEFT) if left else (RIGHT_D if dark else RIGHT)
    for j in range(q):                       # gaps under the top face
        for c in (1 + 2 * j, 2 + 2 * j):
            g[q + j][c] = GAP
            g[q + j][n - 1 - c] = GAP
    for r in range(h - 1, n - 1):            # gap between the two side faces
        g[r][h - 1] = g[r][h] = GAP
    for r in range(n):                       # outline
        a, b = span(r)
        if r in (0, n - 1):
            for c in range(a, b + 1):
                g[r][c] = LINE
        elif r < q or r >= n - q:
            for c in (a, a + 1, b - 1, b):
                g[r][c] = LINE
        else:
            g[r][a] = g[r][b] = LINE
    return g


def ico_image(g):
    """BITMAPINFOHEADER + palette + 4-bit XOR image + 1-bit AND mask."""
    n = len(g)
    xor, mask = bytearray(), bytearray()
    for row in reversed(g):
        line = bytes(row[c] << 4 | row[c + 1] for c in range(0, n, 2))
        xor += line + b"\0" * ((4 - len(line) % 4) % 4)
        bits = 0
        for c in range(n):
            bits = bits << 1 | (row[c] == CLEAR)
        m = (bits << (-n % 8)).to_bytes((n + 7) // 8, "big")
        mask += m + b"\0" * ((4 - len(m) % 4) % 4)
    pal = b"".join(bytes((b, g_, r, 0)) for r, g_, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0,
                       len(xor) + len(mask), 0, 0, 16, 0)
    return info + pal + bytes(xor) + bytes(mask)


ICON_SIZES = (48, 40, 32, 24, 20, 16)


def write_icon():
    images = [(n, ico_image(iso_box(n, n >= 24))) for n in ICON_SIZES]
    ico = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        ico += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(os.path.join(OUT, "installer.ico"), "wb") as f:
        f.write(ico + b"".join(d for _, d in images))


# ---------------------------------------------------------------------------
# Background pictures
#    banner   y 0..79            blue-to-teal gradient, box mark, "Norvane"
#    band     x 0..96, y 80..399 grey with a fine grid and vertical caption
#    panel    x 97..599, y 80..399 pure white, rules at y=130 and y=358
# Coordinates are those of the 600x400 picture; a rendering at scale s draws
# everything s times as large, each thin line as a band of the pixels that
# its 1-pixel row or column covers at that scale.
# ---------------------------------------------------------------------------
def inset(poly, d):
    """Move every edge of a convex polygon inwards by d pixels."""
    n = len(poly)
    area = sum(poly[i][0] * poly[(i + 1) % n][1] - poly[(i + 1) % n][0] * poly[i][1]
               for i in range(n))
    sign = 1 if area > 0 else -1
    lines = []
    for i in range(n):
        (x1, y1), (x2, y2) = poly[i], poly[(i + 1) % n]
        ex, ey = x2 - x1, y2 - y1
        length = math.hypot(ex, ey)
        nx, ny = -ey / length * sign, ex / length * sign   # inward normal
        lines.append(((x1 + nx * d, y1 + ny * d), (ex, ey)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / (r[0] * s[1] - r[1] * s[0])
        out.append((p[0] + t * r[0], p[1] + t * r[1]))
    return out


def edge(v, s):
    return round(v * s)


def line(x0, y0, x1, y1, s):
    """A horizontal or vertical 1-pixel line of the 100 % picture at scale s."""
    if s == 1:
        return "line %d,%d %d,%d" % (x0, y0, x1, y1)
    return "rectangle %d,%d %d,%d" % (edge(x0, s), edge(y0, s),
                                      edge(x1 + 1, s) - 1, edge(y1 + 1, s) - 1)


def mark_mvg(s):
    """The mark: a box seen from above, three faces with narrow gaps."""
    cx, cy, r = 44.0 * s, 40.0 * s, 27.0 * s
    k = math.cos(math.pi / 6) * r
    top, ur, lr = (cx, cy - r), (cx + k, cy - r / 2), (cx + k, cy + r / 2)
    bot, ll, ul, mid = (cx, cy + r), (cx - k, cy + r / 2), (cx - k, cy - r / 2), (cx, cy)
    faces = [("#FFFFFF", [top, ur, mid, ul]),
             ("#BDE9EE", [ul, mid, bot, ll]),
             ("#7CCBD6", [mid, ur, lr, bot])]
    return "".join("fill '%s' polygon %s\n"
                   % (colour, " ".join("%.2f,%.2f" % p for p in inset(poly, 1.1 * s)))
                   for colour, poly in faces)


def write_grain(path, w, h, amp):
    """A fine grain for the banner gradient (16-bit PGM, mid-grey = no change),
    about one 8-bit level strong: it hides banding in the gradient. A fixed
    seed gives the same picture on every run."""
    rng = random.Random(20260301)
    data = bytearray()
    for _ in range(w * h):
        u1, u2 = rng.random() or 1e-12, rng.random()
        g = math.sqrt(-2 * math.log(u1)) * math.cos(2 * math.pi * u2)  # Box-Muller
        v = max(0, min(65535, round(32768 + g * amp * 65535)))
        data += v.to_bytes(2, "big")
    with open(path, "wb") as f:
        f.write(b"P5 %d %d 65535\n" % (w, h) + data)


def grid_mvg(s):
    """Grid lines for the band: every 8 pixels."""
    return "".join([line(x, 0, x, 319, s) + "\n" for x in range(4, 97, 8)] +
                   [line(0, y, 96, y, s) + "\n" for y in range(4, 320, 8)])


def convert(*args):
    subprocess.run(["convert", *[str(a) for a in args]], check=True)


def write_background(s, name, quality, grain, tmp):
    w, h = edge(600, s), edge(400, s)
    banner_h, band_w, band_h = edge(80, s), edge(97, s), h - edge(80, s)
    grain_path = os.path.join(tmp, "grain.pgm")
    write_grain(grain_path, w, banner_h, grain)
    banner, band = os.path.join(tmp, "banner.png"), os.path.join(tmp, "band.png")
    # Banner: gradient, two faint circles, grain, the mark, the word mark and a
    # darker bottom edge.
    convert("-size", "%dx%d" % (banner_h, w), "gradient:#0A3A82-#0E8C93", "-rotate", "-90",
            "-fill", "rgba(255,255,255,0.06)",
            "-draw", "circle %g,%g %g,%g" % (560 * s, 10 * s, 660 * s, 10 * s),
            "-draw", "circle %g,%g %g,%g" % (520 * s, 90 * s, 600 * s, 90 * s),
            grain_path, "-compose", "LinearLight", "-composite", "-compose", "Over",
            "-draw", mark_mvg(s),
            "-font", FONT_DEMI, "-pointsize", "%g" % (36 * s), "-fill", "white",
            "-annotate", "+%g+%g" % (82 * s, 49 * s), "Norvane",
            "-font", FONT_DEMI, "-pointsize", "%g" % (11 * s), "-kerning", "%g" % (3 * s),
            "-fill", "#BFEFF2", "-annotate", "+%g+%g" % (84 * s, 66 * s), "COMPONENTS",
            "-fill", "#0A2F6A", "-draw", line(0, 79, 599, 79, s),
            banner)
    # Band: grey gradient with a faint grid and the caption reading upwards.
    convert("-size", "%dx%d" % (band_w, band_h), "gradient:#949BA4-#737B85",
            "-fill", "rgba(255,255,255,0.09)", "-draw", grid_mvg(s),
            "(", "+size", "-background", "none", "-font", FONT_BOOK,
            "-pointsize", "%g" % (17 * s), "-fill", "#F2F5F8",
            "label:Norvane Component Installer", "-rotate", "-90", ")",
            "-gravity", "south", "-geometry", "+0+%d" % edge(24, s), "-composite",
            "-gravity", "northwest", band)
    convert("-size", "%dx%d" % (w, h), "xc:#FFFFFF",
            banner, "-geometry", "+0+0", "-composite",
            band, "-geometry", "+0+%d" % banner_h, "-composite",
            "-fill", "#C0C0C0", "-draw", line(112, 130, 585, 130, s),
            "-draw", line(112, 358, 585, 358, s),
            "-alpha", "off", "-type", "TrueColor", "-colorspace", "sRGB", "-strip",
            "-sampling-factor", "1x1", "-quality", quality, "-interlace", "none",
            os.path.join(OUT, name))


# ---------------------------------------------------------------------------
# Checks: print the measured properties and fail if any is off.
# ---------------------------------------------------------------------------
problems = []


def check(ok, what):
    print(("  ok    " if ok else "  FAIL  ") + what)
    if not ok:
        problems.append(what)


def check_background(s, name, tmp):
    jpg = open(os.path.join(OUT, name), "rb").read()
    markers, i = [], 2
    while i < len(jpg) and jpg[i] == 0xFF:
        m = jpg[i + 1]
        markers.append(m)
        if m == 0xDA:
            break
        i += 2 + struct.unpack(">H", jpg[i + 2:i + 4])[0]
    sof = jpg.index(b"\xFF\xC0")
    bits, h, w, ncomp = struct.unpack(">BHHB", jpg[sof + 4:sof + 10])
    samp = [jpg[sof + 11 + 3 * c] for c in range(ncomp)]
    print("%s: %d bytes, %dx%d, %d components, sampling %s"
          % (name, len(jpg), w, h, ncomp, " ".join("%dx%d" % (x >> 4, x & 15) for x in samp)))
    check(jpg[6:11] == b"JFIF\0", "JFIF APP0 header")
    check(0xC0 in markers and not any(m in markers for m in (0xC1, 0xC2, 0xC3)),
          "baseline (SOF0 only)")
    check((w, h, ncomp, bits) == (edge(600, s), edge(400, s), 3, 8),
          "%dx%d, 24-bit colour" % (edge(600, s), edge(400, s)))
    check(all(x == 0x11 for x in samp), "4:4:4 sampling")
    if s == 1:
        check(60000 <= len(jpg) <= 80000, "size 60-80 KB")
    ppm_path = os.path.join(tmp, "background.ppm")
    convert(os.path.join(OUT, name), "-depth", "8", ppm_path)
    ppm = open(ppm_path, "rb").read()
    magic, pw, ph, maxval = ppm.split(maxsplit=4)[:4]      # header: P6 w h 255
    assert magic == b"P6" and maxval == b"255"
    pw, ph = int(pw), int(ph)
    pix = ppm[len(ppm) - pw * ph * 3:]      # pixel data follows one whitespace byte

    def px(x, y):
        o = (y * pw + x) * 3
        return pix[o:o + 3]
    # The rules' rows and columns at this scale, with a pixel's margin for
    # the compression's ringing around them.
    ring = 1 if s == 1 else 2
    rule_rows = {y for r in (130, 358)
                 for y in range(edge(r, s) - ring, edge(r + 1, s) + ring)}
    near_rule = range(edge(112, s) - 1, edge(586, s) + 1)
    # The pictures saved at a lower quality ring a little more, at the band's
    # edge too.
    left = edge(97, s) + (0 if s == 1 else 2)
    white = [min(px(x, y)) for y in range(edge(80, s), ph) for x in range(left, pw)
             if not (y in rule_rows and x in near_rule)]
    print("  white panel minimum channel value: %d (outside the two rules)" % min(white))
    floor = 250 if s == 1 else 245
    check(min(white) >= floor, "white panel >= %d" % floor)
    rule = [px(x, edge(r, s)) for r in (130, 358) for x in range(edge(114, s), edge(584, s))]
    print("  rule pixels: %s .. %s" % (min(rule), max(rule)))
    check(all(180 <= v <= 200 for p in rule for v in p), "rules about #C0C0C0")


def check_bitmaps():
    for name, size, depth in (("status-installing.bmp", (16, 16), 24),
                              ("status-succeeded.bmp", (16, 16), 24),
                              ("status-failed.bmp", (16, 16), 24),
                              ("status.bmp", (48, 16), 24),
                              ("components.bmp", (176, 16), 24)):
        b = open(os.path.join(OUT, name), "rb").read()
        _, _, _, bw, bh, _, bpp, comp = struct.unpack("<2sI8xIiiHHI", b[:34])
        print("%s: %d bytes, %dx%d, %d bpp, compression %d" % (name, len(b), bw, bh, bpp, comp))
        check((bw, bh) == size and bpp == depth and comp == 0 and b[:2] == b"BM",
              "%s is a %d-bit BI_RGB bottom-up bitmap" % (name, depth))


def check_icon():
    ico = open(os.path.join(OUT, "installer.ico"), "rb").read()
    _, kind, count = struct.unpack("<HHH", ico[:6])
    print("installer.ico: %d bytes, %d images" % (len(ico), count))
    check(kind == 1 and count == len(ICON_SIZES), "icon with %d images" % len(ICON_SIZES))
    for k in range(count):
        iw, ih, ncol, _, planes, bpp, size, off = struct.unpack("<BBBBHHII",
                                                                ico[6 + 16 * k:22 + 16 * k])
        hsize, hw, hh, hpl, hbpp, hcomp = struct.unpack("<IiiHHI", ico[off:off + 20])
        print("  image %d: %dx%d, %d colours, %d bpp, header %dx%d, compression %d"
              % (k, iw, ih, ncol, hbpp, hw, hh, hcomp))
        check(iw == ih == ICON_SIZES[k] and ncol == 16 and bpp == hbpp == 4 and hh == 2 * hw
              and hcomp == 0 and hsize == 40, "icon image %d: BMP, 4 bpp, with AND mask" % k)


def check_license():
    raw = open(os.path.join(OUT, "license.txt"), "rb").read()
    lines = raw.split(b"\r\n")[:-1]
    print("license.txt: %d bytes, %d lines, %d empty, longest %d characters"
          % (len(raw), len(lines), sum(1 for l in lines if not l), max(map(len, lines))))
    check(raw.endswith(b"\r\n") and b"\n" not in raw.replace(b"\r\n", b"")
          and b"\r" not in raw.replace(b"\r\n", b""), "CRLF line endings only")
    check(270 <= len(lines) <= 276, "270-276 lines")
    check(13000 <= len(raw) <= 13500, "13,000-13,500 bytes")
    check(max(map(len, lines)) <= 74, "no line longer than 74 characters")
    check(all(c in raw for c in (b"\x93", b"\x94", b"\xA9")), "contains 0x93, 0x94 and 0xA9")
    check(all(c < 0x80 or c in (0x93, 0x94, 0xA9) for c in raw), "no other non-ASCII bytes")
    raw.decode("cp1252")


def main():
    for f in (FONT_DEMI, FONT_BOOK):
        if not os.path.isfile(f):
            sys.exit("missing font: " + f)
    write_status_images()
    write_component_tiles()
    write_icon()
    with tempfile.TemporaryDirectory() as tmp:
        for s, name, quality, grain in BACKGROUNDS:
            write_background(s, name, quality, grain, tmp)
        for s, name, _, _ in BACKGROUNDS:
            check_background(s, name, tmp)
    check_bitmaps()
    check_icon()
    check_license()
    if problems:
        sys.exit("make-artwork.py: %d check(s) failed" % len(problems))
    print("all checks passed")


if __name__ == "__main__":
    main()
