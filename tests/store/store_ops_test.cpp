#include "store/store_ops.hpp"
#include "store/workbench.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ombrelune {
namespace {

using testing::TestBench;

TEST(DefaultSpectra, TablesAndValues) {
    TestBench tb;
    Workbench& wb = *tb.wb;
    const char* images[] = {"ACUP", "ACDOWN", "PROJ"};
    for (int slot = 1; slot <= 3; ++slot) EXPECT_EQ(wb.spectres2D.at(slot)->name, images[slot - 1]);
    const char* curves[] = {"C1H", "C1V", "C2H", "C2V", "PH", "PV"};
    for (int slot = 1; slot <= 6; ++slot) EXPECT_EQ(wb.spectres1D.at(slot)->name, curves[slot - 1]);
    EXPECT_EQ(wb.spectres3D.at(1)->name, "data3D");

    const spectre& acup = *wb.spectres2D.find("ACUP");
    EXPECT_EQ(acup.valueAt(64, 64), 100);
    EXPECT_NEAR(acup.valueAt(0, 0), 44.08, 0.005);
    EXPECT_EQ(acup.monAt(0, 0), 1);
    EXPECT_EQ(acup.typeX, "raw");
    EXPECT_NEAR(wb.spectres2D.find("PROJ")->valueAt(1, 2), 0.14112, 1e-5);
    const spectre& stack = *wb.spectres3D.find("data3D");
    EXPECT_DOUBLE_EQ(stack.valueAt(0, 0, 7), 8 * std::exp(-0.8192));
    EXPECT_DOUBLE_EQ(stack.valueAt(31, 63, 0), std::exp(-0.1089) * std::exp(-0.0001));
    EXPECT_EQ(stack.zAt(5, 6, 7), 7);
    const spectre& ph = *wb.spectres1D.find("PH");
    EXPECT_EQ(ph.valueAt(511), 0.00001);
    EXPECT_EQ(ph.typeY, "raw");
    EXPECT_EQ(wb.spectres1D.find("C1V")->comment, "réflectivité downdown");
}

TEST(StoreOps, TwoSpectrumOperations) {
    TestBench tb;
    spectlist& t = tb.wb->spectres1D;
    t.find("C1H")->monitor = 3;
    t.find("C1V")->monitor = 4;
    ASSERT_TRUE(opAdd(t, "C1H", "C1V", "S"));
    EXPECT_EQ(t.find("S")->monAt(100), 2);
    EXPECT_EQ(t.find("S")->monitor, 7);
    EXPECT_EQ(t.find("S")->typeY, "single");

    ASSERT_TRUE(opSub(t, "C1H", "C1H", "D"));
    EXPECT_EQ(t.find("D")->valueAt(7), 0);
    EXPECT_EQ(t.find("D")->monAt(7), 1);
    EXPECT_EQ(t.find("D")->monitor, 3);

    t.find("C1V")->setValueAt(5, 0, 0, 0);
    ASSERT_TRUE(opDiv(t, "C1H", "C1V", "Q"));
    EXPECT_EQ(t.find("Q")->valueAt(5), 0);
    EXPECT_EQ(t.find("Q")->valueAt(6), 1);

    ASSERT_TRUE(opMult(t, "C1H", "C1V", "M"));
    EXPECT_EQ(t.find("M")->monitor, 3);

    // In place: A = A + B.
    ASSERT_TRUE(opAdd(t, "C1H", "C1V", "C1H"));
    EXPECT_EQ(t.find("C1H")->valueAt(6), 0.00002);
}

TEST(StoreOps, RefusalsChangeNothing) {
    TestBench tb;
    spectlist& t = tb.wb->spectres2D;
    EXPECT_FALSE(opAdd(t, "ACUP", "PROJ", "R"));
    EXPECT_EQ(t.indexOf("R"), -1);
    EXPECT_FALSE(opSub(t, "ACUP", "nothing", "R"));
    EXPECT_FALSE(opScalMult(t, "ACUP", "R", 0));
    EXPECT_FALSE(opScalDiv(t, "ACUP", "R", 0));
    EXPECT_FALSE(opSqrt(t, "nothing", "R"));
    EXPECT_EQ(t.indexOf("R"), -1);
}

TEST(StoreOps, ScalarOperationsAndMonitors) {
    TestBench tb;
    spectlist& t = tb.wb->spectres2D;
    t.find("ACUP")->monitor = 10;
    ASSERT_TRUE(opScalSub(t, "ACUP", "R", 1));
    EXPECT_EQ(t.find("R")->monitor, 0);
    EXPECT_EQ(t.find("R")->valueAt(64, 64), 99);
    ASSERT_TRUE(opScalMult(t, "ACUP", "R", 2));
    EXPECT_EQ(t.find("R")->monitor, 20);
    EXPECT_EQ(t.find("R")->monAt(1, 1), 2);
    ASSERT_TRUE(opScalDiv(t, "ACUP", "R", 4));
    EXPECT_EQ(t.find("R")->monAt(1, 1), 0.25);
    ASSERT_TRUE(opScalAdd(t, "ACUP", "R", 1));
    EXPECT_EQ(t.find("R")->monitor, 10);
    t.find("ACUP")->setValueAt(0, 0, 0, -4);
    ASSERT_TRUE(opSqrt(t, "ACUP", "R"));
    EXPECT_TRUE(std::isnan(t.find("R")->valueAt(0, 0)));
    EXPECT_EQ(t.find("R")->valueAt(64, 64), 10);
    // The result takes the operand's sizes when it existed with others.
    ASSERT_TRUE(opScalAdd(t, "PROJ", "R", 0));
    EXPECT_EQ(t.find("R")->nx, 32);
    EXPECT_EQ(t.find("R")->pointCount(), 32u * 32u);
}

TEST(StoreOps, Integral1D) {
    spectre c;
    c.typeX = "raw";
    c.resize(10, 1, 1);
    for (int i = 0; i < 10; ++i) {
        c.setValueAt(i, 0, 0, 1 << i);
        c.setXAt(i, 0, 0, 0.1 * i);
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* type;
        double from, to, sum;
    } cases[] = {
        {"raw", 1.5, 3.5, 4 + 8 + 16}, {"raw", 3, 1, 0},     {"raw", -5, 1, 1 + 2},
        {"raw", 8, 1e15, 256 + 512},   {"raw", 1e300, 1e301, 0}, {"raw", nan, 3, 0},
        {"raw", 0, nan, 0},            {"q", 0.15, 0.35, 4 + 8}, {"q", 0.35, 0.15, 0},
    };
    for (const Case& k : cases) {
        c.typeX = k.type;
        EXPECT_EQ(integral1D(c, k.from, k.to), k.sum) << k.type << " " << k.from << " " << k.to;
    }
}

TEST(StoreOps, TotalAndValueRange) {
    TestBench tb;
    const auto range = valueRange(*tb.wb->spectres2D.find("ACUP"));
    ASSERT_TRUE(range);
    EXPECT_NEAR(range->first, 44.08, 0.005);
    EXPECT_EQ(range->second, 100);
    spectre empty;
    EXPECT_FALSE(valueRange(empty));
    EXPECT_NEAR(total(*tb.wb->spectres1D.find("PH")), 512 * 0.00001, 1e-15);
}

} // namespace
} // namespace ombrelune
