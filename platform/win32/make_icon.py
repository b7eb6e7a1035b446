#!/usr/bin/env python3
"""Turns a Windows bitmap file into a one-image icon file for the resource compiler.

    make_icon.py <picture.bmp> <icon.ico>

The picture keeps its colours; the icon's mask is all zero, so every pixel is
opaque. Only uncompressed bitmaps with a plain 40-byte header are accepted.
"""
import struct
import sys


def icon_from_bitmap(data):
    if data[:2] != b"BM" or len(data) < 54:
        raise ValueError("not a bitmap file")
    pixels_at = struct.unpack_from("<I", data, 10)[0]
    header = bytearray(data[14:54])
    size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", header)
    if size != 40 or compression != 0 or height <= 0 or width <= 0 or width > 256 or height > 256:
        raise ValueError("only uncompressed bottom-up bitmaps up to 256 x 256 with a 40-byte header")
    palette = data[54:pixels_at]
    row = (width * bits + 31) // 32 * 4
    colours = data[pixels_at:pixels_at + row * height]
    if len(colours) != row * height:
        raise ValueError("bitmap file is cut short")
    mask_row = (width + 31) // 32 * 4
    mask = bytes(mask_row * height)
    # In an icon the header's height counts the colour rows and the mask rows.
    struct.pack_into("<i", header, 8, height * 2)
    struct.pack_into("<I", header, 20, len(colours) + len(mask))
    image = bytes(header) + palette + colours + mask
    palette_entries = len(palette) // 4 if bits <= 8 else 0
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, palette_entries % 256, 0, planes, bits,
                        len(image), len(directory) + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_icon.py <picture.bmp> <icon.ico>")
    with open(sys.argv[1], "rb") as source:
        icon = icon_from_bitmap(source.read())
    with open(sys.argv[2], "wb") as target:
        target.write(icon)


if __name__ == "__main__":
    main()
