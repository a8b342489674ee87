#!/usr/bin/python3
"""Draws the program's small images (lamp, indicators, arrows) as PNG files.

The images are committed; run this again only to change them.
"""
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def write_png(path, size, pixel):
    """pixel(x, y) -> (r, g, b, a) for a size x size image."""
    rows = b""
    for y in range(size):
        rows += b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(size))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


def lamp(colour, glow):
    def pixel(x, y):
        c = 11.5
        d = math.hypot(x - c, y - c)
        if d > 11:
            return (0, 0, 0, 0)
        edge = max(0.0, min(1.0, 11 - d))
        shine = max(0.0, 1 - math.hypot(x - 8, y - 8) / 6) * glow
        r, g, b = (min(255, int(v + (255 - v) * shine)) for v in colour)
        return (r, g, b, int(255 * edge))
    return pixel


def main():
    write_png(os.path.join(ROOT, "image", "led_on.png"), 24, lamp((20, 190, 40), 0.8))
    write_png(os.path.join(ROOT, "image", "led_off.png"), 24, lamp((120, 120, 120), 0.3))


if __name__ == "__main__":
    main()
