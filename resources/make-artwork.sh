#!/usr/bin/env bash
# make-artwork.sh - regenerates the Norvane Component Installer artwork and
# licence text in this directory. Everything here is drawn from scratch by
# this script; run it again after changing it and commit the outputs.
#
# Outputs (all in resources/):
#   background.jpg          600x400 wizard background (baseline JFIF, 4:4:4)
#   installer.ico           application icon, 32x32 and 16x16, 16 colours
#   status-installing.bmp   16x16 status image 0: arrow (step in progress)
#   status-succeeded.bmp    16x16 status image 1: screen with disc (done)
#   status-failed.bmp       16x16 status image 2: image 1 crossed out (failed)
#   status.bmp              48x16 strip of the three status images
#   components.bmp          176x16 strip of eleven component tiles
#   license.txt             licence agreement, code page 1252, CRLF
#
# All bitmaps use pure magenta (255,0,255) as the transparent colour.
#
# Needs: bash, python3, ImageMagick 6 (convert) and the URW Gothic font
# (fonts-urw-base35). No network access.
set -euo pipefail

cd "$(dirname "$0")"
OUT=$PWD
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export OUT TMP

FONT_DEMI=/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf
FONT_BOOK=/usr/share/fonts/opentype/urw-base35/URWGothic-Book.otf
for f in "$FONT_DEMI" "$FONT_BOOK"; do
    [[ -f $f ]] || { echo "missing font: $f" >&2; exit 1; }
done

# ---------------------------------------------------------------------------
# 1. Small bitmaps: status images, component tiles and the icon.
#    Drawn pixel by pixel; each letter in a grid is one pixel.
# ---------------------------------------------------------------------------
python3 - <<'PY'
import math, os, struct

OUT = os.environ["OUT"]
MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)


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
arrow = from_grid(ARROW, {".": MAGENTA, "#": (0x5A, 0x00, 0x00),
                          "h": (0xB8, 0x24, 0x24), "o": (0x96, 0x10, 0x10)})

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
computer = from_grid(SCREEN, {".": MAGENTA, "K": (0x30, 0x30, 0x30),
                              "G": (0xC8, 0xC8, 0xC8), "S": (0x1F, 0x5F, 0xC0),
                              "L": (0x7F, 0xB0, 0xF0), "D": (0x90, 0x90, 0x90)})


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


draw_disc(computer, 11.0, 11.0, 4.6)

# --- status image 2: image 1 crossed by a red prohibition sign -------------
failed = [row[:] for row in computer]
for y in range(16):
    for x in range(16):
        dx, dy = x - 7.5, y - 7.5
        d = math.hypot(dx, dy)
        ring = 5.0 <= d <= 7.3
        bar = abs(dx - dy) / math.sqrt(2) <= 0.75 and d < 5.5  # top-left to bottom-right
        if ring or bar:
            failed[y][x] = (0xD8, 0x10, 0x10)

write_bmp24("status-installing.bmp", arrow)
write_bmp24("status-succeeded.bmp", computer)
write_bmp24("status-failed.bmp", failed)
write_bmp24("status.bmp", hstrip([arrow, computer, failed]))

# --- component tiles: one per kind, in image-list order --------------------
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


assert len(TILES) == 11
write_bmp24("components.bmp", hstrip([tile(c, g) for _, c, g in TILES]))

# --- installer.ico: isometric box in the colours of the logo ---------------
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
        for c in range(0, n, 2):
            xor.append(row[c] << 4 | row[c + 1])
        bits = 0
        for c in range(n):
            bits = bits << 1 | (row[c] == CLEAR)
        m = bits.to_bytes(n // 8, "big")
        mask += m + b"\0" * ((4 - len(m) % 4) % 4)
    pal = b"".join(bytes((b, g_, r, 0)) for r, g_, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0,
                       len(xor) + len(mask), 0, 0, 16, 0)
    return info + pal + bytes(xor) + bytes(mask)


images = [(32, ico_image(iso_box(32, True))), (16, ico_image(iso_box(16, False)))]
ico = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, data in images:
    ico += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
    offset += len(data)
with open(os.path.join(OUT, "installer.ico"), "wb") as f:
    f.write(ico + b"".join(d for _, d in images))
PY

# ---------------------------------------------------------------------------
# 2. background.jpg (600x400)
#    banner   y 0..79            blue-to-teal gradient, box mark, "Norvane"
#    band     x 0..96, y 80..399 grey with a fine grid and vertical caption
#    panel    x 97..599, y 80..399 pure white, rules at y=130 and y=358
# ---------------------------------------------------------------------------
python3 - <<'PY'
import math, os, random

TMP = os.environ["TMP"]


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


# The mark: a box seen from above, three faces with narrow gaps between them.
cx, cy, r = 44.0, 40.0, 27.0
k = math.cos(math.pi / 6) * r
top, ur, lr = (cx, cy - r), (cx + k, cy - r / 2), (cx + k, cy + r / 2)
bot, ll, ul, mid = (cx, cy + r), (cx - k, cy + r / 2), (cx - k, cy - r / 2), (cx, cy)
faces = [("#FFFFFF", [top, ur, mid, ul]),
         ("#BDE9EE", [ul, mid, bot, ll]),
         ("#7CCBD6", [mid, ur, lr, bot])]
with open(os.path.join(TMP, "mark.mvg"), "w") as f:
    for colour, poly in faces:
        pts = " ".join("%.2f,%.2f" % p for p in inset(poly, 1.1))
        f.write("fill '%s' polygon %s\n" % (colour, pts))

# A fine grain for the banner gradient (16-bit PGM, mid-grey = no change),
# about one 8-bit level strong: it hides banding in the gradient and brings
# the JPEG to about 73 KB. A fixed seed gives the same picture on every run.
rng = random.Random(20260301)
w, h, amp = 600, 80, 0.002
data = bytearray()
for _ in range(w * h):
    u1, u2 = rng.random() or 1e-12, rng.random()
    g = math.sqrt(-2 * math.log(u1)) * math.cos(2 * math.pi * u2)  # Box-Muller
    v = max(0, min(65535, round(32768 + g * amp * 65535)))
    data += v.to_bytes(2, "big")
with open(os.path.join(TMP, "grain.pgm"), "wb") as f:
    f.write(b"P5 %d %d 65535\n" % (w, h) + data)

# Grid lines for the band: every 8 pixels.
with open(os.path.join(TMP, "grid.mvg"), "w") as f:
    for x in range(4, 97, 8):
        f.write("line %d,0 %d,319\n" % (x, x))
    for y in range(4, 320, 8):
        f.write("line 0,%d 96,%d\n" % (y, y))
PY

# Banner: gradient, two faint circles, grain, the mark, the word mark and a
# darker bottom edge.
convert -size 80x600 gradient:'#0A3A82'-'#0E8C93' -rotate -90 \
    -fill 'rgba(255,255,255,0.06)' \
    -draw 'circle 560,10 660,10' -draw 'circle 520,90 600,90' \
    "$TMP/grain.pgm" -compose LinearLight -composite -compose Over \
    -draw "$(cat "$TMP/mark.mvg")" \
    -font "$FONT_DEMI" -pointsize 36 -fill white -annotate +82+49 'Norvane' \
    -font "$FONT_DEMI" -pointsize 11 -kerning 3 -fill '#BFEFF2' -annotate +84+66 'COMPONENTS' \
    -fill '#0A2F6A' -draw 'line 0,79 599,79' \
    "$TMP/banner.png"

# Band: grey gradient with a faint grid and the caption reading upwards.
convert -size 97x320 gradient:'#949BA4'-'#737B85' \
    -fill 'rgba(255,255,255,0.09)' -draw "$(cat "$TMP/grid.mvg")" \
    \( +size -background none -font "$FONT_BOOK" -pointsize 17 -fill '#F2F5F8' \
       label:'Norvane Component Installer' -rotate -90 \) \
    -gravity south -geometry +0+24 -composite -gravity northwest \
    "$TMP/band.png"

convert -size 600x400 xc:'#FFFFFF' \
    "$TMP/banner.png" -geometry +0+0 -composite \
    "$TMP/band.png" -geometry +0+80 -composite \
    -fill '#C0C0C0' -draw 'line 112,130 585,130' -draw 'line 112,358 585,358' \
    -alpha off -type TrueColor -colorspace sRGB -strip \
    -sampling-factor 1x1 -quality 100 -interlace none \
    "$OUT/background.jpg"

# ---------------------------------------------------------------------------
# 3. license.txt - written here in Unicode, saved as code page 1252 + CRLF.
# ---------------------------------------------------------------------------
python3 - <<'PY'
import os, re, textwrap

OUT = os.environ["OUT"]
WIDTH = 65

TITLE = ["NORVANE COMPONENTS SOFTWARE LICENSE AGREEMENT", "Revision: March 2026"]

NOTICE = (
    "PLEASE READ THIS AGREEMENT CAREFULLY BEFORE YOU INSTALL OR USE THE "
    "SOFTWARE. BY CLICKING THE ACCEPTANCE OPTION, OR BY INSTALLING, COPYING "
    "OR OTHERWISE USING THE SOFTWARE, YOU AGREE TO BE BOUND BY THE TERMS OF "
    "THIS AGREEMENT. IF YOU DO NOT AGREE TO THESE TERMS, DO NOT INSTALL OR "
    "USE THE SOFTWARE, AND CLOSE THE INSTALLER NOW. IF YOU ACCEPT THESE "
    "TERMS ON BEHALF OF AN ORGANISATION, YOU CONFIRM THAT YOU HAVE THE "
    "AUTHORITY TO BIND THAT ORGANISATION TO THEM."
    " THIS AGREEMENT ALSO APPLIES TO ANY UPDATE OF THE SOFTWARE THAT "
    "NORVANE SUPPLIES TO YOU, UNLESS THE UPDATE COMES WITH ITS OWN TERMS."
)

SECTIONS = [
    ("DEFINITIONS", [
        "In this agreement (the “Agreement”), “Norvane” means Norvane and "
        "its affiliated companies, and “You” means the person or the "
        "organisation that installs or uses the Software under this "
        "Agreement. Words such as “including” and “for example” "
        "introduce examples and do not limit the meaning of the words that "
        "precede them.",
        "“Software” means the Norvane Components delivered with this "
        "installer, in object code form, including any libraries, runtime "
        "files, drivers, services, tools, fonts, language resources, sample "
        "files and data files, together with any “Update” that Norvane "
        "supplies to You without separate terms. “Documentation” means the "
        "user guides, help files, release notes and other explanatory "
        "material that Norvane provides with the Software.",
        "“Device” means a single physical or virtual computer on which the "
        "Software is installed. “Application” means a software program that "
        "You develop or operate and that uses or calls the Software. "
        "“Redistributable Files” means the files that the Documentation "
        "identifies as redistributable. “Installer” means the setup "
        "program that copies the Software to a Device, records the "
        "installation and can later repair or remove it.",
    ]),
    ("GRANT OF LICENSE", [
        "Subject to Your compliance with this Agreement, Norvane grants You "
        "a non-exclusive, non-transferable and revocable license to install "
        "and use the Software on any number of Devices that You own or "
        "control, solely for the purpose of running, developing and testing "
        "Applications. You may allow Your employees and contractors "
        "to use the Software on Your behalf, provided that You remain "
        "responsible for their compliance with this Agreement.",
        "You may make a reasonable number of copies of the Software for "
        "backup and archival purposes, provided that each copy contains all "
        "of the copyright and other notices found on the original. You may "
        "use the Documentation only in connection with Your permitted use "
        "of the Software. If You received the Software on physical "
        "media, You may keep the media as one of these copies.",
    ]),
    ("RESTRICTIONS", [
        "The Software is licensed, not sold. Norvane reserves all rights "
        "that this Agreement does not expressly grant to You. Except to the "
        "extent that applicable law expressly permits it despite this "
        "limitation, You may not: (a) reverse engineer, decompile or "
        "disassemble the Software; (b) remove, alter or obscure any notice "
        "of ownership in the Software or the Documentation; (c) rent, "
        "lease, lend or host the Software for others as a commercial "
        "service; (d) use the Software in a way that breaks any applicable "
        "law; or (e) work around any technical limitation in the Software. "
        "Any attempt to do so ends Your rights under this Agreement "
        "automatically.",
        "You may not publish the results of benchmark tests of the Software "
        "without the prior written permission of Norvane, and You may not "
        "use the Software to build a product that competes with it. You "
        "may not combine the Software with software that is distributed "
        "under terms that would require the source code of the Software to "
        "be disclosed, licensed or distributed to anyone.",
    ]),
    ("REDISTRIBUTION", [
        "You may copy and distribute the Redistributable Files, in object "
        "code form only, as part of an Application, provided that: (a) Your "
        "Application adds significant and primary functionality to the "
        "Redistributable Files; (b) You distribute the Redistributable Files "
        "only through an installation process that shows this Agreement, or "
        "terms at least as protective of Norvane, to each recipient; and "
        "(c) You do not use the name, logos or trademarks of Norvane to "
        "market Your Application. You must also ensure that each "
        "recipient receives the Redistributable Files in the unmodified form "
        "in which Norvane supplied them.",
        "You agree to indemnify and defend Norvane against any claim, "
        "including reasonable legal fees, that arises from the use or the "
        "distribution of Your Application. Files that are not "
        "Redistributable Files may not be distributed in any form. You "
        "may not change the names of the Redistributable Files or the "
        "version information in them, so that the Installer on each Device "
        "can tell which version of a file is already present.",
    ]),
    ("OWNERSHIP AND COPYRIGHT", [
        "The Software and the Documentation are protected by copyright law, "
        "by international treaties and by other laws on intellectual "
        "property. Norvane or its suppliers own all title, copyright and "
        "other rights in the Software, in the Documentation and in every "
        "copy of them. The name “Norvane” and the Norvane logo are "
        "trademarks of Norvane. Nothing in this Agreement gives You any "
        "right to use the trademarks, service marks or trade names of "
        "Norvane.",
        "Copyright © 2026 Norvane. All rights reserved. This notice must "
        "appear in every copy of the Software that You make under Section 2 "
        "and with every Redistributable File that You distribute under "
        "Section 4. The Software may contain files that Norvane "
        "licenses from its suppliers; those suppliers are intended "
        "beneficiaries of this Agreement.",
    ]),
    ("UPDATES AND SUPPORT", [
        "Norvane may from time to time make Updates available, such as "
        "fixes, security improvements and new versions of individual "
        "components. An Update may replace, change or remove features of "
        "the Software. Norvane is not obliged to provide Updates, and it "
        "may stop providing Updates for a version of the Software at any "
        "time. Before it replaces a file, the Installer checks whether a "
        "newer version of that file is already present on the Device, and "
        "it does not replace a newer file with an older one.",
        "This Agreement does not entitle You to technical support. Where "
        "Norvane offers support, it does so under separate terms, and any "
        "supplementary code that Norvane provides to You as part of that "
        "support is part of the Software. Norvane may decide at its "
        "sole discretion which questions it answers and how quickly it "
        "answers them.",
    ]),
    ("INFORMATION RECORDED BY THE SOFTWARE", [
        "The Installer records the outcome of each installation step in a "
        "log file on the Device, so that You can find the cause of an "
        "installation that did not succeed. The log file stays on the "
        "Device, and the Installer does not send it anywhere. You may "
        "delete the log file at any time; doing so does not affect the "
        "installed Software, although it may make a later problem harder to "
        "diagnose.",
        "The Software does not transmit personal data to Norvane. If You "
        "choose to send a log file or other information to Norvane when You "
        "ask for help, Norvane will use that information only to answer "
        "Your request and will delete it when it is no longer needed. You "
        "are responsible for removing any confidential information from a "
        "log file before You send it.",
    ]),
    ("TERM AND TERMINATION", [
        "This Agreement takes effect when You first install or use the "
        "Software and continues until it is terminated. You may terminate "
        "it at any time by removing the Software from all Devices and "
        "destroying all copies of it in Your possession. Removing the "
        "Software with the removal function of the Installer is sufficient "
        "for this purpose, provided that You also delete any backup copies.",
        "Norvane may terminate this Agreement with immediate effect if You "
        "fail to comply with any of its terms. Upon termination You must "
        "stop using the Software and remove it from all Devices. Sections "
        "3, 5, 10, 11, 13, 14 and 15 survive termination. Termination "
        "does not affect any rights that either party acquired before the "
        "date of termination, and it does not entitle You to a refund.",
    ]),
    ("LIMITED WARRANTY", [
        "Norvane warrants that, for a period of ninety (90) days from the "
        "date on which You first obtain the Software, the Software will "
        "perform substantially as described in the Documentation. This "
        "warranty does not apply if the Software has been modified or "
        "misused, or if it has been installed on a Device that does not "
        "meet the system requirements in the Documentation. Nor does it "
        "apply to problems caused by hardware failure, by other software or "
        "by events beyond the reasonable control of Norvane.",
        "Your exclusive remedy for a breach of this warranty is, at the "
        "option of Norvane, either the repair or replacement of the "
        "Software or the refund of any fee that You paid for it. Any "
        "replacement Software is warranted for the rest of the original "
        "period or for thirty (30) days, whichever is longer. To claim "
        "under this warranty, You must contact Norvane within the warranty "
        "period and show the date on which You obtained the Software.",
    ]),
    ("DISCLAIMER OF WARRANTIES", [
        "EXCEPT FOR THE LIMITED WARRANTY IN SECTION 9, THE SOFTWARE AND THE "
        "DOCUMENTATION ARE PROVIDED “AS IS”, WITH ALL FAULTS AND WITHOUT "
        "WARRANTY OF ANY KIND. TO THE MAXIMUM EXTENT PERMITTED BY "
        "APPLICABLE LAW, NORVANE DISCLAIMS ALL OTHER WARRANTIES AND "
        "CONDITIONS, WHETHER EXPRESS, IMPLIED OR STATUTORY, INCLUDING ANY "
        "WARRANTY OF MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE, "
        "TITLE, QUIET ENJOYMENT AND NON-INFRINGEMENT. NORVANE DOES NOT "
        "WARRANT THAT THE SOFTWARE IS FREE OF ERRORS OR THAT ITS OPERATION "
        "WILL BE UNINTERRUPTED. NO ADVICE OR INFORMATION, WHETHER ORAL "
        "OR WRITTEN, OBTAINED FROM NORVANE OR ELSEWHERE CREATES ANY "
        "WARRANTY THAT THIS AGREEMENT DOES NOT EXPRESSLY STATE. YOU ASSUME "
        "THE ENTIRE RISK AS TO THE RESULTS AND PERFORMANCE OF THE SOFTWARE.",
    ]),
    ("LIMITATION OF LIABILITY", [
        "TO THE MAXIMUM EXTENT PERMITTED BY APPLICABLE LAW, IN NO EVENT "
        "WILL NORVANE OR ITS SUPPLIERS BE LIABLE FOR ANY INDIRECT, "
        "INCIDENTAL, EXEMPLARY, CONSEQUENTIAL OR PUNITIVE DAMAGES, OR FOR ANY "
        "LOSS OF PROFITS, REVENUE, DATA OR USE, ARISING OUT OF OR IN "
        "CONNECTION WITH THIS AGREEMENT OR THE SOFTWARE, EVEN IF NORVANE "
        "HAS BEEN ADVISED OF THE POSSIBILITY OF SUCH DAMAGES. THIS "
        "LIMITATION APPLIES TO CLAIMS IN CONTRACT, IN TORT (INCLUDING "
        "NEGLIGENCE), UNDER ANY STATUTE AND UNDER ANY OTHER THEORY OF "
        "LIABILITY.",
        "THE TOTAL LIABILITY OF NORVANE FOR ALL CLAIMS UNDER THIS AGREEMENT "
        "IS LIMITED TO THE GREATER OF THE AMOUNT THAT YOU PAID FOR THE "
        "SOFTWARE AND FIVE U.S. DOLLARS (US$5.00). SOME JURISDICTIONS DO "
        "NOT ALLOW THESE LIMITATIONS, SO THEY MAY NOT APPLY TO YOU.",
    ]),
    ("EXPORT RESTRICTIONS", [
        "The Software is subject to export control laws and regulations. "
        "You must comply with all domestic and international export laws "
        "and regulations that apply to the Software, including restrictions "
        "on destinations, end users and end use. Norvane may suspend "
        "the delivery of Updates where this is needed to comply with such "
        "laws. You must not export, "
        "re-export or transfer the Software to a destination, a person or "
        "an organisation to which such a transfer is prohibited, and You "
        "must not use the Software for a prohibited purpose.",
    ]),
    ("FEEDBACK", [
        "If You give Norvane comments or suggestions about the Software "
        "(“Feedback”), You give Norvane, without charge, the right to use, "
        "share and commercialise that Feedback in any way and for any "
        "purpose. You will not give Feedback that is subject to a license "
        "requiring Norvane to license its software or documentation to "
        "third parties. Norvane is under no obligation to use any "
        "Feedback, and it need not tell You whether it has done so.",
    ]),
    ("GOVERNING LAW", [
        "This Agreement is governed by the laws of the place in which "
        "Norvane has its registered office, without regard to its rules on "
        "conflicts of law. The courts of that place have exclusive "
        "jurisdiction over any dispute arising from this Agreement, except "
        "that Norvane may seek injunctive relief in any court of competent "
        "jurisdiction. The United Nations Convention on Contracts for "
        "the International Sale of Goods does not apply to this Agreement. "
        "If You obtained the Software as a consumer, nothing in this "
        "Section deprives You of the protection of the mandatory laws of "
        "the country in which You live.",
    ]),
    ("GENERAL", [
        "This Agreement is the entire agreement between You and Norvane "
        "concerning the Software, and it supersedes all earlier agreements, "
        "proposals and representations on that subject. If any provision "
        "of this Agreement is held invalid or unenforceable, the remaining "
        "provisions continue in full force and effect. A failure by Norvane "
        "to enforce any provision is not a waiver of it. The parties "
        "may change this Agreement only in writing signed by both of them.",
        "You may not assign this Agreement or any of Your rights under it "
        "without the prior written consent of Norvane. Headings are for "
        "convenience only. Please send any question about this Agreement "
        "to the address given in the Documentation. Norvane may "
        "assign this Agreement to a successor of its business at any time. "
        "Any notice under this Agreement must be given in writing.",
    ]),
]
assert len(SECTIONS) == 15



def wrap(paragraph):
    """Wrap at WIDTH, keeping "(a) word" and "Section 2" on one line."""
    glued = re.sub(r"(\([a-e]\)|Section) ", "\\1\u00a0", paragraph)
    return [l.replace("\u00a0", " ") for l in
            textwrap.wrap(glued, WIDTH, break_on_hyphens=False)]


blocks = [TITLE, wrap(NOTICE)]
for number, (heading, paragraphs) in enumerate(SECTIONS, 1):
    blocks.append(["%d. %s" % (number, heading)])
    blocks.extend(wrap(p) for p in paragraphs)

lines = []
for block in blocks:
    if lines:
        lines.append("")
    lines.extend(block)
text = "\r\n".join(lines) + "\r\n"
with open(os.path.join(OUT, "license.txt"), "wb") as f:
    f.write(text.encode("cp1252"))
PY

# ---------------------------------------------------------------------------
# 4. Checks: print the measured properties and fail if any is off.
# ---------------------------------------------------------------------------
convert "$OUT/background.jpg" -depth 8 "$TMP/background.ppm"
python3 - <<'PY'
import os, struct

OUT, TMP = os.environ["OUT"], os.environ["TMP"]
problems = []


def check(ok, what):
    print(("  ok    " if ok else "  FAIL  ") + what)
    if not ok:
        problems.append(what)


# background.jpg
jpg = open(os.path.join(OUT, "background.jpg"), "rb").read()
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
print("background.jpg: %d bytes, %dx%d, %d components, sampling %s"
      % (len(jpg), w, h, ncomp, " ".join("%dx%d" % (s >> 4, s & 15) for s in samp)))
check(jpg[6:11] == b"JFIF\0", "JFIF APP0 header")
check(0xC0 in markers and not any(m in markers for m in (0xC1, 0xC2, 0xC3)), "baseline (SOF0 only)")
check((w, h, ncomp, bits) == (600, 400, 3, 8), "600x400, 24-bit colour")
check(all(s == 0x11 for s in samp), "4:4:4 sampling")
check(60000 <= len(jpg) <= 80000, "size 60-80 KB")

ppm = open(os.path.join(TMP, "background.ppm"), "rb").read()
magic, pw, ph, maxval = ppm.split(maxsplit=4)[:4]      # header: P6 w h 255
assert magic == b"P6" and maxval == b"255"
pw, ph = int(pw), int(ph)
pix = ppm[len(ppm) - pw * ph * 3:]      # pixel data follows one whitespace byte


def px(x, y):
    o = (y * pw + x) * 3
    return pix[o:o + 3]


rules = {130, 358}
white = [min(px(x, y)) for y in range(80, 400) for x in range(97, 600)
         if not (y in rules and 112 <= x <= 585)]
print("  white panel minimum channel value: %d (outside the two rules)" % min(white))
check(min(white) >= 250, "white panel >= 250")
rule = [px(x, y) for y in rules for x in range(114, 584)]
print("  rule pixels: %s .. %s" % (min(rule), max(rule)))
check(all(180 <= v <= 200 for p in rule for v in p), "rules about #C0C0C0")

# bitmaps
for name, size in (("status-installing.bmp", (16, 16)), ("status-succeeded.bmp", (16, 16)),
                   ("status-failed.bmp", (16, 16)), ("status.bmp", (48, 16)),
                   ("components.bmp", (176, 16))):
    b = open(os.path.join(OUT, name), "rb").read()
    _, _, _, bw, bh, _, bpp, comp = struct.unpack("<2sI8xIiiHHI", b[:34])
    print("%s: %d bytes, %dx%d, %d bpp, compression %d" % (name, len(b), bw, bh, bpp, comp))
    check((bw, bh) == size and bpp == 24 and comp == 0 and b[:2] == b"BM",
          name + " is a 24-bit BI_RGB bottom-up bitmap")

# installer.ico
ico = open(os.path.join(OUT, "installer.ico"), "rb").read()
_, kind, count = struct.unpack("<HHH", ico[:6])
print("installer.ico: %d bytes, %d images" % (len(ico), count))
check(kind == 1 and count == 2, "icon with two images")
for k in range(count):
    iw, ih, ncol, _, planes, bpp, size, off = struct.unpack("<BBBBHHII", ico[6 + 16 * k:22 + 16 * k])
    hsize, hw, hh, hpl, hbpp, hcomp = struct.unpack("<IiiHHI", ico[off:off + 20])
    print("  image %d: %dx%d, %d colours, %d bpp, header %dx%d, compression %d"
          % (k, iw, ih, ncol, hbpp, hw, hh, hcomp))
    check(iw == ih == (32, 16)[k] and ncol == 16 and bpp == hbpp == 4 and hh == 2 * hw
          and hcomp == 0 and hsize == 40, "icon image %d: BMP, 4 bpp, with AND mask" % k)

# license.txt
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

if problems:
    raise SystemExit("make-artwork.sh: %d check(s) failed" % len(problems))
print("all checks passed")
PY
