#pragma once
// The fitting window's core: adjusts the five parameters A..E of a model expression so that
// it matches a spectrum of the store in the least-squares sense, and writes the difference
// spectrum (data minus model). The window reads its controls into a FitInput, and either
// runs a whole fit here (RunFit) or splits it: prepareFit on its own thread, runFit on a
// worker, finishFit back on its own thread.
//
// Failure: a missing spectrum, no dimension, or an output name that would replace the
// fitted spectrum raise EFitError before any work; an error of the model expression is the
// evaluator's exception (EMathParserError); either leaves FitParams and the spectra
// unchanged.

#include "numeric/cost_function.hpp"
#include "numeric/fit/fit_input.hpp"
#include "numeric/fit/fit_model.hpp"
#include "numeric/fit/fit_run.hpp"
#include "script/parser.hpp"
#include "store/workbench.hpp"

#include <array>
#include <string>

namespace ombrelune {

// A fit as the window asked for it, with a copy of the data: runs on any thread.
struct FitJob {
    std::string spectrum; // the fitted spectrum's name
    FitWeighting weighting = FitWeighting::None;
    FitData data;
    FitRequest request;
    std::string output; // the difference spectrum to write
};

class Fitter {
public:
    explicit Fitter(Workbench& wb);
    Fitter(const Fitter&) = delete;
    Fitter& operator=(const Fitter&) = delete;

    // The fitting core's own evaluator: built-in functions and single-letter variables only.
    TParser ParserFitFunction;
    // The settings as last read: A..E, the dimension (1..3, 0 none), the slot of the fitted
    // spectrum in the table of that dimension (-1 when its name was not found) and the
    // weighting of the sums.
    std::array<double, 5> FitParams{1, 1, 1, 1, 1};
    int FitDimension = 0;
    int FitSpectrumSlot = -1;
    FitWeighting FitWeights = FitWeighting::None;

    // Compiles the model and reads the start values, the dimension, the weighting and the
    // slot of the named spectrum. Raises the evaluator's error for a bad model and EFitError
    // when no dimension is chosen or the spectrum is not found (the fields are read all the
    // same).
    void ReadFitSettings(const FitInput& input);

    // The sum over the fitted spectrum of (value - model)^2 (each term weighted when the
    // settings say so) with A..E = params; 0 for a dimension other than 1..3. Constants and
    // objects are not used.
    double FitCost(std::span<const double> params, CostConstants = {}, CostObjects = {});

    // Sums of squares over the spectrum in a slot of spectres1D, spectres2D, spectres3D,
    // with the parameters as they stand in the evaluator.
    double SumOfSquares1D(int slot);
    double SumOfSquares2D(int slot);
    double SumOfSquares3D(int slot);

    // ReadFitSettings, the checks, and a copy of the fitted points. The simplex moves all
    // five parameters, as it always has; BFGS and Marquardt only those the model uses (the
    // others have no derivative to follow).
    FitJob prepareFit(const FitInput& input, FitMethod method);
    // Takes a fit's result: FitParams and the evaluator's A..E (and X, Y, Z) receive its
    // values, then the difference spectrum is written from the fitted copy of the data.
    void finishFit(const FitJob& job, const FitOutcome& outcome);

    // After finishFit of a curve: the model at the fitted values as the curve `name`,
    // drawn through the range of the fitted points (see modelAbscissae). Raises EFitError
    // when the name is the fitted spectrum's or the table is full.
    void storeModelCurve(const FitJob& job, const std::string& name);

    // The whole fit on this thread: prepareFit, runFit, finishFit.
    FitOutcome RunFit(const FitInput& input, FitMethod method);
    FitOutcome RunSimplexFit(const FitInput& input) { return RunFit(input, FitMethod::Simplex); }

    // ReadFitSettings, the sum of squares at the start values, then the difference spectrum.
    double ComputeDifference(const FitInput& input);

    // Difference1D for a 1D fit, Difference2D for a 2D fit, nothing for 3D.
    void WriteDifference(const std::string& output);
    // The curve `output` of spectres1D (or image of spectres2D): each point's x (and y) from
    // the fitted spectrum, its value the spectrum's value minus the model there. The 2D form
    // takes FitSpectrumSlot as a slot of spectres2D whatever dimension it was read for.
    void Difference1D(const std::string& output);
    void Difference2D(const std::string& output);

private:
    const spectre& fittedSpectrum(const spectlist& table, int slot, int dimension) const;
    double sumOfSquares(const spectre& s, int dimension);
    std::array<double, 5> parametersInEvaluator() const;
    spectlist* differenceTable(int dimension);
    void checkDifferenceTarget(const spectlist& table, const std::string& output,
                               const char* what = "difference spectrum") const;
    void checkDifferenceTarget(const std::string& output);
    void storeDifference(spectlist& table, const FitData& data, std::span<const double> model,
                         const std::string& output);
    void writeDifference(spectlist& table, int dimension, const std::string& output);

    Workbench& wb_;
    FitModel model_;
};

} // namespace ombrelune
