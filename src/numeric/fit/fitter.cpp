#include "numeric/fit/fitter.hpp"

#include "errors/errors.hpp"
#include "numeric/fit/model_curve.hpp"
#include "numeric/jacobian.hpp"

namespace ombrelune {

namespace {

constexpr const char* dimensionNames[4] = {"", "1D", "2D", "3D"};

} // namespace

Fitter::Fitter(Workbench& wb) : wb_(wb), model_(ParserFitFunction) {}

void Fitter::ReadFitSettings(const FitInput& input) {
    ParserFitFunction.setExpression(input.model);
    FitParams = input.start;
    FitWeights = input.weighting;
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

std::array<double, 5> Fitter::parametersInEvaluator() const {
    std::array<double, 5> p{};
    for (int i = 0; i < fitParameterCount; ++i)
        p[static_cast<std::size_t>(i)] = ParserFitFunction.GetVariable(fitParameterName(i));
    return p;
}

double Fitter::FitCost(std::span<const double> params, CostConstants, CostObjects) {
    std::array<double, 5> p = parametersInEvaluator();
    for (std::size_t i = 0; i < p.size() && i < params.size(); ++i) p[i] = params[i];
    for (int i = 0; i < fitParameterCount; ++i)
        ParserFitFunction.SetVariable(fitParameterName(i), p[static_cast<std::size_t>(i)]);
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

double Fitter::sumOfSquares(const spectre& s, int dimension) {
    const FitData data = fitDataOf(s, dimension, FitWeights);
    std::vector<double> model(data.pointCount());
    model_.evaluate(data, parametersInEvaluator(), model);
    weightedResiduals(data, model, model);
    return ombrelune::sumOfSquares(model);
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

spectlist* Fitter::differenceTable(int dimension) {
    if (dimension == 1) return &wb_.spectres1D;
    if (dimension == 2) return &wb_.spectres2D;
    return nullptr; // a stack has no difference spectrum
}

// Storing the difference first removes any spectrum of its name: named like the fitted
// spectrum, it would delete the data it is computed from.
void Fitter::checkDifferenceTarget(const spectlist& table, const std::string& output,
                                   const char* what) const {
    if (table.indexOf(output) == FitSpectrumSlot)
        throw EFitError("The " + std::string(what) + " \"" + output +
                        "\" would replace the fitted spectrum");
}

void Fitter::checkDifferenceTarget(const std::string& output) {
    if (const spectlist* table = differenceTable(FitDimension))
        checkDifferenceTarget(*table, output);
}

FitJob Fitter::prepareFit(const FitInput& input, FitMethod method) {
    ReadFitSettings(input);
    checkDifferenceTarget(input.output);
    FitJob job;
    const spectlist* tables[4] = {nullptr, &wb_.spectres1D, &wb_.spectres2D, &wb_.spectres3D};
    const spectre& fitted = fittedSpectrum(*tables[FitDimension], FitSpectrumSlot, FitDimension);
    job.spectrum = fitted.name;
    job.weighting = FitWeights;
    job.data = fitDataOf(fitted, FitDimension, FitWeights);
    job.output = input.output;
    FitRequest& r = job.request;
    r.model = input.model;
    r.start = FitParams;
    r.method = method;
    r.iterationLimit = input.iterationLimit;
    r.tolerance = input.tolerance;
    r.free = method == FitMethod::Simplex ? ParameterMask{true, true, true, true, true}
                                          : model_.usedParameters();
    for (int c = 0; c < 3; ++c)
        r.coordinates[static_cast<std::size_t>(c)] =
            ParserFitFunction.GetVariable(std::string(1, "XYZ"[c]));
    return job;
}

void Fitter::finishFit(const FitJob& job, const FitOutcome& outcome) {
    FitParams = outcome.params;
    // The evaluator holds the fitted values, and the coordinates as the fit's evaluations
    // left them, as if the fit had run in it.
    for (int i = 0; i < fitParameterCount; ++i)
        ParserFitFunction.SetVariable(fitParameterName(i), FitParams[static_cast<std::size_t>(i)]);
    for (int c = 0; c < 3; ++c)
        ParserFitFunction.SetVariable(std::string(1, "XYZ"[c]),
                                      outcome.coordinates[static_cast<std::size_t>(c)]);
    if (spectlist* table = differenceTable(job.data.dimension))
        storeDifference(*table, job.data, outcome.model, job.output);
}

void Fitter::storeModelCurve(const FitJob& job, const std::string& name) {
    const FitData at = modelAbscissae(job.data);
    std::vector<double> model(at.pointCount());
    model_.evaluate(at, FitParams, model);
    checkDifferenceTarget(wb_.spectres1D, name, "model curve");
    if (wb_.spectres1D.store(modelCurve(at, model, name)) < 0)
        throw EFitError("No free slot for the model curve \"" + name + "\"");
}

FitOutcome Fitter::RunFit(const FitInput& input, FitMethod method) {
    const FitJob job = prepareFit(input, method);
    const FitOutcome outcome = runFit(job.data, job.request);
    finishFit(job, outcome);
    return outcome;
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

void Fitter::storeDifference(spectlist& table, const FitData& data, std::span<const double> model,
                             const std::string& output) {
    checkDifferenceTarget(table, output);
    if (table.store(differenceSpectrum(data, model, output)) < 0)
        throw EFitError("No free slot for the difference spectrum \"" + output + "\"");
}

void Fitter::writeDifference(spectlist& table, int dimension, const std::string& output) {
    const FitData data = fitDataOf(fittedSpectrum(table, FitSpectrumSlot, dimension), dimension);
    std::vector<double> model(data.pointCount());
    // Made aside and stored whole, so that an evaluation error leaves the table as it was.
    model_.evaluate(data, parametersInEvaluator(), model);
    storeDifference(table, data, model, output);
}

} // namespace ombrelune
