#include "numeric/fit/fitter.hpp"

#include "numeric/bfgs.hpp"
#include "numeric/finite_difference.hpp"
#include "numeric/fit/fit_errors.hpp"
#include "numeric/marquardt.hpp"
#include "numeric/simplex.hpp"


namespace ombrelune {

namespace {

constexpr const char* parameterNames[5] = {"A", "B", "C", "D", "E"};
constexpr const char* dimensionNames[4] = {"", "1D", "2D", "3D"};

// Damping Marquardt starts from: small, so that a good curvature is used almost as it is.
constexpr double initialDamping = 1e-3;

} // namespace

Fitter::Fitter(Workbench& wb)
    : wb_(wb), model_(ParserFitFunction,
                      {ParserFitFunction.SetVariable("X", 0), ParserFitFunction.SetVariable("Y", 0),
                       ParserFitFunction.SetVariable("Z", 0)}) {
    for (int i = 0; i < 5; ++i)
        parameterCells_[i] = ParserFitFunction.SetVariable(parameterNames[i], 0);
}

void Fitter::ReadFitSettings(const FitInput& input) {
    ParserFitFunction.setExpression(input.model);
    FitParams = input.start;
    FitDimension = input.dimension >= 1 && input.dimension <= 3 ? input.dimension : 0;
    const std::string* names[4] = {nullptr, &input.spectrum1D, &input.spectrum2D,
                                   &input.spectrum3D};
    const spectlist* tables[4] = {nullptr, &wb_.spectres1D, &wb_.spectres2D, &wb_.spectres3D};
    FitSpectrumSlot = FitDimension == 0 ? -1 : tables[FitDimension]->indexOf(*names[FitDimension]);
    if (FitDimension == 0) throw EFitError("No spectra dimension chosen");
    if (FitSpectrumSlot < 0)
        throw EFitError("Spectrum \"" + *names[FitDimension] + "\" not found in the " +
                        dimensionNames[FitDimension] + " spectra");
}

const spectre& Fitter::fittedSpectrum(const spectlist& table, int slot, int dimension) const {
    const spectre* s = table.at(slot);
    if (!s)
        throw EFitError("No " + std::string(dimensionNames[dimension]) + " spectrum in slot " +
                        std::to_string(slot));
    return *s;
}

double Fitter::FitCost(std::span<const double> params, CostConstants, CostObjects) {
    ++evaluations_;
    for (std::size_t i = 0; i < 5 && i < params.size(); ++i) *parameterCells_[i] = params[i];
    switch (FitDimension) {
    case 1:
        return SumOfSquares1D(FitSpectrumSlot);
    case 2:
        return SumOfSquares2D(FitSpectrumSlot);
    case 3:
        return SumOfSquares3D(FitSpectrumSlot);
    default:
        return 0;
    }
}

TCostFunction Fitter::costFunction() {
    return [this](std::span<const double> p, CostConstants k, CostObjects o) {
        return FitCost(p, k, o);
    };
}

double Fitter::sumOfSquares(const spectre& s, int dimension) {
    double sum = 0;
    model_.forEach(s, dimension, [&sum](std::size_t, const spectrePoint& p, double model) {
        const double term = p.value - model;
        sum += term * term;
    });
    return sum;
}

double Fitter::SumOfSquares1D(int slot) {
    return sumOfSquares(fittedSpectrum(wb_.spectres1D, slot, 1), 1);
}
double Fitter::SumOfSquares2D(int slot) {
    return sumOfSquares(fittedSpectrum(wb_.spectres2D, slot, 2), 2);
}
double Fitter::SumOfSquares3D(int slot) {
    return sumOfSquares(fittedSpectrum(wb_.spectres3D, slot, 3), 3);
}

// Storing the difference first removes any spectrum of its name: named like the fitted
// spectrum, it would delete the data it is computed from.
void Fitter::checkDifferenceTarget(const spectlist& table, const std::string& output) const {
    if (table.indexOf(output) == FitSpectrumSlot)
        throw EFitError("The difference spectrum \"" + output +
                        "\" would replace the fitted spectrum");
}

void Fitter::checkDifferenceTarget(const std::string& output) const {
    if (FitDimension == 1) checkDifferenceTarget(wb_.spectres1D, output);
    if (FitDimension == 2) checkDifferenceTarget(wb_.spectres2D, output);
}

FitResult Fitter::minimise(FitMethod method, int limit, double tolerance) {
    const TCostFunction cost = costFunction();
    const std::int64_t before = evaluations_;
    FitResult result;
    result.params = FitParams;
    TMtx matrix;
    switch (method) {
    case FitMethod::Simplex:
        result.iterations = Simplex(cost, result.params, {}, {}, result.minimum, limit, tolerance);
        break;
    case FitMethod::BFGS:
        result.iterations = BFGS(cost, finiteDifferenceGradient, result.params, {}, {},
                                 result.minimum, matrix, limit, tolerance);
        break;
    case FitMethod::Marquardt:
        result.iterations = Marquardt(cost, finiteDifferenceCurvature, result.params, {}, {},
                                      result.minimum, matrix, limit, tolerance, initialDamping);
        break;
    }
    result.costEvaluations = evaluations_ - before;
    return result;
}

FitResult Fitter::RunSimplexFit(const FitInput& input) {
    return RunFit(input, FitMethod::Simplex);
}

FitResult Fitter::RunFit(const FitInput& input, FitMethod method) {
    ReadFitSettings(input);
    checkDifferenceTarget(input.output);
    const FitResult result = minimise(method, input.iterationLimit, input.tolerance);
    FitParams = result.params;
    // The evaluator holds the last vertex tried; the difference is that of the result.
    for (int i = 0; i < 5; ++i) *parameterCells_[i] = FitParams[static_cast<std::size_t>(i)];
    WriteDifference(input.output);
    return result;
}

double Fitter::ComputeDifference(const FitInput& input) {
    ReadFitSettings(input);
    checkDifferenceTarget(input.output);
    const double ecart = FitCost(FitParams);
    WriteDifference(input.output);
    return ecart;
}

void Fitter::WriteDifference(const std::string& output) {
    if (FitDimension == 1) Difference1D(output);
    if (FitDimension == 2) Difference2D(output);
}

void Fitter::Difference1D(const std::string& output) {
    writeDifference(wb_.spectres1D, 1, output);
}

void Fitter::Difference2D(const std::string& output) {
    writeDifference(wb_.spectres2D, 2, output);
}

void Fitter::writeDifference(spectlist& table, int dimension, const std::string& output) {
    const spectre& source = fittedSpectrum(table, FitSpectrumSlot, dimension);
    checkDifferenceTarget(table, output);
    // Made aside and stored whole, so that an evaluation error leaves the table as it was.
    spectre diff;
    diff.name = output;
    diff.nx = source.nx;
    diff.ny = dimension == 2 ? source.ny : 1;
    diff.nz = 1;
    diff.points.resize(static_cast<std::size_t>(diff.nx) * static_cast<std::size_t>(diff.ny));
    diff.clear();
    diff.typeX = source.typeX;
    if (dimension == 2) diff.typeY = source.typeY;
    // The points are visited in the storage order of the difference spectrum.
    model_.forEach(source, dimension, [&](std::size_t n, const spectrePoint& p, double model) {
        spectrePoint& q = diff.points[n];
        q.x = p.x;
        if (dimension == 2) q.y = p.y;
        q.value = p.value - model;
    });
    if (table.store(std::move(diff)) < 0)
        throw EFitError("No free slot for the difference spectrum \"" + output + "\"");
}

} // namespace ombrelune
