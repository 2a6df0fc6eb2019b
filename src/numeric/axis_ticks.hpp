#pragma once
// The ticks of a scaled axis: where they fall, which carry a grid line and a label, and the
// label texts. The chart only draws what these functions return.

#include "numeric/axis_scale.hpp"

#include <string>
#include <vector>

namespace ombrelune {

struct AxisTick {
    double value = 0;
    bool gridLine = true; // the first tick on the axis line itself gets none
    bool labelled = true;
    std::string label; // empty when not labelled
};

struct AxisTicks {
    std::vector<AxisTick> ticks;
    int LabelDecimals = 0; // the decimals in force after the walk (what the axis keeps)
};

// Decimals of the labels for a step or decade value v: -trunc(log10(1.01 v)) when that
// logarithm is >= 0, else 1 - trunc(log10(1.01 v)).
int labelDecimalsFor(double v);

// The text of a tick value on an axis spanning `range` (Max - Min): two-digit scientific form
// for large or tiny values (1.0E+4, 2.5E-5), otherwise fixed with `decimals` decimals (and
// scientific again when that would need more than five integer digits).
std::string tickLabel(double v, double range, int decimals, char decimalSeparator);

// The ticks from the first one up to, not including, Max + 0.001 (Max - Min); at most
// 2 * MaxSteps + 2 of them, so that no range or step can make the walk endless. An axis whose
// bounds or step cannot be ticked (Min >= Max, a step that is not positive, a logarithmic
// axis reaching 0) gets none.
AxisTicks axisTicks(const AxisState& axis, const AxisSteps& steps, char decimalSeparator);

} // namespace ombrelune
