#!/usr/bin/env python3
"""Measures the colours of an xwd screenshot of a calculator window as a
viewer sees them: the window's mean brightness, and the contrast of the
value display's text with the display's background.
  shot_colours.py <shot.xwd> <left> <top> <width> <height>
(left, top, width, height: the display's rectangle in the window.) Prints
"brightness=<percent> contrast=<ratio>": brightness is the mean luma
(0.299 R + 0.587 G + 0.114 B) of every pixel; the contrast (WCAG, 1 to 21)
is that of the display's most frequent colour inside its bevel (its
background) with the colour there that differs most from it (its text)."""
import sys
from collections import Counter

from display_edge import read_xwd


def luminance(rgb):
    def linear(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def main():
    w, h, pixel = read_xwd(sys.argv[1])
    left, top, width, height = (int(v) for v in sys.argv[2:6])
    total = 0.0
    for y in range(h):
        for x in range(w):
            p = pixel(x, y)
            total += 0.299 * ((p >> 16) & 255) + 0.587 * ((p >> 8) & 255) + 0.114 * (p & 255)
    brightness = 100 * total / (255 * w * h)
    inside = Counter(pixel(x, y) for x in range(left + 2, left + width - 2)
                     for y in range(top + 2, top + height - 2))
    background = inside.most_common(1)[0][0]
    text = max(inside, key=lambda p: contrast(p, background))
    print('brightness=%.1f contrast=%.2f' % (brightness, contrast(text, background)))


main()
