// simplex-fit-2d, fit-marquardt-2d: the fitting core's Simplex and Marquardt fits of
// A*exp(-((X-B)^2+(Y-C)^2)/D)+E to a synthetic image, from a start 10-20 % off the true
// parameters; beside each, one model evaluation per point through the evaluator and the
// same model as a plain double loop, measured in the same run.
// fit-cost-native: one cost evaluation of that model over the image by hand-written C++
// loops (in double, and with the evaluator's extended-precision steps), beside a fit's cost
// through the evaluator; the difference per point is what the evaluator adds.

#include "bench_registry.hpp"

#include "numeric/fit/fitter.hpp"
#include "numeric/jacobian.hpp"
#include "store/number_format.hpp"
#include "store/settings_store.hpp"
#include "store/workbench.hpp"

#include <cmath>
#include <filesystem>

namespace ombrelune::bench {
namespace {

const char* const model = "A*exp(-(sqr(X-B)+sqr(Y-C))/D)+E";
using Params = std::array<double, 5>;

struct GaussianImage {
    MemorySettingsStore settings;
    Workbench wb{settings, DataPaths{std::filesystem::temp_directory_path()}};
    int side;
    Params truth;
    FitData data;

    explicit GaussianImage(int n) : side(n), truth{1000, 0.45 * n, 0.55 * n, 0.02 * n * n, 10} {
        spectre& s = *wb.spectres2D.at(wb.spectres2D.create("GAUSS", n, n, 1));
        s.setXAlongI(indexAxis(n));
        s.setYAlongJ(indexAxis(n));
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) s.setValueAt(i, j, 0, native(i, j, truth));
        data = fitDataOf(s, 2);
    }

    static double native(double x, double y, const Params& t) {
        return t[0] * std::exp(-((x - t[1]) * (x - t[1]) + (y - t[2]) * (y - t[2])) / t[3]) + t[4];
    }

    // The same model with the evaluator's arithmetic: each operation in extended precision,
    // rounded to double when stored.
    static double extended(double x, double y, const Params& t) {
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

    double nsPerPoint(double seconds) const { return seconds / points() * 1e9; }

    // Seconds of one sum of squares of the model over the image in a plain loop over the
    // point columns, with f computing the model; the sum goes to `result`.
    double loopSeconds(double (*f)(double, double, const Params&), const Params& params,
                       double& result) const {
        return medianSeconds(
            [&] {
                double sum = 0;
                for (std::size_t p = 0; p < data.pointCount(); ++p) {
                    const double term = data.values[p] - f(data.x[p], data.y[p], params);
                    sum += term * term;
                }
                result = sum;
            },
            9);
    }

    // Seconds of one model evaluation over the image through the fitting core.
    double evaluatorSeconds(const Params& params) const {
        TParser parser;
        parser.setExpression(model);
        FitModel fitModel(parser);
        std::vector<double> values(data.pointCount());
        return medianSeconds([&] { fitModel.evaluate(data, params, values); }, 9);
    }
};

BenchLine fitLine(const char* name, FitMethod method, int n, int runs) {
    GaussianImage image(n);
    FitOutcome result;
    const double seconds = medianSeconds(
        [&] {
            Fitter fitter(image.wb);
            result = fitter.RunFit(image.input(), method);
        },
        runs);
    // Every pass of the model over the image: costs, derivatives and the errors.
    const double modelPoints = double(result.modelEvaluations) * image.points();
    double worst = 0;
    for (int i = 0; i < 5; ++i)
        worst = std::fmax(worst, std::fabs(result.params[i] / image.truth[i] - 1));
    double nativeSum = 0;
    const double plain = image.loopSeconds(GaussianImage::native, result.params, nativeSum);
    return {name, image.size(), seconds, formatFixed(seconds / modelPoints * 1e9, 2) + " ns/point",
            "iterations " + std::to_string(result.iterations) + "\tmodel evaluations " +
                std::to_string(result.modelEvaluations) + "\tone evaluation " +
                formatFixed(image.nsPerPoint(image.evaluatorSeconds(result.params)), 2) +
                " ns/point\tplain double loop " + formatFixed(image.nsPerPoint(plain), 2) +
                " ns/point\tworst relative error " + formatScientific(worst, 1, 1)};
}

BenchLine costNative(int n) {
    GaussianImage image(n);
    const Params params = image.input().start;
    double nativeSum = 0, extendedSum = 0;
    const double nativeSeconds = image.loopSeconds(GaussianImage::native, params, nativeSum);
    const double extendedSeconds = image.loopSeconds(GaussianImage::extended, params, extendedSum);
    // What a fit does for each cost: the model over the copied points, then the sum.
    TParser parser;
    parser.setExpression(model);
    FitModel fitModel(parser);
    std::vector<double> values(image.data.pointCount());
    double fitSum = 0;
    const double fitSeconds = medianSeconds(
        [&] {
            fitModel.evaluate(image.data, params, values);
            weightedResiduals(image.data, values, values);
            fitSum = sumOfSquares(values);
        },
        9);
    const auto ns = [&](double seconds) { return formatFixed(image.nsPerPoint(seconds), 2); };
    const auto relative = [](double a, double b) {
        return formatScientific(std::fabs(a / b - 1), 1, 1);
    };
    return {"fit-cost-native", image.size(), nativeSeconds, ns(nativeSeconds) + " ns/point",
            "extended-precision loop " + ns(extendedSeconds) + " ns/point\tevaluator " +
                ns(fitSeconds) + " ns/point\toverhead over native " +
                ns(fitSeconds - nativeSeconds) + " ns/point\tover extended " +
                ns(fitSeconds - extendedSeconds) + " ns/point\tsum differs from native by " +
                relative(fitSum, nativeSum) + ", from extended by " +
                relative(fitSum, extendedSum)};
}

const bool registered =
    registerBench({"simplex-fit-2d",
                   [] {
                       return std::vector<BenchLine>{
                           fitLine("simplex-fit-2d", FitMethod::Simplex, 128, 3),
                           fitLine("simplex-fit-2d", FitMethod::Simplex, 512, 1)};
                   }}) &&
    registerBench({"fit-marquardt-2d",
                   [] {
                       return std::vector<BenchLine>{
                           fitLine("fit-marquardt-2d", FitMethod::Marquardt, 512, 3)};
                   }}) &&
    registerBench({"fit-cost-native", [] {
                       return std::vector<BenchLine>{costNative(128), costNative(512)};
                   }});

} // namespace
} // namespace ombrelune::bench
