#include "errors/errors.hpp"
#include "proc2d/small_angle.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace ombrelune {
namespace {

using testing::makeImage;

constexpr BeamGeometry example{64, 64, 6, 0.5, 500};

// The sum written pixel by pixel from pixelQ, as the reference for the fast loop.
std::vector<std::pair<double, double>> directSum(const spectre& image, const spectre* mask,
                                                 const BeamGeometry& g, double N) {
    const int nx = image.nx, ny = image.ny;
    const double qmax = std::max({pixelQ(nx, g, 0, 0), pixelQ(nx, g, 0, ny - 1),
                                  pixelQ(nx, g, nx - 1, 0), pixelQ(nx, g, nx - 1, ny - 1)});
    const double s = N / qmax;
    std::vector<double> sums(static_cast<std::size_t>(std::nearbyint(qmax * s) + 2));
    std::vector<int> hits(sums.size());
    int top = 1;
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) {
            if (mask && mask->valueAt(i, j) != 1.0) continue;
            const int k = static_cast<int>(std::nearbyint(pixelQ(nx, g, i, j) * s));
            top = std::max(top, k);
            ++hits[k];
            sums[k] += image.valueAt(i, j);
        }
    std::vector<std::pair<double, double>> curve;
    for (int k = 0; k <= top; ++k)
        curve.emplace_back(hits[k] ? k / s : 0, hits[k] ? sums[k] / hits[k] : 0);
    return curve;
}

std::vector<std::pair<double, double>> pointsOf(const spectre& curve) {
    std::vector<std::pair<double, double>> out;
    for (std::size_t p = 0; p < curve.pointCount(); ++p)
        out.emplace_back(curve.x(p), curve.value(p));
    return out;
}

TEST(PixelQ, BeamPixelIsZeroAndTheFactorHasFiveDecimals) {
    EXPECT_EQ(pixelQ(128, example, 64, 64), 0);
    // One pixel off the beam on the detector's axis: 2θ = atan(δ / D). The arccos of a
    // cosine this close to 1 keeps about 13 digits.
    const double twoTheta = std::atan(0.5 / 500);
    const double expected = 12.56636 * std::sin(twoTheta / 2) / 6;
    EXPECT_NEAR(pixelQ(128, example, 64, 65), expected, 1e-10 * expected);
    EXPECT_GT(
        std::fabs(pixelQ(128, example, 64, 65) - 4 * std::numbers::pi * std::sin(twoTheta / 2) / 6),
        1e-8 * expected);
}

TEST(SmallAngleSum, WorkedExampleHas101Points) {
    spectlist images;
    const spectre image = makeImage("ACUP", 128, 128, [](int i, int j) { return i + j; });
    const SmallAngleSum r = smallAngleSum(image, "Q", images, "M", example, 100);
    EXPECT_EQ(r.curve.nx, 101);
    EXPECT_EQ(r.pixelsUsed, 128 * 128);
    EXPECT_EQ(r.curve.valueAt(0), 128); // the beam pixel alone
    EXPECT_EQ(r.curve.typeX, "q");
    EXPECT_EQ(r.curve.comment, "Somme PA de : ACUP, masque : M");
    const std::vector<std::pair<std::string, double>> conds = {
        {"X0", 64},     {"Y0", 64},    {"dist Ech/detect", 500},
        {"Masque", -1}, {"lambda", 6}, {"delta", 0.5}};
    ASSERT_EQ(r.curve.expConds.size(), conds.size());
    for (std::size_t n = 0; n < conds.size(); ++n) {
        EXPECT_EQ(r.curve.expConds[n].name, conds[n].first);
        EXPECT_EQ(r.curve.expConds[n].value, conds[n].second);
    }
    EXPECT_EQ(pointsOf(r.curve), directSum(image, nullptr, example, 100));
}

// The fast channel search must give the channels of pixelQ exactly, on many geometries,
// including centres on and between pixels and images whose q·s often falls on halves.
TEST(SmallAngleSum, MatchesThePixelByPixelDefinition) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> unit(0, 1);
    spectlist images;
    const spectre mask =
        makeImage("M", 40, 30, [](int i, int j) { return (i * 7 + j) % 5 ? 1.0 : 0.999; });
    images.storeCopy(mask);
    for (int trial = 0; trial < 60; ++trial) {
        const BeamGeometry g{trial % 3 ? unit(gen) * 40 : 20, trial % 2 ? unit(gen) * 30 : 15,
                             0.5 + unit(gen) * 10, 0.1 + unit(gen), 10 + unit(gen) * 500};
        double N = trial % 4 ? std::floor(1 + unit(gen) * 300) : 1 + unit(gen) * 50;
        if (trial % 5 == 0) {
            // Put pixel (5, 7) on the half-way point between channels 3 and 4, where the
            // rounding of the last bits decides.
            const double qmax = std::max({pixelQ(40, g, 0, 0), pixelQ(40, g, 0, 29),
                                          pixelQ(40, g, 39, 0), pixelQ(40, g, 39, 29)});
            N = 3.5 * qmax / pixelQ(40, g, 5, 7);
        }
        const spectre image =
            makeImage("I", 40, 30, [&](int, int) { return std::floor(unit(gen) * 100); });
        const std::string maskName = trial % 2 ? "M" : "none";
        const SmallAngleSum r = smallAngleSum(image, "Q", images, maskName, g, N);
        EXPECT_EQ(pointsOf(r.curve), directSum(image, trial % 2 ? &mask : nullptr, g, N)) << trial;
    }
}

// A cached channel map gives the curve computed without it, and follows changes of the
// geometry instead of reusing a stale map.
TEST(SmallAngleSum, CachedMapGivesTheSameCurves) {
    spectlist images;
    images.storeCopy(makeImage("M", 50, 40, [](int i, int j) { return (i + j) % 3 ? 1.0 : 0; }));
    const spectre image = makeImage("I", 50, 40, [](int i, int j) { return i * 40 + j; });
    ChannelMapCache cache;
    const BeamGeometry geometries[] = {{20, 18, 6, 0.5, 80},
                                       {20, 18, 6, 0.5, 80},
                                       {21, 18, 6, 0.5, 80},
                                       {21, 18, 5, 0.5, 80},
                                       {21, 18, 5, 0.5, 80}};
    for (const BeamGeometry& g : geometries)
        for (const char* mask : {"M", ""}) {
            const SmallAngleSum direct = smallAngleSum(image, "Q", images, mask, g, 60);
            const SmallAngleSum cached = smallAngleSum(image, "Q", images, mask, g, 60, &cache);
            EXPECT_EQ(pointsOf(cached.curve), pointsOf(direct.curve));
            EXPECT_EQ(cached.pixelsUsed, direct.pixelsUsed);
        }
    const SmallAngleSum fewer = smallAngleSum(image, "Q", images, "", geometries[0], 30, &cache);
    EXPECT_EQ(pointsOf(fewer.curve), directSum(image, nullptr, geometries[0], 30));
    const spectre other = makeImage("O", 40, 50, [](int i, int j) { return i - j; });
    EXPECT_EQ(pointsOf(smallAngleSum(other, "Q", images, "", geometries[0], 30, &cache).curve),
              directSum(other, nullptr, geometries[0], 30));
}

TEST(SmallAngleSum, MaskValueMustBeExactlyOne) {
    spectlist images;
    const spectre image = makeImage("I", 8, 8, [](int, int) { return 1.0; });
    images.storeCopy(makeImage("M", 8, 8, [](int i, int) { return i < 4 ? 1.0 : 0.999; }));
    const SmallAngleSum r = smallAngleSum(image, "Q", images, "M", {4, 4, 6, 0.5, 50}, 10);
    EXPECT_EQ(r.pixelsUsed, 32);
    EXPECT_EQ(r.curve.expConds[3].value, 1); // the mask's slot
}

TEST(SmallAngleSum, DegenerateCurves) {
    spectlist images;
    const spectre raw = makeImage("I", 8, 8, [](int, int) { return 1.0; });
    const spectre lambda = makeImage(
        "L", 8, 8, [](int, int) { return 1.0; }, "lambda");
    struct Case {
        const spectre& image;
        double X0;
        int points;
    } cases[] = {{raw, -0.5, 1}, {raw, 8.5, 1}, {lambda, 4, 2}};
    for (const Case& c : cases) {
        const SmallAngleSum r = smallAngleSum(c.image, "Q", images, "", {c.X0, 4, 6, 0.5, 50}, 10);
        EXPECT_EQ(r.curve.nx, c.points) << c.X0;
        EXPECT_EQ(r.pixelsUsed, 0);
    }
    // Centres on the far edges are inside.
    EXPECT_GT(smallAngleSum(raw, "Q", images, "", {8, 8, 6, 0.5, 50}, 10).pixelsUsed, 0);
}

TEST(SmallAngleSum, Refusals) {
    spectlist images;
    images.storeCopy(makeImage("SMALL", 4, 8, [](int, int) { return 1.0; }));
    const spectre image = makeImage("I", 8, 8, [](int, int) { return 1.0; });
    const spectre single = makeImage("ONE", 1, 1, [](int, int) { return 1.0; });
    const double nan = std::nan(""), inf = INFINITY;
    struct Case {
        const spectre& image;
        BeamGeometry g;
        double N;
        const char* mask;
    } cases[] = {
        {image, {4, 4, 6, 0.5, 50}, 0.5, ""},     {image, {4, 4, 6, 0.5, 50}, nan, ""},
        {image, {4, 4, 0, 0.5, 50}, 10, ""},      {image, {4, 4, -6, 0.5, 50}, 10, ""},
        {image, {4, 4, 6, 0, 50}, 10, ""},        {image, {4, 4, 6, 0.5, inf}, 10, ""},
        {image, {4, 4, 6, 0.5, 50}, 10, "SMALL"}, // a mask of other sizes
        {single, {0, 0, 6, 0.5, 50}, 10, ""},     // qmax = 0
        {image, {nan, 4, 6, 0.5, 50}, 10, ""},    // no q at all
    };
    for (const Case& c : cases)
        EXPECT_THROW(smallAngleSum(c.image, "Q", images, c.mask, c.g, c.N), ERefused);
}

} // namespace
} // namespace ombrelune
