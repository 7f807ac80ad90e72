#!/usr/bin/env python3
"""Draws Zandrel's program icon in the hicolor sizes under desktop/icons/.

    python3 tools/make_icon.py [--check]

A warm sun in the middle, a tilted orbit round it and a blue planet on the orbit, on a transparent background.
Each size is drawn on its own (4 x 4 samples per pixel), so the small icons stay sharp instead of being shrunk
from the large one. Writes desktop/icons/<n>x<n>/zandrel.png; with --check nothing is written and the committed
files are compared with what would be written. Standard library only; the output is deterministic.
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 64, 128, 256)
SAMPLES = 4  # per pixel edge

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICONS = os.path.join(ROOT, "desktop", "icons")

# Geometry in units of the icon edge, centre at (0.5, 0.5).
SUN_RADIUS = 0.22
ORBIT_RX = 0.44
ORBIT_RY = 0.17
ORBIT_TILT = math.radians(-20.0)
ORBIT_WIDTH = 0.035
PLANET_ANGLE = math.radians(-35.0)
PLANET_RADIUS = 0.085

SUN_CORE = (255, 236, 140)
SUN_RIM = (240, 120, 20)
ORBIT = (200, 210, 235)
PLANET_LIGHT = (120, 180, 255)
PLANET_DARK = (20, 50, 140)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rotate(x, y, angle):
    c, s = math.cos(angle), math.sin(angle)
    return x * c - y * s, x * s + y * c


def planet_centre():
    x, y = ORBIT_RX * math.cos(PLANET_ANGLE), ORBIT_RY * math.sin(PLANET_ANGLE)
    x, y = rotate(x, y, ORBIT_TILT)
    return 0.5 + x, 0.5 + y


def orbit_distance(x, y):
    """Approximate distance of (x, y) from the orbit ellipse, and whether the point lies in its front half."""
    u, v = rotate(x - 0.5, y - 0.5, -ORBIT_TILT)
    angle = math.atan2(v / ORBIT_RY, u / ORBIT_RX)
    ex, ey = ORBIT_RX * math.cos(angle), ORBIT_RY * math.sin(angle)
    return math.hypot(u - ex, v - ey), v > 0.0


def sample(x, y):
    """Colour and coverage (0 or 1) of one sample, painted back to front."""
    colour, alpha = (0, 0, 0), 0.0
    orbit_gap, front = orbit_distance(x, y)
    on_orbit = orbit_gap < ORBIT_WIDTH / 2
    if on_orbit and not front:
        colour, alpha = ORBIT, 1.0
    r = math.hypot(x - 0.5, y - 0.5)
    if r < SUN_RADIUS:
        colour, alpha = mix(SUN_CORE, SUN_RIM, (r / SUN_RADIUS) ** 2), 1.0
    if on_orbit and front:
        colour, alpha = ORBIT, 1.0
    px, py = planet_centre()
    d = math.hypot(x - px, y - py)
    if d < PLANET_RADIUS:
        # Lit from the sun: brighter on the side that faces it.
        lx, ly = 0.5 - px, 0.5 - py
        length = math.hypot(lx, ly)
        facing = ((x - px) * lx + (y - py) * ly) / (PLANET_RADIUS * length)
        colour, alpha = mix(PLANET_DARK, PLANET_LIGHT, max(0.0, min(1.0, 0.5 + 0.6 * facing))), 1.0
    return colour, alpha


def render(size):
    rows = []
    for j in range(size):
        row = bytearray()
        for i in range(size):
            total, cover = [0.0, 0.0, 0.0], 0.0
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    x = (i + (si + 0.5) / SAMPLES) / size
                    y = (j + (sj + 0.5) / SAMPLES) / size
                    colour, alpha = sample(x, y)
                    cover += alpha
                    for k in range(3):
                        total[k] += colour[k] * alpha
            n = SAMPLES * SAMPLES
            if cover > 0:
                row += bytes(round(total[k] / cover) for k in range(3))
            else:
                row += b"\0\0\0"
            row.append(round(255 * cover / n))
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\0" + row for row in rows)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    check = "--check" in sys.argv[1:]
    differing = []
    for size in SIZES:
        path = os.path.join(ICONS, f"{size}x{size}", "zandrel.png")
        data = png(size, render(size))
        if check:
            try:
                with open(path, "rb") as existing:
                    if existing.read() != data:
                        differing.append(path)
            except OSError:
                differing.append(path)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as out:
                out.write(data)
    if differing:
        print("differs from the generator: " + ", ".join(differing), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
