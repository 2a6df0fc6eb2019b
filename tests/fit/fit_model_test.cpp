#include "numeric/fit/fit_model.hpp"
#include "numeric/fit/model_curve.hpp"

#include "proc2d/fixtures.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace ombrelune {
namespace {

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A stack of awkward sizes (not a multiple of the evaluator's block) with coordinates and
// values that take the models through signs, zeros and large magnitudes.
spectre makeStack(int nx, int ny, int nz) {
    spectre s;
    s.resize(nx, ny, nz);
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k)
                s.setPointAt(i, j, k,
                             spectrePoint{1, (i - nx / 2) * 0.37, (j - 3) * 1.5e3, k * 0.25 - 0.5,
                                          std::sin(i + 3.0 * j + 7.0 * k)});
    return s;
}

TEST(FitModel, BulkResultsAreThoseOfPointByPoint) {
    const char* models[] = {
        "",                                // empty: 0 everywhere
        "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E", // the benchmark's model
        "sqrt(X)+ln(Y)",                   // NaN and -INF at some points
        "A+B*C",                           // reads no coordinate
        "X^3/Z+Y^-2",                      // integer powers, division by zero
        "Z*sin(X*Y)-cos(Z)",
    };
    const spectre stack = makeStack(37, 9, 3);
    const double params[5] = {2.5, 1, -3, 1e6, 0.125};
    for (const char* text : models)
        for (int dimension = 1; dimension <= 3; ++dimension) {
            TParser parser;
            parser.setExpression(text);
            // What the dimension does not set keeps its value: Y and Z are fixed here.
            double* x = parser.SetVariable("X", 0);
            double* y = parser.SetVariable("Y", 42);
            double* z = parser.SetVariable("Z", -7);
            const FitData data = fitDataOf(stack, dimension);
            std::vector<double> bulk(data.pointCount());
            FitModel model(parser);
            model.evaluate(data, params, bulk);
            const double after[3] = {*x, *y, *z};

            *y = 42;
            *z = -7;
            std::size_t n = 0;
            for (int i = 0; i < stack.nx; ++i)
                for (int j = 0; j < data.ny; ++j)
                    for (int k = 0; k < data.nz; ++k, ++n) {
                        const spectrePoint p = stack.pointAt(i, j, k);
                        *x = p.x;
                        if (dimension >= 2) *y = p.y;
                        if (dimension == 3) *z = p.z;
                        ASSERT_TRUE(sameBits(bulk[n], parser.value()))
                            << text << " in " << dimension << "D at point " << n;
                    }
            EXPECT_EQ(n, bulk.size());
            EXPECT_EQ(after[0], *x) << text;
            EXPECT_EQ(after[1], *y) << text;
            EXPECT_EQ(after[2], *z) << text;
        }
}

TEST(FitModel, FollowsAChangedExpression) {
    TParser parser;
    FitModel model(parser);
    const FitData curve = fitDataOf(makeStack(5, 1, 1), 1);
    std::vector<double> values(5);
    const double params[5] = {2, 0, 0, 0, 0};
    parser.setExpression("A");
    model.evaluate(curve, params, values);
    EXPECT_EQ(values, std::vector<double>(5, 2.0));
    parser.setExpression("A*100");
    model.evaluate(curve, params, values);
    EXPECT_EQ(values, std::vector<double>(5, 200.0));
}

TEST(FitModel, UsedParametersAreTheCompiledReferences) {
    struct Case {
        const char* model;
        ParameterMask used;
    };
    const Case cases[] = {
        {"A*EXP(-X*B)", {true, true, false, false, false}}, // the E of EXP is no parameter
        {"E", {false, false, false, false, true}},
        {"c*x+d", {false, false, true, true, false}},
        {"sin(X)", {false, false, false, false, false}},
        {"", {false, false, false, false, false}},
        {"A+B+C+D+E*0", {true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        TParser parser;
        parser.setExpression(c.model);
        EXPECT_EQ(FitModel(parser).usedParameters(), c.used) << c.model;
    }
}

TEST(FitData, PointsWeightsAndDifference) {
    const spectre image =
        testing::makeImage("I", 3, 2, [](int i, int j) { return i * 10.0 + j - 1; });
    const FitData data = fitDataOf(image, 2, FitWeighting::Poisson);
    ASSERT_EQ(data.pointCount(), 6u);
    EXPECT_EQ(data.values, (std::vector<double>{-1, 0, 9, 10, 19, 20}));
    EXPECT_EQ(data.y, (std::vector<double>{0, 1, 0, 1, 0, 1}));
    // Values below 1 count as 1, so a zero or negative count never divides by 0.
    EXPECT_EQ(data.rootWeights[0], 1);
    EXPECT_EQ(data.rootWeights[1], 1);
    EXPECT_DOUBLE_EQ(data.rootWeights[2], 1 / 3.0);
    EXPECT_TRUE(fitDataOf(image, 2).rootWeights.empty());
    // A curve reads only the points (i, 0, 0).
    EXPECT_EQ(fitDataOf(image, 1).values, (std::vector<double>{-1, 9, 19}));

    const std::vector<double> model = {1, 1, 1, 1, 1, 1};
    const spectre diff = differenceSpectrum(data, model, "D");
    EXPECT_EQ(diff.name, "D");
    ASSERT_EQ(diff.nx, 3);
    ASSERT_EQ(diff.ny, 2);
    EXPECT_EQ(diff.typeX, "raw");
    EXPECT_EQ(diff.typeY, "raw");
    const spectrePoint p = diff.pointAt(2, 1);
    EXPECT_EQ(p.value, 19);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 1);
    EXPECT_EQ(p.mon, 1);
}

TEST(ModelCurve, DenseDataKeepTheirAbscissaeSparseDataGetAnEvenGrid) {
    FitData sparse;
    sparse.dimension = 1;
    sparse.typeX = "q";
    sparse.x = {4, NAN, -2, 10};
    sparse.values = {1, 2, 3, 4};
    const FitData at = modelAbscissae(sparse);
    ASSERT_EQ(at.pointCount(), modelCurvePoints);
    EXPECT_EQ(at.x.front(), -2);
    EXPECT_EQ(at.x.back(), 10);
    EXPECT_DOUBLE_EQ(at.x[1], -2 + 12.0 / 511);

    FitData dense = sparse;
    dense.x.assign(600, 0.0);
    for (std::size_t i = 0; i < 600; ++i) dense.x[i] = std::sqrt(double(i));
    dense.values.assign(600, 0.0);
    EXPECT_EQ(modelAbscissae(dense).x, dense.x);

    const std::vector<double> model(at.pointCount(), 7.5);
    const spectre curve = modelCurve(at, model, "M");
    EXPECT_EQ(curve.name, "M");
    ASSERT_EQ(curve.nx, 512);
    EXPECT_EQ(curve.typeX, "q");
    EXPECT_EQ(curve.pointAt(511).x, 10);
    EXPECT_EQ(curve.pointAt(3).value, 7.5);
}

} // namespace
} // namespace ombrelune
