#!/usr/bin/env python3
"""Turns an uncompressed 24- or 32-bit BMP (as the win32 build's snapshot
writes) into a PNG, with Python's standard library only.

    bmp-to-png.py IN.bmp OUT.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit(f"bmp-to-png: {path} is not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression != 0:
        raise SystemExit(f"bmp-to-png: {path}: only uncompressed 24/32-bit BMPs ({bits} bits, compression {compression})")
    top_down = height < 0
    height = abs(height)
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(height):
        src = y if top_down else height - 1 - y
        start = offset + src * stride
        line = bytearray()
        for x in range(width):
            b, g, r = data[start + x * step:start + x * step + 3]
            line += bytes((r, g, b))
        rows.append(bytes(line))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit("usage: bmp-to-png.py IN.bmp OUT.png")
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))
