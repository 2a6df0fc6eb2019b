// Formulas over spectra: participants, sizes, target creation, the per-point variables,
// and the refusals and skipped points reported in the journal.

#include "script/eval_formula.hpp"
#include "script/expression_steps.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

using testing::TestBench;

// A spectrum with value = base + 10 i + j and mon = 1 + i at (i, j, 0).
spectre& made(spectlist& table, const std::string& name, int nx, int ny, double base = 0,
              int nz = 1) {
    spectre& s = *table.at(table.create(name, nx, ny, nz));
    s.typeX = name + "-x";
    s.typeY = name + "-y";
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            if (s.contains(i, j, 0)) {
                s.setValueAt(i, j, 0, base + 10 * i + j);
                s.setMonAt(i, j, 0, 1 + i);
            }
    return s;
}

class EvalFormulaTest : public ::testing::Test {
protected:
    TestBench tb{false};
    TParser parser;
    spectlist& images = tb.wb->spectres2D;
    spectlist& curves = tb.wb->spectres1D;

    bool run(spectlist& table, const std::string& text) {
        return evalFormula(table, text, parser, tb.wb->journal);
    }
};

TEST_F(EvalFormulaTest, CreatesTheTargetWithTheLastParticipantsSizesAndTypes) {
    made(images, "ACUP", 5, 4, 0.25);
    made(images, "ACDOWN", 5, 4, 100.5);
    ASSERT_TRUE(run(images, "C=ACUP+ACDOWN"));
    const spectre* c = images.find("C");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->nx, 5);
    EXPECT_EQ(c->ny, 4);
    EXPECT_EQ(c->nz, 1);
    EXPECT_EQ(c->typeX, "ACDOWN-x");
    EXPECT_EQ(c->typeY, "ACDOWN-y");
    const spectre& up = *images.find("ACUP");
    const spectre& down = *images.find("ACDOWN");
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(c->valueAt(i, j), steps::add(up.valueAt(i, j), down.valueAt(i, j)));
            EXPECT_EQ(c->monAt(i, j), 1) << "the target's monitors are not written";
        }
    EXPECT_TRUE(tb.journalLines().empty());
}

TEST_F(EvalFormulaTest, TargetNameIsTheTextBeforeTheFirstEquals) {
    made(images, "ACUP", 3, 3, 1);
    ASSERT_TRUE(run(images, "C = ACUP"));
    const spectre* c = images.find("C ");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->valueAt(2, 1), 22);
}

TEST_F(EvalFormulaTest, TheTargetCanBeAParticipant) {
    made(images, "A", 3, 2, 1);
    ASSERT_TRUE(run(images, "A=A*2"));
    EXPECT_EQ(images.find("A")->valueAt(2, 1), 2 * 22);
    EXPECT_EQ(images.find("A")->valueAt(0, 0), 2);
}

TEST_F(EvalFormulaTest, MonitorsAndIndexesAreVariables) {
    made(curves, "PH", 6, 1, 0);
    ASSERT_TRUE(run(curves, "X=PHmon*2"));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(curves.find("X")->valueAt(i), 2 * (1 + i));
    made(images, "M", 3, 4);
    ASSERT_TRUE(run(images, "D=i*1000+J+M*0"));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_EQ(images.find("D")->valueAt(i, j), 1000 * i + j);
    EXPECT_EQ(parser.GetVariable("I"), 2) << "the variables keep the last point's values";
    EXPECT_EQ(parser.GetVariable("J"), 3);
    EXPECT_EQ(parser.GetVariable("M"), 23);
    EXPECT_EQ(parser.GetVariable("MMON"), 3);
}

TEST_F(EvalFormulaTest, ParticipantsStandAsWholeIdentifiers) {
    made(curves, "ABC", 5, 1, 0);
    made(curves, "AB", 3, 1, 0);
    ASSERT_TRUE(run(curves, "R=ABC*2"));
    EXPECT_EQ(curves.find("R")->nx, 5) << "AB inside ABC is not a participant";
    EXPECT_TRUE(tb.journalLines().empty());
    ASSERT_TRUE(run(curves, "S=ABC+ABmon"));
    EXPECT_EQ(curves.find("S")->nx, 3) << "AB takes part through ABmon";
    EXPECT_EQ(curves.find("S")->valueAt(2), 20 + 3);
    // Case counts: "abc" names no spectrum, so nothing is computed.
    ASSERT_TRUE(run(curves, "T=abc*2"));
    EXPECT_EQ(curves.find("T"), nullptr);
}

TEST_F(EvalFormulaTest, MoreThanTenParticipantsAreRefused) {
    std::string formula = "R=S0";
    made(curves, "S0", 4, 1);
    for (int k = 1; k <= 10; ++k) {
        made(curves, "S" + std::to_string(k), 4, 1);
        formula += "+S" + std::to_string(k);
    }
    EXPECT_FALSE(run(curves, formula));
    EXPECT_EQ(curves.find("R"), nullptr);
    const auto lines = tb.journalLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].rfind("!! evalFormula", 0), 0U) << lines[0];
    curves.removeByName("S10");
    EXPECT_TRUE(run(curves, formula.substr(0, formula.size() - 4))) << "ten are fine";
    EXPECT_EQ(curves.find("R")->valueAt(3), 10 * 30);
}

TEST_F(EvalFormulaTest, NothingToDo) {
    made(images, "A", 3, 3);
    made(images, "EMPTY", 0, 3);
    EXPECT_TRUE(run(images, "A*2"));
    EXPECT_TRUE(run(images, "C=Q*2"));
    EXPECT_TRUE(run(images, "C=EMPTY*2"));
    EXPECT_EQ(images.find("C"), nullptr);
    EXPECT_EQ(images.find("A")->valueAt(1, 1), 11);
}

TEST_F(EvalFormulaTest, PointsASpectrumDoesNotHaveAreSkippedOnce) {
    // T comes first in slot order, so the sizes are BIG's when T takes part.
    made(images, "T", 3, 2, -1);
    made(images, "SMALL", 2, 4, 0);
    made(images, "FLAT", 4, 4, 0, 0); // no points at all
    made(images, "BIG", 4, 4, 0);
    ASSERT_TRUE(run(images, "C=BIG+SMALL"));
    const spectre& c = *images.find("C");
    EXPECT_EQ(c.nx, 4);
    EXPECT_EQ(c.valueAt(1, 3), 2 * 13);
    EXPECT_EQ(c.valueAt(2, 0), 0) << "SMALL has no point (2, 0)";
    auto lines = tb.journalLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].rfind("!! evalFormula", 0), 0U) << lines[0];

    // An existing target smaller than the participants.
    ASSERT_TRUE(run(images, "T=BIG*2"));
    EXPECT_EQ(images.find("T")->valueAt(2, 1), 2 * 21);
    EXPECT_EQ(tb.journalLines().size(), 2U);

    ASSERT_TRUE(run(images, "U=BIG+FLAT"));
    EXPECT_EQ(tb.journalLines().size(), 3U);
}

TEST_F(EvalFormulaTest, CompileErrorsAreRaisedAndMakeNoTarget) {
    made(images, "A", 2, 2);
    EXPECT_THROW(run(images, "C=A+"), ESyntaxError);
    EXPECT_THROW(run(images, "C=A B"), EExpressionHasBlanks);
    EXPECT_FALSE(images.find("C"));
    EXPECT_EQ(images.indexOf("A"), 1);
}

// A failure half way through leaves the table as it was: an existing target keeps every
// value, a new one is not made.
TEST_F(EvalFormulaTest, AnEvaluationErrorLeavesTheTableAsItWas) {
    spectre& a = made(curves, "A", 600, 1);
    for (int i = 0; i < 600; ++i) a.setValueAt(i, 0, 0, i % 8);
    a.setValueAt(300, 0, 0, 1e10);
    const spectre& c = made(curves, "C", 600, 1, -1);
    const spectre before = c;
    EXPECT_THROW(run(curves, "C=INTPOWER(2,A)"), ERangeError);
    ASSERT_EQ(curves.find("C"), &c);
    for (int i : {0, 299, 301, 599}) EXPECT_EQ(c.valueAt(i), before.valueAt(i)) << i;

    EXPECT_THROW(run(curves, "N=INTPOWER(2,A)"), ERangeError);
    EXPECT_FALSE(curves.find("N"));
    EXPECT_EQ(curves.indexOf("C"), 2);
}

TEST_F(EvalFormulaTest, AFullTableMakesNoTargetAndSaysSo) {
    made(curves, "A", 4, 1, 1);
    for (int k = 2; k <= spectlist::slotCount; ++k) made(curves, "F" + std::to_string(k), 1, 1);
    EXPECT_FALSE(run(curves, "N=A*2"));
    EXPECT_FALSE(curves.find("N"));
    const auto lines = tb.journalLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "!! evalFormula: cannot create N");
}

} // namespace
} // namespace ombrelune
