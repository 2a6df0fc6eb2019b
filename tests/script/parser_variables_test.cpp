// The evaluator's variable table and its life cycle: predefined letters, new names, bad
// names, values seen by compiled lists without recompiling, enumeration.

#include "script/parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

TEST(ParserVariables, ANewEvaluatorHasTheNineteenLettersAtZero) {
    TParser p;
    const std::vector<std::string> letters = {"A", "B", "C", "D", "E", "M", "N", "O", "P", "Q",
                                              "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    EXPECT_EQ(p.variableNames(), letters);
    for (const auto& name : letters) EXPECT_EQ(p.GetVariable(name), 0) << name;
    EXPECT_FALSE(p.hasVariable("F"));
    EXPECT_EQ(p.value(), 0) << "no expression yet";
}

TEST(ParserVariables, SetAndGetIgnoreCase) {
    TParser p;
    double* x = p.SetVariable("x", 10);
    EXPECT_EQ(p.GetVariable("X"), 10);
    EXPECT_EQ(p.SetVariable("X", 11), x) << "the same cell for both cases";
    EXPECT_EQ(*x, 11);
    double* added = p.SetVariable("x_1", 2.5);
    EXPECT_EQ(p.GetVariable("X_1"), 2.5);
    EXPECT_EQ(p.GetVariable("never_set"), 0);
    EXPECT_EQ(p.variableCell("never_set"), nullptr);
    // Cells never move, however many variables follow.
    for (int k = 0; k < 2000; ++k) p.SetVariable("v" + std::to_string(k), k);
    EXPECT_EQ(p.variableCell("X_1"), added);
    EXPECT_EQ(*added, 2.5);
    const auto names = p.variableNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(names.size(), 19U + 1 + 2000);
}

TEST(ParserVariables, BadNamesAreRefusedWithTheNameAsMessage) {
    TParser p;
    int parserErrors = 0;
    p.OnParserError = [&](TCustomParser2&, const EMathParserError&) { ++parserErrors; };
    for (const char* bad : {"2x", "", "a b", "x-y", "é"}) {
        try {
            p.SetVariable(bad, 1);
            ADD_FAILURE() << bad;
        } catch (const EBadName& e) {
            EXPECT_EQ(e.what(), std::string(bad));
        }
    }
    EXPECT_EQ(parserErrors, 0) << "EBadName is raised even with OnParserError set";
    EXPECT_EQ(p.variableNames().size(), 19U);
    EXPECT_NO_THROW(p.SetVariable("_a1", 1));
}

TEST(ParserVariables, CompiledListsSeeNewValuesWithoutRecompiling) {
    TParser p;
    p.setExpression("A*2");
    const auto list = p.compiledExpression();
    p.SetVariable("a", 4);
    EXPECT_EQ(p.value(), 8);
    EXPECT_EQ(p.compiledExpression(), list);
    p.SetVariable("A", -1.5);
    EXPECT_EQ(p.value(), -3);
}

TEST(ParserVariables, CompileLeavesTheCurrentExpressionAndRaises) {
    TParser p;
    int parserErrors = 0;
    p.OnParserError = [&](TCustomParser2&, const EMathParserError&) { ++parserErrors; };
    p.setExpression("X+1");
    EXPECT_THROW(p.compile("SPEED*2"), ESyntaxError) << "names must exist when compiling";
    p.SetVariable("speed", 3);
    const auto kept = p.compile("SPEED*2");
    EXPECT_EQ(p.expression(), "X+1");
    EXPECT_EQ(p.value(), 1);
    EXPECT_EQ(p.evaluate(*kept), 6);
    p.SetVariable("SPEED", 5);
    EXPECT_EQ(p.evaluate(*kept), 10);
    EXPECT_EQ(parserErrors, 0);
}

TEST(ParserVariables, EmptyOrFailedExpressionIsWorthZero) {
    TParser p;
    p.OnParserError = [](TCustomParser2&, const EMathParserError&) {};
    p.setExpression("X+1");
    EXPECT_EQ(p.value(), 1);
    p.setExpression("");
    EXPECT_EQ(p.compiledExpression(), nullptr);
    EXPECT_EQ(p.value(), 0);
    p.setExpression("X+");
    EXPECT_EQ(p.compiledExpression(), nullptr);
    EXPECT_EQ(p.value(), 0);
    p.OnParserError = nullptr;
    EXPECT_THROW(p.setExpression("X+"), ESyntaxError);
    EXPECT_EQ(p.value(), 0);
}

TEST(ParserVariables, RegisteringAFunctionTwiceIsAnError) {
    TCustomParser2 bare;
    bare.addFunction1("twice", {[](double x) { return 2 * x; }});
    EXPECT_THROW(bare.addFunction1("TWICE", {[](double x) { return x; }}), std::logic_error);
    EXPECT_EQ(bare.functionNames1(), std::vector<std::string>{"TWICE"});
    EXPECT_TRUE(bare.variableNames().empty());
    // A bare evaluator binds a predefined letter to its own cell on first use.
    bare.SetVariable("q", 21);
    bare.setExpression("twice(Q)");
    EXPECT_EQ(bare.value(), 42);
}

} // namespace
} // namespace ombrelune
