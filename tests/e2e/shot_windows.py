#!/usr/bin/env python3
"""Finds the windows on a PNG screenshot of a desktop of one plain colour:
prints the rectangle that holds every pixel of another colour than the
top-left one, as "left top width height", then how many of its pixels are
not the background, as a percentage and as a count; prints nothing when
the screenshot shows the background only.
  shot_windows.py <shot.png>
(8-bit RGB or RGBA, not interlaced: what the compositor's screenshooter
writes.)"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit('not a PNG file: ' + path)
    at, idat = 8, b''
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        at += 12 + length
    if depth != 8 or colour not in (2, 6) or interlace:
        sys.exit('unsupported PNG: depth %d, colour type %d, interlace %d' % (depth, colour, interlace))
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(line)
        previous = line
    return width, height, step, rows


width, height, step, rows = read_png(sys.argv[1])
background = bytes(rows[0][0:3])
left, top, right, bottom, count = width, height, -1, -1, 0
for y, line in enumerate(rows):
    for x in range(width):
        if line[x * step:x * step + 3] != background:
            count += 1
            left, right = min(left, x), max(right, x)
            top, bottom = min(top, y), max(bottom, y)
if right >= 0:
    w, h = right - left + 1, bottom - top + 1
    print(left, top, w, h, 100 * count // (w * h), count)
