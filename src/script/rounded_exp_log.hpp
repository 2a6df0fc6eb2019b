#pragma once
// Kernels of EXP, LN, LOG, LOG2, SQRT and POWER on lanes (see rounded_lanes.hpp): each
// gives a double-double close to the true value, with a bound of its relative error, and
// the lanes it may decide (the others go to the extended-precision routine).
//
// Error bounds (relative, proofs in the comments of each kernel) are stated generously; the
// extended routines they stand for err by less than 2^-63 (measured against binary128 over
// hundreds of millions of arguments), and 2^-62 is allowed for them.

#include "script/rounded_lanes.hpp"
#include "script/rounded_tables.hpp"

namespace ombrelune::rounded::ROUNDED_ISA {

namespace t = tables;

// Error allowed for one long double routine of the C library (twice its measured worst).
constexpr double libraryError = 0x1p-62;

struct Decided {
    V value; // the double to store, where `ok`
    I ok;
};

// ---- e^(x.hi + x.lo) for -708 <= x.hi <= 709, to 2^-66 relative.
//
// x = k ln2/128 + r with k = round(x * 128/ln2), |r| <= ln2/256 (1.0001 allowing for the
// rounding of k): r is formed exactly (Sterbenz for x - k*L1, exact products) up to 2^-97.
// e^x = 2^(k>>7) * T[k&127] * e^r with T a pair (2^-106) and
// e^r = 1 + r + r^2/2 + ... + r^7/5040 (truncation 2^-83); the tail beyond r is evaluated
// in double on r.hi (2^-69.4 with the r.lo cross terms), the sum in pairs (2^-69).
ROUNDED_INLINE Pair expCore(Pair x, I& binaryExponent) {
    const V kf = nearestInteger(x.hi * t::onehundredTwentyEightOverLn2);
    const I k = integerOf(kf);
    const Pair p = twoProduct(kf, splat(t::ln2Over128[0]));
    const V head = x.hi - p.hi; // exact
    const V tail = x.lo - p.lo - kf * t::ln2Over128[1];
    const Pair r = twoSum(head, tail);

    const V rh = r.hi;
    V poly = splat(1.0 / 5040);
    poly = poly * rh + 1.0 / 720;
    poly = poly * rh + 1.0 / 120;
    poly = poly * rh + 1.0 / 24;
    poly = poly * rh + 1.0 / 6;
    poly = poly * rh + 0.5;
    const V s = r.lo + rh * rh * poly;

    const I j = k & 127;
    binaryExponent = k >> 7;
    const V th = gather(&t::exp2Table[0][0], j, 2, 0);
    const V tl = gather(&t::exp2Table[0][0], j, 2, 1);
    const Pair tr = twoProduct(th, rh);
    const Pair head2 = fastTwoSum(th, tr.hi);
    const V lo = head2.lo + tr.lo + (th * s + (tl + tl * (rh + s)));
    return fastTwoSum(head2.hi, lo);
}
constexpr double expError = 0x1p-66;

// EXP: exp of a double. Beyond the normal range the value is decided outright: below
// -745.2 e^x is under 2^-1075 (so 0), above 709.8 it is over the largest double plus half
// an ulp (so +inf); infinities fall there too. NaN and the edges of the range are left.
ROUNDED_INLINE Decided expDecide(V x) {
    const I inRange = (x >= -708.0) & (x <= 709.0);
    const V safeX = select(inRange, x, splat(0.0));
    I m;
    const Pair y = expCore({safeX, splat(0.0)}, m);
    const I ok = inRange & roundsSafely(y, splat(expError + libraryError));
    const V scaled = y.hi * powerOfTwo(m); // out of range m is 0
    const I zero = x < -745.2;
    const I infinite = x > 709.8;
    V value = select(zero, splat(0.0), scaled);
    value = select(infinite, splat(__builtin_inf()), value);
    return {value, ok | zero | infinite};
}

// ---- ln x for a positive normal x, to 2^-66 relative.
//
// x = 2^m z with z in [0.6875, 1.375) cut into 128 intervals; r = z * invc - 1 is formed
// exactly as a pair (|r| <= 2^-8, or 2^-7 beside 1 where invc = 1). ln x = m ln2 +
// (-ln invc) + r - r^2/2 + r^3 (1/3 - r/4 + ... - r^7/10): the square exactly, the rest in
// double on r.hi (truncation r^10/11 = 2^-73 of r, rounding 2^-75). The parts are added in
// pairs; beside 1 the table term is 0 and the result is r itself to first order, elsewhere
// the result is at least a third of the largest part, so no cancellation loses more than
// two bits.
ROUNDED_INLINE Pair logCore(V x) {
    const I bits = asInt(x);
    const I offset = splatI(0x3fe6000000000000LL);
    const I shifted = bits - offset;
    const I index = (shifted >> 45) & 127;
    const I m = shifted >> 52;
    const V z = asDouble(bits - (m << 52));
    const V invc = gather(&t::logTable[0][0], index, 3, 0);
    const V ch = gather(&t::logTable[0][0], index, 3, 1);
    const V cl = gather(&t::logTable[0][0], index, 3, 2);

    const Pair zc = twoProduct(z, invc);
    const Pair r = twoSum(zc.hi - 1.0, zc.lo); // zc.hi - 1 is exact (Sterbenz)
    const V rh = r.hi;
    V poly = splat(-1.0 / 10);
    poly = poly * rh + 1.0 / 9;
    poly = poly * rh - 1.0 / 8;
    poly = poly * rh + 1.0 / 7;
    poly = poly * rh - 1.0 / 6;
    poly = poly * rh + 1.0 / 5;
    poly = poly * rh - 1.0 / 4;
    poly = poly * rh + 1.0 / 3;
    const Pair square = twoProduct(rh, rh);

    const V mf = __builtin_convertvector(m, V);
    const Pair a = twoSum(mf * t::ln2Short[0], ch);
    const Pair b = twoSum(a.hi, rh);
    const Pair c = twoSum(b.hi, square.hi * -0.5);
    const V small =
        mf * t::ln2Short[1] + cl + r.lo - square.lo * 0.5 - rh * r.lo + rh * square.hi * poly;
    return fastTwoSum(c.hi, ((a.lo + b.lo) + c.lo) + small);
}
// The bound proven above is about 2^-66.1 beside 1, where r reaches 2^-7; 2^-65 leaves room.
constexpr double logError = 0x1p-65;

// Positive normal finite lanes; the others (0, negative, subnormal, inf, NaN) are left.
ROUNDED_INLINE I logDomain(V x) {
    return (x >= 0x1p-1022) & (x <= 0x1.fffffffffffffp1023);
}

// LN, LOG and LOG2 keep their value -200000 for x <= 0 and NaN.
constexpr double logOfNonPositive = -200000;

template <int Base> ROUNDED_INLINE Decided logDecide(V x) {
    const I domain = logDomain(x);
    Pair y = logCore(select(domain, x, splat(1.0)));
    V error = splat(logError + libraryError);
    if constexpr (Base == 10) {
        y = multiply(y, Pair{splat(t::inverseLn10[0]), splat(t::inverseLn10[1])});
        error += 0x1p-100;
    } else if constexpr (Base == 2) {
        y = multiply(y, Pair{splat(t::inverseLn2[0]), splat(t::inverseLn2[1])});
        error += 0x1p-100;
    }
    const I notPositive = ~(x > 0.0);
    const V value = select(notPositive, splat(logOfNonPositive), y.hi);
    return {value, (domain & roundsSafely(y, error)) | notPositive};
}

// ---- SQRT: the square root rounded to 64 bits (exactly, by the x87 unit) and then to 53.
// s = sqrt(x) rounded to double; x - s^2 is exact, and s + (x - s^2) / 2s is within 2^-104
// of the root. The only error of the long double step is its rounding, half an ulp of 64
// bits: 2^-64 relative.
// x - s^2 is exact only while the low half of s^2 is not cut by underflow: below 2^-960
// its rounding (up to 2^-1075) could reach 2^-100 of the root, so those lanes are left.
constexpr double sqrtLowest = 0x1p-960;
ROUNDED_INLINE Decided sqrtDecide(V x) {
    const I domain = (x >= sqrtLowest) & (x <= 0x1.fffffffffffffp1023);
    const V safe = select(domain, x, splat(1.0));
    const V s = squareRoot(safe);
    const Pair ss = twoProduct(s, s);
    const V residual = (safe - ss.hi) - ss.lo; // exact
    const Pair y = fastTwoSum(s, residual / (s + s));
    const I zero = x == 0.0; // +-0 stays itself
    const V value = select(zero, x, s);
    return {value, (domain & roundsSafely(y, splat(0x1p-64 + 0x1p-100))) | zero};
}

// ---- general power a^b = e^(b ln a) for a > 0 and a non-integral b (the integral
// exponents and the special bases go to the exact routine, which is fast for them).
// The long double routine computes ln a (error 2^-62 ln a), rounds b * ln a to 64 bits
// (2^-64), then e^that (2^-62): its result is within |b ln a| (2^-62 + 2^-64) + 2^-62 of
// e^(b ln a), relative. Ours: |b ln a| (logError + 2^-100) + expError more. Lanes with a
// large |b ln a| therefore rarely decide, and fall back.
ROUNDED_INLINE Decided powerDecide(V a, V b) {
    const V bAbs = absolute(b);
    const I integral = nearestInteger(b) == b;
    const I smallIntegral = integral & (bAbs <= 2147483647.0);
    const I domain = logDomain(a) & (bAbs <= 0x1p60) & ~smallIntegral;
    const Pair lnA = logCore(select(domain, a, splat(2.0)));
    const V safeB = select(domain, b, splat(0.5));
    const Pair product = multiply(lnA, safeB);
    const I inRange = domain & (product.hi >= -708.0) & (product.hi <= 709.0);
    I m;
    const Pair y = expCore(
        {select(inRange, product.hi, splat(0.0)), select(inRange, product.lo, splat(0.0))}, m);
    const V error = absolute(product.hi) * (libraryError + 0x1p-64 + logError + 0x1p-100) +
                    libraryError + expError;
    return {y.hi * powerOfTwo(m), inRange & roundsSafely(y, error)};
}

} // namespace ombrelune::rounded::ROUNDED_ISA
