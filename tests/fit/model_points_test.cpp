#include "numeric/fit/model_points.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace ombrelune {
namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A stack of awkward sizes (not a multiple of the block) with coordinates and values that
// take the models through signs, zeros and large magnitudes.
spectre makeStack(int nx, int ny, int nz) {
    spectre s;
    s.nx = nx;
    s.ny = ny;
    s.nz = nz;
    s.points.resize(static_cast<std::size_t>(nx * ny * nz));
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                spectrePoint& p = s.at(i, j, k);
                p.x = (i - nx / 2) * 0.37;
                p.y = (j - 3) * 1.5e3;
                p.z = k * 0.25 - 0.5;
                p.value = std::sin(i + 3.0 * j + 7.0 * k);
            }
    return s;
}

TEST(ModelOverPoints, BlockResultsAreThoseOfPointByPoint) {
    const char* models[] = {
        "",                                // empty: 0 everywhere
        "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E", // the benchmark's model
        "sqrt(X)+ln(Y)",                   // NaN and -INF at some points
        "A+B*C",                           // reads no coordinate
        "X^3/Z+Y^-2",                      // integer powers, division by zero
        "Z*sin(X*Y)-cos(Z)",
    };
    const spectre stack = makeStack(37, 9, 3);
    for (const char* text : models)
        for (int dimension = 1; dimension <= 3; ++dimension) {
            TParser parser;
            double* x = parser.SetVariable("X", 0);
            double* y = parser.SetVariable("Y", 0);
            double* z = parser.SetVariable("Z", 0);
            parser.SetVariable("A", 2.5);
            parser.SetVariable("B", 1);
            parser.SetVariable("C", -3);
            parser.SetVariable("D", 1e6);
            parser.SetVariable("E", 0.125);
            parser.setExpression(text);
            // What the dimension does not set keeps its value: Y and Z are fixed here.
            *y = 42;
            *z = -7;
            std::vector<double> blockModels;
            ModelOverPoints model(parser, {x, y, z});
            model.forEach(stack, dimension, [&](std::size_t n, const spectrePoint&, double m) {
                EXPECT_EQ(n, blockModels.size());
                blockModels.push_back(m);
            });
            const double after[3] = {*x, *y, *z};

            *y = 42;
            *z = -7;
            std::vector<double> pointModels;
            const int ny = dimension >= 2 ? stack.ny : 1;
            const int nz = dimension == 3 ? stack.nz : 1;
            for (int i = 0; i < stack.nx; ++i)
                for (int j = 0; j < ny; ++j)
                    for (int k = 0; k < nz; ++k) {
                        const spectrePoint& p = stack.at(i, j, k);
                        *x = p.x;
                        if (dimension >= 2) *y = p.y;
                        if (dimension == 3) *z = p.z;
                        pointModels.push_back(parser.value());
                    }
            ASSERT_EQ(blockModels.size(), pointModels.size()) << text << " " << dimension;
            for (std::size_t n = 0; n < pointModels.size(); ++n)
                ASSERT_TRUE(sameBits(blockModels[n], pointModels[n]))
                    << text << " in " << dimension << "D at point " << n << ": " << blockModels[n]
                    << " vs " << pointModels[n];
            EXPECT_EQ(after[0], *x) << text;
            EXPECT_EQ(after[1], *y) << text;
            EXPECT_EQ(after[2], *z) << text;
        }
}

TEST(ModelOverPoints, FollowsAChangedExpressionAndParameters) {
    TParser parser;
    double* x = parser.SetVariable("X", 0);
    double* a = parser.SetVariable("A", 1);
    ModelOverPoints model(parser, {x, parser.SetVariable("Y", 0), parser.SetVariable("Z", 0)});
    const spectre curve = makeStack(5, 1, 1);
    const auto sum = [&] {
        double s = 0;
        model.forEach(curve, 1, [&](std::size_t, const spectrePoint&, double m) { s += m; });
        return s;
    };
    parser.setExpression("A");
    EXPECT_EQ(sum(), 5);
    *a = 2;
    EXPECT_EQ(sum(), 10);
    parser.setExpression("A*100");
    EXPECT_EQ(sum(), 1000);
}

} // namespace
} // namespace ombrelune
