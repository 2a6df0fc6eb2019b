#include "errors/errors.hpp"
#include "numeric/fit/fitter.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace ombrelune {
namespace {

using testing::TestBench;
using Model = std::function<double(double x, double y, double z)>;

// A spectrum of the given sizes whose point (i, j, k) is at x = i, y = 2 j, z = k / 2 and
// holds model(x, y, z).
spectre& makeSpectrum(spectlist& table, const std::string& name, int nx, int ny, int nz,
                      const Model& model) {
    spectre& s = *table.at(table.create(name, nx, ny, nz));
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k)
                s.setPointAt(i, j, k, {1, double(i), 2.0 * j, k / 2.0, model(i, 2.0 * j, k / 2.0)});
    return s;
}

TEST(Fitter, DefaultModelOnTheDefaultImage) {
    // The default model does not use A..E: every vertex costs the same and the fit stops
    // after one iteration with the first contraction as its result.
    TestBench bench;
    Fitter fitter(*bench.wb);
    const FitInput input;
    const FitOutcome result = fitter.RunSimplexFit(input);
    EXPECT_EQ(result.iterations, 1);
    EXPECT_EQ(result.parameterCount, 0);
    EXPECT_EQ(result.errors, (FitParameters{0, 0, 0, 0, 0}));
    const double expected[5] = {0.975, 1.015, 1.015, 1.015, 1.015};
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(fitter.FitParams[i], expected[i]);
    const spectre* source = bench.wb->spectres2D.find("ACUP");
    const spectre* diff = bench.wb->spectres2D.find("OutputSpectrum");
    ASSERT_NE(diff, nullptr);
    EXPECT_EQ(diff->nx, 128);
    EXPECT_EQ(diff->ny, 128);
    EXPECT_EQ(diff->typeX, source->typeX);
    double sum = 0;
    for (int i = 0; i < 128; ++i)
        for (int j = 0; j < 128; ++j) {
            const spectrePoint p = source->pointAt(i, j);
            const double model = 100 * std::exp(-(p.x - 64) * (p.x - 64) / 10000) *
                                 std::exp(-(p.y - 64) * (p.y - 64) / 10000);
            EXPECT_NEAR(diff->valueAt(i, j), p.value - model, 1e-9);
            EXPECT_EQ(diff->xAt(i, j), p.x);
            EXPECT_EQ(diff->yAt(i, j), p.y);
            EXPECT_EQ(diff->monAt(i, j), 1);
            sum += (p.value - model) * (p.value - model);
        }
    // The default image is the default model itself, up to the evaluator's rounding.
    EXPECT_NEAR(result.sumOfSquares, sum, 1e-18);
}

TEST(Fitter, RecoversKnownParameters) {
    struct Case {
        const char* what;
        int dimension;
        const char* model;
        std::array<double, 5> truth;
        Model data;
        FitMethod method;
    };
    const std::array<double, 5> gauss2D{50, 14, 20, 30, 2};
    const Model gaussian2D = [&](double x, double y, double) {
        const auto& t = gauss2D;
        return t[0] * std::exp(-((x - t[1]) * (x - t[1]) + (y - t[2]) * (y - t[2])) / t[3]) + t[4];
    };
    const Case cases[] = {
        {"1D peak on a slope",
         1,
         "A*exp(-sqr(X-B)/C)+D*X+E",
         {80, 40, 60, 0.5, 3},
         [](double x, double, double) {
             return 80 * std::exp(-(x - 40) * (x - 40) / 60) + 0.5 * x + 3;
         },
         FitMethod::Simplex},
        {"2D gaussian", 2, "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E", gauss2D, gaussian2D,
         FitMethod::Simplex},
        {"2D gaussian, BFGS", 2, "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E", gauss2D, gaussian2D,
         FitMethod::BFGS},
        {"2D gaussian, Marquardt", 2, "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E", gauss2D, gaussian2D,
         FitMethod::Marquardt},
        {"3D plane with a cross term",
         3,
         "A*X+B*Y+C*Z+D*X*Y+E",
         {1.5, -2, 4, 0.25, 7},
         [](double x, double y, double z) { return 1.5 * x - 2 * y + 4 * z + 0.25 * x * y + 7; },
         FitMethod::Simplex},
    };
    for (const Case& c : cases)
        for (double offset : {1.15, 0.85}) {
            TestBench bench;
            spectlist* tables[4] = {nullptr, &bench.wb->spectres1D, &bench.wb->spectres2D,
                                    &bench.wb->spectres3D};
            const int sizes[4][3] = {{0, 0, 0}, {100, 1, 1}, {28, 20, 1}, {8, 6, 5}};
            makeSpectrum(*tables[c.dimension], "SYNTH", sizes[c.dimension][0],
                         sizes[c.dimension][1], sizes[c.dimension][2], c.data);
            FitInput input;
            input.model = c.model;
            input.dimension = c.dimension;
            input.spectrum1D = input.spectrum2D = input.spectrum3D = "synth";
            input.output = "DIFF";
            input.tolerance = 1e-10;
            input.iterationLimit = c.method == FitMethod::Simplex ? 20000 : 500;
            for (int i = 0; i < 5; ++i) input.start[i] = c.truth[i] * offset;
            Fitter fitter(*bench.wb);
            const FitOutcome result = fitter.RunFit(input, c.method);
            for (int i = 0; i < 5; ++i)
                EXPECT_NEAR(result.params[i], c.truth[i], 1e-4 * std::fabs(c.truth[i]))
                    << c.what << " from " << offset << ", parameter " << i;
            EXPECT_LT(result.sumOfSquares, 1e-6) << c.what;
            EXPECT_EQ(result.params, fitter.FitParams);
            // A 3D fit writes no difference spectrum.
            EXPECT_EQ(bench.wb->spectres1D.find("DIFF") != nullptr, c.dimension == 1) << c.what;
            EXPECT_EQ(bench.wb->spectres2D.find("DIFF") != nullptr, c.dimension == 2) << c.what;
        }
}

TEST(Fitter, DifferenceAtGivenValuesMatchesTheFitEndingThere) {
    TestBench bench;
    makeSpectrum(bench.wb->spectres1D, "CURVE", 50, 1, 1,
                 [](double x, double, double) { return 3 * std::sin(x / 7) + 0.1 * x; });
    FitInput input;
    input.model = "A*sin(X/B)+C*X+D+E*0";
    input.dimension = 1;
    input.spectrum1D = "CURVE";
    input.start = {2.5, 6.5, 0.2, 0.1, 1};
    input.iterationLimit = 300;
    Fitter fitter(*bench.wb);
    const FitOutcome fit = fitter.RunSimplexFit(input);
    const spectre fitted = *bench.wb->spectres1D.find("OutputSpectrum");

    input.start = fit.params;
    const double ecart = fitter.ComputeDifference(input);
    EXPECT_EQ(ecart, fit.sumOfSquares);
    const spectre& again = *bench.wb->spectres1D.find("OutputSpectrum");
    ASSERT_EQ(again.nx, 50);
    EXPECT_EQ(again.ny, 1);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(again.valueAt(i), fitted.valueAt(i));
        EXPECT_EQ(again.xAt(i), i);
    }
}

TEST(Fitter, SumsOfSquaresPerDimension) {
    TestBench bench(false);
    const Model ramp = [](double x, double y, double z) { return x + y + z; };
    makeSpectrum(bench.wb->spectres1D, "C", 4, 1, 1, ramp); // values 0 1 2 3
    makeSpectrum(bench.wb->spectres2D, "I", 2, 2, 1, ramp); // 0 2 1 3
    makeSpectrum(bench.wb->spectres3D, "S", 2, 1, 2, ramp); // 0 0.5 1 1.5
    Fitter fitter(*bench.wb);
    fitter.ParserFitFunction.setExpression("A+Y*0+Z");
    fitter.ParserFitFunction.SetVariable("A", 1);
    // Z is not set by the 1D and 2D sums: it keeps the value it has (here 0.5).
    fitter.ParserFitFunction.SetVariable("Z", 0.5);
    EXPECT_EQ(fitter.SumOfSquares1D(1), 2.25 + 0.25 + 0.25 + 2.25);
    EXPECT_EQ(fitter.SumOfSquares2D(1), 2.25 + 0.25 + 0.25 + 2.25);
    // The stack sets Z at each point: model 1 + z against x + z leaves (x - 1)^2.
    EXPECT_EQ(fitter.SumOfSquares3D(1), 1 + 1 + 0 + 0);
    EXPECT_THROW(fitter.SumOfSquares2D(7), EFitError);

    // FitCost copies its parameters into A..E and sums over the fitted spectrum.
    FitInput input;
    input.model = "A*X+B";
    input.dimension = 1;
    input.spectrum1D = "c";
    fitter.ReadFitSettings(input);
    const double params[5] = {1, 0, 0, 0, 0};
    EXPECT_EQ(fitter.FitCost(params), 0);
    const double shifted[5] = {1, 2, 0, 0, 0};
    EXPECT_EQ(fitter.FitCost(shifted), 16);
}

TEST(Fitter, RefusesBeforeAnyWork) {
    struct Case {
        const char* what;
        std::function<void(FitInput&)> change;
        const char* message; // null: the evaluator's own error
    };
    const Case cases[] = {
        {"unknown spectrum", [](FitInput& in) { in.spectrum2D = "NOPE"; },
         "Spectrum \"NOPE\" not found in the 2D spectra"},
        {"no dimension", [](FitInput& in) { in.dimension = 0; }, "No spectra dimension chosen"},
        {"output replaces the data", [](FitInput& in) { in.output = "acup"; },
         "The difference spectrum \"acup\" would replace the fitted spectrum"},
        {"bad model", [](FitInput& in) { in.model = "A*(X+"; }, nullptr},
        {"unknown name in the model", [](FitInput& in) { in.model = "A*FOO(X)"; }, nullptr},
    };
    for (const Case& c : cases)
        for (bool fit : {true, false}) {
            TestBench bench;
            const double before = bench.wb->spectres2D.find("ACUP")->valueAt(3, 5);
            Fitter fitter(*bench.wb);
            FitInput input;
            input.start = {2, 2, 2, 2, 2};
            c.change(input);
            const auto run = [&] {
                if (fit)
                    fitter.RunSimplexFit(input);
                else
                    fitter.ComputeDifference(input);
            };
            if (c.message) {
                try {
                    run();
                    ADD_FAILURE() << c.what << ": nothing raised";
                } catch (const EFitError& e) {
                    EXPECT_EQ(std::string(e.what()), c.message);
                }
            } else {
                EXPECT_THROW(run(), EMathParserError) << c.what;
            }
            EXPECT_EQ(fitter.ParserFitFunction.GetVariable("A"), 0) << c.what;
            ASSERT_NE(bench.wb->spectres2D.find("ACUP"), nullptr) << c.what;
            EXPECT_EQ(bench.wb->spectres2D.find("ACUP")->valueAt(3, 5), before);
            EXPECT_EQ(bench.wb->spectres2D.find("OutputSpectrum"), nullptr) << c.what;
        }

    // "Plot diff 2D" after a 1D read takes the slot as one of the images: an empty one refuses.
    TestBench bench;
    Fitter fitter(*bench.wb);
    FitInput input;
    input.dimension = 1;
    input.spectrum1D = bench.wb->spectres1D.at(6)->name;
    fitter.ReadFitSettings(input);
    ASSERT_EQ(fitter.FitSpectrumSlot, 6);
    EXPECT_THROW(fitter.Difference2D("D"), EFitError);
}

} // namespace
} // namespace ombrelune
