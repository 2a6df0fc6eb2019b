#include "proc2d/beam_centre.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::makeImage;

TEST(Barycentre, WeightedCentreOrBareSums) {
    const spectre one =
        makeImage("I", 10, 10, [](int i, int j) { return i == 3 && j == 7 ? 2.5 : 0; });
    EXPECT_EQ(barycentre(one).X0, 3);
    EXPECT_EQ(barycentre(one).Y0, 7);
    const spectre two = makeImage(
        "I", 4, 4, [](int i, int j) { return (i == 1 && j == 0) || (i == 3 && j == 3) ? 1 : 0; });
    EXPECT_EQ(barycentre(two).X0, 2);
    EXPECT_EQ(barycentre(two).Y0, 1.5);
    // Values summing to 0: the bare first moments.
    const spectre zero = makeImage("I", 4, 4, [](int i, int j) {
        return i == 1 && j == 2 ? 1 : i == 3 && j == 1 ? -1 : 0;
    });
    EXPECT_EQ(barycentre(zero).X0, -2);
    EXPECT_EQ(barycentre(zero).Y0, 1);
}

TEST(RadialAverage, RingsAroundTheCentre) {
    // value = distance² from (1, 1) on a 3 × 3 image: rings at 0, 1 (4 pixels of 1) and
    // round(√2) = 1 as well (4 pixels of 2), so channel 1 holds the mean 1.5.
    const spectre image =
        makeImage("I", 3, 3, [](int i, int j) { return (i - 1) * (i - 1) + (j - 1) * (j - 1); });
    const spectre curve = radialAverage(image, "Circulaire", 5, 1, 1);
    ASSERT_EQ(curve.nx, 2);
    EXPECT_EQ(curve.valueAt(0), 0);
    EXPECT_EQ(curve.valueAt(1), 1.5);
    EXPECT_EQ(curve.xAt(1), 5);
    EXPECT_EQ(curve.typeX, "raw");
    EXPECT_EQ(radialAverage(image, "C", 5, 0, 0).nx, 4);   // corner pixel at √8 -> channel 3
    EXPECT_EQ(radialAverage(image, "C", 5, 3.5, 1).nx, 1); // centre outside
    EXPECT_EQ(radialAverage(makeImage(
                                "L", 3, 3, [](int, int) { return 1.0; }, "q"),
                            "C", 5, 1, 1)
                  .nx,
              2);
}

} // namespace
} // namespace ombrelune
