#pragma once
// The acceptance tests of the expression compiler: whether a piece of the prepared text is
// a number, a variable, a bracketed term, a negation, a sum, a difference, a product, a
// quotient, a power or a call, with the operand rules that give the language its grouping.
//
// The tests call one another on the pieces left and right of each candidate operator, so a
// direct implementation re-tests the same pieces over and over and takes exponential time.
// Here every answer is remembered per piece for the life of one compilation, and each split
// goes straight to the only operators that can succeed: an operand never holds an
// unbracketed "*" on the left of a product, a "/" on the right of a quotient, a "^" in a
// power, nor a "+" or "-" between two operands inside anything but a sum or a difference.
// Which "+" and "-" are signs and which are operators follows from the character before
// them (see isOperator), which keeps compilation close to linear in the length of the text.

// Pieces are half-open ranges [begin, end) of the prepared text (upper case, trimmed).

#include "script/expression_list.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ombrelune {

struct TextRange {
    int begin = 0;
    int end = 0;
    bool empty() const { return end <= begin; }
};

enum class TermKind : std::uint8_t {
    number,
    variable,
    bracketed,
    negation,
    sum,
    difference,
    product,
    quotient,
    power,
    call1,
    call2,
};

class ExpressionAcceptance {
public:
    ExpressionAcceptance(std::string_view text, const CompilerTables& tables);

    std::string_view text(TextRange r) const {
        return std::string_view(text_).substr(static_cast<std::size_t>(r.begin),
                                              static_cast<std::size_t>(r.end - r.begin));
    }
    std::string_view text() const { return text_; }
    const CompilerTables& tables() const { return tables_; }

    bool is(TermKind kind, TextRange r) { return accepts(maskOf(kind), r.begin, r.end); }
    // Any term at all (the test used for call arguments and bracket contents).
    bool isTerm(TextRange r);
    // The operator of an accepted sum, difference, product, quotient or power, or the comma
    // of an accepted two-argument call; -1 when the piece is not of that kind.
    int splitPosition(TermKind kind, TextRange r);
    // The piece without its redundant brackets: ((X)) gives X.
    TextRange strip(TextRange r);
    // Position of the first "(" at or after `from`, or the text's length.
    int firstOpening(int from) const { return nextOpening_[static_cast<std::size_t>(from)]; }
    // Number of "(" minus number of ")" in the piece.
    int balance(TextRange r) const {
        return depth_[static_cast<std::size_t>(r.end)] - depth_[static_cast<std::size_t>(r.begin)];
    }

private:
    using Mask = std::uint16_t;
    static Mask maskOf(TermKind k) { return static_cast<Mask>(1U << static_cast<unsigned>(k)); }

    bool accepts(Mask mask, int begin, int end);
    Mask possibleKinds(int begin, int end) const;
    bool compute(TermKind kind, int begin, int end);
    int findSplit(TermKind kind, int begin, int end);
    bool acceptsSplit(int begin, int op, int end, Mask left, Mask right);
    int sumSplit(int begin, int end);
    int differenceSplit(int begin, int end);
    int productSplit(int begin, int end);
    int quotientSplit(int begin, int end);
    int powerSplit(int begin, int end);
    int call2Comma(int begin, int end);
    bool callNameIn(int begin, int opening, bool twoArguments) const;

    bool wellBracketed(int begin, int end) const;
    char at(int p) const { return text_[static_cast<std::size_t>(p)]; }

    // Operator classes looked up by bracket depth; operatorPlus and operatorSign hold the
    // "+" (and "-") that can only be operators of a sum or a difference.
    enum OperatorClass { operatorPlus, operatorSign, star, slash, caret, comma, classCount };
    int firstOf(OperatorClass c, int depth, int from, int to) const;
    int lastOf(OperatorClass c, int depth, int from, int to) const;
    bool anyOf(OperatorClass c, int depth, int from, int to) const {
        return firstOf(c, depth, from, to) >= 0;
    }
    int depthAt(int p) const { return depth_[static_cast<std::size_t>(p)]; }
    void classify();
    bool isOperator(int p, int runStart) const;
    bool loneExponentSign(int begin, int end, char op) const;
    bool isRunChar(char c) const;

    std::string text_;
    const CompilerTables& tables_;
    // A "," separator is also the argument separator: a comma may then stand inside a number.
    bool commaInNumbers_;
    std::vector<int> depth_;                 // brackets open before each position, size length + 1
    std::vector<int> nextOpening_;           // size length + 1
    std::vector<std::vector<int>> minDepth_; // sparse table over depth_
    int depthOffset_ = 0;                    // makes negative depths (after a stray ")") indexable
    std::vector<std::vector<int>> byDepth_[classCount];
    std::unordered_map<std::uint64_t, std::uint32_t> memo_;
};

} // namespace ombrelune
