#pragma once
// The fitting core: adjusts the five parameters A..E of a model expression so that it
// matches a spectrum of the store in the least-squares sense, and writes the difference
// spectrum (data minus model). The fitting window only reads its controls into a FitInput,
// calls RunSimplexFit or ComputeDifference and shows the result.
//
// Failure: a missing spectrum, no dimension, or an output name that would replace the
// fitted spectrum raise EFitError before any work; an error of the model expression is the
// evaluator's exception (EMathParserError) and leaves FitParams and the spectra unchanged.

#include "numeric/cost_function.hpp"
#include "numeric/fit/fit_input.hpp"
#include "numeric/fit/model_points.hpp"
#include "script/parser.hpp"
#include "store/workbench.hpp"

#include <array>
#include <cstdint>
#include <string>

namespace ombrelune {

struct FitResult {
    std::array<double, 5> params{};
    double minimum = 0; // the sum of squares at params ("Ecart")
    int iterations = 0; // the minimiser's counter
    std::int64_t costEvaluations = 0;
};

class Fitter {
public:
    explicit Fitter(Workbench& wb);
    Fitter(const Fitter&) = delete;
    Fitter& operator=(const Fitter&) = delete;

    // The fitting core's own evaluator: built-in functions and single-letter variables only.
    TParser ParserFitFunction;
    // The settings as last read: A..E, the dimension (1..3, 0 none) and the slot of the
    // fitted spectrum in the table of that dimension (-1 when its name was not found).
    std::array<double, 5> FitParams{1, 1, 1, 1, 1};
    int FitDimension = 0;
    int FitSpectrumSlot = -1;

    // Compiles the model and reads the start values, the dimension and the slot of the named
    // spectrum. Raises the evaluator's error for a bad model and EFitError when no dimension
    // is chosen or the spectrum is not found (the fields are read all the same).
    void ReadFitSettings(const FitInput& input);

    // The sum over the fitted spectrum of (value - model)^2 with A..E = params; 0 for a
    // dimension other than 1..3. Constants and objects are not used.
    double FitCost(std::span<const double> params, CostConstants = {}, CostObjects = {});
    TCostFunction costFunction();

    // Sums of squares over the spectrum in a slot of spectres1D, spectres2D, spectres3D,
    // with the parameters as they stand in the evaluator.
    double SumOfSquares1D(int slot);
    double SumOfSquares2D(int slot);
    double SumOfSquares3D(int slot);

    // ReadFitSettings, Simplex from the start values, then the difference spectrum.
    // FitParams receive the fitted values.
    FitResult RunSimplexFit(const FitInput& input);
    // The same with another minimiser; BFGS and Marquardt use finite-difference derivatives.
    FitResult RunFit(const FitInput& input, FitMethod method);

    // ReadFitSettings, the sum of squares at the start values, then the difference spectrum.
    double ComputeDifference(const FitInput& input);

    // Difference1D for a 1D fit, Difference2D for a 2D fit, nothing for 3D.
    void WriteDifference(const std::string& output);
    // The curve `output` of spectres1D (or image of spectres2D): each point's x (and y) from
    // the fitted spectrum, its value the spectrum's value minus the model there. The 2D form
    // takes FitSpectrumSlot as a slot of spectres2D whatever dimension it was read for.
    void Difference1D(const std::string& output);
    void Difference2D(const std::string& output);

    // Cost evaluations since the fitter was made (for reports and benchmarks).
    std::int64_t costEvaluations() const { return evaluations_; }

private:
    const spectre& fittedSpectrum(const spectlist& table, int slot, int dimension) const;
    double sumOfSquares(const spectre& s, int dimension);
    void checkDifferenceTarget(const spectlist& table, const std::string& output) const;
    void checkDifferenceTarget(const std::string& output) const;
    void writeDifference(spectlist& table, int dimension, const std::string& output);
    FitResult minimise(FitMethod method, int limit, double tolerance);

    Workbench& wb_;
    double* parameterCells_[5];
    ModelOverPoints model_;
    std::int64_t evaluations_ = 0;
};

} // namespace ombrelune
