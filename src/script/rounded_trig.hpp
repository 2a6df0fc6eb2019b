#pragma once
// Kernels of SIN, COS, TAN and ATAN on lanes (see rounded_lanes.hpp and rounded_exp_log.hpp
// for the conventions).

#include "script/rounded_exp_log.hpp"

namespace ombrelune::rounded::ROUNDED_ISA {

// ---- x = k pi/2 + r for 2^-27 <= |x.hi| < 2^24, r as a pair.
// pi/2 is held in three doubles (160 bits); k pi/2 is subtracted part by part with exact
// products and sums, so r is within 2^-106 (|r| + 2^-29) of the truth; lanes where
// |r| < 2^-40 (x next to a multiple of pi/2) are refused, which bounds the relative error
// of r by 2^-95.
struct Reduced {
    Pair r;
    I quadrant; // k mod 4
    I usable;
};
ROUNDED_INLINE Reduced reduceQuarterTurns(Pair x) {
    const V kf = nearestInteger(x.hi * t::twoOverPi);
    const Pair p = twoProduct(kf, splat(t::piOver2[0]));
    const V head = x.hi - p.hi; // exact (Sterbenz)
    const Pair q = twoProduct(kf, splat(t::piOver2[1]));
    const Pair a = twoSum(head, -p.lo);
    const Pair b = twoSum(a.hi, -q.hi);
    const Pair c = twoSum(b.hi, x.lo);
    const V rest = ((a.lo + b.lo) + c.lo) - q.lo - kf * t::piOver2[2];
    const Pair r = twoSum(c.hi, rest);
    return {r, integerOf(kf) & 3, absolute(r.hi) >= 0x1p-40};
}

// ---- sin r and cos r for |r| <= pi/4 (+2^-40), each to 2^-66 relative.
// r = j/128 + h with |h| <= 2^-8 (h.hi exact by Sterbenz); with S, C = sin, cos(j/128) as
// pairs: sin r = S + C h + S (cos h - 1) + C (sin h - h), cos r = C - S h + C (cos h - 1)
// - S (sin h - h). The products C h and S h are exact pairs; cos h - 1 (to h^8, |.| <=
// 2^-17) and sin h - h (to h^7) are evaluated in double, about 2^-51 of themselves, which
// is 2^-67 of the result since |S| <= 2 |sin r| whenever j != 0.
struct SinCos {
    Pair sin, cos;
};
ROUNDED_INLINE SinCos sinCosCore(Pair r) {
    const V jf = nearestInteger(r.hi * 128.0);
    const I j = integerOf(jf) + 101;
    const V hh = r.hi - jf * (1.0 / 128);
    const V hl = r.lo;
    const double* table = &t::trigTable[0][0];
    const V sh = gather(table, j, 4, 0), sl = gather(table, j, 4, 1);
    const V ch = gather(table, j, 4, 2), cl = gather(table, j, 4, 3);

    const V h2 = hh * hh;
    V pc = splat(1.0 / 40320);
    pc = pc * h2 - 1.0 / 720;
    pc = pc * h2 + 1.0 / 24;
    pc = pc * h2 - 0.5;
    const V cosMinusOne = h2 * pc - hh * hl;
    V ps = splat(-1.0 / 5040);
    ps = ps * h2 + 1.0 / 120;
    ps = ps * h2 - 1.0 / 6;
    const V sinMinusH = hh * h2 * ps;

    const Pair ch0 = twoProduct(ch, hh);
    const Pair s1 = twoSum(sh, ch0.hi);
    const V sinLo = s1.lo + ch0.lo + sl + ch * hl + cl * hh + sh * cosMinusOne + ch * sinMinusH;
    const Pair sh0 = twoProduct(sh, hh);
    const Pair c1 = fastTwoSum(ch, -sh0.hi);
    const V cosLo = c1.lo - sh0.lo + cl - sh * hl - sl * hh + ch * cosMinusOne - sh * sinMinusH;
    return {fastTwoSum(s1.hi, sinLo), fastTwoSum(c1.hi, cosLo)};
}
constexpr double sinCosError = 0x1p-65;

ROUNDED_INLINE Pair negatedWhere(I mask, Pair p) {
    return {select(mask, -p.hi, p.hi), select(mask, -p.lo, p.lo)};
}
ROUNDED_INLINE Pair chosen(I mask, Pair a, Pair b) {
    return {select(mask, a.hi, b.hi), select(mask, a.lo, b.lo)};
}

enum class Circular { sine, cosine, tangent };

// Below 2^-27 the values are decided outright: sin x and tan x round to x (x^2/3 < 2^-55.5
// of x, under half the gap below x) and cos x to 1. From 2^24 on, and for NaN and the
// infinities, the long double routine is called.
template <Circular F> ROUNDED_INLINE Decided circularDecide(V x) {
    const V ax = absolute(x);
    const I tiny = ax < 0x1p-27;
    I domain = (ax >= 0x1p-27) & (ax < 0x1p24);
    const Reduced red = reduceQuarterTurns({select(domain, x, splat(1.0)), splat(0.0)});
    domain &= red.usable;
    const SinCos sc = sinCosCore(red.r);
    const I odd = (red.quadrant & 1) != 0;
    Pair y;
    V error = splat(sinCosError + libraryError);
    if constexpr (F == Circular::sine) {
        y = negatedWhere((red.quadrant & 2) != 0, chosen(odd, sc.cos, sc.sin));
    } else if constexpr (F == Circular::cosine) {
        y = negatedWhere(((red.quadrant + 1) & 2) != 0, chosen(odd, sc.sin, sc.cos));
    } else {
        const Pair numerator = chosen(odd, sc.cos, sc.sin);
        const Pair denominator = chosen(odd, sc.sin, sc.cos);
        y = negatedWhere(odd, divide(numerator, denominator));
        error += sinCosError + 0x1p-100;
    }
    const V tinyValue = F == Circular::cosine ? splat(1.0) : x;
    return {select(tiny, tinyValue, y.hi), (domain & roundsSafely(y, error)) | tiny};
}

// ---- atan x for 2^-27 <= |x| <= 2^500, to 2^-65 relative.
// u = |x|, or 1/|x| as an exact-residual pair when |x| > 1 (then atan = pi/2 - atan u);
// u = c + ..., c = j/64, t = (u - c) / (1 + u c) as a pair (|t| <= 2^-7), atan u =
// atan c + t - t^3/3 + ... + t^9/9 (truncation 2^-73 of t), the tail in double (2^-51 of
// t^3/3, which is 2^-66.6 of the result when j >= 1).
ROUNDED_INLINE Decided atanDecide(V x) {
    const V ax = absolute(x);
    const I tiny = ax < 0x1p-27;
    const I domain = (ax >= 0x1p-27) & (ax <= 0x1p500);
    const V safe = select(domain, ax, splat(0.5));
    const I inverted = safe > 1.0;
    const V reciprocal = 1.0 / safe;
    const Pair product = twoProduct(reciprocal, safe);
    const V residual = (1.0 - product.hi) - product.lo; // exact
    const Pair u = {select(inverted, reciprocal, safe),
                    select(inverted, reciprocal * residual, splat(0.0))};

    const V jf = nearestInteger(u.hi * 64.0);
    const V c = jf * (1.0 / 64);
    const Pair numerator = twoSum(u.hi - c, u.lo); // u.hi - c is exact (Sterbenz)
    const Pair uc = twoProduct(u.hi, c);
    const Pair d = fastTwoSum(splat(1.0), uc.hi);
    const Pair tq = divide(numerator, {d.hi, d.lo + uc.lo + u.lo * c});

    const V t2 = tq.hi * tq.hi;
    V poly = splat(1.0 / 9);
    poly = poly * t2 - 1.0 / 7;
    poly = poly * t2 + 1.0 / 5;
    poly = poly * t2 - 1.0 / 3;
    const I j = integerOf(jf);
    const V ah = gather(&t::atanTable[0][0], j, 2, 0);
    const V al = gather(&t::atanTable[0][0], j, 2, 1);
    const Pair s = twoSum(ah, tq.hi);
    Pair y = fastTwoSum(s.hi, s.lo + al + tq.lo + tq.hi * t2 * poly);

    const Pair z = twoSum(splat(t::piOver2Pair[0]), -y.hi);
    const Pair complement = fastTwoSum(z.hi, z.lo + t::piOver2Pair[1] - y.lo);
    y = chosen(inverted, complement, y);
    y = negatedWhere(x < 0.0, y);
    return {select(tiny, x, y.hi),
            (domain & roundsSafely(y, splat(0x1p-65 + libraryError))) | tiny};
}

} // namespace ombrelune::rounded::ROUNDED_ISA
