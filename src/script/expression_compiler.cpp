#include "script/expression_compiler.hpp"

#include "errors/errors.hpp"
#include "script/expression_acceptance.hpp"
#include "script/expression_number.hpp"
#include "script/expression_steps.hpp"
#include "store/text_encoding.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ombrelune {
namespace {

// An operand while the list is built: a variable's cell, or a cell of the list by index
// (the list's cells are allocated only once their number is known).
struct CellRef {
    double* variable = nullptr;
    int own = -1;
    bool isSet() const { return variable != nullptr || own >= 0; }
};

struct PendingOp {
    StepKind kind = StepKind::stepLoad;
    CellRef arg1;
    CellRef arg2;
    int result = -1;
    Function1Entry function1{};
    Function2Entry function2{};
};

// What a term turned out to be, with its operand texts (redundant brackets removed).
struct Recognised {
    bool leaf = false;
    CellRef cell;        // for a leaf
    double constant = 0; // for a constant leaf
    StepKind step = StepKind::stepLoad;
    TextRange left, right;
    Function1Entry function1{};
    Function2Entry function2{};
};

} // namespace

// Walks the tree of terms depth first and files each operation by level, then chains the
// levels deepest first into the list.
class ListBuilder {
public:
    explicit ListBuilder(ExpressionAcceptance& acceptance) : acc_(acceptance) {}

    std::shared_ptr<CompiledExpression> build(TextRange whole) {
        levels_[0].push_back(PendingOp{}); // the placeholder consuming the whole expression
        visit(whole, 0, 1, 1);
        return link();
    }

private:
    void visit(TextRange t, int level, int index, int side);
    Recognised recognise(TextRange t);
    Recognised recognisePower(TextRange t, int op);
    void setOperand(int level, int index, int side, CellRef cell);
    std::shared_ptr<CompiledExpression> link();
    std::string syntaxMessage(TextRange t);

    ExpressionAcceptance& acc_;
    std::array<std::vector<PendingOp>, maxNestingLevel + 1> levels_;
    std::vector<double> cells_; // constants hold their value, intermediates start at 0
    int deepest_ = 0;
};

void ListBuilder::visit(TextRange t, int level, int index, int side) {
    const Recognised term = recognise(t);
    if (term.leaf) {
        setOperand(level, index, side, term.cell);
        return;
    }
    const int v = level + 1;
    if (v > maxNestingLevel) throw ETooManyNestings();
    const int childIndex = static_cast<int>(levels_[static_cast<std::size_t>(v)].size()) + 1;
    if (childIndex > maxOperationsPerLevel) throw EExpressionTooComplex();
    PendingOp op;
    op.kind = term.step;
    op.result = static_cast<int>(cells_.size());
    op.function1 = term.function1;
    op.function2 = term.function2;
    cells_.push_back(0);
    levels_[static_cast<std::size_t>(v)].push_back(op);
    deepest_ = std::max(deepest_, v);
    setOperand(level, index, side, CellRef{nullptr, op.result});
    // Both operands share the slot of this operation on their level; the first one's
    // subtree only fills deeper levels, so the slot count of level v is final here.
    visit(term.left, v, childIndex, 1);
    if (hasSecondOperand(term.step)) visit(term.right, v, childIndex, 2);
}

void ListBuilder::setOperand(int level, int index, int side, CellRef cell) {
    PendingOp& consumer =
        levels_[static_cast<std::size_t>(level)][static_cast<std::size_t>(index - 1)];
    if (side == 1) {
        consumer.arg1 = cell;
        return;
    }
    if (!hasSecondOperand(consumer.kind)) throw EParserInternalError();
    consumer.arg2 = cell;
}

Recognised ListBuilder::recognise(TextRange t) {
    const CompilerTables& tables = acc_.tables();
    Recognised r;
    auto split = [&](StepKind step, int op) {
        r.step = step;
        r.left = acc_.strip({t.begin, op});
        r.right = acc_.strip({op + 1, t.end});
        return r;
    };
    if (acc_.is(TermKind::number, t)) {
        r.leaf = true;
        r.cell.own = static_cast<int>(cells_.size());
        cells_.push_back(*expressionNumberValue(acc_.text(t), tables.decimalSeparator));
        return r;
    }
    if (acc_.is(TermKind::variable, t)) {
        r.leaf = true;
        r.cell.variable = tables.variables.find(acc_.text(t))->second;
        return r;
    }
    if (acc_.is(TermKind::negation, t)) {
        r.step = StepKind::stepNegate;
        r.left = acc_.strip({t.begin + 1, t.end});
        return r;
    }
    if (const int op = acc_.splitPosition(TermKind::sum, t); op >= 0)
        return split(StepKind::stepAdd, op);
    if (const int op = acc_.splitPosition(TermKind::difference, t); op >= 0)
        return split(StepKind::stepSubtract, op);
    if (const int op = acc_.splitPosition(TermKind::product, t); op >= 0)
        return split(StepKind::stepMultiply, op);
    if (const int op = acc_.splitPosition(TermKind::quotient, t); op >= 0)
        return split(StepKind::stepDivide, op);
    if (const int op = acc_.splitPosition(TermKind::power, t); op >= 0)
        return recognisePower(t, op);
    const int opening = acc_.firstOpening(t.begin);
    if (acc_.is(TermKind::call1, t)) {
        r.step = StepKind::stepCall1;
        r.left = acc_.strip({opening + 1, t.end - 1});
        r.function1 = tables.functions1.find(acc_.text({t.begin, opening}))->second;
        return r;
    }
    if (const int comma = acc_.splitPosition(TermKind::call2, t); comma >= 0) {
        r.step = StepKind::stepCall2;
        r.left = acc_.strip({opening + 1, comma});
        r.right = acc_.strip({comma + 1, t.end - 1});
        r.function2 = tables.functions2.find(acc_.text({t.begin, opening}))->second;
        return r;
    }
    throw ESyntaxError(syntaxMessage(t));
}

// A constant exponent picks the kind: a fraction gives the general power, 2, 3 and 4 the
// one-operand square, cube and fourth power, any other integer the integer power (which
// must fit 32 bits). Any other exponent gives the general power.
Recognised ListBuilder::recognisePower(TextRange t, int op) {
    Recognised r;
    r.left = acc_.strip({t.begin, op});
    const TextRange exponent{op + 1, t.end};
    r.right = acc_.strip(exponent);
    r.step = StepKind::stepPower;
    if (!acc_.is(TermKind::number, exponent)) return r;
    const double e = *expressionNumberValue(acc_.text(exponent), acc_.tables().decimalSeparator);
    if (std::trunc(e) != e) return r;
    switch (steps::exponentOf(e)) {
    case 2:
        r.step = StepKind::stepSquare;
        break;
    case 3:
        r.step = StepKind::stepCube;
        break;
    case 4:
        r.step = StepKind::stepFourth;
        break;
    default:
        r.step = StepKind::stepIntPower;
    }
    return r;
}

// The text of a term no test accepted. Each test, as it tries its candidates, leaves the
// operand texts it looked at in two fields (a blank while untouched); the message shows
// what the last attempts left there, or the term itself when nothing was written.
std::string ListBuilder::syntaxMessage(TextRange t) {
    const std::string_view s = acc_.text();
    const int b = t.begin, e = t.end;
    std::string left = " ", right = " ";
    auto write = [&](std::string& field, TextRange r) {
        field = r.empty() ? std::string() : std::string(acc_.text(r));
    };
    auto each = [&](char c, int from, auto&& body) {
        for (int p = from; p < e; ++p)
            if (s[static_cast<std::size_t>(p)] == c && !body(p)) return;
    };
    if (e > b && s[static_cast<std::size_t>(b)] == '-') write(left, {b + 1, e});
    each('+', b, [&](int p) {
        if (p == b || p == e - 1) return false;
        write(right, {p + 1, e});
        if (acc_.balance({b, p}) == 0 && acc_.balance({p + 1, e}) == 0) write(left, {b, p});
        return true;
    });
    auto writeBoth = [&](int p) {
        if (p == b || p == e - 1) return false;
        write(left, {b, p});
        write(right, {p + 1, e});
        return true;
    };
    each('-', b + 1, writeBoth);
    for (char c : {'*', '/', '^'}) each(c, b, writeBoth);
    const int opening = acc_.firstOpening(b);
    if (opening > b && opening < e) {
        const std::string_view name = acc_.text({b, opening});
        const CompilerTables& tables = acc_.tables();
        if (tables.functions1.find(name) != tables.functions1.end())
            write(left, {opening + 1, e - 1});
        if (s[static_cast<std::size_t>(e - 1)] == ')' &&
            tables.functions2.find(name) != tables.functions2.end()) {
            each(',', opening + 1, [&](int c) {
                if (c == opening + 1 || c >= e - 2) return false;
                write(left, {opening + 1, c});
                if (acc_.isTerm({opening + 1, c})) write(right, {c + 1, e - 1});
                return true;
            });
        }
    }
    const std::string head = "Error parsing expression:\r";
    if (left == " " && right == " ") return head + std::string(acc_.text(t));
    return head + left + "\r" + right;
}

std::shared_ptr<CompiledExpression> ListBuilder::link() {
    auto list = std::make_shared<CompiledExpression>(CompiledExpression::BuildKey());
    list->cells_ = std::move(cells_); // final size: the steps may now point into it
    auto cell = [&](CellRef r) -> double* {
        return r.variable ? r.variable : &list->cells_[static_cast<std::size_t>(r.own)];
    };
    if (deepest_ == 0) {
        double* leaf = cell(levels_[0][0].arg1);
        list->ops_.push_back(Operation{StepKind::stepLoad, leaf, nullptr, leaf, {}, {}});
        return list;
    }
    for (int level = deepest_; level >= 1; --level) {
        for (const PendingOp& p : levels_[static_cast<std::size_t>(level)]) {
            list->ops_.push_back(
                Operation{p.kind, cell(p.arg1), p.arg2.isSet() ? cell(p.arg2) : nullptr,
                          cell(CellRef{nullptr, p.result}), p.function1, p.function2});
        }
    }
    return list;
}

std::shared_ptr<CompiledExpression> compileExpression(std::string_view text,
                                                      const CompilerTables& tables) {
    if (text.size() > maxExpressionLength) throw EExpressionTooComplex();
    std::string prepared = asciiUpper(text);
    const auto first = prepared.find_first_not_of(' ');
    prepared = first == std::string::npos
                   ? std::string()
                   : prepared.substr(first, prepared.find_last_not_of(' ') - first + 1);
    if (prepared.find(' ') != std::string::npos) throw EExpressionHasBlanks();
    const auto opened = std::count(prepared.begin(), prepared.end(), '(');
    const auto closed = std::count(prepared.begin(), prepared.end(), ')');
    if (opened > closed) throw EMissMatchingBracket(')');
    if (opened < closed) throw EMissMatchingBracket('(');
    ExpressionAcceptance acceptance(prepared, tables);
    const TextRange whole = acceptance.strip({0, static_cast<int>(prepared.size())});
    return ListBuilder(acceptance).build(whole);
}

} // namespace ombrelune
