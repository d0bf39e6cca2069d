#!/usr/bin/env python3
"""Draws Pellmarsh's icon images: a house with a gold coin in front of it.

Writes three palette PNGs next to this script, with the standard library only:
  32x32/org.pellmarsh.Pellmarsh.png       16 colours
  32x32/org.pellmarsh.Pellmarsh-mono.png  2 colours
  16x16/org.pellmarsh.Pellmarsh.png       16 colours
The drawing is made of shapes in a 32 x 32 design space; the 16 x 16 image samples the same shapes
at half scale. Run it again after changing a shape and commit the images with it.
"""
import os
import struct
import zlib

# Entry 0 is transparent; the rest are the classic sixteen desktop colours less fuchsia.
PALETTE_16 = [
    (255, 255, 255), (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT, BLACK, MAROON, GREEN, OLIVE, NAVY = 0, 1, 2, 3, 4, 5
SILVER, GREY, RED, YELLOW, BLUE, WHITE = 8, 9, 10, 12, 13, 15

PALETTE_2 = [(255, 255, 255), (0, 0, 0)]


def inside_polygon(points, x, y):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def polygon(*points):
    return lambda x, y: inside_polygon(list(points), x, y)


def rectangle(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


# Shapes, back to front, with their fill and outline colours.
ROOF = polygon((1, 16), (16, 2), (31, 16))
CHIMNEY = rectangle(21, 4, 25, 11)
WALLS = rectangle(5, 15, 27, 30)
DOOR = rectangle(8, 20, 13, 30)
PANE = rectangle(14, 18, 19, 23)
COIN = disc(25, 25, 6.2)
COIN_FACE = disc(25, 25, 3.7)
SHAPES = [
    (CHIMNEY, MAROON, BLACK),
    (ROOF, RED, BLACK),
    (WALLS, SILVER, BLACK),
    (DOOR, MAROON, BLACK),
    (PANE, BLUE, BLACK),
    (COIN, YELLOW, BLACK),
    (COIN_FACE, YELLOW, OLIVE),
]


def render(size, colours=True):
    scale = 32 / size
    image = [[TRANSPARENT] * size for _ in range(size)]

    def sample(shape, px, py):
        if not (0 <= px < size and 0 <= py < size):
            return False
        return shape((px + 0.5) * scale, (py + 0.5) * scale)

    # At 16 pixels the coin's inner ring would fill the whole face.
    for shape, fill, edge in SHAPES if size >= 32 else SHAPES[:-1]:
        for py in range(size):
            for px in range(size):
                if not sample(shape, px, py):
                    continue
                on_edge = not all(sample(shape, px + dx, py + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if colours:
                    image[py][px] = edge if on_edge else fill
                elif on_edge:
                    image[py][px] = 1
                elif image[py][px] == 1:
                    # In two colours a shape in front hides the outlines behind it.
                    image[py][px] = TRANSPARENT
    return image


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(image, palette, bits):
    height, width = len(image), len(image[0])
    per_byte = 8 // bits
    raw = bytearray()
    for row in image:
        raw.append(0)  # no filter
        for start in range(0, width, per_byte):
            byte = 0
            for i, index in enumerate(row[start:start + per_byte]):
                byte |= index << (8 - bits * (i + 1))
            raw.append(byte)
    header = struct.pack(">IIBBBBB", width, height, bits, 3, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"PLTE", b"".join(bytes(c) for c in palette))
            + chunk(b"tRNS", b"\x00")
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def write(path, data):
    full = os.path.join(os.path.dirname(os.path.abspath(__file__)), path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


def main():
    write("32x32/org.pellmarsh.Pellmarsh.png", png(render(32), PALETTE_16, 4))
    write("32x32/org.pellmarsh.Pellmarsh-mono.png", png(render(32, colours=False), PALETTE_2, 1))
    write("16x16/org.pellmarsh.Pellmarsh.png", png(render(16), PALETTE_16, 4))


if __name__ == "__main__":
    main()
