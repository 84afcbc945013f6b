#!/usr/bin/env python3
"""Draws Skyvane's pictures: the application icon, the two looks of the
slider thumb and the slider track. Deterministic, standard library only.
Run from anywhere: python3 resources/make_pictures.py"""

import colorsys
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def png_bytes(width, height, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


# ---- slider thumb -------------------------------------------------------

def thumb(top, bottom):
    w, h = 16, 20
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            t = (y + 0.5 * x / w) / (h - 0.5)
            c = lerp(top, bottom, min(1.0, t))
            edge = x in (0, w - 1) or y in (0, h - 1)
            if edge:
                c = tuple(round(v * 0.62) for v in c)
            elif x == 1 or y == 1:
                c = lerp(c, (255, 255, 255), 0.35)  # light bevel
            elif x == w - 2 or y == h - 2:
                c = tuple(round(v * 0.85) for v in c)  # shade bevel
            # Three grip lines in the middle.
            if y in (7, 10, 13) and 4 <= x <= 11:
                c = tuple(round(v * 0.78) for v in c)
            if y in (8, 11, 14) and 4 <= x <= 11:
                c = lerp(c, (255, 255, 255), 0.45)
            row.append(c + (255,))
        rows.append(row)
    return png_bytes(w, h, rows)


# ---- slider track -------------------------------------------------------

def track():
    w, h, frame, bevel = 176, 24, 2, 7
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            # The top-right corner is cut along a diagonal.
            d = (x - (w - 1 - bevel)) + (bevel - y)  # > bevel: outside the cut
            outside = x > w - 1 - bevel and y < bevel and d > bevel
            on_cut = x > w - 1 - bevel and y < bevel and bevel - frame * 1.5 < d <= bevel
            on_frame = x < frame or y < frame or x >= w - frame or y >= h - frame
            if outside or not (on_frame or on_cut):
                row.append((0, 0, 0, 0))
                continue
            hue = 0.83 * x / (w - 1)  # red through violet
            light = 0.5 if y < h // 2 else 0.42
            r, g, b = colorsys.hls_to_rgb(hue, light, 0.95)
            row.append((round(r * 255), round(g * 255), round(b * 255), 255))
        rows.append(row)
    return png_bytes(w, h, rows)


# ---- application icon ---------------------------------------------------

def rounded_rect_cover(px, py, x0, y0, x1, y1, r):
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r and x0 <= px <= x1 and y0 <= py <= y1


def over(dst, src):
    sa = src[3] / 255.0
    da = dst[3] / 255.0
    oa = sa + da * (1 - sa)
    if oa == 0:
        return (0, 0, 0, 0)
    rgb = [(src[i] * sa + dst[i] * da * (1 - sa)) / oa for i in range(3)]
    return (rgb[0], rgb[1], rgb[2], oa * 255)


def icon_pixel(u, v):
    """u, v in 0..1 over the icon; returns straight RGBA floats."""
    c = (0, 0, 0, 0)
    # A window behind, half see-through: the one being made translucent.
    if rounded_rect_cover(u, v, 0.06, 0.30, 0.66, 0.92, 0.06):
        inside = rounded_rect_cover(u, v, 0.10, 0.42, 0.62, 0.88, 0.03)
        c = over(c, (120, 170, 230, 150) if inside else (40, 90, 170, 170))
    # The window in front, pinned on top.
    if rounded_rect_cover(u, v, 0.30, 0.10, 0.94, 0.74, 0.07):
        title = v < 0.24
        inside = rounded_rect_cover(u, v, 0.34, 0.24, 0.90, 0.70, 0.03)
        if title:
            t = (u - 0.30) / 0.64
            c = over(c, lerp((20, 110, 220), (90, 200, 255), t) + (255,))
        elif inside:
            c = over(c, (250, 252, 255, 255))
        else:
            c = over(c, (20, 110, 220, 255))
    # Vane: an arrow pointing up on the front window's body.
    ax, ay = 0.62, 0.30
    if 0.30 <= v <= 0.62 and abs(u - ax) <= 0.035:
        c = over(c, (235, 70, 60, 255))
    if ay <= v <= ay + 0.14 and abs(u - ax) <= (v - ay) * 1.0:
        c = over(c, (235, 70, 60, 255))
    # Tail feathers.
    if 0.56 <= v <= 0.64 and abs(u - ax) <= 0.10 and abs(u - ax) >= (0.64 - v) * 0.9:
        c = over(c, (235, 70, 60, 255))
    return c


def icon_image(size, samples=6):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size
                    v = (y + (sy + 0.5) / samples) / size
                    r, g, b, a = icon_pixel(u, v)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            a = acc[3] / n
            if a < 0.5:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(min(255, round(acc[i] / acc[3])) for i in range(3)) + (round(a),))
        rows.append(row)
    return rows


def ico_bytes(images):
    """images: list of (size, rows); stored as 32-bit DIBs with an AND mask."""
    entries = b""
    blobs = b""
    offset = 6 + 16 * len(images)
    for size, rows in images:
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = b"".join(bytes(c for px in row for c in (px[2], px[1], px[0], px[3])) for row in reversed(rows))
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, px in enumerate(row):
                if px[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        blob = header + xor + mask
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + entries + blobs


def main():
    write("thumb_normal.png", thumb((110, 160, 120), (205, 185, 235)))
    write("thumb_hot.png", thumb((70, 230, 100), (245, 255, 248)))
    write("track.png", track())
    images = [(s, icon_image(s)) for s in (16, 32, 48)]
    write("skyvane.ico", ico_bytes(images))


if __name__ == "__main__":
    main()
