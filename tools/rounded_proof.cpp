// rounded-proof [ARGUMENTS_PER_EXPONENT [avx2|sse2]]: the one-off proof that the fast
// functions of rounded_math.hpp store the same double as the long double routines, run by
// hand (not part of the test suite: it takes minutes).
//
// For each function, every binary exponent of the double range (subnormals included) and
// both signs get ARGUMENTS_PER_EXPONENT random significands (default 50000); the dense part
// then draws as many again inside the range where the fast path decides. Every result is
// compared bit for bit with the reference; one in 256 arguments of the dense part is also
// checked against binary128 (libquadmath) to measure the error of the C library's long
// double routine, which the fast path's rounding test assumes below 2^-62.
// Prints per function: arguments, mismatches, the library's worst error seen, the share of
// dense arguments handed to the long double routine, the fast form's time, the total time;
// then SIN, COS and TAN next to every multiple of pi/2 they reduce, and POWER.

#include "script/rounded_math.hpp"

#include <quadmath.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace ombrelune;
using Quad = __float128;
using rounded::FunctionSet;

struct Function {
    const char* name;
    rounded::UnaryBulk FunctionSet::*fast;
    double (*reference)(double);
    Quad (*exact)(Quad);
    double denseLow, denseHigh; // magnitudes where the fast path decides
    bool positiveOnly;          // dense arguments drawn positive
};

Quad quadLn(Quad x) {
    return logq(x);
}

const Function unaryFunctions[] = {
    {"SIN", &FunctionSet::sin, rounded::reference::sin, sinq, 0x1p-27, 0x1p24, false},
    {"COS", &FunctionSet::cos, rounded::reference::cos, cosq, 0x1p-27, 0x1p24, false},
    {"TAN", &FunctionSet::tan, rounded::reference::tan, tanq, 0x1p-27, 0x1p24, false},
    {"EXP", &FunctionSet::exp, rounded::reference::exp, expq, 0x1p-60, 708, false},
    {"LN", &FunctionSet::ln, rounded::reference::ln, quadLn, 0x1p-1022, 0x1p1023, true},
    {"LOG", &FunctionSet::log10, rounded::reference::log10, log10q, 0x1p-1022, 0x1p1023, true},
    {"LOG2", &FunctionSet::log2, rounded::reference::log2, log2q, 0x1p-1022, 0x1p1023, true},
    {"SQRT", &FunctionSet::sqrt, rounded::reference::sqrt, sqrtq, 0x1p-1022, 0x1p1023, true},
    {"ATAN", &FunctionSet::atan, rounded::reference::atan, atanq, 0x1p-27, 0x1p500, false},
};

std::uint64_t bitsOf(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

// A double with the given biased exponent field (0 for subnormals) and random significand.
double withExponent(std::mt19937_64& g, int biased, bool negative) {
    const std::uint64_t significand = g() & ((std::uint64_t{1} << 52) - 1);
    return std::bit_cast<double>((negative ? std::uint64_t{1} << 63 : 0) |
                                 (std::uint64_t(biased) << 52) | significand);
}

// Log-uniform magnitude in [low, high].
double denseArgument(std::mt19937_64& g, double low, double high, bool positiveOnly) {
    std::uniform_real_distribution<double> u(std::log2(low), std::log2(high));
    double x = std::exp2(u(g));
    x = std::bit_cast<double>(bitsOf(x) ^ (g() & 0xfffffULL)); // all low bits random
    return positiveOnly || (g() & 1) ? x : -x;
}

struct Tally {
    std::uint64_t arguments = 0, mismatches = 0, fallbacks = 0;
    double worstLibraryError = 0; // relative, in units of 2^-63
};

double relativeError(long double got, Quad exact) {
    if (exact == 0 || isinfq(exact) || isnanq(exact)) return 0;
    const Quad d = fabsq((Quad(got) - exact) / exact);
    return static_cast<double>(d * Quad(9223372036854775808.0)); // in units of 2^-63
}

// Runs the fast form over a batch and compares each result with the reference; with
// measureLibrary, one argument in 256 also measures the long double routine against
// binary128.
void check(const Function& f, const FunctionSet& set, const std::vector<double>& x,
           std::vector<double>& out, Tally& tally, bool measureLibrary) {
    (set.*(f.fast))(x.data(), out.data(), x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double expected = f.reference(x[i]);
        ++tally.arguments;
        if (bitsOf(out[i]) != bitsOf(expected)) {
            if (++tally.mismatches <= 10)
                std::printf("  MISMATCH %s(%a): fast %a, reference %a\n", f.name, x[i], out[i],
                            expected);
        }
        if (measureLibrary && (i & 255) == 0 && std::isfinite(expected) && expected != -200000) {
            long double got = 0;
            // The same long double routine the reference rounds.
            if (f.exact == sinq)
                got = sinl(x[i]);
            else if (f.exact == cosq)
                got = cosl(x[i]);
            else if (f.exact == tanq)
                got = tanl(x[i]);
            else if (f.exact == expq)
                got = expl(x[i]);
            else if (f.exact == quadLn)
                got = logl(x[i]);
            else if (f.exact == log10q)
                got = log10l(x[i]);
            else if (f.exact == log2q)
                got = log2l(x[i]);
            else if (f.exact == sqrtq)
                got = sqrtl(x[i]);
            else
                got = atanl(x[i]);
            const double e = relativeError(got, f.exact(x[i]));
            if (e > tally.worstLibraryError) tally.worstLibraryError = e;
        }
    }
}

// The sweep over every exponent and sign, then the dense part; the time of the fast form
// over the dense part (ns per argument) includes its fallbacks.
void runFunction(const Function& f, const FunctionSet& set, std::uint64_t perExponent) {
    std::mt19937_64 g(std::hash<std::string>{}(f.name));
    Tally tally;
    std::vector<double> x(4096), out(4096);
    const auto start = std::chrono::steady_clock::now();
    double fastSeconds = 0;
    unsigned long long denseFallbacks = 0;
    // Every exponent, both signs.
    for (int biased = 0; biased <= 2047; ++biased)
        for (int negative = 0; negative < 2; ++negative)
            for (std::uint64_t done = 0; done < perExponent; done += x.size()) {
                const std::size_t n = std::min<std::uint64_t>(x.size(), perExponent - done);
                x.resize(n);
                out.resize(n);
                for (double& v : x) v = withExponent(g, biased, negative != 0);
                check(f, set, x, out, tally, false);
            }
    const std::uint64_t sweep = tally.arguments;
    // The dense part, where the fast path works.
    const std::uint64_t dense = perExponent * 4096;
    x.resize(4096);
    out.resize(4096);
    for (std::uint64_t done = 0; done < dense; done += x.size()) {
        for (double& v : x) v = denseArgument(g, f.denseLow, f.denseHigh, f.positiveOnly);
        const auto t0 = std::chrono::steady_clock::now();
        const unsigned long long before = rounded::fallbackCount;
        (set.*(f.fast))(x.data(), out.data(), x.size());
        fastSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        denseFallbacks += rounded::fallbackCount - before;
        check(f, set, x, out, tally, true);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-5s arguments %llu (sweep %llu, dense %llu)  mismatches %llu  library worst "
                "%.3f x 2^-63  dense fallbacks %.3f %%  fast %.2f ns/arg  %.0f s\n",
                f.name, static_cast<unsigned long long>(tally.arguments),
                static_cast<unsigned long long>(sweep),
                static_cast<unsigned long long>(tally.arguments - sweep),
                static_cast<unsigned long long>(tally.mismatches), tally.worstLibraryError,
                100.0 * double(denseFallbacks) / double(dense), fastSeconds / double(dense) * 1e9,
                seconds);
    std::fflush(stdout);
}

// POWER: bases over every exponent, exponents from a few families (small fractions, large
// non-integral, integral, huge).
void runPower(const FunctionSet& set, std::uint64_t perExponent) {
    std::mt19937_64 g(7);
    std::uint64_t arguments = 0, mismatches = 0;
    const auto start = std::chrono::steady_clock::now();
    std::vector<double> a(4096), b(4096), out(4096);
    const auto exponent = [&] {
        switch (g() % 5) {
        case 0:
            return std::uniform_real_distribution<double>(-4, 4)(g);
        case 1:
            return std::uniform_real_distribution<double>(-1000, 1000)(g);
        case 2:
            return double(std::int64_t(g() % 41) - 20);
        case 3:
            return std::uniform_real_distribution<double>(-0.01, 0.01)(g);
        default:
            return std::ldexp(std::uniform_real_distribution<double>(-1, 1)(g), int(g() % 80));
        }
    };
    for (int biased = 0; biased <= 2047; ++biased)
        for (int negative = 0; negative < 2; ++negative)
            for (std::uint64_t done = 0; done < perExponent; done += a.size()) {
                const std::size_t n = std::min<std::uint64_t>(4096, perExponent - done);
                a.resize(n);
                b.resize(n);
                out.resize(n);
                for (std::size_t i = 0; i < n; ++i) {
                    a[i] = withExponent(g, biased, negative != 0);
                    b[i] = exponent();
                }
                set.power(a.data(), 1, b.data(), 1, out.data(), a.size());
                for (std::size_t i = 0; i < a.size(); ++i) {
                    ++arguments;
                    const double expected = rounded::reference::power(a[i], b[i]);
                    if (bitsOf(out[i]) != bitsOf(expected) && ++mismatches <= 10)
                        std::printf("  MISMATCH POWER(%a, %a): fast %a, reference %a\n", a[i], b[i],
                                    out[i], expected);
                }
            }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("POWER arguments %llu  mismatches %llu  %.0f s\n",
                static_cast<unsigned long long>(arguments),
                static_cast<unsigned long long>(mismatches), seconds);
}

// SIN, COS and TAN next to every multiple of pi/2 the fast path reduces: for each k up to
// 2^24 2/pi, the double nearest to k pi/2 and its two neighbours, where the reduced
// argument is smallest and the reduction's error matters most.
void runQuarterTurns(const FunctionSet& set) {
    const long double quarter = 1.570796326794896619231321691639751442L;
    const std::int64_t lastK = static_cast<std::int64_t>(0x1p24 / quarter);
    std::vector<double> x, out;
    for (const Function& f : unaryFunctions) {
        if (f.exact != sinq && f.exact != cosq && f.exact != tanq) continue;
        Tally tally;
        const auto start = std::chrono::steady_clock::now();
        for (std::int64_t first = 1; first <= lastK; first += 4096) {
            x.clear();
            for (std::int64_t k = first; k < first + 4096 && k <= lastK; ++k) {
                const double nearest = static_cast<double>(static_cast<long double>(k) * quarter);
                x.push_back(nearest);
                x.push_back(std::nextafter(nearest, 0.0));
                x.push_back(std::nextafter(nearest, INFINITY));
            }
            out.resize(x.size());
            check(f, set, x, out, tally, false);
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-5s next to k pi/2: arguments %llu  mismatches %llu  %.0f s\n", f.name,
                    static_cast<unsigned long long>(tally.arguments),
                    static_cast<unsigned long long>(tally.mismatches), seconds);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::uint64_t perExponent = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 50000;
    const bool sse2 = argc > 2 && std::strcmp(argv[2], "sse2") == 0;
    const FunctionSet& set =
        rounded::functions(sse2 ? rounded::InstructionSet::sse2 : rounded::InstructionSet::avx2);
    std::printf("rounded-proof: %llu arguments per exponent and sign, lanes %s\n",
                static_cast<unsigned long long>(perExponent),
                sse2 || !rounded::hasAvx2() ? "SSE2" : "AVX2+FMA");
    for (const Function& f : unaryFunctions) runFunction(f, set, perExponent);
    runQuarterTurns(set);
    runPower(set, perExponent);
    return 0;
}
