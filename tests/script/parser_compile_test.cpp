// Texts through TParser: their value, or the exception class and its exact message.

#include "script/block_evaluator.hpp"
#include "script/parser.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace ombrelune {
namespace {

enum class Error { none, blanks, brackets, syntax, nestings, complex, range };

Error classify(const EMathParserError& e) {
    if (dynamic_cast<const EExpressionHasBlanks*>(&e)) return Error::blanks;
    if (dynamic_cast<const EMissMatchingBracket*>(&e)) return Error::brackets;
    if (dynamic_cast<const ESyntaxError*>(&e)) return Error::syntax;
    if (dynamic_cast<const ETooManyNestings*>(&e)) return Error::nestings;
    if (dynamic_cast<const EExpressionTooComplex*>(&e)) return Error::complex;
    if (dynamic_cast<const ERangeError*>(&e)) return Error::range;
    return Error::none;
}

struct Case {
    std::string text;
    double value; // expected value when error is none (NaN matches NaN)
    Error error = Error::none;
    std::string message{}; // expected message when error is not none
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.text.substr(0, 60);
}

const double nan = std::nan("");
const double inf = INFINITY;
const std::string syntax = "Error parsing expression:\r";

// "1+1+...+1" with n plus signs; "(A+A)" nested into a full binary tree of the given depth.
std::string sumOfOnes(int plusSigns) {
    std::string s = "1";
    for (int i = 0; i < plusSigns; ++i) s += "+1";
    return s;
}
std::string balancedSum(int depth) {
    return depth == 0 ? "A" : "(" + balancedSum(depth - 1) + "+" + balancedSum(depth - 1) + ")";
}

class CompileTest : public ::testing::TestWithParam<Case> {};

TEST_P(CompileTest, ValueOrError) {
    const Case& c = GetParam();
    TParser p;
    p.SetVariable("X", 3);
    p.SetVariable("Y", 2);
    p.SetVariable("A", 1);
    p.SetVariable("B", 2);
    p.SetVariable("C", 3);
    p.SetVariable("E", 5);
    p.SetVariable("alpha", 0.5);
    p.SetVariable("x_1", 7);
    if (c.error == Error::none) {
        p.setExpression(c.text);
        const double v = p.value();
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(v)) << v;
        else
            EXPECT_EQ(v, c.value);
        // The bulk path gives the same bits, with X and Y as per-point inputs.
        BlockEvaluator block(p.compiledExpression(), {p.variableCell("X"), p.variableCell("Y")});
        block.input(0)[0] = 3;
        block.input(1)[0] = 2;
        const double bulk = block.run(1)[0];
        EXPECT_EQ(std::memcmp(&bulk, &v, sizeof v), 0) << bulk << " in bulk";
        return;
    }
    try {
        p.setExpression(c.text);
        ADD_FAILURE() << "compiled, value " << p.value();
    } catch (const EMathParserError& e) {
        EXPECT_EQ(classify(e), c.error);
        EXPECT_EQ(e.what(), c.message);
    }
    EXPECT_EQ(p.value(), 0) << "a failed compilation leaves an empty list";
}

INSTANTIATE_TEST_SUITE_P(
    Grouping, CompileTest,
    ::testing::Values(Case{"2*3+4", 10}, Case{"2+3*4", 14}, Case{"10-4-3", 3}, Case{"64/4/2", 8},
                      Case{"A-B+C", 2}, Case{"A+B-C", 0}, Case{"A/B*C", 1.5},
                      Case{"X-Y*A/B^2", 2.5}, Case{"2^3^2", 0, Error::syntax, syntax + "2^3\r2"},
                      Case{"-X^2", -9}, Case{"-X*Y", -6}, Case{"X*-2", -6}, Case{"A+-2", -1},
                      Case{"A--2", 3}, Case{"-2^2", -4}, Case{"-(X)", -3},
                      Case{"X*-Y", 0, Error::syntax, syntax + "X\r-Y"},
                      Case{"A+-B", 0, Error::syntax, syntax + "A+\rB"},
                      Case{"--X", 0, Error::syntax, syntax + "-\rX"},
                      // a signed operand after "*" counts once it leads a product of its own
                      Case{"A*-B*C", -6}, Case{"((X))", 3}, Case{"(X)", 3}, Case{"(1)", 1},
                      Case{"(A)+(B)", 3}, Case{"MAX(MIN(A,B),C)", 3}, Case{"max(a,(b))", 2},
                      Case{"SIN(0)+COS(0)", 1}));

INSTANTIATE_TEST_SUITE_P(
    Numbers, CompileTest,
    ::testing::Values(Case{"pi", 3.141592653589793}, Case{"-Pi", -3.141592653589793},
                      Case{"2*PI", 6.283185307179586}, Case{"+1", 1}, Case{".5+5.", 5.5},
                      Case{"2E+1", 20}, Case{"2e-1", 0.2}, Case{"E+1", 6}, Case{"E-1", 4},
                      Case{"2*E", 10}, Case{"1E400", inf}, Case{"-1E400", -inf}, Case{"1E-400", 0},
                      Case{"x_1*2", 14}, Case{"ALPHA", 0.5}, Case{"1/0", inf}, Case{"-1/0", -inf},
                      Case{"0/0", nan}, Case{"1E", 0, Error::syntax, syntax + "1E"},
                      Case{".", 0, Error::syntax, syntax + "."},
                      Case{"1,5", 0, Error::syntax, syntax + "1,5"},
                      Case{"+PI", 0, Error::syntax, syntax + "+PI"}));

INSTANTIATE_TEST_SUITE_P(
    Powers, CompileTest,
    ::testing::Values(Case{"X^2.5", 15.588457268119896}, Case{"X^-1", 1.0 / 3}, Case{"X^0", 1},
                      Case{"X^(2)", 9}, Case{"(-2)^3", -8}, Case{"(-2)^5", -32},
                      Case{"(-8)^(1/3)", nan}, Case{"0^(-1)", inf}, Case{"X^Y", 9},
                      Case{"2^-1074", 4.9406564584124654e-324}, Case{"X^-2147483648", 0},
                      Case{"X^2147483648", 0, Error::range, "Range check error"},
                      Case{"X^1E10", 0, Error::range, "Range check error"}));

INSTANTIATE_TEST_SUITE_P(
    Refusals, CompileTest,
    ::testing::Values(Case{"1 + 2", 0, Error::blanks, "Expression has blanks"},
                      Case{"1+ 2", 0, Error::blanks, "Expression has blanks"}, Case{"  1+2  ", 3},
                      Case{"(1+2", 0, Error::brackets, "Missing brackets in expression (\")\")"},
                      Case{"1+2)", 0, Error::brackets, "Missing brackets in expression (\"(\")"},
                      Case{")1+2(", 0, Error::syntax, syntax + " \r2("},
                      Case{"   ", 0, Error::syntax, syntax},
                      Case{"unknown", 0, Error::syntax, syntax + "UNKNOWN"},
                      Case{"+X", 0, Error::syntax, syntax + "+X"},
                      Case{"1+", 0, Error::syntax, syntax + "1+"},
                      Case{"+1+2", 0, Error::syntax, syntax + "+1+2"},
                      Case{"A+*B", 0, Error::syntax, syntax + "A+\rB"},
                      Case{"MAX(A)", 0, Error::syntax, syntax + "MAX(A)"},
                      Case{"MAX(A,)", 0, Error::syntax, syntax + "MAX(A,)"},
                      Case{"MAX(Q9,B)", 0, Error::syntax, syntax + "Q9\r "},
                      Case{"SIN(A,B)", 0, Error::syntax, syntax + "A,B\r "},
                      Case{"SIN(X)Y", 0, Error::syntax, syntax + "X)\r "},
                      Case{"-", 0, Error::syntax, syntax + "\r "}));

INSTANTIATE_TEST_SUITE_P(
    Limits, CompileTest,
    ::testing::Values(
        Case{sumOfOnes(20), 21},
        Case{sumOfOnes(21), 0, Error::nestings, "Expression contains too many nestings"},
        Case{balancedSum(6), 64},
        Case{balancedSum(7), 0, Error::complex, "Expression is too complex"},
        Case{std::string(10000, '9'), inf},
        // long texts compile quickly and meet the limits as usual
        Case{std::string(4999, '(') + "X" + std::string(4999, ')'), 3},
        Case{sumOfOnes(4999), 0, Error::nestings, "Expression contains too many nestings"},
        Case{std::string(10001, '9'), 0, Error::complex, "Expression is too complex"}));

TEST(CompileErrors, GoToOnParserErrorWhenSet) {
    TParser p;
    int calls = 0;
    std::string seen;
    p.OnParserError = [&](TCustomParser2& sender, const EMathParserError& e) {
        EXPECT_EQ(&sender, &p);
        ++calls;
        seen = e.what();
    };
    p.setExpression("1+");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, "Error parsing expression:\r1+");
    EXPECT_EQ(p.expression(), "1+");
    EXPECT_EQ(p.value(), 0);
    p.setExpression("X^3000000000");
    EXPECT_EQ(seen, "Range check error");
    p.setExpression("");
    EXPECT_EQ(calls, 2) << "an empty text is not compiled";
}

TEST(CompileErrors, RangeErrorAtEvaluationGoesToTheReader) {
    TParser p;
    int calls = 0;
    p.OnParserError = [&](TCustomParser2&, const EMathParserError&) { ++calls; };
    p.setExpression("INTPOWER(2,X)");
    p.SetVariable("X", 1e10);
    EXPECT_THROW(p.value(), ERangeError);
    p.SetVariable("X", std::nan(""));
    EXPECT_THROW(p.value(), ERangeError);
    p.SetVariable("X", -2147483648.0);
    EXPECT_EQ(p.value(), 0);
    EXPECT_EQ(calls, 0);
}

} // namespace
} // namespace ombrelune
