#!/usr/bin/env python3
"""Draws the program's pictures and writes them in the formats both hosts read.

assets/quorvel.ico: the icon, a bell curve over a bar chart, at 16 x 16 and
32 x 32 in the 16-colour palette. assets/quorvel-SIZE.png: the same design for
the Linux icon theme, which takes no .ico, drawn at each size it installs (16
to 256 pixels) so that none is scaled up from a small one, and at the two
sizes of the web app's manifest (192 and 512). assets/image1.bmp:
a 20 x 25 test tube in 24-bit colour. The output is deterministic, so running this again changes
nothing unless the drawings change.
"""
import math
import pathlib
import struct
import zlib

# The classic 16-colour palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, WHITE, YELLOW, CYAN, TEAL, SILVER = 4, 15, 11, 14, 6, 7
# The icon theme wants 48 x 48 at least; the smaller two serve menus and
# title bars.
PNG_SIZES = (16, 32, 48, 64, 128, 256)
# A web app manifest asks for these two.
WEB_SIZES = (192, 512)


def draw_icon(size):
    """Rows top to bottom of palette indexes: bars under a bell curve."""
    s = size / 16
    # Lines one pixel wide up to 32 x 32, then thicker in step with the size.
    line = max(1, size // 32)
    px = [[NAVY] * size for _ in range(size)]
    for x in range(size):
        for y in range(size):
            if min(x, y, size - 1 - x, size - 1 - y) < line:
                px[y][x] = TEAL
    # Bars of a histogram.
    for left, height in ((3, 4), (6, 8), (9, 7), (12, 3)):
        for x in range(int(left * s), int((left + 2) * s)):
            for y in range(int((14 - height) * s), int(14 * s)):
                px[y][x] = CYAN
    # The curve, drawn densely so it stays connected at both sizes.
    steps = size * 8
    for i in range(steps + 1):
        u = i / steps
        x = 1.5 * s + u * 13 * s
        y = 13 * s - 10 * s * math.exp(-((u - 0.5) ** 2) / 0.03)
        for dy in range(line):
            for dx in range(line):
                px[min(size - 1 - line, int(y) + dy)][min(size - 1 - line, int(x) + dx)] = YELLOW
    # Baseline.
    for x in range(int(2 * s), int(15 * s)):
        for dy in range(line):
            px[int(14 * s) + dy][x] = WHITE
    return px


def icon_image(size):
    px = draw_icon(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_row = (size // 2 + 3) // 4 * 4
    and_row = (size // 8 + 3) // 4 * 4
    xor = b""
    for row in reversed(px):
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, size, 2))
        xor += packed.ljust(xor_row, b"\0")
    mask = b"\0" * (and_row * size)  # fully opaque
    return header + palette + xor + mask


def write_ico(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    path.write_bytes(out + b"".join(images))


def write_png(path, size):
    """The icon image as an 8-bit RGB PNG without ancillary chunks."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = b"".join(
        b"\0" + bytes(c for i in row for c in PALETTE[i]) for row in draw_icon(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 2, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                     chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def draw_tube(width, height):
    """Rows top to bottom of (r, g, b): a glass tube half full of liquid."""
    background = (240, 240, 240)
    glass = (90, 110, 140)
    liquid = (40, 150, 90)
    px = [[background] * width for _ in range(height)]
    left, right, top, bottom = 6, 13, 2, 22
    for y in range(top, bottom + 1):
        px[y][left] = px[y][right] = glass
    for x in range(left - 2, right + 3):
        px[top][x] = glass  # the lip
    for y in range(12, bottom):
        for x in range(left + 1, right):
            px[y][x] = liquid
    for x in range(left + 1, right):
        px[bottom][x] = glass
    for y, x in ((9, 9), (7, 11), (10, 8)):
        px[y][x] = liquid  # bubbles
    return px


def write_bmp(path, width, height):
    px = draw_tube(width, height)
    row_size = (width * 3 + 3) // 4 * 4
    pixels = b""
    for row in reversed(px):
        pixels += b"".join(struct.pack("<BBB", b, g, r) for r, g, b in row).ljust(row_size, b"\0")
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    path.write_bytes(file_header + info + pixels)


if __name__ == "__main__":
    assets = pathlib.Path(__file__).resolve().parent.parent / "assets"
    assets.mkdir(exist_ok=True)
    write_ico(assets / "quorvel.ico", (16, 32))
    for size in PNG_SIZES + WEB_SIZES:
        write_png(assets / f"quorvel-{size}.png", size)
    write_bmp(assets / "image1.bmp", 20, 25)
