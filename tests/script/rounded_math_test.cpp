// The fast extended-precision functions store the same double as the long double routines
// they replace: on the hard cases (next to multiples of pi/2, at the edges of each fast
// range, subnormals, overflow, NaN and the infinities) and on a random sample, for both
// lane sets. The exhaustive run lives in tools/rounded_proof.cpp.

#include "script/rounded_math.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {
namespace {

using rounded::FunctionSet;
using rounded::InstructionSet;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double denormMin = std::numeric_limits<double>::denorm_min();

std::uint64_t bitsOf(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

// The double next to k pi/2, and its neighbours: where sin, cos or tan is smallest.
std::vector<double> nearQuarterTurns() {
    std::vector<double> out;
    const long double quarter = 1.570796326794896619231321691639751442L;
    for (long double k : {1.0L, 2.0L, 3.0L, 4.0L, 7.0L, 100.0L, 6381.0L, 102944.0L, 1e6L,
                          5340353.0L, 10680707.0L, 16777215.0L, 16777216.0L, 16777217.0L}) {
        const double x = static_cast<double>(k * quarter);
        for (double v : {x, std::nextafter(x, 0.0), std::nextafter(x, inf)}) {
            out.push_back(v);
            out.push_back(-v);
        }
    }
    // Next to k pi/2 for k of a few ten thousands: the reduction needs pi/2 to more than
    // the 113 bits of binary128 to decide these.
    for (double v : {0x1.5ec748cf1b896p+15, 0x1.88c8f4c092fc4p+15, 0x1.ec07040ef1b1dp+14}) {
        out.push_back(v);
        out.push_back(-v);
    }
    return out;
}

std::vector<double> withNeighbours(std::initializer_list<double> values) {
    std::vector<double> out;
    for (double x : values)
        for (double v : {x, std::nextafter(x, -inf), std::nextafter(x, inf)}) {
            out.push_back(v);
            out.push_back(-v);
        }
    return out;
}

// Edges shared by every function: zero, subnormals, the ends of the double range, NaN.
const std::vector<double> commonEdges = [] {
    auto v = withNeighbours({0.0, denormMin, 0x1p-1022, 0x1.fffffffffffffp-1023, 1.0, 2.0, 0.5,
                             std::numeric_limits<double>::max(), inf});
    v.push_back(nan);
    v.push_back(-nan);
    return v;
}();

struct Case {
    const char* name;
    rounded::UnaryBulk FunctionSet::*fast;
    double (*reference)(double);
    std::vector<double> hard;
    double randomLow, randomHigh;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> table = [] {
        const auto trigEdges = withNeighbours(
            {0x1p-27, 0x1p-26, 0x1p24, 0x1p23, 0x1p-40, 1e-9, 0.78539816339744828, 100.53 / 128});
        auto trig = nearQuarterTurns();
        trig.insert(trig.end(), trigEdges.begin(), trigEdges.end());
        return std::vector<Case>{
            {"SIN", &FunctionSet::sin, rounded::reference::sin, trig, -1e4, 1e4},
            {"COS", &FunctionSet::cos, rounded::reference::cos, trig, -1e4, 1e4},
            {"TAN", &FunctionSet::tan, rounded::reference::tan, trig, -1e4, 1e4},
            {"EXP", &FunctionSet::exp, rounded::reference::exp,
             withNeighbours({708.0, 709.0, 709.782712893384, 709.8, 745.1332191019411, 745.2,
                             708.3964185322641, 0x1p-60, 1e-300, 11356.5, 1e6}),
             -750, 750},
            {"LN", &FunctionSet::ln, rounded::reference::ln,
             withNeighbours({1.0, 0.99609375, 1.0078125, 0.6875, 1.375, 10.0, 1e300, 1e-300}),
             1e-12, 1e12},
            {"LOG", &FunctionSet::log10, rounded::reference::log10,
             withNeighbours({10.0, 100.0, 1000.0, 1e22, 1e23, 1e-5, 0.1}), 1e-12, 1e12},
            {"LOG2", &FunctionSet::log2, rounded::reference::log2,
             withNeighbours({4.0, 0x1p-1000, 0x1p1000, 3.0, 0.75}), 1e-12, 1e12},
            {"SQRT", &FunctionSet::sqrt, rounded::reference::sqrt,
             withNeighbours({4.0, 9.0, 2.0, 0x1p-1000, 1e300, 0x1.fffffffffffffp0}), 0, 1e6},
            {"ATAN", &FunctionSet::atan, rounded::reference::atan,
             withNeighbours(
                 {0x1p-27, 0x1p-26, 1.0, 0x1p500, 0x1p501, 1e300, 1.0 / 128, 1.0 / 64, 63.5 / 64}),
             -100, 100},
        };
    }();
    return table;
}

const Case& caseNamed(std::string_view name) {
    for (const Case& c : cases())
        if (c.name == name) return c;
    throw std::out_of_range(std::string(name));
}

std::vector<InstructionSet> laneSets() {
    std::vector<InstructionSet> sets{InstructionSet::sse2};
    if (rounded::hasAvx2()) sets.push_back(InstructionSet::avx2);
    return sets;
}

std::string setName(InstructionSet set) {
    return set == InstructionSet::avx2 ? "AVX2" : "SSE2";
}

void expectSameBits(const Case& c, InstructionSet set, const std::vector<double>& x) {
    std::vector<double> out(x.size());
    (rounded::functions(set).*(c.fast))(x.data(), out.data(), x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        ASSERT_EQ(bitsOf(out[i]), bitsOf(c.reference(x[i])))
            << c.name << " (" << setName(set) << ") of " << std::hexfloat << x[i] << " gives "
            << out[i] << ", the long double routine " << c.reference(x[i]);
}

TEST(RoundedMath, HardCasesStoreTheLongDoubleResult) {
    for (InstructionSet set : laneSets())
        for (const Case& c : cases()) {
            expectSameBits(c, set, c.hard);
            expectSameBits(c, set, commonEdges);
        }
}

TEST(RoundedMath, RandomArgumentsStoreTheLongDoubleResult) {
    std::mt19937_64 g(19);
    for (InstructionSet set : laneSets())
        for (const Case& c : cases()) {
            std::uniform_real_distribution<double> u(c.randomLow, c.randomHigh);
            std::vector<double> x(20000);
            for (double& v : x) v = u(g);
            expectSameBits(c, set, x);
        }
}

// Every tail length, and in place: the lanes of a short array are padded, never read beyond.
TEST(RoundedMath, AnyLengthAndInPlace) {
    const Case& sine = caseNamed("SIN");
    for (InstructionSet set : laneSets())
        for (std::size_t n = 0; n <= 9; ++n) {
            std::vector<double> x(n);
            for (std::size_t i = 0; i < n; ++i) x[i] = 0.3 * double(i) - 1;
            std::vector<double> inPlace = x;
            (rounded::functions(set).*(sine.fast))(inPlace.data(), inPlace.data(), n);
            for (std::size_t i = 0; i < n; ++i)
                EXPECT_EQ(bitsOf(inPlace[i]), bitsOf(rounded::reference::sin(x[i])));
        }
    EXPECT_EQ(bitsOf(rounded::sin(2.5)), bitsOf(rounded::reference::sin(2.5)));
}

// Square roots that fall next to the midpoint between two doubles, where rounding to 64 bits
// first can change the double: x = m^2 rounded, m a midpoint. In the lowest binades the
// low half of s^2 underflows, so the residual the fast path relies on is no longer exact.
TEST(RoundedMath, SquareRootsNextToMidpoints) {
    std::mt19937_64 g(23);
    for (InstructionSet set : laneSets())
        for (int halfExponent : {-511, -490, -481, -480, 0, 300}) {
            std::vector<double> x(50000);
            for (double& v : x) {
                const std::uint64_t significand = (g() >> 12) | (std::uint64_t{1} << 52);
                const long double midpoint =
                    std::ldexp(static_cast<long double>(significand) + 0.5L, halfExponent - 52);
                v = static_cast<double>(midpoint * midpoint);
            }
            expectSameBits(caseNamed("SQRT"), set, x);
        }
}

// Logarithms keep their fixed value for arguments that are not positive, NaN included.
TEST(RoundedMath, LogarithmsOfNonPositiveArguments) {
    for (double x : {0.0, -0.0, -1.0, -inf, nan}) {
        EXPECT_EQ(rounded::ln(x), -200000);
        EXPECT_EQ(rounded::log10(x), -200000);
        EXPECT_EQ(rounded::log2(x), -200000);
    }
}

TEST(RoundedMath, PowerStoresTheLongDoubleResult) {
    const double bases[] = {0.0,
                            -0.0,
                            2.0,
                            -2.0,
                            0.5,
                            10.0,
                            1e-300,
                            1e300,
                            denormMin,
                            1.0,
                            std::nextafter(1.0, 0.0),
                            inf,
                            -inf,
                            nan,
                            3.7,
                            123456.789};
    const double exponents[] = {0.0,    -0.0,  2.5,    -2.5,   3.0,     -3.0,         0.5,
                                1e-20,  308.5, -308.5, 0x1p31, -0x1p31, 2147483647.0, 1e300,
                                -1e300, inf,   -inf,   nan,    1.0 / 3, 700.25,       -1074.5};
    std::vector<double> a, b;
    for (double x : bases)
        for (double y : exponents) {
            a.push_back(x);
            b.push_back(y);
        }
    std::mt19937_64 g(5);
    std::uniform_real_distribution<double> base(0, 100), exponent(-20, 20);
    for (int i = 0; i < 20000; ++i) {
        a.push_back(base(g));
        b.push_back(exponent(g));
    }
    for (InstructionSet set : laneSets()) {
        std::vector<double> out(a.size());
        rounded::functions(set).power(a.data(), 1, b.data(), 1, out.data(), a.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            ASSERT_EQ(bitsOf(out[i]), bitsOf(rounded::reference::power(a[i], b[i])))
                << "POWER(" << a[i] << ", " << b[i] << ") with " << setName(set);
        // One base for every exponent (a stride of 0).
        const double two = 2.0;
        rounded::functions(set).power(&two, 0, b.data(), 1, out.data(), b.size());
        for (std::size_t i = 0; i < b.size(); ++i)
            ASSERT_EQ(bitsOf(out[i]), bitsOf(rounded::reference::power(2.0, b[i])));
    }
}

} // namespace
} // namespace ombrelune
