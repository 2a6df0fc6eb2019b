#include "numeric/fit/fit_model.hpp"

#include <algorithm>

namespace ombrelune {

namespace {

double* cellOf(TParser& parser, const char* name) {
    double* cell = parser.variableCell(name);
    return cell ? cell : parser.SetVariable(name, 0);
}

} // namespace

const char* fitParameterName(int i) {
    static const char* const names[fitParameterCount] = {"A", "B", "C", "D", "E"};
    return names[i];
}

FitModel::FitModel(TParser& parser)
    : parser_(parser), coordinates_{cellOf(parser, "X"), cellOf(parser, "Y"), cellOf(parser, "Z")} {
    for (int i = 0; i < fitParameterCount; ++i)
        parameters_[static_cast<std::size_t>(i)] = cellOf(parser, fitParameterName(i));
}

ParameterMask FitModel::usedParameters() const {
    ParameterMask used{};
    const auto compiled = parser_.compiledExpression();
    if (!compiled) return used;
    for (const Operation& op : compiled->operations())
        for (std::size_t i = 0; i < used.size(); ++i)
            if (op.arg1 == parameters_[i] || op.arg2 == parameters_[i]) used[i] = true;
    return used;
}

BlockEvaluator* FitModel::evaluatorFor(int dimension) {
    const auto compiled = parser_.compiledExpression();
    if (compiled != compiled_) {
        // A new expression: the evaluators of the old one would read freed steps.
        evaluators_ = {};
        compiled_ = compiled;
    }
    if (!compiled_) return nullptr;
    auto& evaluator = evaluators_[static_cast<std::size_t>(dimension)];
    if (!evaluator)
        evaluator = std::make_unique<BlockEvaluator>(
            compiled_,
            std::vector<const double*>(coordinates_.begin(), coordinates_.begin() + dimension));
    return evaluator.get();
}

void FitModel::evaluate(const FitData& data, std::span<const double> params,
                        std::span<double> model) {
    for (std::size_t i = 0; i < parameters_.size() && i < params.size(); ++i)
        *parameters_[i] = params[i];
    const std::size_t n = data.pointCount();
    BlockEvaluator* block = evaluatorFor(data.dimension);
    if (!block) {
        std::fill_n(model.begin(), n, 0.0);
    } else {
        const double* columns[3] = {data.x.data(), data.y.data(), data.z.data()};
        block->evaluate(std::span<const double* const>(columns, block->varyingCount()),
                        model.first(n));
    }
    if (n == 0) return;
    *coordinates_[0] = data.x[n - 1];
    if (data.dimension >= 2) *coordinates_[1] = data.y[n - 1];
    if (data.dimension == 3) *coordinates_[2] = data.z[n - 1];
}

} // namespace ombrelune
