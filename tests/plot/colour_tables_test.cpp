#include "plot/colour_scale.hpp"
#include "plot/colour_tables.hpp"

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

TEST(ColourTables, GreyRunsFromDarkGreyToWhite) {
    const ColourTable grey = colourTable(0);
    EXPECT_EQ(grey[0], 0xFF1A1A1Au);
    EXPECT_EQ(grey[255], 0xFFFFFFFFu);
    for (std::size_t e = 1; e < grey.size(); ++e) {
        EXPECT_EQ(redOf(grey[e]), greenOf(grey[e]));
        EXPECT_GE(redOf(grey[e]), redOf(grey[e - 1]));
    }
}

TEST(ColourTables, EveryPaletteIsOpaqueAndNoPaletteIsTransparentBlack) {
    for (int p = 0; p < static_cast<int>(paletteItems.size()); ++p)
        for (std::uint32_t c : colourTable(p)) ASSERT_EQ(alphaOf(c), 255) << p;
    for (int none : {-1, 6})
        for (std::uint32_t c : colourTable(none)) ASSERT_EQ(c, 0u);
}

TEST(ColourTables, HslRuleAndPublishedTables) {
    EXPECT_EQ(hslColour(0, 1, 0.5), 0xFFFF0000u);
    EXPECT_EQ(hslColour(1.0 / 3, 1, 0.5), 0xFF00FF00u);
    EXPECT_EQ(hslColour(1 + 2.0 / 3, 1, 0.5), 0xFF0000FFu); // hue taken modulo 1
    EXPECT_EQ(hslColour(0.5, 0.5, 0.25), 0xFF206060u);
    // Rainbow ends: hue 0 at lightness 0.2, hue 0.2 at full lightness (white).
    EXPECT_EQ(colourTable(3)[0], hslColour(0, 0.6, 0.2));
    EXPECT_EQ(colourTable(3)[255], 0xFFFFFFFFu);
    EXPECT_EQ(colourTable(4)[0], 0xFF440154u); // viridis
    EXPECT_EQ(colourTable(4)[255], 0xFFFDE725u);
    EXPECT_EQ(colourTable(5)[0], 0xFF000004u); // magma
    EXPECT_EQ(colourTable(5)[255], 0xFFFCFDBFu);
}

TEST(ColourTables, PaletteNames) {
    EXPECT_EQ(paletteNamed("Gris"), 0);
    EXPECT_EQ(paletteNamed(" vert"), 1);
    EXPECT_EQ(paletteNamed("ROUGE "), 2);
    EXPECT_EQ(paletteNamed("rainbow"), 3);
    EXPECT_EQ(paletteNamed("Viridis"), 4);
    EXPECT_EQ(paletteNamed("\tmagma"), 5);
    EXPECT_EQ(paletteNamed("inferno"), std::nullopt);
    EXPECT_EQ(paletteNamed(""), std::nullopt);
}

TEST(ColourScale, LabelsFromTopToBottom) {
    EXPECT_EQ(colourScaleText(1234, '.'), "1E+003");
    EXPECT_EQ(colourScaleText(0.5, ','), "0,5");

    const auto linear = colourScaleLabels({0, 1000, false}, '.');
    const char* linearTexts[] = {"1E+003", "8E+002", "5E+002", "2E+002", "0"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(linear[k].text, linearTexts[k]);
        EXPECT_DOUBLE_EQ(linear[k].position, k * 0.25);
    }
    EXPECT_DOUBLE_EQ(linear[1].value, 750);

    const auto log = colourScaleLabels({1, 10000, true}, '.');
    const double logValues[] = {10000, 1000, 100, 10, 1};
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(log[k].value, logValues[k], 1e-9 * logValues[k]);
    EXPECT_EQ(log[3].text, "1E+001");
    EXPECT_EQ(log[4].text, "1");
}

} // namespace
} // namespace ombrelune
