#!/usr/bin/env python3
"""Draws the main window's binary resources: res/Quorvex.ico (the program icon, 16x16 and
32x32) and res/PortStatus.bmp (six 16x16 port status lamps side by side, black is transparent).
Plain Python with no image library, so the output is the same byte for byte on every machine.
Run it from anywhere; it writes next to res/Quorvex.rc."""
import math
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")

# Lamp colours in bitmap order: none, waiting, trying to connect, connected, accepting without
# clients, accepting with clients.
LAMP_COLOURS = [
    (150, 150, 150),
    (240, 200, 30),
    (245, 130, 20),
    (40, 190, 60),
    (50, 120, 230),
    (40, 200, 220),
]
OUTLINE = (60, 60, 60)  # not black: black pixels are the mask colour


def lamp(colour, x, y):
    """One pixel of a 16x16 lamp: a shaded disc with a dark outline on black."""
    dx, dy = x - 7.5, y - 7.5
    r = math.hypot(dx, dy)
    if r > 7.0:
        return (0, 0, 0)
    if r > 6.0:
        return OUTLINE
    # Lighter towards the upper left, as if lit from there.
    light = max(0.0, 1.0 - math.hypot(x - 5.0, y - 5.0) / 6.0)
    return tuple(min(255, int(c + (255 - c) * light * 0.7)) for c in colour)


def bmp_rows(width, height, pixel, bits):
    """Bottom-up rows of BGR(A) pixels, each padded to four bytes."""
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            p = pixel(x, y)
            row += bytes((p[2], p[1], p[0])) + (bytes((p[3],)) if bits == 32 else b"")
        row += b"\0" * (-len(row) % 4)
        out += row
    return bytes(out)


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, 0, 0)


def status_bitmap():
    width, height = 16 * len(LAMP_COLOURS), 16
    pixels = bmp_rows(width, height, lambda x, y: lamp(LAMP_COLOURS[x // 16], x % 16, y), 24)
    header = info_header(width, height, 24, len(pixels))
    offset = 14 + len(header)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + pixels


def icon_pixel(size, x, y):
    """The program icon: a blue tile with a white arrow to the right above an orange arrow to
    the left (data going out and coming in). Drawn on a 16-unit grid and scaled."""
    u = 16.0 / size
    gx, gy = (x + 0.5) * u, (y + 0.5) * u
    if not (0.5 <= gx <= 15.5 and 0.5 <= gy <= 15.5):
        return (0, 0, 0, 0)
    corner = max(abs(gx - 8) - 5.5, 0) ** 2 + max(abs(gy - 8) - 5.5, 0) ** 2
    if corner > 2.0 ** 2:
        return (0, 0, 0, 0)

    def arrow(cy, pointing_right):
        ax = gx if pointing_right else 16 - gx
        shaft = 3 <= ax <= 10 and abs(gy - cy) <= 1.0
        head = 10 <= ax <= 13 and abs(gy - cy) <= 13 - ax
        return shaft or head

    if arrow(5.5, True):
        return (255, 255, 255, 255)
    if arrow(10.5, False):
        return (255, 170, 40, 255)
    shade = int(40 * gy / 16)
    return (30 + shade, 80 + shade, 170 + shade, 255)


def icon_image(size):
    """One icon image: a 32-bit colour bitmap of double height plus its AND mask."""
    colour = bmp_rows(size, size, lambda x, y: icon_pixel(size, x, y), 32)
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            bits = bits << 1 | (icon_pixel(size, x, y)[3] == 0)
        row = bits.to_bytes(size // 8, "big")
        mask += row + b"\0" * (-len(row) % 4)
    return info_header(size, size * 2, 32, len(colour) + len(mask)) + colour + bytes(mask)


def icon_file(sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    with open(os.path.join(RES, "PortStatus.bmp"), "wb") as f:
        f.write(status_bitmap())
    with open(os.path.join(RES, "Quorvex.ico"), "wb") as f:
        f.write(icon_file([16, 32]))


if __name__ == "__main__":
    main()
