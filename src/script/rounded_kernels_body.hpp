#pragma once
// The bulk functions of one lane set: the kernels over whole arrays, with the lanes they
// leave handed to the long double routine. Included once per instruction set (see
// rounded_lanes.hpp).
//
// No standard template is used here: an inline function instantiated in the AVX2 file would
// be compiled with AVX2 instructions, and the linker may keep that copy for the whole
// program, which would then fail on processors without AVX2.

#include "script/rounded_math.hpp"
#include "script/rounded_trig.hpp"

namespace ombrelune::rounded::ROUNDED_ISA {

// Runs `decide` over x[0..n) a lane vector at a time; the tail is padded with 1.
template <Decided (*Decide)(V), double (*Reference)(double)>
void unary(const double* x, double* r, std::size_t n) {
    std::size_t i = 0;
    const auto finish = [&](const Decided& d, std::size_t first, std::size_t count,
                            const double* in) {
        if (count == width && allSet(d.ok)) {
            store(r + first, d.value);
            return;
        }
        for (std::size_t l = 0; l < count; ++l) {
            if (d.ok[l]) {
                r[first + l] = d.value[l];
            } else {
                ++fallbackCount;
                r[first + l] = Reference(in[l]);
            }
        }
    };
    for (; i + width <= n; i += width) {
        const V v = load(x + i);
        const Decided d = Decide(v);
        finish(d, i, width, reinterpret_cast<const double*>(&v));
    }
    if (i < n) {
        double padded[width];
        for (std::size_t l = 0; l < width; ++l) padded[l] = i + l < n ? x[i + l] : 1.0;
        finish(Decide(load(padded)), i, n - i, padded);
    }
}

inline V gatherStrided(const double* p, std::size_t stride, std::size_t first, std::size_t count) {
    V v = splat(1.0);
    for (std::size_t l = 0; l < count; ++l) v[l] = p[(first + l) * stride];
    return v;
}

inline void power(const double* a, std::size_t aStride, const double* b, std::size_t bStride,
                  double* r, std::size_t n) {
    for (std::size_t i = 0; i < n; i += width) {
        const std::size_t count = n - i < width ? n - i : width;
        const V av = gatherStrided(a, aStride, i, count);
        const V bv = gatherStrided(b, bStride, i, count);
        const Decided d = powerDecide(av, bv);
        for (std::size_t l = 0; l < count; ++l) {
            if (d.ok[l]) {
                r[i + l] = d.value[l];
            } else {
                ++fallbackCount;
                r[i + l] = reference::power(av[l], bv[l]);
            }
        }
    }
}

inline const FunctionSet functionSet = {
    &unary<&circularDecide<Circular::sine>, &reference::sin>,
    &unary<&circularDecide<Circular::cosine>, &reference::cos>,
    &unary<&circularDecide<Circular::tangent>, &reference::tan>,
    &unary<&expDecide, &reference::exp>,
    &unary<&logDecide<0>, &reference::ln>,
    &unary<&logDecide<10>, &reference::log10>,
    &unary<&logDecide<2>, &reference::log2>,
    &unary<&sqrtDecide, &reference::sqrt>,
    &unary<&atanDecide, &reference::atan>,
    &power,
};

} // namespace ombrelune::rounded::ROUNDED_ISA
