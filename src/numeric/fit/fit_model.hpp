#pragma once
// The model of a fit: the current expression of an evaluator, in the parameters A..E and
// the coordinates X, Y, Z, evaluated at every point of the fit data.
//
// evaluate() is the one place where a fit computes its model, for the sums, the
// derivatives and the difference spectrum alike: making it faster makes every fit faster.
// It runs the evaluator's block mode, with the same results as setting the coordinates
// point by point and reading the value.
//
// Ownership and threads: the model works in the cells of the evaluator it is given, which
// must outlive it; one model and its evaluator belong to one thread at a time.

#include "numeric/fit/fit_data.hpp"
#include "script/block_evaluator.hpp"
#include "script/parser.hpp"

#include <array>
#include <memory>
#include <span>

namespace ombrelune {

inline constexpr int fitParameterCount = 5;
using FitParameters = std::array<double, fitParameterCount>;
using ParameterMask = std::array<bool, fitParameterCount>;

// "A" .. "E".
const char* fitParameterName(int i);

class FitModel {
public:
    // Uses the evaluator's expression as it stands (an empty one is 0 everywhere) and its
    // variables A..E, X, Y, Z, which are added when missing.
    explicit FitModel(TParser& parser);
    FitModel(const FitModel&) = delete;
    FitModel& operator=(const FitModel&) = delete;

    // The parameters the compiled expression reads: the letter E inside EXP is no reference
    // to E, since only the compiled variable references count.
    ParameterMask usedParameters() const;

    // model[n] := the expression at point n of `data` with A..E = params. X (and Y, Z as the
    // dimension sets them) are left at the last point's coordinates, as a point-by-point
    // loop would leave them; the coordinates a dimension does not set keep their values.
    // Raises ERangeError where point evaluation would.
    void evaluate(const FitData& data, std::span<const double> params, std::span<double> model);

    TParser& parser() { return parser_; }

private:
    BlockEvaluator* evaluatorFor(int dimension);

    TParser& parser_;
    std::array<double*, fitParameterCount> parameters_;
    std::array<double*, 3> coordinates_;
    std::shared_ptr<CompiledExpression> compiled_;
    std::array<std::unique_ptr<BlockEvaluator>, 4> evaluators_;
};

} // namespace ombrelune
