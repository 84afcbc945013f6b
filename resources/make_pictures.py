#!/usr/bin/env python3
"""Draws Skyvane's pictures: the application icon, the two looks of the
slider thumb and the slider track.

Standard library only, and deterministic: the same script always writes the
same bytes, so the committed outputs can be checked against a fresh run.
Run from anywhere: python3 resources/make_pictures.py
"""

import colorsys
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---- file formats -------------------------------------------------------

def png_bytes(width, height, rows):
    """A truecolour-with-alpha PNG; rows: lists of (r, g, b, a) in 0..255."""
    assert len(rows) == height and all(len(row) == width for row in rows)
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def ico_bytes(images):
    """images: (size, rows) pairs, stored as 32-bit DIBs with alpha.

    Every size also carries its AND mask (set where the pixel is fully
    transparent), so code that ignores the alpha channel still gets a
    sensible outline.
    """
    directory = b""
    blobs = b""
    offset = 6 + 16 * len(images)
    for size, rows in images:
        # BITMAPINFOHEADER; the height counts the colour and the mask halves.
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                             size * size * 4, 0, 0, 0, 0)
        colour = b"".join(bytes(c for px in row for c in (px[2], px[1], px[0], px[3]))
                          for row in reversed(rows))
        stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(rows):
            bits = bytearray(stride)
            for x, px in enumerate(row):
                if px[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        blob = header + colour + mask
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                                 len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + directory + blobs


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


# ---- colour helpers -----------------------------------------------------

def hex_rgb(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    """Linear blend of two colours (tuples of any length), t in 0..1."""
    t = min(1.0, max(0.0, t))
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def shade(c, factor):
    return tuple(v * factor for v in c)


def to_bytes(c):
    return tuple(min(255, max(0, int(round(v)))) for v in c)


# ---- slider thumb -------------------------------------------------------
#
# 16 x 20 and fully opaque. The fill runs diagonally from the top-left
# colour to the bottom-right one; a 1 px outline darker than the fill
# around it, a light bevel on the top and left inside it and a shaded one on
# the bottom and right make it read as a raised button. Three short
# vertical ridges in the middle give it a grip.

THUMB_W, THUMB_H = 16, 20


def thumb(top, bottom, outline_factor):
    top, bottom = hex_rgb(top), hex_rgb(bottom)
    white = (255, 255, 255)
    rows = []
    for y in range(THUMB_H):
        row = []
        for x in range(THUMB_W):
            # Mostly vertical, with a little lean to the right.
            t = (y + 0.35 * x) / (THUMB_H - 1 + 0.35 * (THUMB_W - 1))
            fill = mix(top, bottom, t)
            c = fill
            on_outline = x in (0, THUMB_W - 1) or y in (0, THUMB_H - 1)
            if on_outline:
                c = shade(fill, outline_factor)
                # Soften the four corners a little so the outline looks rounded.
                if x in (0, THUMB_W - 1) and y in (0, THUMB_H - 1):
                    c = mix(c, fill, 0.45)
            elif x == 1 or y == 1:
                c = mix(fill, white, 0.45)
            elif x == THUMB_W - 2 or y == THUMB_H - 2:
                c = shade(fill, 0.86)
            elif 7 <= y <= 12 and x in (5, 8, 11):
                c = shade(fill, 0.74)           # ridge, in shadow
            elif 7 <= y <= 12 and x in (6, 9, 12):
                c = mix(fill, white, 0.55)      # ridge, catching the light
            row.append(to_bytes(c) + (255,))
        rows.append(row)
    return png_bytes(THUMB_W, THUMB_H, rows)


# ---- slider track -------------------------------------------------------
#
# 176 x 24: a 2 px frame whose hue runs from red on the left to violet on
# the right, with its top-right corner cut off along a 45 degree line. The
# inside of the frame and the cut-off corner are fully transparent, so the
# value label drawn beneath shows through.

TRACK_W, TRACK_H, TRACK_FRAME, TRACK_CUT = 176, 24, 2, 9


def track_colour(x, y):
    hue = 0.80 * x / (TRACK_W - 1)
    r, g, b = colorsys.hls_to_rgb(hue, 0.52, 0.92)
    c = (r * 255, g * 255, b * 255)
    # The outer pixel row of the frame a touch deeper than the inner one.
    right = TRACK_W - 1 - x
    if min(x, y, right, TRACK_H - 1 - y) == 0 or right + y == TRACK_CUT:
        c = shade(c, 0.88)
    return to_bytes(c) + (255,)


def track_pixel(x, y):
    right = TRACK_W - 1 - x          # distance from the right edge
    diagonal = right + y             # constant along the cut
    if diagonal < TRACK_CUT:
        return (0, 0, 0, 0)          # cut off
    on_edge = min(x, y, right, TRACK_H - 1 - y) < TRACK_FRAME
    # Three pixels per row along the diagonal is as heavy as two pixels on
    # a straight edge.
    on_cut = diagonal < TRACK_CUT + TRACK_FRAME + 1
    if on_edge or on_cut:
        return track_colour(x, y)
    return (0, 0, 0, 0)


def track():
    rows = [[track_pixel(x, y) for x in range(TRACK_W)] for y in range(TRACK_H)]
    return png_bytes(TRACK_W, TRACK_H, rows)


# ---- application icon ---------------------------------------------------
#
# Two windows: one behind, lower left, half see-through (a window Skyvane
# has made translucent), and one in front, upper right, solid and floating
# above it on a soft shadow, with a vane arrow pointing up on its body (the
# window Skyvane keeps on top). Each size has its own layout, in pixels, so
# the straight edges fall on pixel boundaries and stay sharp; the round and
# slanted edges are smoothed by sampling every pixel on a fine grid.

SAMPLES = 8  # per pixel, in each direction

BLUE_DARK = hex_rgb("#1450b4")
BLUE_TITLE_L = hex_rgb("#1d66dc")
BLUE_TITLE_R = hex_rgb("#3cb4fa")
BODY = hex_rgb("#ffffff")
BODY_LOW = hex_rgb("#e9f1fc")
BACK_EDGE = hex_rgb("#2a5fb8")
BACK_FILL = hex_rgb("#7fb0f0")
ARROW = hex_rgb("#f0542f")

# Per size, in pixels: the back and front window boxes (x0, y0, x1, y1,
# edges on pixel boundaries), their corner radius, border width and title
# bar height, the shadow's offset (0 for none) and the vane arrow. The arrow
# is drawn as an outline (a polygon, for the larger sizes) or, at 16 x 16
# where every pixel counts, as a pixel mask relative to the body's top-left.
LAYOUTS = {
    16: dict(back=(0, 5, 11, 16), front=(5, 0, 16, 11), radius=1.2, edge=1,
             title=2, shadow=0,
             arrow_pixels=("",
                           "....#....",
                           "...###...",
                           "..#####..",
                           ".#######.",
                           "...###...",
                           "...###...")),
    32: dict(back=(1, 9, 23, 31), front=(9, 1, 31, 23), radius=2.5, edge=1,
             title=5, shadow=1,
             arrow=dict(cx=20.0, tip=8.0, head=14.0, half=6.0, shaft=2.0,
                        bottom=20.0, notch=1.6)),
    48: dict(back=(1, 15, 32, 46), front=(15, 1, 46, 32), radius=3.5, edge=2,
             title=7, shadow=1.5,
             arrow=dict(cx=30.5, tip=11.5, head=20.5, half=9.0, shaft=2.5,
                        bottom=29.0, notch=2.4)),
}


def arrow_outline(a):
    """The vane arrow pointing up: a broad head on a short, thick shaft
    whose end is notched like a vane's tail. A polygon, from the tip."""
    cx, s = a["cx"], a["shaft"]
    right = [
        (cx + a["half"], a["head"]),
        (cx + s, a["head"]),
        (cx + s, a["bottom"]),
    ]
    left = [(2 * cx - x, y) for x, y in reversed(right)]
    return [(cx, a["tip"])] + right + [(cx, a["bottom"] - a["notch"])] + left


def in_polygon(px, py, points):
    inside = False
    n = len(points)
    for i in range(n):
        x0, y0 = points[i]
        x1, y1 = points[(i + 1) % n]
        if (y0 > py) != (y1 > py):
            if px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
    return inside


def in_round_rect(px, py, box, r):
    x0, y0, x1, y1 = box
    if not (x0 <= px <= x1 and y0 <= py <= y1):
        return False
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def inset(box, d):
    x0, y0, x1, y1 = box
    return (x0 + d, y0 + d, x1 - d, y1 - d)


def over(dst, src):
    """src over dst, straight (not premultiplied) RGBA with alpha in 0..1."""
    sa, da = src[3], dst[3]
    oa = sa + da * (1 - sa)
    if oa <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    return tuple((src[i] * sa + dst[i] * da * (1 - sa)) / oa for i in range(3)) + (oa,)


def in_arrow(px, py, lay, body):
    if "arrow_pixels" in lay:
        rows = lay["arrow_pixels"]
        col, row = int(px - body[0]), int(py - body[1])
        return 0 <= row < len(rows) and 0 <= col < len(rows[row]) and rows[row][col] == "#"
    return in_polygon(px, py, lay["outline"])


def icon_sample(px, py, lay):
    c = (0.0, 0.0, 0.0, 0.0)
    r, edge = lay["radius"], lay["edge"]

    back = lay["back"]
    if in_round_rect(px, py, back, r):
        x0, y0, x1, y1 = back
        inner = x0 + edge <= px <= x1 - edge and y0 + lay["title"] <= py <= y1 - edge
        if inner:
            c = over(c, BACK_FILL + (0.45,))
        else:
            c = over(c, BACK_EDGE + (0.85,))

    front = lay["front"]
    d = lay["shadow"]
    if d:
        # A soft shadow just below the front window, so that it floats.
        for grow, alpha in ((0.0, 0.20), (d, 0.10)):
            sbox = (front[0] - grow, front[1] + d, front[2] + grow, front[3] + d + grow)
            if in_round_rect(px, py, sbox, r + grow):
                c = over(c, (10, 30, 70, alpha))

    if in_round_rect(px, py, front, r):
        x0, y0, x1, y1 = front
        body = (x0 + edge, y0 + lay["title"], x1 - edge, y1 - edge)
        if body[0] <= px <= body[2] and body[1] <= py <= body[3]:
            t = (py - body[1]) / (body[3] - body[1])
            fill = mix(BODY, BODY_LOW, t)
            if in_arrow(px, py, lay, body):
                fill = ARROW
            c = over(c, fill + (1.0,))
        elif py < y0 + lay["title"]:
            t = (px - x0) / (x1 - x0)
            c = over(c, mix(BLUE_TITLE_L, BLUE_TITLE_R, t) + (1.0,))
        else:
            c = over(c, BLUE_DARK + (1.0,))
    return c


def icon_image(size):
    lay = dict(LAYOUTS[size])
    if "arrow" in lay:
        lay["outline"] = arrow_outline(lay["arrow"])
    rows = []
    n = SAMPLES * SAMPLES
    for y in range(size):
        row = []
        for x in range(size):
            # Average premultiplied colour over the samples, then un-premultiply.
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = icon_sample(x + (sx + 0.5) / SAMPLES,
                                             y + (sy + 0.5) / SAMPLES, lay)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / n
            if alpha * 255 < 0.5:
                row.append((0, 0, 0, 0))
            else:
                row.append(to_bytes([acc[i] / acc[3] for i in range(3)]) +
                           (int(round(alpha * 255)),))
        rows.append(row)
    return rows


def main():
    write("thumb_normal.png", thumb("#6fa67f", "#d2c2f0", 0.62))
    write("thumb_hot.png", thumb("#3ee05e", "#f6fff8", 0.60))
    write("track.png", track())
    write("skyvane.ico", ico_bytes([(s, icon_image(s)) for s in (16, 32, 48)]))


if __name__ == "__main__":
    main()
