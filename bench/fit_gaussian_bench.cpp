// simplex-fit-2d: the fitting core's Simplex fit of A*exp(-((X-B)^2+(Y-C)^2)/D)+E to a
// synthetic image, from a start 10-20 % off the true parameters.
// fit-cost-native: one cost evaluation of that model over the image by hand-written C++
// loops (in double, and with the evaluator's extended-precision steps), beside the fitting
// core's cost through the evaluator; the difference per point is what the evaluator adds.

#include "bench_registry.hpp"

#include "numeric/fit/fitter.hpp"
#include "store/number_format.hpp"
#include "store/settings_store.hpp"
#include "store/workbench.hpp"

#include <cmath>
#include <filesystem>

namespace ombrelune::bench {
namespace {

const char* const model = "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E";

struct GaussianImage {
    MemorySettingsStore settings;
    Workbench wb{settings, DataPaths{std::filesystem::temp_directory_path()}};
    int side;
    std::array<double, 5> truth;

    explicit GaussianImage(int n) : side(n), truth{1000, 0.45 * n, 0.55 * n, 0.02 * n * n, 10} {
        spectre& s = *wb.spectres2D.at(wb.spectres2D.create("GAUSS", n, n, 1));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                spectrePoint& p = s.at(i, j);
                p.x = i;
                p.y = j;
                p.value = native(p.x, p.y, truth);
            }
    }

    static double native(double x, double y, const std::array<double, 5>& t) {
        return t[0] * std::exp(-((x - t[1]) * (x - t[1]) + (y - t[2]) * (y - t[2])) / t[3]) + t[4];
    }

    // The same model with the evaluator's arithmetic: each operation in extended precision,
    // rounded to double when stored.
    static double extended(double x, double y, const std::array<double, 5>& t) {
        using Ext = long double;
        const auto r = [](Ext v) { return static_cast<double>(v); };
        const double dx = r(Ext(x) - t[1]);
        const double dy = r(Ext(y) - t[2]);
        const double sum = r(Ext(r(Ext(dx) * dx)) + r(Ext(dy) * dy));
        const double e = r(std::exp(Ext(r(Ext(-sum) / t[3]))));
        return r(Ext(r(Ext(t[0]) * e)) + t[4]);
    }

    FitInput input() const {
        FitInput in;
        in.model = model;
        in.dimension = 2;
        in.spectrum2D = "GAUSS";
        in.output = "DIFF";
        in.iterationLimit = 10000;
        in.tolerance = 1e-8;
        const double offsets[5] = {1.15, 0.88, 1.12, 0.82, 1.2};
        for (int i = 0; i < 5; ++i) in.start[i] = truth[i] * offsets[i];
        return in;
    }

    std::string size() const { return std::to_string(side) + "x" + std::to_string(side); }
    double points() const { return double(side) * side; }
};

BenchLine simplexFit(int n, int runs) {
    GaussianImage image(n);
    FitResult result;
    const double seconds = medianSeconds(
        [&] {
            Fitter fitter(image.wb);
            result = fitter.RunSimplexFit(image.input());
        },
        runs);
    // The fit evaluates the model for each cost and once more for the difference spectrum.
    const double modelPoints = double(result.costEvaluations + 1) * image.points();
    double worst = 0;
    for (int i = 0; i < 5; ++i)
        worst = std::fmax(worst, std::fabs(result.params[i] / image.truth[i] - 1));
    return {"simplex-fit-2d", image.size(), seconds,
            formatFixed(seconds / modelPoints * 1e9, 2) + " ns/point",
            "iterations " + std::to_string(result.iterations) + "\tcost evaluations " +
                std::to_string(result.costEvaluations) + "\tworst relative error " +
                formatScientific(worst, 1, 1)};
}

BenchLine costNative(int n) {
    GaussianImage image(n);
    const spectre& s = *image.wb.spectres2D.find("GAUSS");
    const std::array<double, 5> params = image.input().start;
    const auto loop = [&](double (*f)(double, double, const std::array<double, 5>&),
                          double& result) {
        return medianSeconds(
            [&] {
                double sum = 0;
                for (const spectrePoint& p : s.points) {
                    const double term = p.value - f(p.x, p.y, params);
                    sum += term * term;
                }
                result = sum;
            },
            9);
    };
    double nativeSum = 0, extendedSum = 0;
    const double nativeSeconds = loop(GaussianImage::native, nativeSum);
    const double extendedSeconds = loop(GaussianImage::extended, extendedSum);
    Fitter fitter(image.wb);
    fitter.ReadFitSettings(image.input());
    double fitSum = 0;
    const double fitSeconds = medianSeconds([&] { fitSum = fitter.FitCost(params); }, 9);
    const auto ns = [&](double seconds) { return seconds / image.points() * 1e9; };
    const auto relative = [](double a, double b) {
        return formatScientific(std::fabs(a / b - 1), 1, 1);
    };
    return {"fit-cost-native", image.size(), nativeSeconds,
            formatFixed(ns(nativeSeconds), 2) + " ns/point",
            "extended-precision loop " + formatFixed(ns(extendedSeconds), 2) +
                " ns/point\tevaluator " + formatFixed(ns(fitSeconds), 2) +
                " ns/point\toverhead over native " +
                formatFixed(ns(fitSeconds - nativeSeconds), 2) + " ns/point\tover extended " +
                formatFixed(ns(fitSeconds - extendedSeconds), 2) +
                " ns/point\tsum differs from native by " + relative(fitSum, nativeSum) +
                ", from extended by " + relative(fitSum, extendedSum)};
}

const bool registered =
    registerBench({"simplex-fit-2d",
                   [] {
                       return std::vector<BenchLine>{simplexFit(128, 3), simplexFit(512, 1)};
                   }}) &&
    registerBench({"fit-cost-native", [] {
                       return std::vector<BenchLine>{costNative(128), costNative(512)};
                   }});

} // namespace
} // namespace ombrelune::bench
