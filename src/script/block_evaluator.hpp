#pragma once
// Bulk evaluation: runs a compiled expression over a block of points at a time, where some
// variable cells take a different value at each point (the spectra of a formula, the
// abscissa of a fitted model) and every other cell keeps its current value (constants,
// parameters). Each step runs over the whole block before the next, so the step dispatch
// is paid once per block instead of once per point, and steps that read no varying cell
// run once per block.
//
// The results are bit for bit those of setting the varying cells and evaluating point by
// point (NaN and infinities included), because both paths call the same step routines.
// The exceptions are RANDOM and RND: they are called once per point as well, but in a
// different order, so the numbers drawn land on other points.
//
// Ownership: the evaluator shares the compiled list; the variable cells (varying or not)
// belong to the TCustomParser2 that compiled it, which must outlive this object. It never
// writes any cell of the list or of the parser; cells read as fixed are read at each run(),
// so a parameter changed between runs is seen. Not thread-safe per object; separate
// objects over the same list may run in parallel (RANDOM and RND draw from a generator of
// their thread).
//
// Use: fill input(v)[0 .. count) for each varying cell v that reads(v), call run(count),
// read the count results it returns. Or call evaluate() with whole columns.

#include "script/expression_list.hpp"

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace ombrelune {

class BlockEvaluator {
public:
    static constexpr std::size_t blockSize = 256;

    // `varying` lists distinct variable cells of the parser that compiled `expression`
    // (TCustomParser2::SetVariable or variableCell); std::invalid_argument when a cell is
    // listed twice.
    BlockEvaluator(std::shared_ptr<const CompiledExpression> expression,
                   std::vector<const double*> varying);
    BlockEvaluator(const BlockEvaluator&) = delete;
    BlockEvaluator& operator=(const BlockEvaluator&) = delete;

    std::size_t varyingCount() const { return varying_.size(); }
    // True when the expression reads varying cell v (inputs of other cells are ignored).
    bool reads(std::size_t v) const { return readsVarying_[v]; }
    // The blockSize input values of varying cell v.
    double* input(std::size_t v) { return &lanes_[v * blockSize]; }
    // Evaluates points 0 .. count-1 (count <= blockSize) and returns their results, valid
    // until the next call. Raises ERangeError as point evaluation would (an integer power
    // with an exponent beyond 32 bits at some point); the results are then undefined.
    std::span<const double> run(std::size_t count);
    // Whole columns: columns[v][p] is the value of varying cell v at point p, for p below
    // results.size(); results[p] receives the value at point p.
    void evaluate(std::span<const double* const> columns, std::span<double> results);

private:
    // Where a step reads: a stride of 0 means one value for the whole block.
    struct Input {
        const double* data = nullptr;
        std::size_t stride = 0;
    };
    struct Step {
        StepKind kind;
        Input a, b;
        double* result; // a lane, or one scalar slot
        bool perPoint;  // false: computed once per block
        Function1Entry function1;
        Function2Entry function2;
    };
    void runStep(const Step& s, std::size_t count) const;

    std::shared_ptr<const CompiledExpression> expression_;
    std::vector<const double*> varying_;
    std::vector<bool> readsVarying_;
    std::vector<double> lanes_;   // one block per varying cell, then one per per-point step
    std::vector<double> scalars_; // results of the steps that read no varying cell
    std::vector<Step> steps_;
    Input result_;
    std::vector<double> broadcast_; // the result when it is the same for every point
};

} // namespace ombrelune
