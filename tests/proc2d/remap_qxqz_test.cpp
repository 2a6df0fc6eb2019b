#include "errors/errors.hpp"
#include "proc2d/remap_qxqz.hpp"

#include "fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace ombrelune {
namespace {

using testing::makeImage;

// Angles α = a0 + i · da along the first index, β = b0 + j · db along the second.
spectre angleImage(int nx, int ny, double a0, double da, double b0, double db) {
    spectre s = makeImage(
        "A", nx, ny, [](int i, int j) { return 1 + i + 10 * j; }, "deg");
    testing::changePoints(s, [&](spectrePoint& p) {
        p.x = a0 + p.x * da;
        p.y = b0 + p.y * db;
    });
    return s;
}

TEST(RemapToQxQz, GridHasNoExtraCell) {
    const QxQzImage r = remapToQxQz(angleImage(2, 2, 1, 0.1, 0.5, 0.2), 5,
                                    {0, 0.001, 0.1, -0.01, 0.001, 0.01}, "Q");
    EXPECT_EQ(r.image.nx, 100);
    EXPECT_EQ(r.image.ny, 20);
    EXPECT_EQ(r.image.typeX, "raw");
    EXPECT_EQ(r.image.xAt(7, 3), 0.007);
    EXPECT_EQ(r.image.yAt(7, 3), -0.01 + 0.001 * 3);
}

TEST(RemapToQxQz, ValuesDividedByTheAreaElement) {
    const double lambda = 5, pi = std::numbers::pi, W = 4 * pi / lambda;
    const spectre src = angleImage(2, 2, 1, 0.1, 0.5, 0.2);
    const QGrid grid{0, 0.0005, 0.1, -0.01, 0.0005, 0.01};
    const QxQzImage r = remapToQxQz(src, lambda, grid, "Q");
    EXPECT_EQ(r.skipped, 0);
    double total = 0;
    for (std::size_t p = 0; p < r.image.pointCount(); ++p) total += r.image.value(p);
    double expected = 0;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const double a = src.xAt(i, j) * pi / 180, b = src.yAt(i, j) * pi / 180;
            const double q1 = 2 * pi / lambda * (std::sin(a) + std::sin(b));
            const double q2 = 2 * pi / lambda * (std::cos(b) - std::cos(a));
            const double J = std::fabs(W / 2 * (std::cos(a) * 0.1 + std::cos(b) * 0.2) * W / 2 *
                                       (std::sin(a) * 0.1 - std::sin(b) * 0.2));
            const spectrePoint cell = r.image.pointAt(int(std::nearbyint(q1 / 0.0005)),
                                                      int(std::nearbyint((q2 + 0.01) / 0.0005)));
            EXPECT_NEAR(cell.value, src.valueAt(i, j) / J, 1e-9 * cell.value) << i << j;
            expected += src.valueAt(i, j) / J;
        }
    EXPECT_NEAR(total, expected, 1e-9 * expected);
}

TEST(RemapToQxQz, SpecularPointsWithEqualStepsAreSkipped) {
    // Equal angle steps: on α = β the area element is 0.
    const QxQzImage r =
        remapToQxQz(angleImage(3, 3, 1, 0.2, 1, 0.2), 5, {0, 0.001, 0.2, -0.05, 0.001, 0.05}, "Q");
    EXPECT_EQ(r.skipped, 3);
    for (std::size_t p = 0; p < r.image.pointCount(); ++p)
        EXPECT_TRUE(std::isfinite(r.image.value(p)));
}

TEST(RemapToQxQz, Refusals) {
    const spectre good = angleImage(3, 3, 1, 0.1, 0.5, 0.2);
    const spectre thin = angleImage(1, 3, 1, 0.1, 0.5, 0.2);
    const spectre backwards = angleImage(3, 3, 1, -0.1, 0.5, 0.2);
    const QGrid ok{0, 0.001, 0.1, -0.01, 0.001, 0.01};
    struct Case {
        const spectre& src;
        double lambda;
        QGrid grid;
    } cases[] = {
        {good, 0, ok},
        {good, NAN, ok},
        {good, 5, {0, 0, 0.1, -0.01, 0.001, 0.01}},
        {good, 5, {0, -0.001, 0.1, -0.01, 0.001, 0.01}},
        {good, 5, {0, 0.001, 0.1, -0.01, INFINITY, 0.01}},
        {good, 5, {0.1, 0.001, 0, -0.01, 0.001, 0.01}},    // maximum below minimum
        {good, 5, {0, 0.001, 0.0004, -0.01, 0.001, 0.01}}, // no cell
        {good, 5, {NAN, 0.001, 0.1, -0.01, 0.001, 0.01}},
        {thin, 5, ok},
        {backwards, 5, ok},
    };
    for (const Case& c : cases) EXPECT_THROW(remapToQxQz(c.src, c.lambda, c.grid, "Q"), ERefused);
}

} // namespace
} // namespace ombrelune
