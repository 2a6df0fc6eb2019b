#pragma once
// How a chart axis chooses its range, its tick step and, on a logarithmic axis, the
// multipliers of each decade, from its settings and the extent of the data plotted against
// it. Pure computations: the chart gathers the extent, calls scaleAxis, then draws what
// axisTicks returns.
//
// Decimal logarithms and powers of ten use the ten-digit constant 0.4342944818 everywhere,
// so a computed power of ten may differ from the exact one in its last digits (10 comes out
// as 10.0000000055); the ranges and steps below inherit that on purpose, as users have always
// seen them.

#include <span>

namespace ombrelune {

// Settings of one axis and the scale derived from them. Min, Max, StepSize and the derived
// fields are rewritten by scaleAxis.
struct AxisState {
    double Min = 0;
    double Max = 1;
    double StepSize = 0.2;
    bool AutoSizing = false;
    bool AutoStepping = false;
    bool LogScale = false;
    int LogCycleDivisions = 0; // the user's choice of decade divisions, 0..9
    bool AutoLabelDecimals = true;
    int LabelDecimals = 1;
    double MinScaleLength = 0;

    // Derived: the division code in use on a logarithmic axis (0, 1, 2, 5, 7 or 9), whether
    // its intermediate ticks are labelled, and whether a short logarithmic range is ticked
    // as a linear one.
    int divisionCode = 0;
    bool labelIntermediateTicks = true;
    bool linearTicks = false;
};

// The chart's appearance limits on the number of steps of an axis.
struct AxisSteps {
    int MinSteps = 5;
    int MaxSteps = 50;
};

// The smallest and largest coordinate plotted against an axis. Only finite values count, so
// a NaN or an infinity in a series never reaches the scaling.
class DataExtent {
public:
    void include(double v);
    void include(std::span<const double> values);
    bool empty() const { return empty_; }
    double lo() const { return lo_; }
    double hi() const { return hi_; }

private:
    bool empty_ = true;
    double lo_ = 0;
    double hi_ = 0;
};

// log10 v and 10^p as the chart computes them, with the ten-digit constant.
double chartLog10(double v);
double chartPow10(double p);

// The tick step for [a, b]: the first of m, m/2, m/5, m/10, m/20, m/50 (m the power of ten
// of the range) giving at least MinSteps steps, else m/100.
// Raises ENumericError "GetStep entered with bad range" when b - a is not positive and finite.
double GetStep(double a, double b, const AxisSteps& steps);

// Min, Max and StepSize of a linear axis for data from lo to hi.
// Raises "Impossible: oMin > oMax in SetMinMax!" when lo > hi and "SetMinMax failed" when no
// finite range with Min < Max results.
void SetMinMax(AxisState& axis, double lo, double hi, const AxisSteps& steps);

// Min, Max and the division code of a logarithmic axis for data from lo to hi; nothing
// changes unless lo > 0.
void logarithmicSizing(AxisState& axis, double lo, double hi, const AxisSteps& steps);

// The division code kept for a requested number of divisions (0..9), and its multipliers of
// one decade, from 1 to 10.
int keptDivisionCode(int logCycleDivisions);
std::span<const double> decadeMultipliers(int divisionCode);

// Everything an axis does before a redraw: the rules for an axis without data when the
// extent is empty, the automatic sizing when AutoSizing is on, and otherwise the step (with
// AutoStepping) and the logarithmic divisions of the bounds as set.
void scaleAxis(AxisState& axis, const DataExtent& extent, const AxisSteps& steps);

} // namespace ombrelune
