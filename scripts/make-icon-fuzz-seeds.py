#!/usr/bin/env python3
"""Writes the tiny seed inputs of the icon fuzz targets (fuzz/seeds/icon_image, ico_file).

Every byte is laid out here by hand: DIB icon images, PNG streams (chunks + zlib) and
.ico directories around them.
"""
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fuzz", "seeds")


def dib(width, height, bits, pixel, palette=(), transparent=lambda x, y: False):
    """pixel(x, y) gives a palette index or a raw pixel value; y counts from the top."""
    out = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bits, 0, 0, 0, 0, len(palette), 0)
    out += b"".join(struct.pack("<I", c) for c in palette)

    def rows(bpp, value):
        stride = (width * bpp + 31) // 32 * 4
        data = b""
        for y in reversed(range(height)):
            row = bytearray(stride)
            for x in range(width):
                v = value(x, y)
                bit = x * bpp
                if bpp <= 8:
                    row[bit // 8] |= v << (8 - bpp - bit % 8)
                else:
                    row[bit // 8: bit // 8 + bpp // 8] = v.to_bytes(bpp // 8, "little")
            data += bytes(row)
        return data

    return out + rows(bits, pixel) + rows(1, lambda x, y: 1 if transparent(x, y) else 0)


def png(width, height, rgba):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\0" + b"".join(bytes(rgba(x, y)) for x in range(width)) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def ico(images):
    """images: list of (listed width, listed height, bit count, bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for w, h, bits, data in images:
        out += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(d for _, _, _, d in images)


def write(folder, name, data):
    assert len(data) < 4096, name
    os.makedirs(os.path.join(ROOT, folder), exist_ok=True)
    with open(os.path.join(ROOT, folder, name), "wb") as f:
        f.write(data)


vga16 = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
         0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]
ring = lambda x, y: (x - 7.5) ** 2 + (y - 7.5) ** 2 > 49
four_bit = dib(16, 16, 4, lambda x, y: (x + y) % 16, vga16, ring)
alpha32 = dib(8, 8, 32, lambda x, y: ((x * 32) << 24) | 0x3366CC)
rgba_png = png(8, 8, lambda x, y: (255, x * 30, y * 30, 255 if (x + y) % 3 else 0))

write("icon_image", "dib4_16x16", four_bit)
write("icon_image", "dib32_alpha_8x8", alpha32)
write("icon_image", "png_rgba_8x8", rgba_png)

write("ico_file", "mono16_and_8bit24", ico([
    (16, 16, 1, dib(16, 16, 1, lambda x, y: (x ^ y) & 1, [0x000000, 0xFFFFFF], ring)),
    (24, 24, 8, dib(24, 24, 8, lambda x, y: (x * 10 + y) % 40, [i * 0x060504 for i in range(40)])),
]))
write("ico_file", "png16_and_dib24", ico([
    (16, 16, 32, png(16, 16, lambda x, y: (x * 16, y * 16, 128, 255))),
    (8, 8, 24, dib(8, 8, 24, lambda x, y: 0x102030 * (x % 4))),
]))
write("ico_file", "dib16_555_20x20", ico([(20, 20, 16, dib(20, 20, 16, lambda x, y: (x << 10) | (y << 5) | 7))]))
