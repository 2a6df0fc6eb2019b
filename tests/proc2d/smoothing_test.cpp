#include "errors/errors.hpp"
#include "proc2d/sliding_sums.hpp"
#include "proc2d/smoothing.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace ombrelune {
namespace {

using testing::makeCurve;
using testing::makeImage;
using testing::valuesOf;

TEST(Smoothing, CurveCases) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        std::vector<double> in;
        double width;
        std::vector<double> out;
    } cases[] = {
        {{1, 2, 3, 4, 5}, 3, {1, 2, 3, 4, 5}},
        {{0, 0, 3, 0, 0}, 3, {0, 1, 1, 1, 0}},
        // w = round(1.5) = 2: sums of five values divided by 4.
        {{4, 4, 4, 4, 4, 8}, 4, {4, 4, 5, 6, 4, 8}},
        // A window longer than the curve: an exact copy.
        {{1, 2, 3, 4, 5}, 7, {1, 2, 3, 4, 5}},
        // 2.5 rounds to 2 (halves to even): width 6 gives w = 2 as width 5 does.
        {{0, 0, 6, 0, 0}, 6, {0, 0, 1, 0, 0}},
        {{1, 2, 3}, 1, {1, 2, 3}},
        {{1, inf, 3, 4, 5}, 3, {1, inf, inf, 4, 5}},
    };
    for (const Case& c : cases) {
        const spectre src = makeCurve("S", c.in, 0.5, 0.25, "q");
        const spectre out = smoothCurve(src, c.width, "D");
        EXPECT_EQ(valuesOf(out), c.out) << "width " << c.width;
        EXPECT_EQ(out.name, "D");
        EXPECT_EQ(out.typeX, "q");
        EXPECT_EQ(out.xAt(2), 1.0);
        EXPECT_EQ(out.monAt(2), 1.0);
    }
}

TEST(Smoothing, RefusesWidthsBelowOne) {
    const spectre curve = makeCurve("S", {1, 2, 3});
    const spectre image = makeImage("I", 3, 3, [](int, int) { return 1.0; });
    for (double width : {0.0, 0.999, -3.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(smoothCurve(curve, width, "D"), ERefused) << width;
        EXPECT_THROW(smoothImage(image, width, "D"), ERefused) << width;
    }
}

TEST(Smoothing, ImageChangesOnlyTheInterior) {
    const spectre src = makeImage("I", 3, 3, [](int i, int j) { return i * 3 + j; });
    const spectre out = smoothImage(src, 3, "D");
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(out.valueAt(i, j), i == 1 && j == 1 ? 36.0 / 9 : src.valueAt(i, j));
    EXPECT_EQ(out.xAt(2, 1), 2);
    EXPECT_EQ(out.yAt(2, 1), 1);
    // A side shorter than the window leaves every point as it was.
    const spectre thin = makeImage("T", 9, 2, [](int i, int j) { return i + 10 * j; });
    EXPECT_EQ(valuesOf(smoothImage(thin, 3, "D")), valuesOf(thin));
}

// The running sums must equal sums taken one by one, exactly on whole numbers and to
// rounding on fractions, whatever the window length and the block boundaries.
TEST(Smoothing, ImageMatchesDirectSums) {
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> counts(0, 1000);
    std::uniform_real_distribution<double> reals(-1, 1);
    for (const bool whole : {true, false}) {
        for (const int width : {1, 2, 3, 5, 8, 11}) {
            const int nx = 23, ny = 17;
            const spectre src = makeImage(
                "I", nx, ny, [&](int, int) { return whole ? counts(gen) : reals(gen) * 1e3; });
            const spectre out = smoothImage(src, width, "D");
            const int w = static_cast<int>(std::nearbyint((width - 1) / 2.0));
            for (int i = w; i < nx - w; ++i)
                for (int j = w; j < ny - w; ++j) {
                    double sum = 0;
                    for (int a = i - w; a <= i + w; ++a)
                        for (int b = j - w; b <= j + w; ++b) sum += src.valueAt(a, b);
                    const double expected = sum / (double(width) * width);
                    if (whole)
                        EXPECT_EQ(out.valueAt(i, j), expected);
                    else
                        EXPECT_NEAR(out.valueAt(i, j), expected, 1e-12);
                }
        }
    }
}

TEST(SlidingSums, SmallValuesSurviveALargeOneLeavingTheWindow) {
    const std::vector<double> in = {1e20, 1, 1, 1, 1, 1, 1};
    std::vector<double> out(in.size() - 2);
    slidingRowSums(
        in.size(), 1, 3, [&](std::size_t r, std::size_t) { return in[r]; },
        [&](std::size_t s, std::size_t, double sum) { out[s] = sum; });
    EXPECT_EQ(out, (std::vector<double>{1e20, 3, 3, 3, 3}));
}

} // namespace
} // namespace ombrelune
