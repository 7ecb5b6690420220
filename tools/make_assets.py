#!/usr/bin/env python3
"""Draws the program's pictures and writes them in the formats both hosts read.

assets/quorvel.ico: the icon, a bell curve over a bar chart. It keeps the 16 x
16 and 32 x 32 images in the 16-colour palette that the window has always
carried, and adds 32-bit images with alpha at 16, 24, 32 and 48 pixels (BMP)
and at 256 (PNG), so that title bars, the taskbar and Explorer pick a sharp
one at any DPI. assets/quorvel-SIZE.png: the 32-bit design for the Linux icon
theme, which takes no .ico, drawn at each size it installs (16 to 256 pixels)
so that none is scaled up from a small one, and at the two sizes of the web
app's manifest (192 and 512). assets/image1.bmp: a 20 x 25 test
tube in 24-bit colour. The output is deterministic, so running this again
changes nothing unless the drawings change.
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


# The 32-bit design, in units of a 16-unit square. Colours are (r, g, b).
TILE_TOP, TILE_BOTTOM, TILE_EDGE = (34, 70, 150), (14, 32, 92), (70, 170, 190)
BAR, CURVE, BASELINE = (60, 210, 230), (255, 208, 40), (255, 255, 255)
SUBSAMPLES = 4  # per pixel and axis: edges are smoothed, not stepped


def bell(x):
    """The curve's height in units at x, and its slope."""
    u = (x - 1.5) / 13
    y = 13 - 10 * math.exp(-((u - 0.5) ** 2) / 0.03)
    return y, (13 - y) * 2 * (u - 0.5) / 0.03 / 13


def curve_distance(x, y):
    """Distance from (x, y) to the curve: a few Newton steps towards the
    nearest point, which keeps the stroke even round the sharp peak."""
    t = x
    for _ in range(4):
        height, slope = bell(t)
        t += ((x - t) + (y - height) * slope) / (1 + slope * slope)
    return math.hypot(x - t, y - bell(t)[0])


def colour_at(x, y, size):
    """The colour at unit point (x, y), or None outside the tile."""
    # A rounded tile inside a transparent margin; the margin and the strokes
    # grow with the size but stay at least a pixel where that matters.
    pixel = 16 / size
    margin = round(size / 32) * pixel
    radius = 3.5
    dx = max(margin + radius - x, x - (16 - margin - radius), 0)
    dy = max(margin + radius - y, y - (16 - margin - radius), 0)
    corner = math.hypot(dx, dy)
    if x < margin or x > 16 - margin or y < margin or y > 16 - margin or corner > radius:
        return None
    stroke = max(pixel, 0.7)
    if max(-x + margin, x - 16 + margin, -y + margin, y - 16 + margin,
           corner - radius) > -stroke:
        fill = TILE_EDGE
    else:
        t = y / 16
        fill = tuple(round(a + (b - a) * t) for a, b in zip(TILE_TOP, TILE_BOTTOM))
    if 2 <= x <= 14.5 and 14 <= y <= 14 + stroke:
        return BASELINE
    if 1.5 <= x <= 14.5 and curve_distance(x, y) <= max(pixel * 0.6, 0.55):
        return CURVE
    for left, bar_height in ((3, 4), (6, 8), (9, 7), (12, 3)):
        if left <= x <= left + 2 and 14 - bar_height <= y <= 14:
            return BAR
    return fill


def draw_rgba(size):
    """Rows top to bottom of (r, g, b, a): the tile smoothed by subsampling."""
    step = 16 / size / SUBSAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = [colour_at((px * SUBSAMPLES + i + 0.5) * step, (py * SUBSAMPLES + j + 0.5) * step, size)
                    for j in range(SUBSAMPLES) for i in range(SUBSAMPLES)]
            hits = [c for c in hits if c is not None]
            if not hits:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (round(sum(c[k] for c in hits) / len(hits)) for k in range(3))
            row.append((r, g, b, round(255 * len(hits) / SUBSAMPLES ** 2)))
        rows.append(row)
    return rows


def rgba_icon_image(size):
    """A 32-bit BMP icon image; the AND mask marks fully transparent pixels."""
    rows = draw_rgba(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    and_row = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for i, pixel in enumerate(row):
            bits |= (pixel[3] == 0) << (and_row * 8 - 1 - i)
        mask += bits.to_bytes(and_row, "big")
    return header + xor + mask


def write_ico(path):
    # (width, colour count, bits per pixel, image): the palette images first,
    # as the window has always named them.
    images = [(s, 16, 4, icon_image(s)) for s in (16, 32)]
    images += [(s, 0, 32, rgba_icon_image(s)) for s in (16, 24, 32, 48)]
    images.append((256, 0, 32, png_bytes(256)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, colours, bits, image in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
    path.write_bytes(out + b"".join(image for *_, image in images))


def png_bytes(size):
    """The 32-bit design as an 8-bit RGBA PNG without ancillary chunks."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in draw_rgba(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


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
    write_ico(assets / "quorvel.ico")
    for size in PNG_SIZES + WEB_SIZES:
        (assets / f"quorvel-{size}.png").write_bytes(png_bytes(size))
    write_bmp(assets / "image1.bmp", 20, 25)
