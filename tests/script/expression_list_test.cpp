// The shape of compiled lists: which steps, in which order, reading which cells.

#include "script/parser.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace ombrelune {
namespace {

using K = StepKind;

struct Shape {
    const char* text;
    std::vector<StepKind> steps; // in evaluation order
};

class ListShapeTest : public ::testing::TestWithParam<Shape> {};

TEST_P(ListShapeTest, StepsInLevelOrder) {
    TParser p;
    const auto list = p.compile(GetParam().text);
    std::vector<StepKind> kinds;
    for (const Operation& op : list->operations()) {
        kinds.push_back(op.kind);
        EXPECT_EQ(op.arg2 != nullptr, hasSecondOperand(op.kind));
        EXPECT_NE(op.function1.routine != nullptr, op.kind != K::stepCall1);
        EXPECT_NE(op.function2.routine != nullptr, op.kind != K::stepCall2);
    }
    EXPECT_EQ(kinds, GetParam().steps);
    EXPECT_EQ(list->resultCell(), list->operations().back().result);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ListShapeTest,
    ::testing::Values(Shape{"X", {K::stepLoad}}, Shape{"((X))", {K::stepLoad}},
                      Shape{"(1)", {K::stepLoad}}, Shape{"X^2", {K::stepSquare}},
                      Shape{"X^3", {K::stepCube}}, Shape{"X^4.0", {K::stepFourth}},
                      Shape{"X^-1", {K::stepIntPower}}, Shape{"X^0", {K::stepIntPower}},
                      Shape{"X^2.5", {K::stepPower}}, Shape{"X^(2)", {K::stepPower}},
                      Shape{"X^Y", {K::stepPower}},
                      Shape{"A*B+C*D", {K::stepMultiply, K::stepMultiply, K::stepAdd}},
                      Shape{"((A+B)*C)-D", {K::stepAdd, K::stepMultiply, K::stepSubtract}},
                      Shape{"SIN(X)+MAX(A,B)", {K::stepCall1, K::stepCall2, K::stepAdd}},
                      Shape{"-X*Y", {K::stepNegate, K::stepMultiply}},
                      Shape{"-X^2", {K::stepSquare, K::stepNegate}},
                      // deepest level first, each level in the order its operations were placed
                      Shape{"(A-B)/(C+D)^2",
                            {K::stepAdd, K::stepSubtract, K::stepSquare, K::stepDivide}}));

TEST(CompiledList, OwnsConstantsAndIntermediatesButNotVariables) {
    TParser p;
    const double* x = p.SetVariable("X", 3);
    auto power = p.compile("X^2.5");
    ASSERT_EQ(power->operations().size(), 1U);
    const Operation& op = power->operations()[0];
    EXPECT_EQ(op.arg1, x);
    EXPECT_FALSE(power->ownsCell(x));
    EXPECT_TRUE(power->ownsCell(op.arg2));
    EXPECT_EQ(*op.arg2, 2.5);
    EXPECT_TRUE(power->ownsCell(op.result));

    auto load = p.compile("((X))");
    EXPECT_EQ(load->operations()[0].arg1, x);
    EXPECT_EQ(load->resultCell(), x);
    auto constant = p.compile("(-1.5)");
    EXPECT_TRUE(constant->ownsCell(constant->resultCell()));
    EXPECT_EQ(constant->evaluate(), -1.5);

    auto integer = p.compile("X^-1");
    EXPECT_EQ(*integer->operations()[0].arg2, -1);
    EXPECT_FALSE(power->usesRandom());
    EXPECT_TRUE(p.compile("1+RANDOM(0)")->usesRandom());
}

} // namespace
} // namespace ombrelune
