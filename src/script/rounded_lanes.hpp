#pragma once
// Lanes of doubles and double-double arithmetic for the fast extended-precision functions.
// Included by one file per instruction set, each of which defines ROUNDED_ISA (a namespace
// name) and ROUNDED_WIDTH (doubles per lane vector) first; with FMA (__FMA__) exact
// products use the fused instruction, otherwise Dekker's splitting. Both are exact, so the
// kernels give the same pairs up to their proven error bounds on every machine.
//
// The file must be compiled without floating-point contraction (-ffp-contract=off): the
// error-free transformations below rely on every operation being rounded on its own.

#include <cstdint>
#include <cstring>
#include <immintrin.h>

// The kernels are small enough to inline whole: calls would pass lane vectors through
// memory.
#define ROUNDED_INLINE inline __attribute__((always_inline))

namespace ombrelune::rounded::ROUNDED_ISA {

constexpr int width = ROUNDED_WIDTH;
using V = double __attribute__((vector_size(8 * ROUNDED_WIDTH)));
using I = std::int64_t __attribute__((vector_size(8 * ROUNDED_WIDTH)));

ROUNDED_INLINE V splat(double d) {
    return V{} + d;
}
ROUNDED_INLINE I splatI(std::int64_t d) {
    return I{} + d;
}
// Casts between vectors of one size keep the bits.
ROUNDED_INLINE V asDouble(I i) {
    return (V)i;
}
ROUNDED_INLINE I asInt(V v) {
    return (I)v;
}
ROUNDED_INLINE V load(const double* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
ROUNDED_INLINE void store(double* p, V v) {
    std::memcpy(p, &v, sizeof v);
}
ROUNDED_INLINE V select(I mask, V a, V b) {
    return mask ? a : b;
}
ROUNDED_INLINE V absolute(V v) {
    return asDouble(asInt(v) & splatI(0x7fffffffffffffffLL));
}
// Rounding to the nearest integer, ties to even, for |x| < 2^51: adding 1.5 * 2^52 leaves
// the integer in the low bits of the sum.
constexpr double roundingShift = 0x1.8p52;
ROUNDED_INLINE V nearestInteger(V x) {
    return (x + roundingShift) - roundingShift;
}
// The integer of an integral value of magnitude below 2^51.
ROUNDED_INLINE I integerOf(V integral) {
    return asInt(integral + roundingShift) - asInt(splat(roundingShift));
}
// 2^m for -1022 <= m <= 1023.
ROUNDED_INLINE V powerOfTwo(I m) {
    return asDouble((m + 1023) << 52);
}

ROUNDED_INLINE V gather(const double* table, I index, int stride, int column) {
    V r;
    for (int l = 0; l < width; ++l) r[l] = table[index[l] * stride + column];
    return r;
}

#if ROUNDED_WIDTH == 4
ROUNDED_INLINE V squareRoot(V v) {
    return _mm256_sqrt_pd(v);
}
ROUNDED_INLINE bool allSet(I mask) {
    return _mm256_movemask_pd((__m256d)mask) == 15;
}
#else
ROUNDED_INLINE V squareRoot(V v) {
    return _mm_sqrt_pd(v);
}
ROUNDED_INLINE bool allSet(I mask) {
    return _mm_movemask_pd((__m128d)mask) == 3;
}
#endif

// ---- double-double: the value is hi + lo with |lo| <= ulp(hi) / 2 after normalisation

struct Pair {
    V hi, lo;
};

// s + e == a + b exactly (Knuth).
ROUNDED_INLINE Pair twoSum(V a, V b) {
    const V s = a + b;
    const V bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}
// The same when |a| >= |b| or a == 0 (Dekker).
ROUNDED_INLINE Pair fastTwoSum(V a, V b) {
    const V s = a + b;
    return {s, b - (s - a)};
}

#if defined(__FMA__) && ROUNDED_WIDTH == 4
ROUNDED_INLINE V fusedMultiplyAdd(V a, V b, V c) {
    return _mm256_fmadd_pd(a, b, c);
}
ROUNDED_INLINE Pair twoProduct(V a, V b) {
    const V p = a * b;
    return {p, fusedMultiplyAdd(a, b, -p)};
}
#else
// Veltkamp's split into two halves of 26 bits; exact for |a| < 2^995.
ROUNDED_INLINE Pair split(V a) {
    const V c = a * 134217729.0;
    const V hi = c - (c - a);
    return {hi, a - hi};
}
ROUNDED_INLINE Pair twoProduct(V a, V b) {
    const V p = a * b;
    const Pair x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}
#endif

// (hi + lo) * b for a double b, to about 2^-104 relative.
ROUNDED_INLINE Pair multiply(Pair a, V b) {
    const Pair p = twoProduct(a.hi, b);
    return fastTwoSum(p.hi, p.lo + a.lo * b);
}
ROUNDED_INLINE Pair multiply(Pair a, Pair b) {
    const Pair p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}
// a / b to about 2^-103 relative.
ROUNDED_INLINE Pair divide(Pair a, Pair b) {
    const V q = a.hi / b.hi;
    const Pair qb = twoProduct(q, b.hi);
    // a - q * b, whose leading part cancels exactly.
    const V rest = (((a.hi - qb.hi) - qb.lo) + a.lo) - q * b.lo;
    return fastTwoSum(q, rest / b.hi);
}

// Lanes whose value `hi` is the double nearest to a result known to lie within
// relativeError * |hi + lo| of hi + lo (the pair normalised): hi + lo * factor still
// rounds to hi, with factor = 1 + 2^55 * relativeError. The margin of 2^55 rather than the
// 2^54 of a gap covers both the binade's lower edge and the rounding of lo * factor. (Two
// cases: |lo| <= 2^-55 |y| leaves y within (2^-55 + relativeError)|y| < 2^-54 |y| of hi,
// inside half the smallest gap; a larger |lo| makes |lo| (factor - 1) exceed the error, so
// the test itself keeps hi + lo + error on hi's side of the midpoint.) Bounds of 2^-57 and
// more are refused.
ROUNDED_INLINE I roundsSafely(Pair y, V relativeError) {
    const V factor = 1.0 + relativeError * 0x1p55;
    return (y.hi == y.hi + y.lo * factor) & (relativeError < 0x1p-57);
}

} // namespace ombrelune::rounded::ROUNDED_ISA
