#!/usr/bin/env python3
"""Writes ui/win32/disc-spring.ico from the calculator's own icon pictures: the three images the
window's design names (32x32 monochrome, 32x32 and 16x16 in 16 colours) and, for today's
screens, 32x32 and 48x48 in true colour with alpha and the 256x256 PNG as it is.

usage: scripts/windows_icon.py   (from the project root; pure Python, no imaging library)
"""

import struct

SOURCE = "ui/qt/icons/disc-spring"
TARGET = "ui/win32/disc-spring.ico"

# The standard 16 colours of Windows, in palette order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def rgba(size):
    data = open(f"{SOURCE}-{size}.rgba", "rb").read()
    assert len(data) == size * size * 4
    return [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]


def rows_bottom_up(size):
    return range(size - 1, -1, -1)


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def and_mask(pixels, size):
    """1 where the picture is transparent, rows bottom-up, each padded to 4 bytes."""
    out = b""
    for y in rows_bottom_up(size):
        row = bytearray((size + 7) // 8)
        for x in range(size):
            if pixels[y * size + x][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        out += padded(bytes(row))
    return out


def header(size, bits, colours):
    return struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bits, 0, 0, 0, 0, colours, 0)


def nearest(colour, palette):
    r, g, b = colour[:3]
    return min(range(len(palette)),
               key=lambda i: (palette[i][0] - r) ** 2 + (palette[i][1] - g) ** 2 +
               (palette[i][2] - b) ** 2)


def sixteen_colours(size):
    pixels = rgba(size)
    body = header(size, 4, 16) + b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    for y in rows_bottom_up(size):
        row = bytearray(size // 2)
        for x in range(size):
            p = pixels[y * size + x]
            index = nearest(p, VGA) if p[3] >= 128 else 0
            row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        body += padded(bytes(row))
    return size, 16, 4, body + and_mask(pixels, size)


def monochrome(size):
    pixels = rgba(size)
    body = header(size, 1, 2) + struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    for y in rows_bottom_up(size):
        row = bytearray((size + 7) // 8)
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            if a >= 128 and r * 299 + g * 587 + b * 114 >= 128000:
                row[x // 8] |= 0x80 >> (x % 8)
        body += padded(bytes(row))
    return size, 2, 1, body + and_mask(pixels, size)


def true_colour(size):
    pixels = rgba(size)
    body = header(size, 32, 0)
    for y in rows_bottom_up(size):
        body += b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in
                         pixels[y * size:(y + 1) * size])
    return size, 0, 32, body + and_mask(pixels, size)


def png(size):
    return size, 0, 32, open(f"{SOURCE}-{size}.png", "rb").read()


def main():
    images = [monochrome(32), sixteen_colours(32), sixteen_colours(16), true_colour(32),
              true_colour(48), png(256)]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, bodies = b"", b""
    for size, colours, bits, body in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours % 256, 0, 1, bits,
                               len(body), offset)
        bodies += body
        offset += len(body)
    open(TARGET, "wb").write(directory + entries + bodies)


if __name__ == "__main__":
    main()
