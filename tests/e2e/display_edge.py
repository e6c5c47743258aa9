#!/usr/bin/env python3
"""Reads an xwd screenshot of a calculator window and checks that the value
display's text keeps clear of the display's left inner edge: the columns just
inside the bevel hold only the display's background, and some text is drawn
further right.
  display_edge.py <shot.xwd> <left> <top> <width> <height> [<out.png>]
(left, top, width, height: the display's rectangle in the window.)"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, 'rb').read()
    header = struct.unpack('>25I', data[:100])
    size, depth, width, height = header[0], header[3], header[4], header[5]
    byte_order, bpp, line = header[7], header[11], header[12]
    ncolors = header[19]
    if bpp not in (24, 32) or depth < 24:
        sys.exit('unsupported xwd: %d bits per pixel, depth %d' % (bpp, depth))
    start = size + 12 * ncolors
    step = bpp // 8
    order = 'little' if byte_order == 0 else 'big'

    def pixel(x, y):
        at = start + y * line + x * step
        return int.from_bytes(data[at:at + step], order) & 0xFFFFFF
    return width, height, pixel


def write_png(path, width, height, pixel):
    rows = b''.join(b'\0' + b''.join(pixel(x, y).to_bytes(3, 'big') for x in range(width))
                    for y in range(height))

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body
                + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(rows)))
        out.write(chunk(b'IEND', b''))


def main():
    path = sys.argv[1]
    left, top, width, height = (int(v) for v in sys.argv[2:6])
    w, h, pixel = read_xwd(path)
    if len(sys.argv) > 6:
        write_png(sys.argv[6], w, h, pixel)
    # Inside a bevel of 2 pixels; the background is the colour of the
    # display's inner corner.
    inner_left, inner_top = left + 2, top + 2
    inner_right, inner_bottom = left + width - 3, top + height - 3
    background = pixel(inner_left, inner_top)
    edge = [(x, y) for x in range(inner_left, inner_left + 4)
            for y in range(inner_top, inner_bottom + 1) if pixel(x, y) != background]
    drawn = [(x, y) for x in range(inner_left, inner_right + 1)
             for y in range(inner_top, inner_bottom + 1) if pixel(x, y) != background]
    if edge:
        print('text at the display\'s left edge, first at %s' % (edge[0],))
        return 1
    if not drawn:
        print('no text drawn in the display')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
