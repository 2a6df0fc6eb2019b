#include "proc2d/projections.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::makeImage;

// value = 10^i + j: a band sum names the first indices it took.
spectre bandImage(const std::string& typeX = "raw", const std::string& typeY = "raw") {
    spectre s = makeImage("I", 5, 4, [](int i, int) { return std::pow(10.0, i); });
    s.typeX = typeX;
    s.typeY = typeY;
    testing::changePoints(s, [](spectrePoint& p) {
        p.x = 0.5 * p.x;
        p.y = 2 * p.y + 1;
    });
    return s;
}

TEST(Projections, HorizontalBandsRoundHalfToEvenAndClip) {
    struct Case {
        double first, last, sum;
    } cases[] = {
        {0.5, 2.5, 111},      // 0.5 -> 0, 2.5 -> 2
        {1.5, 3.5, 11100},    // 1.5 -> 2, 3.5 -> 4
        {-7, 1, 11},          // clipped below
        {3, 1e300, 11000},    // clipped above
        {3, 2, 0},            // reversed
        {std::nan(""), 4, 0}, // not a number
    };
    for (const Case& c : cases) {
        const spectre curve = horizontalProjection(bandImage(), "P", c.first, c.last);
        ASSERT_EQ(curve.nx, 4);
        for (int j = 0; j < 4; ++j) EXPECT_EQ(curve.valueAt(j), c.sum) << c.first << " " << c.last;
    }
}

TEST(Projections, AxesFollowTheImage) {
    const spectre raw = horizontalProjection(bandImage("q", "raw"), "P", 0, 0);
    EXPECT_EQ(raw.xAt(3), 3);
    EXPECT_EQ(raw.typeX, "q");
    const spectre coords = horizontalProjection(bandImage("q", "lambda"), "P", 0, 0);
    EXPECT_EQ(coords.xAt(3), 7);
    const spectre vertical = verticalProjection(bandImage("q", "raw"), "V", 0.5, 2.5);
    ASSERT_EQ(vertical.nx, 5);
    EXPECT_EQ(vertical.xAt(4), 2); // stored x on a non-raw typeX
    EXPECT_EQ(vertical.valueAt(4), 3e4);
    EXPECT_EQ(verticalProjection(bandImage(), "V", 0, 99).xAt(4), 4);
}

TEST(Projections, RectangleIntegral) {
    const spectre raw = bandImage();
    // Truncated bounds: 0.9 .. 2.9 takes first indices 0 .. 2; all four j.
    EXPECT_EQ(rectangleIntegral(raw, 0.9, 0, 2.9, 3), 4 * 111);
    EXPECT_EQ(rectangleIntegral(raw, -5, -5, 1e9, 1), 2 * 11111);
    EXPECT_EQ(rectangleIntegral(raw, 3, 0, 2, 3), 0);
    // Stored coordinates (x = i / 2, y = 2j + 1) on another typeX.
    const spectre coords = bandImage("q", "q");
    EXPECT_EQ(rectangleIntegral(coords, 0.5, 1, 1.5, 3), 2 * 1110);
}

} // namespace
} // namespace ombrelune
