#include "script/expression_list.hpp"

#include "script/expression_steps.hpp"

#include <algorithm>

namespace ombrelune {

bool hasSecondOperand(StepKind kind) {
    switch (kind) {
    case StepKind::stepAdd:
    case StepKind::stepSubtract:
    case StepKind::stepMultiply:
    case StepKind::stepDivide:
    case StepKind::stepIntPower:
    case StepKind::stepPower:
    case StepKind::stepCall2:
        return true;
    default:
        return false;
    }
}

double CompiledExpression::evaluate() {
    for (const Operation& op : ops_) {
        const double a = *op.arg1;
        switch (op.kind) {
        case StepKind::stepLoad:
            break;
        case StepKind::stepNegate:
            *op.result = steps::negate(a);
            break;
        case StepKind::stepAdd:
            *op.result = steps::add(a, *op.arg2);
            break;
        case StepKind::stepSubtract:
            *op.result = steps::subtract(a, *op.arg2);
            break;
        case StepKind::stepMultiply:
            *op.result = steps::multiply(a, *op.arg2);
            break;
        case StepKind::stepDivide:
            *op.result = steps::divide(a, *op.arg2);
            break;
        case StepKind::stepIntPower:
            *op.result = steps::intPower(a, *op.arg2);
            break;
        case StepKind::stepPower:
            *op.result = steps::power(a, *op.arg2);
            break;
        case StepKind::stepSquare:
            *op.result = steps::square(a);
            break;
        case StepKind::stepCube:
            *op.result = steps::cube(a);
            break;
        case StepKind::stepFourth:
            *op.result = steps::fourth(a);
            break;
        case StepKind::stepCall1:
            *op.result = op.function1.routine(a);
            break;
        case StepKind::stepCall2:
            *op.result = op.function2.routine(a, *op.arg2);
            break;
        }
    }
    return *ops_.back().result;
}

bool CompiledExpression::ownsCell(const double* cell) const {
    // std::less gives a total order even for pointers into different objects.
    const std::less<const double*> before;
    return !cells_.empty() && !before(cell, cells_.data()) &&
           before(cell, cells_.data() + cells_.size());
}

bool CompiledExpression::usesRandom() const {
    return std::any_of(ops_.begin(), ops_.end(), [](const Operation& op) {
        return op.kind == StepKind::stepCall1 && op.function1.random;
    });
}

} // namespace ombrelune
