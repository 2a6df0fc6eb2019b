#include "errors/errors.hpp"
#include "numeric/axis_scale.hpp"
#include "numeric/axis_ticks.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

std::vector<std::string> labels(const AxisTicks& t) {
    std::vector<std::string> out;
    for (const AxisTick& tick : t.ticks) out.push_back(tick.labelled ? tick.label : "-");
    return out;
}

// Powers of ten computed with the ten-digit constant are off from the ninth digit on.
double close(double expected) {
    return 1e-8 * std::fmax(1, std::fabs(expected));
}

AxisState automatic(bool logScale) {
    AxisState axis;
    axis.AutoSizing = true;
    axis.AutoStepping = true;
    axis.LogScale = logScale;
    return axis;
}

TEST(AxisScale, DataRangesGiveTheirAxes) {
    struct Case {
        const char* what;
        std::vector<double> data;
        bool logScale;
        double min, max, step;
        std::vector<std::string> labels;
    };
    // 10 computed with the ten-digit constant is 10.0000000055; steps and decades inherit it.
    const double ten = std::exp(1 / 0.4342944818);
    const Case cases[] = {
        // 10 / 2.0000000011 falls just short of 5 steps, so the step is 1, not 2.
        {"0.3 to 9.7",
         {0.3, 9.7},
         false,
         0,
         10,
         ten / 10,
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"0 to 5", {0, 5}, false, -1, 6, 1, {"-1", "0", "1", "2", "3", "4", "5", "6"}},
        {"single point 3",
         {3},
         false,
         0,
         3.5,
         0.5,
         {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5"}},
        {"single point -3",
         {-3},
         false,
         -3.6,
         0,
         0.5,
         {"-3.5", "-3.0", "-2.5", "-2.0", "-1.5", "-1.0", "-0.5", "0.0"}},
        {"single point 0",
         {0},
         false,
         -1,
         1,
         0.2,
         {"-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {"large values",
         {12000, 48000},
         false,
         10000,
         50000,
         5000,
         {"1.0E+4", "1.5E+4", "2.0E+4", "2.5E+4", "3.0E+4", "3.5E+4", "4.0E+4", "4.5E+4",
          "5.0E+4"}},
        {"log 2 to 50", {2, 50}, true, 2, 5 * ten, 0.2, {"2", "5", "10", "20", "50"}},
        {"log 0.001 to 1",
         {0.001, 1},
         true,
         1 / (ten * ten * ten),
         1,
         0.2,
         {"0.001", "0.01", "0.1", "1"}},
        {"log 1 to 3, ticked linearly",
         {1, 3},
         true,
         0.8,
         3.2,
         0.2,
         {"0.8", "1.0", "1.2", "1.4", "1.6", "1.8", "2.0", "2.2", "2.4", "2.6", "2.8", "3.0",
          "3.2"}},
    };
    const AxisSteps steps;
    for (const Case& c : cases) {
        AxisState axis = automatic(c.logScale);
        DataExtent extent;
        extent.include(c.data);
        scaleAxis(axis, extent, steps);
        EXPECT_NEAR(axis.Min, c.min, close(c.min)) << c.what;
        EXPECT_NEAR(axis.Max, c.max, close(c.max)) << c.what;
        if (!c.logScale || axis.linearTicks) {
            EXPECT_NEAR(axis.StepSize, c.step, close(c.step)) << c.what;
        }
        EXPECT_EQ(labels(axisTicks(axis, steps, '.')), c.labels) << c.what;
    }
}

TEST(AxisScale, LogarithmicDivisionsAndLabels) {
    const AxisSteps steps;
    AxisState axis = automatic(true);
    DataExtent extent;
    extent.include(2);
    extent.include(50);
    scaleAxis(axis, extent, steps);
    EXPECT_EQ(axis.divisionCode, 2);
    EXPECT_TRUE(axis.labelIntermediateTicks);
    EXPECT_FALSE(axis.linearTicks);

    // Six decades with the finest divisions: only the decades are labelled, and each decade's
    // labels take that decade's decimals (one more when the code is above 4).
    AxisState fine;
    fine.LogScale = true;
    fine.Min = 0.01;
    fine.Max = 1000;
    fine.LogCycleDivisions = 6; // kept as 5: 1, 1.5, 2, 3, 5, 7
    fine.StepSize = 0;
    scaleAxis(fine, extent, steps); // bounds set by hand stay
    EXPECT_EQ(fine.divisionCode, 5);
    EXPECT_FALSE(fine.labelIntermediateTicks);
    const AxisTicks ticks = axisTicks(fine, steps, ',');
    ASSERT_EQ(ticks.ticks.size(), 5u * 6 + 1);
    EXPECT_EQ(ticks.ticks[0].label, "0,010");
    EXPECT_FALSE(ticks.ticks[1].labelled);
    EXPECT_EQ(ticks.ticks[6].label, "0,10");
    EXPECT_EQ(ticks.ticks[12].label, "1,0");
    EXPECT_EQ(ticks.ticks[30].label, "1000");
    EXPECT_EQ(ticks.LabelDecimals, 0);

    const int kept[] = {0, 1, 2, 2, 5, 5, 5, 7, 7, 9};
    for (int code = 0; code < 10; ++code) {
        EXPECT_EQ(keptDivisionCode(code), kept[code]);
        EXPECT_EQ(decadeMultipliers(code).front(), 1);
        EXPECT_EQ(decadeMultipliers(code).back(), 10);
    }
    EXPECT_EQ(decadeMultipliers(9).size(), 11u);
}

TEST(AxisScale, LogarithmicAxisNeverGetsAZeroMinimum) {
    // Short ranges are scaled by the linear rule, whose snap to 0 would put log 0 on the axis.
    const double ranges[][2] = {{0.3497320891558891, 1.398714041246476}, {5, 5}, {1e-9, 2e-9}};
    for (const auto& r : ranges) {
        AxisState axis = automatic(true);
        DataExtent extent;
        extent.include(r[0]);
        extent.include(r[1]);
        scaleAxis(axis, extent, AxisSteps{});
        EXPECT_GT(axis.Min, 0) << r[0];
        EXPECT_LT(axis.Min, r[0]) << r[0];
        EXPECT_GE(axis.Max, r[1]) << r[0];
    }
    // Data that are not all positive leave a logarithmic axis as it was.
    AxisState axis = automatic(true);
    axis.Min = 3;
    axis.Max = 300;
    DataExtent extent;
    extent.include(-1);
    extent.include(50);
    scaleAxis(axis, extent, AxisSteps{});
    EXPECT_EQ(axis.Min, 3);
    EXPECT_EQ(axis.Max, 300);
}

TEST(AxisScale, AxisWithoutDataKeepsConsistentBounds) {
    struct Case {
        bool logScale;
        double min, max;
        double newMin, newMax;
    };
    const Case cases[] = {
        {false, 0, 0, -1, 1}, {false, 4, 4, 0, 4},  {false, -4, -4, -4, 0}, {false, 5, 2, 2, 5},
        {true, 20, 2, 2, 20}, {true, -5, 0, 1, 10}, {true, -5, 50, 5, 50},  {true, 0, 0, 1, 10},
    };
    for (const Case& c : cases) {
        AxisState axis = automatic(c.logScale);
        axis.Min = c.min;
        axis.Max = c.max;
        DataExtent none;
        none.include(NAN); // only finite values count: this is still no data
        none.include(INFINITY);
        scaleAxis(axis, none, AxisSteps{});
        EXPECT_EQ(axis.Min, c.newMin) << c.min << " " << c.max;
        EXPECT_EQ(axis.Max, c.newMax) << c.min << " " << c.max;
        if (!c.logScale) {
            EXPECT_EQ(axis.StepSize, GetStep(axis.Min, axis.Max, AxisSteps{}));
        }
    }
}

TEST(AxisScale, ExtentIgnoresNonFiniteValuesAndHonoursMinScaleLength) {
    DataExtent extent;
    extent.include(std::vector<double>{NAN, 2, -INFINITY, 7, INFINITY});
    ASSERT_FALSE(extent.empty());
    EXPECT_EQ(extent.lo(), 2);
    EXPECT_EQ(extent.hi(), 7);

    AxisState axis = automatic(false);
    axis.MinScaleLength = 100;
    scaleAxis(axis, extent, AxisSteps{});
    EXPECT_LE(axis.Min, 2);
    EXPECT_GE(axis.Max, 102);
}

TEST(AxisScale, ErrorsCarryTheirMessages) {
    AxisState axis = automatic(false);
    const AxisSteps steps;
    const double lo = 45569.31072;
    struct Case {
        std::function<void()> call;
        const char* message;
    };
    const Case cases[] = {
        {[&] { GetStep(1, 1, steps); }, "GetStep entered with bad range"},
        {[&] { GetStep(2, 1, steps); }, "GetStep entered with bad range"},
        {[&] { GetStep(-1e308, 1e308, steps); }, "GetStep entered with bad range"},
        {[&] { SetMinMax(axis, 5, 2, steps); }, "Impossible: oMin > oMax in SetMinMax!"},
        // A range of one unit in the last place has no steps to align to.
        {[&] { SetMinMax(axis, lo, std::nextafter(lo, 1e9), steps); }, "SetMinMax failed"},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.message << ": nothing raised";
        } catch (const ENumericError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(AxisScale, StepsAndManualBounds) {
    const AxisSteps steps;
    struct Case {
        double a, b, step;
    };
    const Case cases[] = {{0, 3.6, 0.5}, {-1, 6, 1}, {0, 0.07, 0.01}, {100, 400, 50}};
    for (const Case& c : cases) EXPECT_NEAR(GetStep(c.a, c.b, steps), c.step, close(c.step)) << c.b;

    // A step set by hand is kept unless it would give more than MaxSteps steps.
    AxisState axis;
    axis.AutoSizing = true;
    axis.StepSize = 2;
    SetMinMax(axis, 0.5, 9.5, steps);
    EXPECT_EQ(axis.StepSize, 2);
    EXPECT_EQ(axis.Min, 0);
    EXPECT_EQ(axis.Max, 10);
    axis.StepSize = 0.001;
    SetMinMax(axis, 0.5, 9.5, steps);
    EXPECT_EQ(axis.StepSize, 1);

    // Bounds set by hand (a zoom) stay; an automatic step follows them.
    AxisState zoomed;
    zoomed.AutoStepping = true;
    zoomed.Min = 2;
    zoomed.Max = 2.5;
    DataExtent extent;
    extent.include(0);
    extent.include(100);
    scaleAxis(zoomed, extent, steps);
    EXPECT_EQ(zoomed.Min, 2);
    EXPECT_EQ(zoomed.Max, 2.5);
    EXPECT_NEAR(zoomed.StepSize, 0.1, close(0.1));
}

TEST(AxisTicks, WalkIsBoundedAndLabelsAreClean) {
    const AxisSteps steps;
    // A step far too small for the range: the walk stops after 2 * MaxSteps + 2 ticks.
    AxisState axis;
    axis.Min = 0;
    axis.Max = 1e6;
    axis.StepSize = 1e-3;
    EXPECT_EQ(axisTicks(axis, steps, '.').ticks.size(), 102u);
    // A step that cannot move a tick at this magnitude.
    axis.Min = 1e17;
    axis.Max = 1e17 + 1e3;
    axis.StepSize = 1;
    EXPECT_EQ(axisTicks(axis, steps, '.').ticks.size(), 102u);
    // Nothing to tick.
    for (double step : {0.0, -1.0, std::nan("")}) {
        axis.StepSize = step;
        EXPECT_TRUE(axisTicks(axis, steps, '.').ticks.empty());
    }
    axis.Min = axis.Max = 3;
    axis.StepSize = 1;
    EXPECT_TRUE(axisTicks(axis, steps, '.').ticks.empty());

    struct Label {
        double v, range;
        int decimals;
        char separator;
        const char* text;
    };
    const Label cases[] = {
        {2.5e-5, 1e-4, 6, '.', "2.5E-5"},  {-1.2e4, 1e5, 0, ',', "-1,2E+4"},
        {0.5, 1, 1, ',', "0,5"},           {-1e-17, 1, 1, '.', "0.0"}, // never "-0.0"
        {123456.0, 1e9, 0, '.', "1.2E+5"}, {1e-6, 10, 2, '.', "0.00"}, // tiny beside the range
    };
    for (const Label& l : cases)
        EXPECT_EQ(tickLabel(l.v, l.range, l.decimals, l.separator), l.text) << l.v;
}

} // namespace
} // namespace ombrelune
