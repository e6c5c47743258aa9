#!/ usr / bin / env python3
"""Prints the reference rows of elementary_test.cpp.

Every value is computed with Python's decimal module at 60 digits, from the
exact binary value of the argument (the decimal argument rounded to 64 or 53
mantissa bits, as the C++ literal is). sin, cos and atan are Taylor series,
ln Γ is Stirling's series with exact Bernoulli numbers after shifting the
argument above 40. Run: python3 tests/math/reference_values.py
"""
from decimal import Decimal as D, getcontext
from fractions import Fraction as F
import math

getcontext().prec = 60


def to_binary(text, bits):
    """The decimal text rounded to the nearest binary value with `bits` bits."""
    q = F(text)
    if q == 0:
        return D(0)
    sign = -1 if q < 0 else 1
    q = abs(q)
    e = q.numerator.bit_length() - q.denominator.bit_length()
    while F(2) ** e > q:
        e -= 1
    while F(2) ** (e + 1) <= q:
        e += 1
    scale = F(2) ** (bits - 1 - e)
    m = q * scale
    n = math.floor(m)
    rest = m - n
    if rest > F(1, 2) or (rest == F(1, 2) and n % 2 == 1):
        n += 1
    exact = F(n) / scale
    return D(sign * exact.numerator) / D(exact.denominator)


def atan_small(x):
    s, t, k, x2 = D(0), x, 1, x * x
    while True:
        term = t / k
        if abs(term) < D(10) ** -65:
            return s + term
        s += term
        t = -t * x2
        k += 2


PI = 16 * atan_small(D(1) / 5) - 4 * atan_small(D(1) / 239)


def atan(x):
    if x < 0:
        return -atan(-x)
    if x > 1:
        return PI / 2 - atan(1 / x)
#Halve the argument twice so the series converges fast.
    for _ in range(2):
        x = x / (1 + (1 + x * x).sqrt())
    return 4 * atan_small(x)

def sin_cos(x):
    x = x - (x / (2 * PI)).to_integral_value() * 2 * PI
    s, c, t, k = D(0), D(0), D(1), 0
    while True:
        if abs(t) < D(10) ** -65 and k > 2:
            return s, c
        if k % 2 == 0:
            c += t if (k // 2) % 2 == 0 else -t
        else:
            s += t if (k // 2) % 2 == 0 else -t
        k += 1
        t = t * x / k


def bernoulli(n):
    a = [F(0)] * (n + 1)
    out = []
    for m in range(n + 1):
        a[m] = F(1, m + 1)
        for j in range(m, 0, -1):
            a[j - 1] = j * (a[j - 1] - a[j])
        out.append(a[0])
    return out


B = bernoulli(40)


def lngamma_pos(x):
    shift = D(0)
    while x < 40:
        shift += x.ln()
        x += 1
    s = (x - D("0.5")) * x.ln() - x + (2 * PI).ln() / 2
    for k in range(1, 20):
        b = B[2 * k]
        s += D(b.numerator) / D(b.denominator) / (2 * k * (2 * k - 1) * x ** (2 * k - 1))
    return s - shift


def gamma(x):
    if x > 0:
        return lngamma_pos(x).exp()
    s, _ = sin_cos(PI * x)
    return PI / (s * gamma(1 - x))


def ext(t):
    return to_binary(t, 64)


def dbl(t):
    return to_binary(t, 53)


def row(name, args, value):
    print('    {"%s", %s, %sL},' % (name, args, format(value, ".25e")))


print("// Extended: LogBase10, LogBase2")
for a in ["2", "7.3", "1e-100", "123456789.125", "1e4000"]:
    x = ext(a)
    row("log10 " + a, a + "L", x.ln() / D(10).ln())
    row("log2 " + a, a + "L", x.ln() / D(2).ln())
print("// Extended: PowerReal (non-integral exponents)")
for b, e in [("2", "0.5"), ("10", "2.5"), ("1.5", "-3.7"), ("7", "123.4567"), ("0.25", "0.125")]:
    x, y = ext(b), ext(e)
    row("%s^%s" % (b, e), "%sL, %sL" % (b, e), (y * x.ln()).exp())
print("// Extended: PowerInt (long chain of squarings)")
row("1.0001^100000", "1.0001L, 100000", (ext("1.0001").ln() * 100000).exp())
print("// Extended: PowerOfTwo (non-integral)")
for e in ["0.5", "-3.25", "100.75", "-0.001"]:
    row("2^" + e, e + "L", (ext(e) * D(2).ln()).exp())
print("// Extended: TanChecked")
for a in ["0.5", "-1.2", "1.5707963", "100", "-3"]:
    s, c = sin_cos(ext(a))
    row("tan " + a, a + "L", s / c)
print("// Double precision: ArcSinChecked / ArcCosChecked")
for a in ["0.5", "-0.3", "0.999", "1e-10"]:
    x = ext(a)
    r = (1 - x * x).sqrt()
    row("asin " + a, a + "L", atan(x / r))
    row("acos " + a, a + "L", PI / 2 - atan(x / r))
print("// Extended: hyperbolic functions")
for a in ["1e-20", "-1e-5", "0.5", "-2.25", "30", "-700"]:
    x = ext(a)
    e = x.exp()
    row("cosh " + a, a + "L", (e + 1 / e) / 2)
    row("sinh " + a, a + "L", (e - 1 / e) / 2)
    row("tanh " + a, a + "L", (e - 1 / e) / (e + 1 / e))
for a in ["1.0000000001", "1.5", "10", "1e300", "1e3000"]:
    x = ext(a)
    row("acosh " + a, a + "L", (x + (x * x - 1).sqrt()).ln())
for a in ["1e-20", "-1e-5", "0.75", "-0.75", "-123.5", "-5e9", "-1e20", "-1e3000", "1e4000"]:
    x = ext(a)
    ax = abs(x)
    v = (ax + (ax * ax + 1).sqrt()).ln()
    row("asinh " + a, a + "L", -v if x < 0 else v)
for a in ["1e-20", "1e-5", "0.4", "0.5", "-0.9"]:
    x = ext(a)
    row("atanh " + a, a + "L", ((1 + x) / (1 - x)).ln() / 2)
print("// Double precision: GammaFn, LnGammaFn")
for a in ["0.5", "5", "1.5", "10.3", "171.5", "-0.5", "-0.1", "-1.5", "-3.7", "-10.25"]:
    row("gamma " + a, a, gamma(dbl(a)))
for a in ["0.5", "3", "0.001", "25.75", "1000.5", "-1.5", "-3.25"]:
    g = gamma(dbl(a))
    row("lngamma " + a, a, abs(g).ln())


def zeta(k, n=30):
    """ζ(k) by Euler-Maclaurin summation after n terms."""
    s = sum(D(1) / D(j) ** k for j in range(1, n))
    s += D(n) ** (1 - k) / (k - 1) + D(1) / (2 * D(n) ** k)
    rising = D(k)
    for j in range(1, 16):
        b = B[2 * j]
        s += D(b.numerator) / D(b.denominator) / math.factorial(2 * j) * rising / D(n) ** (k + 2 * j - 1)
        rising *= (k + 2 * j - 1) * (k + 2 * j)
    return s


def euler_gamma(n=30):
    s = sum(D(1) / j for j in range(1, n)) + D(1) / (2 * n) - D(n).ln()
    for j in range(1, 16):
        b = B[2 * j]
        s += D(b.numerator) / D(b.denominator) / (2 * j * D(n) ** (2 * j))
    return s

# 1 / Γ(z) = z·exp(γz - Σ_{k >= 2 }(- 1) ^ k ζ(k) z ^ k / k) : the 26 series
#coefficients that the reciprocal gamma table of elementary.cpp holds.
a = [D(0)] * 27
a[1] = euler_gamma()
for k in range(2, 27):
    a[k] = -((-1) ** k) * zeta(k) / k
e = [D(0)] * 27  # exp of the series, by e' = a'·e
e[0] = D(1)
for n in range(1, 27):
    e[n] = sum(j * a[j] * e[n - j] for j in range(1, n + 1)) / n
print("// Reciprocal gamma series coefficients c(1)..c(26)")
for k in range(1, 27):
    print("//   c(%d) = %s" % (k, format(e[k - 1], ".16f")))
