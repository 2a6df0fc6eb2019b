#pragma once
// The model expression evaluated at the points of a spectrum: X (and Y, Z) are taken from
// each point. Runs the evaluator's block mode, a block of points per step, with the same
// results as setting the coordinates and evaluating point by point; afterwards the
// coordinate cells hold the last point's values, as the point-by-point loop would leave
// them. Coordinates a dimension does not set keep whatever value the evaluator held.

#include "script/block_evaluator.hpp"
#include "script/parser.hpp"
#include "store/spectre.hpp"

#include <array>
#include <memory>

namespace ombrelune {

struct CoordinateCells {
    double* x;
    double* y;
    double* z;
};

class ModelOverPoints {
public:
    ModelOverPoints(TParser& parser, CoordinateCells cells) : parser_(parser), cells_(cells) {}

    // Calls visit(n, point, model) for the points of `s` in (i, j, k) order, n counting
    // them from 0: the points (i, 0, 0) of a curve for dimension 1, (i, j, 0) of an image
    // for 2, every point of a stack for 3. The parser's current expression is the model.
    template <class Visit> void forEach(const spectre& s, int dimension, Visit&& visit);

private:
    using Batch = std::array<const spectrePoint*, BlockEvaluator::blockSize>;

    // The block evaluator of the current expression for a dimension; null for an empty
    // expression, whose value is 0 everywhere.
    BlockEvaluator* evaluatorFor(int dimension);
    std::span<const double> evaluate(BlockEvaluator* block, int dimension, const Batch& batch,
                                     std::size_t count);
    void leaveLastPoint(const spectrePoint& p, int dimension);

    TParser& parser_;
    CoordinateCells cells_;
    std::shared_ptr<CompiledExpression> compiled_;
    std::array<std::unique_ptr<BlockEvaluator>, 4> evaluators_;
    std::array<double, BlockEvaluator::blockSize> zeros_{};
};

template <class Visit>
void ModelOverPoints::forEach(const spectre& s, int dimension, Visit&& visit) {
    BlockEvaluator* block = evaluatorFor(dimension);
    const int ny = dimension >= 2 ? s.ny : 1;
    const int nz = dimension == 3 ? s.nz : 1;
    Batch batch;
    std::size_t count = 0;
    std::size_t n = 0;
    const auto flush = [&] {
        const auto models = evaluate(block, dimension, batch, count);
        for (std::size_t m = 0; m < count; ++m) visit(n++, *batch[m], models[m]);
        count = 0;
    };
    for (int i = 0; i < s.nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                batch[count++] = &s.at(i, j, k);
                if (count == batch.size()) flush();
            }
    if (count > 0) flush();
    if (n > 0) leaveLastPoint(s.at(s.nx - 1, ny - 1, nz - 1), dimension);
}

} // namespace ombrelune
