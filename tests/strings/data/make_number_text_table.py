#!/usr/bin/env python3
"""Writes number_text.tsv, the expected FixedText and ScientificText of
80-bit values, computed exactly with Python's decimal and fractions modules.

Each value is m * 2**-k with a 64-bit mantissa m, so the C++ side rebuilds it
exactly with ldexpl. Columns: mantissa, k, negative (0/1), decimals, expected
FixedText (no options, "." and ","), expected ScientificText (no options).

Rounding model: the exact value is rounded to 18 significant digits, ties to
even; those digits are rounded to the requested places (fixed: at most 18
decimals; exponent form: decimals + 1 significant digits, 2 to 18), ties away
from zero. A fixed result of 10**18 or more is shown in exponent form.

Run: python3 make_number_text_table.py > number_text.tsv
"""
import random
from decimal import Decimal, Context, ROUND_HALF_EVEN, ROUND_HALF_UP, localcontext
from fractions import Fraction

EXACT = Context(prec=2000)


def nearest_80bit(x: Fraction):
    """(m, k) with m * 2**-k the 80-bit value nearest to x > 0 (ties to even)."""
    k = 63 - (x.numerator.bit_length() - x.denominator.bit_length())
    while x * 2**k >= 2**64:
        k -= 1
    while x * 2**k < 2**63:
        k += 1
    scaled = x * 2**k
    m = scaled.numerator // scaled.denominator
    rest = scaled - m
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and m % 2 == 1):
        m += 1
    if m == 2**64:
        m, k = 2**63, k - 1
    return m, k


def exact_decimal(m, k):
    with localcontext(EXACT):
        return Decimal(m) * Decimal(2) ** -k


def digits18(x):
    return Context(prec=18, rounding=ROUND_HALF_EVEN).plus(x)


def scientific(x, negative, d):
    p = min(max(d + 1, 2), 18)
    r = Context(prec=p, rounding=ROUND_HALF_UP).plus(digits18(x))
    text = format(r, '.%dE' % (p - 1))
    return ('-' if negative else '') + text


def fixed(x, negative, d):
    places = min(d, 18)
    r = digits18(x).quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP,
                             context=EXACT)
    if r >= Decimal(10) ** 18:
        return scientific(x, negative, d)
    return ('-' if negative else '') + format(r, 'f')


def main():
    rnd = random.Random(20261210)
    values = []
    # Exactly representable integers around 1e18: ties of the 18-digit stage.
    for n in (10**18 + 5, 10**18 + 15, 10**18 + 25, 10**18 + 26, 999999999999999999):
        values.append((nearest_80bit(Fraction(n)), rnd.choice((4, 17))))
    # Short decimals whose last digit is a 5: ties at one place fewer, where
    # the representation error must not decide the rounding.
    for _ in range(120):
        places = rnd.randint(1, 8)
        whole = rnd.choice((0, rnd.randint(1, 999), rnd.randint(1, 10**9)))
        frac = rnd.randint(0, 10**(places - 1) - 1) * 10 + 5
        x = Fraction(whole) + Fraction(frac, 10**places)
        values.append((nearest_80bit(x), places - 1))
    # Arbitrary bit patterns from 1e-25 to 1e21, at random places.
    for _ in range(200):
        k = rnd.randint(-70, 146)
        m = rnd.randint(2**63, 2**64 - 1)
        values.append(((m, k), rnd.randint(0, 20)))
    print('# mantissa\tk\tnegative\tdecimals\tfixed\tscientific')
    for (m, k), d in values:
        negative = rnd.random() < 0.3
        x = exact_decimal(m, k)
        print('%d\t%d\t%d\t%d\t%s\t%s' % (m, k, negative, d, fixed(x, negative, d),
                                          scientific(x, negative, d)))


if __name__ == '__main__':
    main()
