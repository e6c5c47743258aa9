#!/usr/bin/env python3
"""Writes data/accuracy.txt, the reference table of accuracy_test.cpp.

Every value is computed with mpmath at 40 significant digits from the exact
binary value of the 80-bit argument. Angles in degrees and grads are reduced
exactly (with fractions) before the sine, cosine or tangent is taken. The
table holds, for each key, the arguments named in the accuracy report that
led to this table and a few hundred random ones, with emphasis where digits
cancel: angles close to the quarter turns and up to 1e5 degrees or grads,
|1 - x| down to 1e-15 for the inverse sine and cosine, exponents across the
whole range and bases close to 1; for the root key (x^(1/y)) roots of
small integral order and real ones.

Each row gives the argument(s), the 80-bit value nearest to the true result
and the rest (true value minus that one) in units of its last place, so a
test can measure an error in units in the last place (ulp) exactly. Numbers
are written as a hexadecimal integer mantissa and a binary exponent
("-C90FDAA22168C235p-62" is -0xC90FDAA22168C235 * 2^-62), which any reader
can parse without a locale. Results in the subnormal range are left out.

Run once: python3 tests/math/accuracy_reference.py (Debian's python3-mpmath).
The random arguments come from a fixed seed, so the output is reproducible.
"""
import os
import random
from fractions import Fraction

import mpmath
from mpmath import mp, mpf

mp.dps = 40
MIN_NORMAL_EXP = -16382


def round80(v):
    """The 80-bit value nearest to v (64-bit mantissa), as an exact mpf."""
    if v == 0:
        return mpf(0)
    m, e = mpmath.frexp(v)  # v = m * 2^e, 0.5 <= |m| < 1
    return mpmath.ldexp(mpf(int(mpmath.nint(m * 2**64))), e - 64)


def exponent(v):
    return int(mpmath.frexp(v)[1]) - 1  # v = 1.xxx * 2^exponent


def ulp(v):
    return mpmath.ldexp(mpf(1), exponent(v) - 63)


def text(v):
    """Hexadecimal mantissa and binary exponent of an 80-bit value."""
    if v == 0:
        return "0p0"
    m, e = mpmath.frexp(v)
    mant = int(mpmath.nint(m * 2**64))
    return "%s%Xp%d" % ("-" if mant < 0 else "", abs(mant), e - 64)


def fraction(v):
    m, e = mpmath.frexp(v)
    mant = int(mpmath.nint(m * 2**64))
    return Fraction(mant) * Fraction(2) ** (e - 64)


def uniform(lo, hi):
    """A random 80-bit value in [lo, hi] with all 64 mantissa bits random."""
    v = mpf(lo) + (mpf(hi) - mpf(lo)) * mpf(random.getrandbits(64)) / 2**64
    return round80(v)


def log_uniform(lo_exp, hi_exp):
    sign = random.choice([-1, 1])
    return round80(sign * mpf(10) ** uniform(lo_exp, hi_exp) * (1 + mpf(random.getrandbits(40)) / 2**80))


# ---- reference functions (arguments are exact 80-bit values) ----

def turn_fraction(x, turn):
    """x / turn reduced exactly into [0, 1)."""
    f = fraction(x) / turn
    return f - (f.numerator // f.denominator)


def sin_cos(x, unit):
    """sin x and cos x; in degrees and grads the angle is reduced exactly to
    the nearest quarter turn first, so no digits cancel in the reference."""
    if unit == "rad":
        return mpmath.sin(mpf(x)), mpmath.cos(mpf(x))
    f = turn_fraction(x, 360 if unit == "deg" else 400)
    quadrant = round(4 * f)
    rest = f - Fraction(quadrant, 4)
    a = 2 * mp.pi * mpf(rest.numerator) / rest.denominator
    s, c = mpmath.sin(a), mpmath.cos(a)
    return [(s, c), (c, -s), (-s, -c), (-c, s)][quadrant % 4]


def from_radians(y, unit):
    if unit == "deg":
        return y * 180 / mp.pi
    if unit == "gra":
        return y * 200 / mp.pi
    return y


FUNCTIONS = {
    "sin": lambda x, u: sin_cos(x, u)[0],
    "cos": lambda x, u: sin_cos(x, u)[1],
    "tan": lambda x, u: sin_cos(x, u)[0] / sin_cos(x, u)[1],
    "arcsin": lambda x, u: from_radians(mpmath.asin(x), u),
    "arccos": lambda x, u: from_radians(mpmath.acos(x), u),
    "arctan": lambda x, u: from_radians(mpmath.atan(x), u),
}


# ---- arguments ----

def angle_args(unit):
    quarter = {"deg": 90, "gra": 100, "rad": mp.pi / 2}[unit]
    turn = 4 * quarter
    args = []
    for _ in range(200):
        r = random.random()
        if r < 0.35:
            args.append(uniform(-turn, turn))
        elif r < 0.65:
            args.append(log_uniform(-3, 5))
        else:
            # Close to a multiple of the quarter turn, where the result or its
            # reciprocal cancels to a few digits.
            k = random.randint(-1100 if unit != "rad" else -60, 1100 if unit != "rad" else 60)
            offset = log_uniform(-12, 0)
            args.append(round80(k * quarter + offset))
    return args


def unit_args():
    args = []
    for _ in range(200):
        r = random.random()
        if r < 0.4:
            args.append(uniform(-1, 1))
        elif r < 0.8:
            args.append(round80(random.choice([-1, 1]) * (1 - mpf(10) ** uniform(-15, 0))))
        else:
            args.append(log_uniform(-20, -1))
    return args


def tan_inverse_args():
    args = []
    for _ in range(200):
        r = random.random()
        if r < 0.7:
            args.append(log_uniform(-8, 8))
        else:
            args.append(round80(random.choice([-1, 1]) * (1 + mpf(10) ** uniform(-15, -1) * random.choice([-1, 1]))))
    return args


def exponent_args(limit, integral_limit):
    args = []
    for _ in range(200):
        r = random.random()
        if r < 0.5:
            args.append(uniform(-limit, limit))
        elif r < 0.85:
            args.append(log_uniform(-6, 2))
        else:
            args.append(mpf(random.randint(-integral_limit, integral_limit)))
    return args


def power_args():
    args = []
    while len(args) < 240:
        r = random.random()
        if r < 0.5:
            x = round80(abs(log_uniform(-30, 30)))
            bound = min(11000 / max(abs(mpmath.log(x)), mpf("1e-3")), mpf(10) ** uniform(-3, 4))
            y = uniform(-bound, bound)
        elif r < 0.7:
            # Bases close to 1 with large exponents.
            x = round80(1 + mpf(10) ** uniform(-15, -1) * random.choice([-1, 1]))
            y = round80(random.choice([-1, 1]) * mpf(10) ** uniform(0, 15))
        else:
            # Integral exponents, negative bases among them: the integer path.
            x = log_uniform(-3, 3)
            y = mpf(random.randint(-300, 300))
        v = mpf(x) ** y
        if v == 0 or abs(mpmath.log(abs(v), 2)) > 16300 or y == 0:
            continue
        args.append((x, y))
    return args


def root_args():
    """x^(1/y) of the inverse power key: roots of small order and real ones."""
    args = []
    while len(args) < 200:
        x = round80(abs(log_uniform(-300, 300)))
        if random.random() < 0.5:
            y = mpf(random.choice([-1, 1]) * random.randint(3, 40))
        else:
            y = log_uniform(-1, 3)
        v = mpf(x) ** (1 / y)
        if abs(mpmath.log(v, 2)) > 16300 or abs(1 / y) > 2**31:
            continue
        args.append((x, y))
    return args


def issue_args():
    e = round80
    return {
        ("pow10",): [e(mpf("-268.57863062805541"))],
        ("pow2",): [e(mpf("966.195493"))],
        ("powxy",): [(e(mpf("0.00335231626")), e(mpf("19.622")))],
        ("sin", "deg"): [e(mpf("-719.9925302717"))],
        ("cos", "deg"): [e(mpf("-84520.508055725106"))],
        ("arccos", "deg"): [e(mpf("0.99999999928425765"))],
        ("arccos", "rad"): [e(mpf("0.99999999928425765"))],
    }


def row(args, value):
    hi = round80(value)
    rest = (value - hi) / ulp(hi)
    return " ".join([text(a) for a in args] + [text(hi), mpmath.nstr(rest, 3, min_fixed=-5, max_fixed=2)])


def main():
    random.seed(20240613)
    out = []
    extra = issue_args()
    for name in ["sin", "cos", "tan", "arcsin", "arccos", "arctan"]:
        for unit in ["deg", "gra", "rad"]:
            if name in ("sin", "cos", "tan"):
                args = angle_args(unit)
            elif name == "arctan":
                args = tan_inverse_args()
            else:
                args = unit_args()
            args = extra.get((name, unit), []) + args
            out.append("[%s %s]" % (name, unit))
            for x in args:
                if name == "tan" and unit != "rad" and turn_fraction(x, 360 if unit == "deg" else 400) in (Fraction(1, 4), Fraction(3, 4)):
                    continue
                out.append(row([x], FUNCTIONS[name](x, unit)))
    for name, limit, integral in [("pow10", 4931, 4931), ("pow2", 16381, 16381)]:
        out.append("[%s]" % name)
        base = 10 if name == "pow10" else 2
        for x in extra[(name,)] + exponent_args(limit, integral):
            if x == 0:
                continue
            out.append(row([x], mpf(base) ** x))
    out.append("[powxy]")
    for x, y in extra[("powxy",)] + power_args():
        out.append(row([x, y], mpf(x) ** y))
    out.append("[root]")
    for x, y in root_args():
        out.append(row([x, y], mpf(x) ** (1 / mpf(y))))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "data", "accuracy.txt")
    with open(path, "w") as f:
        f.write("# Written by tests/math/accuracy_reference.py; see there.\n")
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
