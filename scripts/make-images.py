#!/usr/bin/python3
"""Draws the program's images (lamp, application icon, theme indicators and arrows) as PNG files.

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


# Vector shapes: inside(x, y) -> bool in pixel coordinates (pixel centres at .5).
def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def ring(cx, cy, outer, inner):
    return lambda x, y: inner <= math.hypot(x - cx, y - cy) <= outer


def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + radius - x, 0, x - (x1 - radius))
        dy = max(y0 + radius - y, 0, y - (y1 - radius))
        return dx * dx + dy * dy <= radius * radius
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def stroke(points, width):
    """A polyline of the given width with round joins."""
    def distance(px, py, ax, ay, bx, by):
        vx, vy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - ax - t * vx, py - ay - t * vy)
    segments = list(zip(points, points[1:]))
    return lambda x, y: min(distance(x, y, *a, *b) for a, b in segments) <= width / 2


def layered(layers, samples=4):
    """Paints (shape, colour) layers in order, each antialiased by supersampling."""
    offsets = [(i + 0.5) / samples for i in range(samples)]
    def pixel(x, y):
        r = g = b = a = 0.0
        for shape, colour in layers:
            cover = sum(shape(x + ox, y + oy) for ox in offsets for oy in offsets) / samples ** 2
            if cover == 0:
                continue
            cr, cg, cb = colour(x, y) if callable(colour) else colour
            out = cover + a * (1 - cover)
            r = (cr * cover + r * a * (1 - cover)) / out
            g = (cg * cover + g * a * (1 - cover)) / out
            b = (cb * cover + b * a * (1 - cover)) / out
            a = out
        return (int(round(r)), int(round(g)), int(round(b)), int(round(a * 255)))
    return pixel


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


# Indicator colours follow the theme: dark frames, the push-button blue for "on".
ENABLED = {"frame": hex_colour("#242424"), "face": hex_colour("#FFFFFF"), "mark": hex_colour("#1E90FF"), "tick": hex_colour("#FFFFFF")}
DISABLED = {"frame": hex_colour("#9A9A9A"), "face": hex_colour("#E6E6E6"), "mark": hex_colour("#9A9A9A"), "tick": hex_colour("#F4F4F4")}


def checkbox(state, c):
    size = 13
    box = rounded_rect(0.5, 0.5, size - 0.5, size - 0.5, 2.5)
    face = rounded_rect(1.5, 1.5, size - 1.5, size - 1.5, 1.5)
    layers = [(box, c["frame"])]
    if state == "unchecked":
        layers.append((face, c["face"]))
        return layers
    layers.append((face, c["mark"]))
    if state == "checked":
        layers.append((stroke([(3.3, 6.8), (5.6, 9.2), (9.8, 3.9)], 1.9), c["tick"]))
    else:
        layers.append((rounded_rect(3.2, 5.6, 9.8, 7.4, 0.6), c["tick"]))
    return layers


def radiobutton(state, c):
    centre = 7.5
    layers = [(circle(centre, centre, 7.0), c["frame"]), (circle(centre, centre, 6.0), c["face"])]
    if state == "checked":
        layers.append((circle(centre, centre, 3.6), c["mark"]))
    return layers


def arrow(direction, size, colour, inset):
    """A solid triangle pointing up, down, left or right."""
    lo, hi, mid = inset, size - inset, size / 2
    flat = size * 0.3
    points = {
        "top": [(lo, mid + flat), (hi, mid + flat), (mid, mid - flat)],
        "bottom": [(lo, mid - flat), (hi, mid - flat), (mid, mid + flat)],
        "left": [(mid + flat, lo), (mid + flat, hi), (mid - flat, mid)],
        "right": [(mid - flat, lo), (mid - flat, hi), (mid + flat, mid)],
    }[direction]
    return [(polygon(points), colour)]


def app_icon(size):
    """Blue tile with the measuring aperture: a white ring around a visible spectrum."""
    s = size / 256.0
    top, bottom = hex_colour("#00BFFF"), hex_colour("#1E90FF")

    def tile_colour(x, y):
        t = y / size
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))

    def spectrum(x, y):
        # 400 nm at the left to 700 nm at the right, softened towards white at the top.
        hue = 270.0 * (1 - (x - 70 * s) / (116 * s))
        r, g, b = hsv(max(0.0, min(270.0, hue)), 0.85, 1.0)
        haze = max(0.0, min(1.0, (128 * s - y) / (58 * s))) * 0.55
        return tuple(v + (255 - v) * haze for v in (r, g, b))

    return [
        (rounded_rect(8 * s, 8 * s, 248 * s, 248 * s, 44 * s), tile_colour),
        (ring(128 * s, 128 * s, 86 * s, 70 * s), (255, 255, 255)),
        (circle(128 * s, 128 * s, 58 * s), spectrum),
    ]


def hsv(h, s, v):
    c = v * s
    x = c * (1 - abs((h / 60.0) % 2 - 1))
    r, g, b = [(c, x, 0), (x, c, 0), (0, c, x), (0, x, c), (x, 0, c), (c, 0, x)][int(h // 60) % 6]
    m = v - c
    return ((r + m) * 255, (g + m) * 255, (b + m) * 255)


def theme_images():
    """(file name, size, layers) for every image the theme references in qss/psblack."""
    light, dark = hex_colour("#DCDCDC"), hex_colour("#484848")
    images = []
    for state in ("checked", "unchecked", "parcial"):
        images.append(("checkbox_%s.png" % state, 13, checkbox(state, ENABLED)))
        images.append(("checkbox_%s_disable.png" % state, 13, checkbox(state, DISABLED)))
    for state in ("checked", "unchecked"):
        images.append(("radiobutton_%s.png" % state, 15, radiobutton(state, ENABLED)))
        images.append(("radiobutton_%s_disable.png" % state, 15, radiobutton(state, DISABLED)))
    # Spin, combo and tab arrows sit on white fields; branch and calendar arrows on dark ones.
    for direction in ("top", "bottom", "left", "right"):
        images.append(("add_%s.png" % direction, 10, arrow(direction, 10, dark, 1)))
    images.append(("branch_open.png", 10, arrow("bottom", 10, light, 1.5)))
    images.append(("branch_close.png", 10, arrow("right", 10, light, 1.5)))
    images.append(("calendar_prevmonth.png", 16, arrow("left", 16, light, 3)))
    images.append(("calendar_nextmonth.png", 16, arrow("right", 16, light, 3)))
    return images


def main():
    write_png(os.path.join(ROOT, "image", "led_on.png"), 24, lamp((20, 190, 40), 0.8))
    write_png(os.path.join(ROOT, "image", "led_off.png"), 24, lamp((120, 120, 120), 0.3))
    write_png(os.path.join(ROOT, "image", "lumivex.png"), 256, layered(app_icon(256), samples=3))
    for name, size, layers in theme_images():
        write_png(os.path.join(ROOT, "qss", "psblack", name), size, layered(layers))


if __name__ == "__main__":
    main()
