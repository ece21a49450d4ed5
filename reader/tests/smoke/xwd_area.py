#!/usr/bin/env python3
"""Reads a rectangle of an X window dump (xwd, 24/32-bit TrueColor) and
prints the mean lightness (0..1) of its pixels and a digest of them.
   xwd_area.py <dump.xwd> <x> <y> <width> <height>"""
import hashlib
import struct
import sys


def main():
    path, x0, y0, w, h = sys.argv[1], *map(int, sys.argv[2:6])
    data = open(path, 'rb').read()
    f = struct.unpack('>25I', data[:100])
    header_size, bpp, bytes_per_line, ncolors = f[0], f[11], f[12], f[19]
    byte_order, masks = f[7], f[14:17]
    if bpp != 32:
        sys.exit(f'xwd_area: {bpp} bits per pixel is not handled')
    fmt = '<I' if byte_order == 0 else '>I'
    base = header_size + 12 * ncolors
    shifts = [(m & -m).bit_length() - 1 for m in masks]
    total = 0
    digest = hashlib.sha1()
    for y in range(y0, y0 + h):
        row = base + y * bytes_per_line
        line = data[row + 4 * x0:row + 4 * (x0 + w)]
        digest.update(line)
        for (p,) in struct.iter_unpack(fmt, line):
            total += sum((p & m) >> s for m, s in zip(masks, shifts))
    print(f'{total / (3 * 255 * w * h):.4f} {digest.hexdigest()}')


main()
