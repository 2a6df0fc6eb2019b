#include "script/expression_acceptance.hpp"

#include "script/expression_number.hpp"

#include <algorithm>

namespace ombrelune {
namespace {

using Mask = std::uint16_t;

constexpr Mask bit(TermKind k) {
    return static_cast<Mask>(1U << static_cast<unsigned>(k));
}

constexpr Mask atoms = bit(TermKind::number) | bit(TermKind::variable) | bit(TermKind::bracketed) |
                       bit(TermKind::call1) | bit(TermKind::call2);
constexpr Mask sumLeft = atoms | bit(TermKind::negation) | bit(TermKind::difference) |
                         bit(TermKind::product) | bit(TermKind::quotient) | bit(TermKind::power);
constexpr Mask sumRight = atoms | bit(TermKind::sum) | bit(TermKind::difference) |
                          bit(TermKind::product) | bit(TermKind::quotient) | bit(TermKind::power);
constexpr Mask differenceLeft = sumLeft;
constexpr Mask differenceRight =
    atoms | bit(TermKind::product) | bit(TermKind::quotient) | bit(TermKind::power);
constexpr Mask productLeft =
    atoms | bit(TermKind::negation) | bit(TermKind::quotient) | bit(TermKind::power);
constexpr Mask productRight = differenceRight;
constexpr Mask quotientLeft = productLeft;
constexpr Mask quotientRight = atoms | bit(TermKind::power);
constexpr Mask powerOperand = atoms;
constexpr Mask negationRest = bit(TermKind::bracketed) | bit(TermKind::variable) |
                              bit(TermKind::power) | bit(TermKind::call1) | bit(TermKind::call2);
constexpr Mask anyTerm = sumLeft | sumRight;

// Cheap tests first; the order never changes an answer, only how soon it is found.
constexpr TermKind evaluationOrder[] = {
    TermKind::number,  TermKind::variable,   TermKind::negation, TermKind::bracketed,
    TermKind::call1,   TermKind::call2,      TermKind::power,    TermKind::quotient,
    TermKind::product, TermKind::difference, TermKind::sum};

// Memo states, two bits per kind.
constexpr std::uint32_t unknown = 0, refused = 1, accepted = 2;

std::uint32_t stateOf(std::uint32_t states, TermKind k) {
    return (states >> (2U * static_cast<unsigned>(k))) & 3U;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

ExpressionAcceptance::ExpressionAcceptance(std::string_view text, const CompilerTables& tables)
    : text_(text), tables_(tables), commaInNumbers_(tables.decimalSeparator == ',') {
    const std::size_t n = text_.size();
    depth_.assign(n + 1, 0);
    for (std::size_t p = 0; p < n; ++p)
        depth_[p + 1] = depth_[p] + (text_[p] == '(') - (text_[p] == ')');
    nextOpening_.assign(n + 1, static_cast<int>(n));
    for (std::size_t p = n; p-- > 0;)
        nextOpening_[p] = text_[p] == '(' ? static_cast<int>(p) : nextOpening_[p + 1];
    minDepth_.push_back(depth_);
    for (std::size_t width = 1; 2 * width <= n + 1; width *= 2) {
        const auto& prev = minDepth_.back();
        std::vector<int> next(n + 2 - 2 * width);
        for (std::size_t p = 0; p < next.size(); ++p) next[p] = std::min(prev[p], prev[p + width]);
        minDepth_.push_back(std::move(next));
    }
    classify();
}

void ExpressionAcceptance::classify() {
    const int n = static_cast<int>(text_.size());
    depthOffset_ = -*std::min_element(depth_.begin(), depth_.end());
    const int maxDepth = *std::max_element(depth_.begin(), depth_.end());
    for (auto& perDepth : byDepth_)
        perDepth.assign(static_cast<std::size_t>(maxDepth + depthOffset_ + 1), {});
    int runStart = 0;
    for (int p = 0; p < n; ++p) {
        const char c = at(p);
        auto add = [&](OperatorClass k) {
            byDepth_[k][static_cast<std::size_t>(depthAt(p) + depthOffset_)].push_back(p);
        };
        if ((c == '+' || c == '-') && isOperator(p, runStart)) {
            if (c == '+') add(operatorPlus);
            add(operatorSign);
        } else if (c == '*') {
            add(star);
        } else if (c == '/') {
            add(slash);
        } else if (c == '^') {
            add(caret);
        } else if (c == ',') {
            add(comma);
        }
        if (!isRunChar(c)) runStart = p + 1;
    }
}

// Characters of one run of name and number text.
bool ExpressionAcceptance::isRunChar(char c) const {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           (c == tables_.decimalSeparator && !commaInNumbers_);
}

// Inside a term, a "+" or "-" after its first character is either the operator of a sum
// or a difference, or a sign: of a number or negation right after an operator or "(", or of
// an exponent right after the "E" of a number. An operator needs a whole term on its left,
// which never ends with an operator, "(" or a number's "E"; so the character before tells
// them apart. `runStart` is where the run of name and number characters before p begins.
bool ExpressionAcceptance::isOperator(int p, int runStart) const {
    if (p == 0) return false;
    const char prev = at(p - 1);
    if (std::string_view("+-*/^(").find(prev) != std::string_view::npos) return false;
    // Inside a term a comma is a decimal separator, and no sign follows one.
    if (prev == ',') return commaInNumbers_;
    if (prev != 'E') return true;
    if (runStart < p - 1) {
        const char first = at(runStart);
        return !(isDigit(first) || first == tables_.decimalSeparator);
    }
    // A lone "E": after "1," it ends a number's mantissa ("1,E-5"), unless the comma
    // separates two arguments, and the piece starts at the "E" (see loneExponentSign).
    return !(commaInNumbers_ && p >= 3 && at(p - 2) == ',' && isDigit(at(p - 3)));
}

// True when the piece starts with an "E" followed by `op`, which the classification took
// for an exponent sign ("1,E-5") but which is an operator in a piece of its own ("E-5" as
// the second argument of "MAX(1,E-5)").
bool ExpressionAcceptance::loneExponentSign(int begin, int end, char op) const {
    return commaInNumbers_ && begin + 1 < end && at(begin) == 'E' && at(begin + 1) == op;
}

int ExpressionAcceptance::firstOf(OperatorClass c, int depth, int from, int to) const {
    const auto& perDepth = byDepth_[c];
    const auto index = static_cast<std::size_t>(depth + depthOffset_);
    if (from >= to || index >= perDepth.size()) return -1;
    const auto& v = perDepth[index];
    const auto it = std::lower_bound(v.begin(), v.end(), from);
    return it != v.end() && *it < to ? *it : -1;
}

int ExpressionAcceptance::lastOf(OperatorClass c, int depth, int from, int to) const {
    const auto& perDepth = byDepth_[c];
    const auto index = static_cast<std::size_t>(depth + depthOffset_);
    if (from >= to || index >= perDepth.size()) return -1;
    const auto& v = perDepth[index];
    const auto it = std::lower_bound(v.begin(), v.end(), to);
    return it != v.begin() && *(it - 1) >= from ? *(it - 1) : -1;
}

bool ExpressionAcceptance::wellBracketed(int begin, int end) const {
    if (depthAt(begin) != depthAt(end)) return false;
    // Minimum of depth_ over [begin, end] from two overlapping power-of-two windows.
    const auto length = static_cast<unsigned>(end - begin + 1);
    const auto level = static_cast<std::size_t>(31 - __builtin_clz(length));
    const auto& row = minDepth_[level];
    const int lowest = std::min(row[static_cast<std::size_t>(begin)],
                                row[static_cast<std::size_t>(end + 1) - (std::size_t{1} << level)]);
    return lowest >= depthAt(begin);
}

bool ExpressionAcceptance::isTerm(TextRange r) {
    return accepts(anyTerm, r.begin, r.end);
}

TextRange ExpressionAcceptance::strip(TextRange r) {
    while (is(TermKind::bracketed, r)) {
        ++r.begin;
        --r.end;
    }
    return r;
}

int ExpressionAcceptance::splitPosition(TermKind kind, TextRange r) {
    if (!is(kind, r)) return -1;
    return findSplit(kind, r.begin, r.end);
}

// Kinds a well-bracketed piece can still be, from the operators outside its brackets.
ExpressionAcceptance::Mask ExpressionAcceptance::possibleKinds(int begin, int end) const {
    const int d = depthAt(begin);
    Mask possible = anyTerm;
    // Unless it is a decimal separator, no term holds a comma outside brackets.
    if (!commaInNumbers_ && anyOf(comma, d, begin, end)) return 0;
    if (anyOf(operatorPlus, d, begin + 1, end))
        possible &= bit(TermKind::sum);
    else if (anyOf(operatorSign, d, begin + 1, end))
        possible &= bit(TermKind::sum) | bit(TermKind::difference);
    if (anyOf(star, d, begin, end))
        possible &= bit(TermKind::sum) | bit(TermKind::difference) | bit(TermKind::product);
    else if (anyOf(slash, d, begin, end))
        possible &= bit(TermKind::sum) | bit(TermKind::difference) | bit(TermKind::product) |
                    bit(TermKind::quotient);
    else if (anyOf(caret, d, begin, end))
        possible &= static_cast<Mask>(~atoms);
    return possible;
}

bool ExpressionAcceptance::accepts(Mask mask, int begin, int end) {
    if (end <= begin || !wellBracketed(begin, end)) return false;
    const std::uint64_t key =
        (static_cast<std::uint64_t>(begin) << 32U) | static_cast<std::uint32_t>(end);
    // References into an unordered_map survive rehashing, and the tests below only ever
    // look at smaller pieces, so this entry is not touched while they run.
    std::uint32_t& states = memo_[key];
    Mask open = 0;
    for (TermKind k : evaluationOrder) {
        if (!(mask & bit(k))) continue;
        const std::uint32_t s = stateOf(states, k);
        if (s == accepted) return true;
        if (s == unknown) open |= bit(k);
    }
    if (!open) return false;
    const Mask possible = possibleKinds(begin, end);
    for (TermKind k : evaluationOrder) {
        if (!(open & bit(k))) continue;
        const bool yes = (possible & bit(k)) && compute(k, begin, end);
        states |= (yes ? accepted : refused) << (2U * static_cast<unsigned>(k));
        if (yes) return true;
    }
    return false;
}

bool ExpressionAcceptance::compute(TermKind kind, int begin, int end) {
    switch (kind) {
    case TermKind::number:
        return isExpressionNumber(text({begin, end}), tables_.decimalSeparator);
    case TermKind::variable:
        return tables_.variables.find(text({begin, end})) != tables_.variables.end();
    case TermKind::bracketed:
        return at(begin) == '(' && at(end - 1) == ')' && accepts(anyTerm, begin + 1, end - 1);
    case TermKind::negation:
        return at(begin) == '-' && accepts(negationRest, begin + 1, end);
    case TermKind::call1: {
        const int opening = firstOpening(begin);
        return opening > begin && opening < end && callNameIn(begin, opening, false) &&
               accepts(bit(TermKind::bracketed), opening, end);
    }
    default:
        return findSplit(kind, begin, end) >= 0;
    }
}

int ExpressionAcceptance::findSplit(TermKind kind, int begin, int end) {
    switch (kind) {
    case TermKind::sum:
        return sumSplit(begin, end);
    case TermKind::difference:
        return differenceSplit(begin, end);
    case TermKind::product:
        return productSplit(begin, end);
    case TermKind::quotient:
        return quotientSplit(begin, end);
    case TermKind::power:
        return powerSplit(begin, end);
    case TermKind::call2:
        return call2Comma(begin, end);
    default:
        return -1;
    }
}

bool ExpressionAcceptance::acceptsSplit(int begin, int op, int end, Mask left, Mask right) {
    // The search for an operator stops at the last character.
    return op >= 0 && op < end - 1 && accepts(left, begin, op) && accepts(right, op + 1, end);
}

int ExpressionAcceptance::sumSplit(int begin, int end) {
    // A "+" as first character ends the search, although "+1" is a number.
    if (at(begin) == '+') return -1;
    // The left operand holds no operator "+": only the first one can split.
    const int op = firstOf(operatorPlus, depthAt(begin), begin + 1, end);
    if (op != begin + 1 && loneExponentSign(begin, end, '+') &&
        acceptsSplit(begin, begin + 1, end, sumLeft, sumRight))
        return begin + 1;
    return acceptsSplit(begin, op, end, sumLeft, sumRight) ? op : -1;
}

int ExpressionAcceptance::differenceSplit(int begin, int end) {
    // The right operand holds no operator "+" or "-": only the last one can split.
    int op = lastOf(operatorSign, depthAt(begin), begin + 1, end);
    if (op < 0 && loneExponentSign(begin, end, '-')) op = begin + 1;
    if (op < 0 || at(op) != '-') return -1;
    return acceptsSplit(begin, op, end, differenceLeft, differenceRight) ? op : -1;
}

int ExpressionAcceptance::productSplit(int begin, int end) {
    // The left operand holds no "*" outside brackets: only the first one can split.
    const int op = firstOf(star, depthAt(begin), begin, end);
    if (op == begin) return -1;
    return acceptsSplit(begin, op, end, productLeft, productRight) ? op : -1;
}

int ExpressionAcceptance::quotientSplit(int begin, int end) {
    // The right operand holds no "/" outside brackets: only the last one can split.
    if (at(begin) == '/') return -1;
    const int op = lastOf(slash, depthAt(begin), begin, end);
    return acceptsSplit(begin, op, end, quotientLeft, quotientRight) ? op : -1;
}

int ExpressionAcceptance::powerSplit(int begin, int end) {
    // Neither operand holds a "^" outside brackets: there must be exactly one.
    const int d = depthAt(begin);
    const int op = firstOf(caret, d, begin, end);
    if (op == begin || op != lastOf(caret, d, begin, end)) return -1;
    return acceptsSplit(begin, op, end, powerOperand, powerOperand) ? op : -1;
}

int ExpressionAcceptance::call2Comma(int begin, int end) {
    const int opening = firstOpening(begin);
    if (opening <= begin || opening >= end || at(end - 1) != ')' ||
        !callNameIn(begin, opening, true))
        return -1;
    const int inside = opening + 1, insideEnd = end - 1;
    if (insideEnd <= inside || !wellBracketed(inside, insideEnd)) return -1;
    // Commas inside deeper brackets cannot leave two terms: only those at this depth count.
    const int d = depthAt(inside);
    for (int comma = firstOf(OperatorClass::comma, d, inside, insideEnd); comma >= 0;
         comma = firstOf(OperatorClass::comma, d, comma + 1, insideEnd)) {
        if (comma == inside || comma == insideEnd - 1) return -1;
        if (accepts(anyTerm, inside, comma) && accepts(anyTerm, comma + 1, insideEnd)) return comma;
    }
    return -1;
}

bool ExpressionAcceptance::callNameIn(int begin, int opening, bool twoArguments) const {
    const std::string_view name = text({begin, opening});
    return twoArguments ? tables_.functions2.find(name) != tables_.functions2.end()
                        : tables_.functions1.find(name) != tables_.functions1.end();
}

} // namespace ombrelune
