#!/usr/bin/env python3
"""Draws the hamburger icon as palette XPM images at the given sizes,
and the PNGs the icon theme wants from them.

The XPM files are the sources and can be edited by hand; this script
redraws them from the same shapes as zimarela.svg when the picture
changes, and writes each XPM's PNG. Usage: draw_icon.py 32 48
"""
import math
import struct
import sys
import zlib

PALETTE = {
    ".": "None", "o": "#5A2E0C", "b": "#E39B3C", "h": "#F6C47A", "s": "#FFF4D6",
    "g": "#3FA535", "G": "#2A7A22", "r": "#D9382B", "y": "#FFD21F", "p": "#6B3516",
    "P": "#8A4A22", "B": "#C9822E",
}
SEEDS = [(0.33, 0.26), (0.49, 0.23), (0.65, 0.26), (0.42, 0.35), (0.58, 0.35), (0.74, 0.35),
         (0.26, 0.35)]
DRIPS = [0.21, 0.56, 0.79]


def colour_at(u, v, step):
    """The palette key at the unit-square point (u, v); step is one pixel."""
    du = u - 0.5
    if 0.16 <= v < 0.47:  # the top bun, a half ellipse over a flat base
        t = (0.47 - v) / 0.31
        half = 0.43 * math.sqrt(max(0.0, 1.0 - t * t))
        if abs(du) <= half:
            if abs(du) > half - 1.2 * step or v < 0.16 + step:
                return "o"
            if any(abs(u - x) < 0.9 * step and abs(v - y) < 0.5 * step + 0.01 for x, y in SEEDS):
                return "s"
            if v < 0.29 and du < -0.06 and abs(du) < half - 2.5 * step:
                return "h"
            return "b"
    if 0.47 <= v < 0.53 and abs(du) <= 0.46:  # lettuce, waving
        return "G" if math.sin(u * 40.0) > 0.3 and v >= 0.50 else "g"
    if 0.53 <= v < 0.56 and abs(du) <= 0.41:
        return "r"
    if 0.56 <= v < 0.59 and abs(du) <= 0.44:
        return "y"
    if 0.59 <= v < 0.72 and abs(du) <= 0.41:  # the patty, with cheese dripping on it
        if v < 0.63 and any(abs(u - d) < 1.1 * step for d in DRIPS):
            return "y"
        if abs(du) > 0.41 - step:
            return "o"
        return "P" if (round(u / step) + round(v / step)) % 5 == 0 else "p"
    if 0.72 <= v < 0.86:  # the bottom bun, rounded below
        inset = 0.44 - max(0.0, v - 0.79) * 1.2
        if abs(du) <= inset:
            if abs(du) > inset - step or v >= 0.86 - step:
                return "o"
            return "B" if v >= 0.78 else "b"
    return "."


def draw(size):
    step = 1.0 / size
    rows = ["".join(colour_at((x + 0.5) * step, (y + 0.5) * step, step) for x in range(size))
            for y in range(size)]
    keys = [k for k in PALETTE if any(k in row for row in rows)]
    lines = ["/* XPM */", f"/* The hamburger icon, {size} x {size}, one transparent colour. */",
             "static const char *zimarela[] = {", f'"{size} {size} {len(keys)} 1",']
    lines += [f'"{k} c {PALETTE[k]}",' for k in keys]
    lines += [f'"{row}"' + ("," if i < size - 1 else "") for i, row in enumerate(rows)]
    lines.append("};")
    return "\n".join(lines) + "\n"


def png(xpm):
    """The PNG (8-bit RGBA) of an XPM as draw() writes it."""
    strings = [line[1:line.rindex('"')] for line in xpm.splitlines() if line.startswith('"')]
    width, height, count, _ = (int(n) for n in strings[0].split())
    colours = {}
    for entry in strings[1:1 + count]:
        value = entry.split(" c ")[1]
        colours[entry[0]] = bytes(4) if value == "None" else bytes.fromhex(value[1:]) + b"\xff"
    raw = b"".join(b"\0" + b"".join(colours[key] for key in row)
                   for row in strings[1 + count:1 + count + height])

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    for argument in sys.argv[1:] or ["32", "48"]:
        with open(f"zimarela-{argument}.xpm", "w", encoding="ascii") as out:
            out.write(draw(int(argument)))
        with open(f"zimarela-{argument}.xpm", encoding="ascii") as source:
            picture = png(source.read())
        with open(f"zimarela-{argument}.png", "wb") as out:
            out.write(picture)
