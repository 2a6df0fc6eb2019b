#include "errors/errors.hpp"
#include "proc2d/masks.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::makeImage;

// Rows of the image as text, j downwards: "1" for 1, "0" for 0, "." otherwise.
std::vector<std::string> picture(const spectre& s) {
    std::vector<std::string> rows;
    for (int j = 0; j < s.ny; ++j) {
        std::string row;
        for (int i = 0; i < s.nx; ++i) {
            const double v = s.valueAt(i, j);
            row += v == 1 ? '1' : v == 0 ? '0' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(SectorMask, FiveDecimalPiAndWrapping) {
    // Angle 0, opening 90: lo 315, hi 45. (1, 0) has a = 359.99992 and (2, 0) 44.99996;
    // (0, 0) has a = 314.99989, just below lo because of the five-decimal π.
    spectre image = makeImage("I", 3, 3, [](int, int) { return 1.0; });
    sectorMask(image, 1, 1, 0, 90);
    EXPECT_EQ(picture(image), (std::vector<std::string>{"100", "111", "111"}));
    // Angle 350, opening 40: lo 330, hi 10, through 0.
    spectre wide = makeImage("W", 5, 5, [](int, int) { return 1.0; });
    sectorMask(wide, 2, 2, 350, 40);
    EXPECT_EQ(picture(wide),
              (std::vector<std::string>{"10011", "11011", "11111", "11111", "11111"}));
    // Angle 90 (increasing i), opening 20, centre between pixels.
    spectre right = makeImage("R", 5, 3, [](int, int) { return 1.0; });
    sectorMask(right, 1.5, 1, 90, 20);
    EXPECT_EQ(picture(right), (std::vector<std::string>{"11111", "11000", "11111"}));
}

TEST(MaskBuilders, ShapesAndClipping) {
    const spectre image = makeImage(
        "I", 6, 4, [](int, int) { return 5.0; }, "raw");
    struct Case {
        const char* type;
        double X1, Y1, X2, Y2;
        std::vector<std::string> rows;
    } cases[] = {
        {"rectangulaire int.", 3.9, 2.7, 1.2, 1, {"111111", "100011", "100011", "111111"}},
        {"rectangulaire ext.", 1.2, 1, 3.9, 2.7, {"000000", "011100", "011100", "000000"}},
        // Cursors beyond the image: the part inside is drawn, nothing else.
        {"rectangulaire ext.", 4, -3, 99, 1, {"000011", "000011", "000000", "000000"}},
        {"circulaire int.", 2, 2, 3, 2, {"111111", "110111", "100011", "110111"}},
        {"circulaire ext.", -1, -1, 0, 0.5, {"100000", "000000", "000000", "000000"}},
        {"rectangulaire int.", std::nan(""), 0, 2, 2, {"111111", "111111", "111111", "111111"}},
    };
    for (const Case& c : cases) {
        const auto build = maskBuilderNamed(c.type);
        ASSERT_TRUE(build);
        const spectre mask = (*build)(image, "M", c.X1, c.Y1, c.X2, c.Y2);
        EXPECT_EQ(picture(mask), c.rows) << c.type << " " << c.X1;
        EXPECT_EQ(mask.name, "M");
        EXPECT_EQ(mask.typeX, "raw");
    }
    EXPECT_FALSE(maskBuilderNamed("circulaire"));
}

TEST(StoreMask, SuccessiveMasksAccumulate) {
    spectlist images;
    const spectre image = makeImage("I", 6, 4, [](int, int) { return 5.0; });
    EXPECT_FALSE(storeMask(images, maskRectangleInside(image, "x", 0, 0, 1, 1), "M"));
    EXPECT_TRUE(storeMask(images, maskDiscInside(image, "x", 4, 2, 5, 2), "M"));
    EXPECT_EQ(picture(*images.find("M")),
              (std::vector<std::string>{"001111", "001101", "111000", "111101"}));
    EXPECT_EQ(picture(*images.find("M_Z")),
              (std::vector<std::string>{"001111", "001111", "111111", "111111"}));
    // A third mask keeps only the one before it under "_Z".
    EXPECT_TRUE(storeMask(images, maskRectangleInside(image, "x", 5, 3, 5, 3), "M"));
    EXPECT_EQ(picture(*images.find("M_Z")),
              (std::vector<std::string>{"001111", "001101", "111000", "111101"}));
    EXPECT_EQ(picture(*images.find("M")),
              (std::vector<std::string>{"001111", "001101", "111000", "111100"}));
}

TEST(StoreMask, FullTableKeepsTheOlderMask) {
    spectlist images;
    const spectre image = makeImage("I", 2, 2, [](int, int) { return 5.0; });
    storeMask(images, maskRectangleInside(image, "x", 0, 0, 0, 0), "M");
    for (int n = 2; n <= spectlist::slotCount; ++n)
        images.storeCopy(makeImage("F" + std::to_string(n), 1, 1, [](int, int) { return 0.0; }));
    EXPECT_THROW(storeMask(images, maskRectangleInside(image, "x", 1, 1, 1, 1), "M"), ERefused);
    ASSERT_NE(images.find("M"), nullptr);
    EXPECT_EQ(picture(*images.find("M")), (std::vector<std::string>{"01", "11"}));
    EXPECT_EQ(images.find("M_Z"), nullptr);
}

} // namespace
} // namespace ombrelune
