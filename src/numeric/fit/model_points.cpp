#include "numeric/fit/model_points.hpp"

namespace ombrelune {

BlockEvaluator* ModelOverPoints::evaluatorFor(int dimension) {
    const auto compiled = parser_.compiledExpression();
    if (compiled != compiled_) {
        // A new expression: the evaluators of the old one would read freed steps.
        evaluators_ = {};
        compiled_ = compiled;
    }
    if (!compiled_) return nullptr;
    auto& evaluator = evaluators_[static_cast<std::size_t>(dimension)];
    if (!evaluator) {
        std::vector<const double*> varying{cells_.x};
        if (dimension >= 2) varying.push_back(cells_.y);
        if (dimension == 3) varying.push_back(cells_.z);
        evaluator = std::make_unique<BlockEvaluator>(compiled_, std::move(varying));
    }
    return evaluator.get();
}

std::span<const double> ModelOverPoints::evaluate(BlockEvaluator* block, int dimension,
                                                  const Batch& batch, std::size_t count) {
    if (!block) return {zeros_.data(), count};
    const auto fill = [&](std::size_t v, double spectrePoint::*coordinate) {
        if (!block->reads(v)) return;
        double* lane = block->input(v);
        for (std::size_t m = 0; m < count; ++m) lane[m] = batch[m]->*coordinate;
    };
    fill(0, &spectrePoint::x);
    if (dimension >= 2) fill(1, &spectrePoint::y);
    if (dimension == 3) fill(2, &spectrePoint::z);
    return block->run(count);
}

void ModelOverPoints::leaveLastPoint(const spectrePoint& p, int dimension) {
    *cells_.x = p.x;
    if (dimension >= 2) *cells_.y = p.y;
    if (dimension == 3) *cells_.z = p.z;
}

} // namespace ombrelune
