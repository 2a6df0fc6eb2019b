#include "plot/image_cursors.hpp"

#include "proc2d/fixtures.hpp"

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

using testing::makeImage;

TEST(ImageCursors, PixelIsTheFloorOfTheShownPosition) {
    struct Case {
        CursorPosition position;
        Pixel pixel;
    };
    const Case cases[] = {
        {{10.7, 3.2}, {10, 3}},  {{0, 0}, {0, 0}},        {{-0.2, 5}, {-1, 5}},
        {{9.99999999999, 2}, {10, 2}}, {{127.999, 1e12}, {127, 2147483647}},
    };
    for (const Case& c : cases) EXPECT_EQ(cursorPixel(c.position), c.pixel);

    const spectre image = makeImage("I", 4, 3, [](int, int) { return 0.0; });
    EXPECT_TRUE(pixelInside(image, {3, 2}));
    EXPECT_FALSE(pixelInside(image, {4, 0})); // on the far edge
    EXPECT_FALSE(pixelInside(image, {0, 3}));
    EXPECT_FALSE(pixelInside(image, {-1, 0}));
}

TEST(ImageCursors, CutsFollowTheTypeOfTheAxisTheyRunAlong) {
    spectre image = makeImage("I", 4, 3, [](int i, int j) { return i + 10.0 * j; });
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j) {
            image.setXAt(i, j, 0, 0.5 * i);
            image.setYAt(i, j, 0, 100 + j);
        }
    image.typeX = "raw";
    image.typeY = "Qz";
    const spectre row = rowCut(image, 2, "C1H");
    ASSERT_EQ(row.nx, 4);
    EXPECT_EQ(row.typeX, "raw");
    EXPECT_EQ(row.xAt(3), 3);
    EXPECT_EQ(row.valueAt(3), 23);
    const spectre column = columnCut(image, 1, "C1V");
    ASSERT_EQ(column.nx, 3);
    EXPECT_EQ(column.typeX, "Qz");
    EXPECT_EQ(column.xAt(2), 102);
    EXPECT_EQ(column.valueAt(2), 21);
}

TEST(ImageCursors, SeriesHoldEveryPointOfTheRowOrColumn) {
    const spectre image = makeImage("I", 128, 128, [](int i, int j) { return i * 1000.0 + j; });
    TSeries row(1), column(2);
    fillRowSeries(row, image, 3);
    fillColumnSeries(column, image, 10);
    ASSERT_EQ(row.size(), 128u);
    ASSERT_EQ(column.size(), 128u);
    EXPECT_EQ(row.pointAt(7).x, 7);
    EXPECT_EQ(row.pointAt(7).y, 7003);
    EXPECT_EQ(column.pointAt(5).y, 10005);
}

TEST(ImageCursors, SegmentSteppingAndRounding) {
    struct Case {
        Pixel a, b;
        std::vector<Pixel> pixels;
    };
    const Case cases[] = {
        {{2, 2}, {6, 4}, {{2, 2}, {3, 2}, {4, 3}, {5, 4}, {6, 4}}}, // 2.5 -> 2, 3.5 -> 4
        {{5, 1}, {5, 4}, {{5, 1}, {5, 2}, {5, 3}, {5, 4}}},
        {{6, 4}, {2, 2}, {{2, 2}, {3, 2}, {4, 3}, {5, 4}, {6, 4}}},
        {{0, 3}, {2, 0}, {{2, 0}, {1, 1}, {1, 2}, {0, 3}}}, // steps along j
        {{3, 3}, {3, 3}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(segmentPixels(c.a, c.b), c.pixels);

    const spectre image = makeImage("I", 8, 8, [](int i, int j) { return 10.0 * i + j; });
    TSeries alongI(5), alongJ(6);
    fillProfileSeries(alongI, alongJ, image, segmentPixels({2, 2}, {6, 4}));
    ASSERT_EQ(alongI.size(), 5u);
    EXPECT_EQ(alongI.pointAt(2).y, 43);
    // Against j, samples sharing a j keep the later one.
    ASSERT_EQ(alongJ.size(), 3u);
    EXPECT_EQ(alongJ.pointAt(0).y, 32);
}

TEST(ImageCursors, BoxSumIncludesBothCorners) {
    spectre image = makeImage("I", 5, 5, [](int i, int j) { return i + j; }, "mm");
    EXPECT_EQ(boxSum(image, {3, 1}, {1, 2}), (1 + 2 + 3) * 2 + 3 * 3);
    EXPECT_EQ(boxSum(image, {4, 4}, {4, 4}), 8);
}

} // namespace
} // namespace ombrelune
