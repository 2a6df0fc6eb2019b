// Bulk evaluation against point-by-point evaluation: the same bits at every point, with
// NaN, infinities, zeros of both signs and subnormals among the inputs.

#include "script/block_evaluator.hpp"
#include "script/function_library.hpp"
#include "script/parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

const double inf = std::numeric_limits<double>::infinity();
const std::vector<double> specials = {0,    -0.0,  1,      -1,    0.5,    -2.5, 3,
                                      1e-9, 5e-10, 1e-310, 1e300, -1e300, inf,  -inf,
                                      NAN,  20000, -12000, 0.25,  2,      1e10, -1e-10};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every point of `count`: X and Y from the specials (in two different orders), A fixed.
void expectBlockEqualsPoints(TParser& p, const std::string& text, std::size_t count) {
    SCOPED_TRACE(text);
    double* x = p.SetVariable("X", 0);
    double* y = p.SetVariable("Y", 0);
    p.SetVariable("A", 0.75);
    const auto list = p.compile(text);
    std::vector<double> xs(count), ys(count), expected(count), got(count);
    for (std::size_t k = 0; k < count; ++k) {
        xs[k] = specials[k % specials.size()];
        ys[k] = specials[(k * 7 + 3) % specials.size()];
        *x = xs[k];
        *y = ys[k];
        expected[k] = p.evaluate(*list);
    }
    BlockEvaluator block(list, {x, y});
    const double* columns[] = {xs.data(), ys.data()};
    block.evaluate(columns, got);
    for (std::size_t k = 0; k < count; ++k)
        ASSERT_TRUE(sameBits(got[k], expected[k]))
            << "X = " << xs[k] << ", Y = " << ys[k] << ": " << got[k] << " vs " << expected[k];
}

TEST(BlockEvaluation, EqualsPointEvaluationForEveryStepKind) {
    TParser p;
    for (const char* text : {"X",
                             "A",
                             "2",
                             "-X",
                             "X+Y",
                             "X-Y",
                             "X*Y",
                             "X/Y",
                             "X^2",
                             "X^3",
                             "X^4",
                             "X^-3",
                             "X^Y",
                             "X^2.5",
                             "Y^X",
                             "-X^2",
                             "A*X+SIN(A)",
                             "(A+1)*(X-Y)/2",
                             "X*-2+A/3",
                             "MAX(X,A)",
                             "MIN(A,Y)",
                             "POWER(A,X)",
                             "LOGN(X,Y)",
                             "ARG(X,Y)",
                             "(X-Y)/(X+Y)^2*A-COS(A*2)",
                             "SIN(X)+MAX(A,B)",
                             "A*2+SIN(X)/(A+1)",
                             "1/0+X",
                             "2+3"})
        expectBlockEqualsPoints(p, text, 3 * BlockEvaluator::blockSize + 17);
}

TEST(BlockEvaluation, EqualsPointEvaluationForEveryLibraryFunction) {
    TParser p;
    for (const auto& f : libraryFunctions1())
        if (!f.entry.random) expectBlockEqualsPoints(p, f.name + "(X)", specials.size() * 3);
    for (const auto& f : libraryFunctions2())
        if (f.name != "INTPOWER") expectBlockEqualsPoints(p, f.name + "(X,Y)", specials.size() * 3);
}

TEST(BlockEvaluation, FixedCellsAreReadAtEachRun) {
    TParser p;
    double* x = p.SetVariable("X", 0);
    double* a = p.SetVariable("A", 2);
    const auto list = p.compile("A*X+EXP(A)");
    BlockEvaluator block(list, {x});
    EXPECT_TRUE(block.reads(0));
    block.input(0)[0] = 1;
    block.input(0)[1] = 2;
    const double first = block.run(2)[1];
    *a = 3;
    const double second = block.run(2)[1];
    EXPECT_EQ(*x, 0) << "the varying cell itself is never written";
    *x = 2;
    EXPECT_EQ(second, p.evaluate(*list));
    *a = 2;
    EXPECT_EQ(first, p.evaluate(*list));
    EXPECT_TRUE(block.run(0).empty());
}

TEST(BlockEvaluation, ReportsUnreadInputsAndRefusesDuplicates) {
    TParser p;
    double* x = p.SetVariable("X", 0);
    double* y = p.SetVariable("Y", 0);
    const auto list = p.compile("X*2");
    BlockEvaluator block(list, {x, y});
    EXPECT_TRUE(block.reads(0));
    EXPECT_FALSE(block.reads(1));
    EXPECT_THROW(BlockEvaluator(list, {x, x}), std::invalid_argument);
}

TEST(BlockEvaluation, RaisesWhereAPointWould) {
    TParser p;
    double* x = p.SetVariable("X", 0);
    BlockEvaluator block(p.compile("INTPOWER(2,X)"), {x});
    for (std::size_t k = 0; k < 10; ++k) block.input(0)[k] = static_cast<double>(k);
    EXPECT_EQ(block.run(10)[9], 512);
    block.input(0)[5] = 1e10;
    EXPECT_THROW(block.run(10), ERangeError);
}

TEST(BlockEvaluation, DrawsARandomNumberPerPoint) {
    TParser p;
    double* x = p.SetVariable("X", 0);
    BlockEvaluator block(p.compile("RANDOM(1)"), {x});
    const auto r = block.run(BlockEvaluator::blockSize);
    std::vector<double> values(r.begin(), r.end());
    std::sort(values.begin(), values.end());
    EXPECT_EQ(std::unique(values.begin(), values.end()), values.end());
    EXPECT_GE(values.front(), 0);
    EXPECT_LT(values.back(), 1);
}

} // namespace
} // namespace ombrelune
