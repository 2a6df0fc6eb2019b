#include "errors/errors.hpp"
#include "proc2d/reshape.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace ombrelune {
namespace {

using testing::makeCurve;
using testing::makeImage;

// An image on the grid x = x0 + i · dx, y = y0 + j · dy with value 100 x + y + tag.
spectre gridImage(const std::string& name, int nx, int ny, double x0, double y0, double dx,
                  double dy, double tag) {
    spectre s = makeImage(
        name, nx, ny, [](int, int) { return 0.0; }, "mm");
    testing::changePoints(s, [&](spectrePoint& p) {
        p.x = x0 + p.x * dx;
        p.y = y0 + p.y * dy;
        p.value = 100 * p.x + p.y + tag;
    });
    return s;
}

struct Warnings {
    std::vector<std::string> seen;
    WarningSink sink() {
        return [this](const std::string& text) { seen.push_back(text); };
    }
};

TEST(ConcatImages, JoinsOnTheFirstImagesGrid) {
    Warnings w;
    const spectre out = concatImages(gridImage("A", 3, 3, 0, 0, 1, 1, 0.25),
                                     gridImage("B", 3, 3, 2, 0, 1, 1, 0.5), "C", w.sink());
    EXPECT_TRUE(w.seen.empty());
    ASSERT_EQ(out.nx, 5);
    ASSERT_EQ(out.ny, 3);
    EXPECT_EQ(out.valueAt(2, 1), 201.5); // B wins where both have a point
    EXPECT_EQ(out.valueAt(1, 2), 102.25);
    EXPECT_EQ(out.xAt(4, 0), 4);
    EXPECT_EQ(out.typeX, "mm");
    // Apart, the gap stays cleared.
    const spectre gap = concatImages(gridImage("A", 2, 2, 0, 0, 1, 1, 0),
                                     gridImage("B", 2, 2, 0, 3, 1, 1, 0), "C", w.sink());
    ASSERT_EQ(gap.ny, 5);
    EXPECT_EQ(gap.valueAt(1, 2), 0);
    EXPECT_EQ(gap.monAt(1, 2), 1);
    EXPECT_EQ(gap.valueAt(1, 4), 104);
}

TEST(ConcatImages, WarnsAndGoesOn) {
    Warnings w;
    spectre b = gridImage("B", 3, 3, 0, 0, 2, 1, 0);
    b.typeY = "q";
    const spectre out = concatImages(gridImage("A", 3, 3, 0, 0, 1, 1, 0), b, "C", w.sink());
    EXPECT_EQ(w.seen, (std::vector<std::string>{"Y coordinate types not compatible",
                                                "X step sizes not compatible"}));
    EXPECT_EQ(out.nx, 5); // built on A's steps
}

TEST(ConcatImages, RefusesImagesWithoutSteps) {
    Warnings w;
    const spectre good = gridImage("A", 3, 3, 0, 0, 1, 1, 0);
    const spectre thin = gridImage("T", 1, 3, 0, 0, 1, 1, 0);
    const spectre backwards = gridImage("R", 3, 3, 0, 0, -1, 1, 0);
    const spectre flat = gridImage("F", 3, 3, 0, 0, 1, 0, 0);
    for (const spectre* bad : {&thin, &backwards, &flat}) {
        EXPECT_THROW(concatImages(good, *bad, "C", w.sink()), ERefused) << bad->name;
        EXPECT_THROW(concatImages(*bad, good, "C", w.sink()), ERefused) << bad->name;
        EXPECT_THROW(extractRectangle(*bad, 0, 0, 1, 1, "E"), ERefused) << bad->name;
    }
}

TEST(Conversions, RowAndColumn) {
    const spectre curve = makeCurve("K", {5, 6, 7, 8}, 0.5, 0.5, "q");
    const spectre row = curveToRow(curve);
    ASSERT_EQ(row.nx, 4);
    ASSERT_EQ(row.ny, 1);
    EXPECT_EQ(row.xAt(3), 2);
    EXPECT_EQ(row.valueAt(3), 8);
    EXPECT_EQ(row.typeX, "q");
    EXPECT_EQ(row.typeY, "raw");
    const spectre column = curveToColumn(curve);
    ASSERT_EQ(column.nx, 1);
    ASSERT_EQ(column.ny, 4);
    EXPECT_EQ(column.yAt(0, 3), 2);
    EXPECT_EQ(column.xAt(0, 3), 0);
    EXPECT_EQ(column.valueAt(0, 3), 8);
    EXPECT_EQ(column.typeX, "raw");
    EXPECT_EQ(column.typeY, "q");
    EXPECT_EQ(column.name, "K");
}

TEST(Append, ColumnAndRow) {
    struct Case {
        bool column;
        std::vector<double> curve;
        int nx, ny;
        std::vector<std::string> warnings;
        std::vector<double> added; // values of the new points in order
    } cases[] = {
        {true, {7, 8, 9}, 3, 3, {}, {7, 8, 9}},
        {true, {7}, 3, 3, {"Spectra sizes are not compatible!"}, {7, 0, 0}},
        {true, {7, 8, 9, 10}, 3, 3, {"Spectra sizes are not compatible!"}, {7, 8, 9}},
        {false, {7, 8}, 2, 4, {}, {7, 8}},
        {false, {}, 2, 4, {"Spectra sizes are not compatible!"}, {0, 0}},
    };
    for (const Case& c : cases) {
        spectlist images;
        images.storeCopy(makeImage("OTHER", 1, 1, [](int, int) { return 0.0; }));
        images.storeCopy(makeImage(
            "IMG", 2, 3, [](int i, int j) { return 10 * i + j; }, "mm"));
        images.storeCopy(makeImage("IMG.TMP", 1, 1, [](int, int) { return 0.0; }));
        images.remove(1);
        Warnings w;
        const spectre curve = makeCurve("K", c.curve);
        (c.column ? appendColumn : appendRow)(images, "img", curve, w.sink());
        EXPECT_EQ(w.seen, c.warnings);
        // Made in slot 1 while the old image was in slot 2, then renamed; the user's
        // "IMG.TMP" is left alone.
        ASSERT_EQ(images.indexOf("img"), 1);
        EXPECT_NE(images.find("IMG.TMP"), nullptr);
        const spectre& out = *images.find("img");
        EXPECT_EQ(out.name, "img");
        ASSERT_EQ(out.nx, c.nx);
        ASSERT_EQ(out.ny, c.ny);
        EXPECT_EQ(out.typeX, "raw");
        EXPECT_EQ(out.typeY, "raw");
        EXPECT_EQ(out.valueAt(1, 2), 12);
        for (std::size_t n = 0; n < c.added.size(); ++n) {
            const int i = c.column ? 2 : int(n), j = c.column ? int(n) : 3;
            EXPECT_EQ(out.valueAt(i, j), c.added[n]);
            EXPECT_EQ(out.xAt(i, j), i);
            EXPECT_EQ(out.yAt(i, j), j);
        }
    }
}

TEST(Extract, RectangleOnTheSourceGrid) {
    const spectre src = gridImage("S", 5, 4, 1, 10, 0.5, 2, 0);
    const spectre one = extractRectangle(src, 2, 14, 2, 14, "E");
    ASSERT_EQ(one.nx, 1);
    ASSERT_EQ(one.ny, 1);
    EXPECT_EQ(one.valueAt(0, 0), 214);
    const spectre part = extractRectangle(src, 1.5, 11, 2.6, 16, "E");
    ASSERT_EQ(part.nx, 3); // round(1.1 / 0.5 + 1)
    ASSERT_EQ(part.ny, 4); // round(5 / 2 + 1), halves to even
    // y = 12, 14, 16 fall in rows round(0.5), round(1.5), round(2.5) = 0, 2, 2: the later
    // point wins and row 1 stays cleared.
    EXPECT_EQ(part.valueAt(0, 0), 162);
    EXPECT_EQ(part.valueAt(2, 2), 266);
    EXPECT_EQ(part.valueAt(2, 1), 0);
    EXPECT_EQ(part.typeX, "mm");
    for (const auto& bounds : std::vector<std::array<double, 4>>{
             {2, 10, 1, 12}, {1, 12, 2, 10}, {NAN, 10, 2, 12}, {1, 10, INFINITY, 12}})
        EXPECT_THROW(extractRectangle(src, bounds[0], bounds[1], bounds[2], bounds[3], "E"),
                     ERefused);
}

TEST(Axes, RegularCoordinates) {
    spectre image = makeImage("I", 3, 2, [](int, int) { return 1.0; });
    setXAxis(image, 5, 0.5, "mm");
    setYAxis(image, -1, 2, "deg");
    EXPECT_EQ(image.xAt(2, 1), 6);
    EXPECT_EQ(image.xAt(2, 0), 6);
    EXPECT_EQ(image.yAt(2, 1), 1);
    EXPECT_EQ(image.yAt(0, 1), 1);
    EXPECT_EQ(image.typeX, "mm");
    EXPECT_EQ(image.typeY, "deg");
    EXPECT_EQ(image.valueAt(2, 1), 1);
}

} // namespace
} // namespace ombrelune
