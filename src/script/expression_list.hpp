#pragma once
// The compiled form of an expression: a flat list of steps run in order, each reading one or
// two cells and writing its result cell. Variable cells belong to the evaluator that
// compiled the list and never move; the list owns its constant cells and the intermediate
// cells its steps write, and frees them with itself. A list is made only by the compiler
// and handed out through std::shared_ptr, so it is never copied or moved.

#include "script/rounded_math.hpp"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ombrelune {

using Function1Routine = double (*)(double);
using Function2Routine = double (*)(double, double);

struct Function1Entry {
    Function1Routine routine = nullptr;
    // True for routines that draw random numbers: two calls with the same argument may
    // differ, so bulk evaluation must call them once per point.
    bool random = false;
    // The same function over an array, when it has a faster form than a loop of calls.
    rounded::UnaryBulk bulk = nullptr;
};

struct Function2Entry {
    Function2Routine routine = nullptr;
    rounded::BinaryBulk bulk = nullptr;
};

// Names are upper case; lookups take any text (the compiler upper-cases first).
using VariableTable = std::map<std::string, double*, std::less<>>;
using Function1Table = std::map<std::string, Function1Entry, std::less<>>;
using Function2Table = std::map<std::string, Function2Entry, std::less<>>;

// What a compilation reads: the evaluator's tables and the decimal separator of numbers.
struct CompilerTables {
    const VariableTable& variables;
    const Function1Table& functions1;
    const Function2Table& functions2;
    char decimalSeparator = '.';
};

enum class StepKind : std::uint8_t {
    stepLoad, // nothing computed: the result is the cell of the constant or variable itself
    stepNegate,
    stepAdd,
    stepSubtract,
    stepMultiply,
    stepDivide,
    stepIntPower,
    stepPower,
    stepSquare,
    stepCube,
    stepFourth,
    stepCall1,
    stepCall2,
};

// True for the kinds that read a second operand.
bool hasSecondOperand(StepKind kind);

struct Operation {
    StepKind kind = StepKind::stepLoad;
    const double* arg1 = nullptr;
    const double* arg2 = nullptr; // null for one-operand kinds
    double* result = nullptr;     // for stepLoad, the cell of arg1 itself
    Function1Entry function1{};   // set for stepCall1
    Function2Entry function2{};   // set for stepCall2
};

class CompiledExpression {
    // Only the compiler makes lists; the key lets it use std::make_shared.
    class BuildKey {
        friend class ListBuilder;
        BuildKey() = default;
    };

public:
    explicit CompiledExpression(BuildKey) {}
    CompiledExpression(const CompiledExpression&) = delete;
    CompiledExpression& operator=(const CompiledExpression&) = delete;

    // Runs every step in order and returns the value of the whole expression. Computes in
    // extended precision and stores doubles; raises ERangeError for an integer power whose
    // exponent does not fit 32 bits.
    double evaluate();

    std::span<const Operation> operations() const { return ops_; }
    // The cell holding the expression's value after evaluate().
    const double* resultCell() const { return ops_.back().result; }
    // True for the constant and intermediate cells this list owns (false for variables).
    bool ownsCell(const double* cell) const;
    // True when a step draws random numbers.
    bool usesRandom() const;

private:
    friend class ListBuilder;

    std::vector<double> cells_; // sized once, before any step points into it
    std::vector<Operation> ops_;
};

} // namespace ombrelune
