#include "numeric/axis_scale.hpp"

#include "errors/errors.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace ombrelune {

namespace {

constexpr double log10e = 0.4342944818;

constexpr std::array<double, 2> divisions0{1, 10};
constexpr std::array<double, 3> divisions1{1, 5, 10};
constexpr std::array<double, 4> divisions2{1, 2, 5, 10};
constexpr std::array<double, 7> divisions5{1, 1.5, 2, 3, 5, 7, 10};
constexpr std::array<double, 9> divisions7{1, 1.5, 2, 3, 4, 5, 6, 8, 10};
constexpr std::array<double, 11> divisions9{1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6, 8, 10};

// The code that gives about MinSteps ticks over the decades from lo to hi.
int automaticDivisionCode(double lo, double hi, const AxisSteps& steps) {
    const double t = steps.MinSteps / chartLog10(hi / lo);
    if (t > 10) return 9;
    if (t > 8) return 7;
    if (t > 6) return 5;
    if (t > 3) return 2;
    if (t > 2) return 1;
    return 0;
}

void chooseDivisionCode(AxisState& axis, const AxisSteps& steps) {
    axis.divisionCode = axis.AutoStepping ? automaticDivisionCode(axis.Min, axis.Max, steps)
                                          : keptDivisionCode(axis.LogCycleDivisions);
}

void labelIntermediateTicksIfFew(AxisState& axis) {
    axis.labelIntermediateTicks = chartLog10(axis.Max / axis.Min) * axis.divisionCode < 10;
}

// Largest multiplier not above m, and smallest not below m (the ends when none is).
double multiplierBelow(std::span<const double> table, double m) {
    double found = table.front();
    for (double x : table)
        if (x <= m) found = x;
    return found;
}
double multiplierAbove(std::span<const double> table, double m) {
    for (double x : table)
        if (x >= m) return x;
    return table.back();
}

// Bounds and step when the data are a single value.
void singleValueRange(AxisState& axis, double v, const AxisSteps& steps) {
    if (v == 0) {
        axis.Min = -1;
        axis.Max = 1;
        axis.StepSize = GetStep(-1, 1, steps);
        return;
    }
    axis.Min = v > 0 ? 0 : 1.2 * v;
    axis.Max = v > 0 ? 1.2 * v : 0;
    axis.StepSize = GetStep(axis.Min, axis.Max, steps);
    axis.Max = std::trunc(axis.Max / axis.StepSize) * axis.StepSize;
}

// Bounds on whole steps around lo..hi, snapped to 0 when the data sit far from it (unless the
// axis is logarithmic, where 0 has no place).
void stepAlignedRange(AxisState& axis, double lo, double hi, const AxisSteps& steps,
                      bool logarithmic) {
    double s = axis.StepSize;
    if (axis.AutoStepping || !(s > 0) || s / (hi - lo) < 1.0 / steps.MaxSteps)
        s = GetStep(lo, hi, steps);
    double min = std::trunc(lo / s) * s;
    if (lo < 0) min -= s;
    if (lo - 0.01 * s < min) min -= s;
    double max = std::trunc(hi / s) * s + s;
    if (hi < 0) max -= s;
    if (hi + 0.01 * s > max) max += s;
    if (lo > 0 && lo / (max - min) < 0.25) {
        if (!logarithmic) min = 0;
    } else if (hi < 0 && -hi / (max - min) < 0.25)
        max = 0;
    if (!(min < max) || !std::isfinite(min) || !std::isfinite(max))
        throw ENumericError("SetMinMax failed");
    axis.Min = min;
    axis.Max = max;
    axis.StepSize = s;
}

// The bounds of an axis that no active series uses, made consistent.
void axisWithoutData(AxisState& axis, const AxisSteps& steps) {
    if (axis.Min > axis.Max) std::swap(axis.Min, axis.Max);
    if (axis.LogScale) {
        if (axis.Max <= 0) {
            axis.Min = 1;
            axis.Max = 10;
        } else if (axis.Min <= 0) {
            axis.Min = axis.Max / 10;
        }
        axis.linearTicks = false;
        chooseDivisionCode(axis, steps);
        labelIntermediateTicksIfFew(axis);
        return;
    }
    if (axis.Min == axis.Max) {
        // Equal bounds open towards 0 from whichever side they lie on.
        const double b = axis.Max;
        axis.Min = b == 0 ? -1 : std::min(b, 0.0);
        axis.Max = b == 0 ? 1 : std::max(b, 0.0);
    }
    axis.StepSize = GetStep(axis.Min, axis.Max, steps);
}

// The linear rule, also used for short logarithmic ranges.
void linearRange(AxisState& axis, double lo, double hi, const AxisSteps& steps, bool logarithmic) {
    if (lo > hi) throw ENumericError("Impossible: oMin > oMax in SetMinMax!");
    if (lo == hi)
        singleValueRange(axis, lo, steps);
    else
        stepAlignedRange(axis, lo, hi, steps, logarithmic);
    if (axis.AutoStepping) axis.StepSize = GetStep(axis.Min, axis.Max, steps);
}

} // namespace

void DataExtent::include(double v) {
    if (!std::isfinite(v)) return;
    if (empty_) {
        lo_ = hi_ = v;
        empty_ = false;
        return;
    }
    lo_ = std::min(lo_, v);
    hi_ = std::max(hi_, v);
}

void DataExtent::include(std::span<const double> values) {
    for (double v : values) include(v);
}

double chartLog10(double v) {
    return std::log(v) * log10e;
}
double chartPow10(double p) {
    return std::exp(p / log10e);
}

double GetStep(double a, double b, const AxisSteps& steps) {
    const double d = b - a;
    if (!(d > 0) || !std::isfinite(d)) throw ENumericError("GetStep entered with bad range");
    double e = chartLog10(d);
    if (e < 0) e -= 1;
    const double m = chartPow10(std::trunc(e * 1.001));
    for (double divisor : {1.0, 2.0, 5.0, 10.0, 20.0, 50.0}) {
        const double step = m / divisor;
        if (steps.MinSteps <= d / step) return step;
    }
    return m / 100;
}

void SetMinMax(AxisState& axis, double lo, double hi, const AxisSteps& steps) {
    linearRange(axis, lo, hi, steps, false);
}

void logarithmicSizing(AxisState& axis, double lo, double hi, const AxisSteps& steps) {
    if (!(lo > 0)) return;
    // A single value gets the octave below it, so that the range is never empty.
    axis.Min = lo == hi ? hi / 2 : lo;
    axis.Max = hi;
    const double g = std::floor(chartLog10(axis.Min));
    const double lowMantissa = axis.Min / chartPow10(g);
    const double f = axis.Max == 1 ? -1 : std::floor(chartLog10(axis.Max));
    const double highMantissa = axis.Max / chartPow10(f);
    chooseDivisionCode(axis, steps);
    const double ratio = axis.Max / axis.Min;
    axis.linearTicks = ratio < 4;
    if (ratio < 4) {
        // From Min rather than lo, so that a single value keeps its octave below.
        linearRange(axis, axis.Min, axis.Max, steps, true);
    } else if (ratio < 30) {
        const auto table = decadeMultipliers(axis.divisionCode);
        axis.Min = chartPow10(g) * multiplierBelow(table, lowMantissa);
        axis.Max = chartPow10(f) * multiplierAbove(table, highMantissa);
    } else {
        axis.Min = chartPow10(g);
        axis.Max = chartPow10(f + 1);
    }
    if (axis.AutoStepping) axis.divisionCode = automaticDivisionCode(axis.Min, axis.Max, steps);
    if (axis.linearTicks)
        axis.labelIntermediateTicks = true;
    else
        labelIntermediateTicksIfFew(axis);
}

int keptDivisionCode(int logCycleDivisions) {
    static constexpr int kept[10] = {0, 1, 2, 2, 5, 5, 5, 7, 7, 9};
    return kept[std::clamp(logCycleDivisions, 0, 9)];
}

std::span<const double> decadeMultipliers(int divisionCode) {
    switch (keptDivisionCode(divisionCode)) {
    case 0:
        return divisions0;
    case 1:
        return divisions1;
    case 2:
        return divisions2;
    case 5:
        return divisions5;
    case 7:
        return divisions7;
    default:
        return divisions9;
    }
}

void scaleAxis(AxisState& axis, const DataExtent& extent, const AxisSteps& steps) {
    if (extent.empty()) {
        axisWithoutData(axis, steps);
        return;
    }
    const double lo = extent.lo();
    double hi = extent.hi();
    if (hi - lo < axis.MinScaleLength) hi = lo + axis.MinScaleLength;
    if (axis.AutoSizing) {
        if (axis.LogScale)
            logarithmicSizing(axis, lo, hi, steps);
        else
            SetMinMax(axis, lo, hi, steps);
        return;
    }
    // Bounds set by hand (a zoom): the step still follows them when it is automatic.
    if (axis.LogScale) {
        axis.linearTicks = false;
        if (axis.Min > 0 && axis.Max > axis.Min) {
            chooseDivisionCode(axis, steps);
            labelIntermediateTicksIfFew(axis);
        }
    } else if (axis.AutoStepping && axis.Min < axis.Max) {
        axis.StepSize = GetStep(axis.Min, axis.Max, steps);
    }
}

} // namespace ombrelune
