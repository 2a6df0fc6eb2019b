#include "script/block_evaluator.hpp"

#include "script/expression_steps.hpp"
#include "script/rounded_math.hpp"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace ombrelune {
namespace {

// Where a cell's value lives during a block, before the storage is allocated.
struct Source {
    enum Kind { fixed, lane, scalar } kind = fixed;
    const double* cell = nullptr; // for fixed: the live cell (constant or parameter)
    std::size_t index = 0;        // lane or scalar slot
};

} // namespace

BlockEvaluator::BlockEvaluator(std::shared_ptr<const CompiledExpression> expression,
                               std::vector<const double*> varying)
    : expression_(std::move(expression)), varying_(std::move(varying)),
      readsVarying_(varying_.size(), false) {
    std::unordered_map<const double*, Source> sources;
    for (std::size_t v = 0; v < varying_.size(); ++v)
        if (!sources.emplace(varying_[v], Source{Source::lane, nullptr, v}).second)
            throw std::invalid_argument("BlockEvaluator: a varying cell is listed twice");
    auto sourceOf = [&](const double* cell) {
        const auto it = sources.find(cell);
        if (it == sources.end()) return Source{Source::fixed, cell, 0};
        if (it->second.kind == Source::lane && it->second.index < varying_.size())
            readsVarying_[it->second.index] = true;
        return it->second;
    };

    // First pass: decide for every step whether it varies per point, and number the lanes
    // and scalar slots; storage is allocated once all are known.
    struct Planned {
        const Operation* op;
        Source a, b, r;
    };
    std::vector<Planned> plan;
    std::size_t laneCount = varying_.size(), scalarCount = 0;
    Source last;
    for (const Operation& op : expression_->operations()) {
        Planned p{&op, sourceOf(op.arg1), op.arg2 ? sourceOf(op.arg2) : Source{}, {}};
        if (op.kind == StepKind::stepLoad) {
            last = p.a;
            continue;
        }
        const bool perPoint = p.a.kind == Source::lane || p.b.kind == Source::lane ||
                              (op.kind == StepKind::stepCall1 && op.function1.random);
        p.r = perPoint ? Source{Source::lane, nullptr, laneCount++}
                       : Source{Source::scalar, nullptr, scalarCount++};
        sources[op.result] = p.r;
        last = p.r;
        plan.push_back(p);
    }

    lanes_.assign(laneCount * blockSize, 0);
    scalars_.assign(scalarCount, 0);
    auto writable = [&](const Source& s) {
        return s.kind == Source::lane ? &lanes_[s.index * blockSize] : &scalars_[s.index];
    };
    auto input = [&](const Source& s) {
        if (s.kind == Source::fixed) return Input{s.cell, 0};
        return Input{writable(s), s.kind == Source::lane ? std::size_t{1} : 0};
    };
    for (const Planned& p : plan)
        steps_.push_back(Step{p.op->kind, input(p.a), p.op->arg2 ? input(p.b) : Input{},
                              writable(p.r), p.r.kind == Source::lane, p.op->function1,
                              p.op->function2});
    result_ = input(last);
    if (result_.stride == 0) broadcast_.assign(blockSize, 0);
}

void BlockEvaluator::runStep(const Step& s, std::size_t count) const {
    const std::size_t n = s.perPoint ? count : 1;
    const double* a = s.a.data;
    const double* b = s.b.data;
    double* r = s.result;
    const std::size_t as = s.a.stride, bs = s.b.stride;
    auto unary = [&](auto f) {
        for (std::size_t i = 0; i < n; ++i) r[i] = f(a[i * as]);
    };
    auto binary = [&](auto f) {
        for (std::size_t i = 0; i < n; ++i) r[i] = f(a[i * as], b[i * bs]);
    };
    // Closures rather than function pointers, so the arithmetic is inlined into the loops.
    switch (s.kind) {
    case StepKind::stepLoad:
        break;
    case StepKind::stepNegate:
        unary([](double x) { return steps::negate(x); });
        break;
    case StepKind::stepAdd:
        binary([](double x, double y) { return steps::add(x, y); });
        break;
    case StepKind::stepSubtract:
        binary([](double x, double y) { return steps::subtract(x, y); });
        break;
    case StepKind::stepMultiply:
        binary([](double x, double y) { return steps::multiply(x, y); });
        break;
    case StepKind::stepDivide:
        binary([](double x, double y) { return steps::divide(x, y); });
        break;
    case StepKind::stepIntPower:
        binary([](double x, double y) { return steps::intPower(x, y); });
        break;
    case StepKind::stepPower:
        rounded::functions().power(a, as, b, bs, r, n);
        break;
    case StepKind::stepSquare:
        unary([](double x) { return steps::square(x); });
        break;
    case StepKind::stepCube:
        unary([](double x) { return steps::cube(x); });
        break;
    case StepKind::stepFourth:
        unary([](double x) { return steps::fourth(x); });
        break;
    case StepKind::stepCall1:
        // A per-point step reads a lane (stride 1); a block-wide one reads one value.
        if (s.function1.bulk)
            s.function1.bulk(a, r, n);
        else
            unary(s.function1.routine);
        break;
    case StepKind::stepCall2:
        if (s.function2.bulk)
            s.function2.bulk(a, as, b, bs, r, n);
        else
            binary(s.function2.routine);
        break;
    }
}

std::span<const double> BlockEvaluator::run(std::size_t count) {
    count = std::min(count, blockSize);
    if (count == 0) return {};
    for (const Step& s : steps_) runStep(s, count);
    if (result_.stride != 0) return {result_.data, count};
    std::fill_n(broadcast_.begin(), count, *result_.data);
    return {broadcast_.data(), count};
}

void BlockEvaluator::evaluate(std::span<const double* const> columns, std::span<double> results) {
    if (columns.size() != varying_.size())
        throw std::invalid_argument("BlockEvaluator: one column per varying cell");
    for (std::size_t first = 0; first < results.size(); first += blockSize) {
        const std::size_t count = std::min(blockSize, results.size() - first);
        for (std::size_t v = 0; v < varying_.size(); ++v)
            if (reads(v)) std::copy_n(columns[v] + first, count, input(v));
        const auto out = run(count);
        std::copy(out.begin(), out.end(), results.begin() + static_cast<std::ptrdiff_t>(first));
    }
}

} // namespace ombrelune
