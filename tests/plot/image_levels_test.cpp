#include "plot/image_levels.hpp"

#include "proc2d/fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace ombrelune {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(ImageLevels, DefinitionCases) {
    struct Case {
        LevelScale scale;
        double value;
        int level;
    };
    const Case cases[] = {
        {{1, 2, false}, 0.5, 0},   {{1, 2, false}, 1.0, 0},   {{1, 2, false}, 1.5, 128},
        {{1, 2, false}, 2.0, 255}, {{1, 2, false}, 3.0, 255}, {{1, 100, true}, 10, 128},
        {{1, 100, true}, 0, 0},    {{1, 100, true}, -3, 0},   {{1, 100, true}, 100, 255},
        {{5, 5, false}, 5, 0},     {{5, 5, false}, 5.5, 128}, {{5, 5, false}, 7, 255},
        {{0, 500, true}, 50, 0},   {{1, 2, false}, nan, 0},   {{1, 2, false}, inf, 255},
        {{2, 1, false}, 1.0, 255}, {{2, 1, false}, 2.0, 0},   {{100, 1, true}, 10, 128},
    };
    for (const Case& c : cases) {
        const LevelCoder code(c.scale);
        EXPECT_EQ(levelOf(c.value, c.scale), c.level) << c.scale.zmin << " " << c.value;
        EXPECT_EQ(code(c.value), c.level) << c.scale.zmin << " " << c.value;
    }
}

// The coder must give exactly the levels of the definition, also for values on either side
// of each threshold, on scales wide and narrow, reversed, and with bounds the logarithm
// cannot take.
TEST(ImageLevels, CoderAgreesWithTheDefinitionEverywhere) {
    const LevelScale scales[] = {
        {1, 2, false},      {-3.5, 1e6, false},   {0, 1, false},          {1e-300, 1e300, false},
        {1, 1 + 1e-12, false}, {7, 7, false},     {2, 1, false},          {-1e308, 1e308, false},
        {1, 100, true},     {1e-9, 3e7, true},    {0.5, 0.5000001, true}, {3, 3, true},
        {100, 1, true},     {0, 500, true},       {-1, 5, true},          {1, 0, true},
        {1e-300, 1e300, true},
    };
    std::mt19937_64 random(7);
    for (const LevelScale& s : scales) {
        const LevelCoder code(s);
        std::vector<double> values{0, -0.0, inf, -inf, nan, s.zmin, s.zmax, 1e-320, -1e-320};
        for (double t : code.thresholds())
            for (double v : {t, std::nextafter(t, -inf), std::nextafter(t, inf)}) values.push_back(v);
        const double lo = std::min(s.zmin, s.zmax), hi = std::max(s.zmin, s.zmax);
        std::uniform_real_distribution<double> inRange(lo - (hi - lo) * 0.1, hi + (hi - lo) * 0.1);
        std::uniform_real_distribution<double> logRange(-12, 12);
        for (int k = 0; k < 20000; ++k) {
            values.push_back(inRange(random));
            values.push_back(std::pow(10.0, logRange(random)) * (k % 7 == 0 ? -1 : 1));
        }
        for (double v : values)
            ASSERT_EQ(code(v), levelOf(v, s))
                << "scale " << s.zmin << ".." << s.zmax << (s.logarithmic ? " log" : " lin")
                << " value " << v;
    }
}

TEST(ImageLevels, ThresholdsAreTheFirstValuesOfEachLevel) {
    const LevelScale s{1, 100, true};
    const std::vector<double> t = LevelCoder(s).thresholds();
    ASSERT_EQ(t.size(), 255u);
    for (std::size_t k = 0; k < t.size(); ++k) {
        EXPECT_EQ(levelOf(t[k], s), k + 1);
        EXPECT_LT(levelOf(std::nextafter(t[k], 0.0), s), k + 1);
    }
}

TEST(ImageLevels, MapIsStoredRowByRowFromLayerZero) {
    spectre image = testing::makeImage("I", 5, 3, [](int i, int j) { return i + 10 * j; });
    LevelMap map;
    computeLevels(image, {0, 255, false}, map);
    EXPECT_EQ(map.width, 5);
    EXPECT_EQ(map.height, 3);
    EXPECT_EQ(map.stride, 8);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(map.at(i, j), i + 10 * j);

    // A spectrum of several layers shows its first one.
    spectre stack = image;
    stack.resize(5, 3, 2);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 3; ++j) stack.setValueAt(i, j, 1, 200);
    computeLevels(stack, {0, 255, false}, map);
    EXPECT_EQ(map.at(4, 2), 24);
}

TEST(ImageLevels, LargeImageMatchesPointByPoint) {
    std::mt19937 random(3);
    std::exponential_distribution<double> counts(0.01);
    spectre image = testing::makeImage("I", 131, 70, [&](int, int) { return counts(random); });
    for (const LevelScale& s : {LevelScale{0, 300, false}, LevelScale{0.5, 400, true}}) {
        LevelMap map;
        computeLevels(image, s, map);
        for (int i = 0; i < 131; ++i)
            for (int j = 0; j < 70; ++j) ASSERT_EQ(map.at(i, j), levelOf(image.valueAt(i, j), s));
    }
}

TEST(ImageLevels, ScaleStripHasTheHighestLevelOnTop) {
    const LevelMap strip = scaleStripMap();
    EXPECT_EQ(strip.height, 256);
    EXPECT_EQ(strip.at(0, 0), 255);
    EXPECT_EQ(strip.at(0, 255), 0);
    EXPECT_EQ(strip.at(0, 100), 155);
}

} // namespace
} // namespace ombrelune
