#include "errors/errors.hpp"
#include "proc2d/stacks.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::TestBench;

// 2 × 3 pixels, three slices whose upper edges are z = 1, 3, 4.
spectre threeSliceStack() {
    spectre s;
    s.name = "S";
    s.resize(2, 3, 3);
    s.clear();
    const double edges[] = {1, 3, 4};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k)
                s.setPointAt(i, j, k, {7, double(i), double(j), edges[k], 100.0 * k + 10 * i + j});
    s.monitor = 1000;
    s.comment = "pile";
    s.typeX = "raw";
    s.typeY = "raw";
    s.typeZ = "lambda";
    s.setExpCond("T", 300);
    return s;
}

double condition(const spectre& s, const std::string& name) {
    for (const expCond& c : s.expConds)
        if (c.name == name) return c.value;
    return std::nan("");
}

TEST(StackSlice, MonitorModes) {
    struct Case {
        const char* mode;
        double slice, monitor, normMode, lt;
    } cases[] = {
        {"norm/inter", 2, 500, 2, 3}, // 1000 × (3 − 1) / 4
        {"norm/inter", 1, 250, 2, 1}, // the first slice starts at 0
        {"norm/nombre", 3, 1000.0 / 3, 1, 4},
        {"Norm/nombre", 3, 1000, 0, 4}, // modes are compared exactly
        {"", 2.5, 1000, 0, 3},          // 2.5 rounds to 2
    };
    for (const Case& c : cases) {
        const spectre image = stackSlice(threeSliceStack(), "IM", c.slice, c.mode);
        const int k = static_cast<int>(std::nearbyint(c.slice)) - 1;
        EXPECT_EQ(image.monitor, c.monitor) << c.mode;
        EXPECT_EQ(condition(image, "NormMoniteur"), c.normMode) << c.mode;
        EXPECT_EQ(condition(image, "lt"), c.lt) << c.mode;
        EXPECT_EQ(condition(image, "T"), 300);
        EXPECT_EQ(image.expConds.front().name, "T");
        ASSERT_EQ(image.nx, 2);
        ASSERT_EQ(image.nz, 1);
        EXPECT_EQ(image.valueAt(1, 2), 100.0 * k + 12);
        EXPECT_EQ(image.zAt(1, 2), c.lt);
        EXPECT_EQ(image.monAt(1, 2), 1); // not copied
        EXPECT_EQ(image.typeZ, "lambda");
        EXPECT_EQ(image.comment, "pile");
    }
}

TEST(StackSlice, RefusesSlicesOutsideTheStack) {
    for (double slice : {0.0, 4.0, 0.5, std::nan(""), -1e300})
        EXPECT_THROW(stackSlice(threeSliceStack(), "IM", slice, ""), ERefused) << slice;
}

TEST(NormaliseToMonitor, ScalesValuesAndMonitor) {
    TestBench tb;
    Workbench& wb = *tb.wb;
    spectre& acup = *wb.spectres2D.find("ACUP");
    acup.monitor = 2e5;
    const double before = acup.valueAt(64, 64);
    normaliseToMonitor(wb, 1e6, "ACUP", "N");
    const spectre& n = *wb.spectres2D.find("N");
    EXPECT_EQ(n.valueAt(64, 64), 5 * before);
    EXPECT_EQ(n.monAt(64, 64), 5);
    EXPECT_EQ(n.monitor, 1e6);
    EXPECT_TRUE(tb.journalLines().empty());
}

TEST(NormaliseToMonitor, RefusalsLeaveTheDestinationAlone) {
    struct Case {
        double target, sourceMonitor;
        const char* source;
        const char* line;
    } cases[] = {
        {1e6, 2e5, "NONE", "!! echec normalisation :NONE non trouvé"},
        {1e6, 0, "ACUP", "!! echec normalisation :ACUP moniteur nul"},
        {0, 2e5, "ACUP", "!! echec normalisation :ACUP facteur 0 refusé"},
        {1e308, 1e-308, "ACUP", "!! echec normalisation :ACUP facteur INF refusé"},
    };
    for (const Case& c : cases) {
        TestBench tb;
        Workbench& wb = *tb.wb;
        wb.spectres2D.find("ACUP")->monitor = c.sourceMonitor;
        spectre& dest = *wb.spectres2D.find("ACDOWN");
        dest.monitor = 42;
        const double value = dest.valueAt(3, 4);
        normaliseToMonitor(wb, c.target, c.source, "ACDOWN");
        EXPECT_EQ(tb.journalLines(), std::vector<std::string>{c.line});
        EXPECT_EQ(dest.monitor, 42);
        EXPECT_EQ(dest.valueAt(3, 4), value);
        EXPECT_EQ(dest.monAt(3, 4), 1);
    }
}

} // namespace
} // namespace ombrelune
