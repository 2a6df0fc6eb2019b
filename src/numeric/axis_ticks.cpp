#include "numeric/axis_ticks.hpp"

#include "numeric/number_text.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

namespace {

// "-0.0" is what a tick a rounding error below 0 would show; it is 0.
void dropSignOfZero(std::string& text) {
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.,") == std::string::npos)
        text.erase(0, 1);
}

// Collects the ticks of one walk with their labels.
class TickWalk {
public:
    TickWalk(const AxisState& axis, const AxisSteps& steps, char decimalSeparator)
        : axis_(axis), separator_(decimalSeparator),
          limit_(static_cast<std::size_t>(2 * std::max(steps.MaxSteps, 0) + 2)),
          end_(axis.Max + 0.001 * (axis.Max - axis.Min)) {
        result.LabelDecimals = axis.LabelDecimals;
    }

    AxisTicks result;

    // False once the walk is over: t reaches the end, or the walk has all the ticks allowed.
    bool goesOn(double t) const { return t < end_ && result.ticks.size() < limit_; }

    void setDecimals(int decimals) {
        if (axis_.AutoLabelDecimals) result.LabelDecimals = std::max(0, decimals);
    }

    void add(double t, bool gridLine, bool labelled) {
        AxisTick tick;
        tick.value = t;
        tick.gridLine = gridLine;
        // The last ticks of the walk are always named, so the top of the axis reads.
        tick.labelled = labelled || end_ - t < axis_.StepSize;
        if (tick.labelled)
            tick.label = tickLabel(t, axis_.Max - axis_.Min, result.LabelDecimals, separator_);
        result.ticks.push_back(std::move(tick));
    }

private:
    const AxisState& axis_;
    char separator_;
    std::size_t limit_;
    double end_;
};

void linearTicks(const AxisState& axis, TickWalk& walk) {
    const double s = axis.StepSize;
    if (!(s > 0) || !std::isfinite(s)) return;
    double t0 = std::trunc((axis.Min + 0.01 * s) / s) * s;
    if (axis.Min < 0) t0 -= s;
    if (axis.Min > t0 + 0.01 * s) t0 += s;
    walk.setDecimals(labelDecimalsFor(1.01 * s));
    // Each tick is computed from the first, never by adding steps up, so that rounding
    // cannot pile up and a step too small to move a tick cannot hold the walk.
    for (std::size_t k = 0;; ++k) {
        const double t = t0 + static_cast<double>(k) * s;
        if (!walk.goesOn(t)) break;
        walk.add(t, !(k == 0 && t < axis.Min + 0.01 * s), true);
    }
}

void logarithmicTicks(const AxisState& axis, TickWalk& walk) {
    const auto multipliers = decadeMultipliers(axis.divisionCode);
    // The walk uses the multipliers below 10; 10 itself is the next decade's 1.
    const std::size_t perDecade = multipliers.size() - 1;
    double c = chartLog10(axis.Min);
    if (c < 0) c -= 1;
    double base = chartPow10(std::trunc(1.001 * c));
    if (base > axis.Min) base /= 10;
    if (!(base > 0) || !std::isfinite(base)) return;
    const int extraDecimal = axis.divisionCode > 4 ? 1 : 0;
    std::size_t i = 0;
    const auto nextMultiplier = [&] {
        if (++i < perDecade) return;
        i = 0;
        base *= 10;
    };
    // The decade base lies at most a few decades below Min.
    for (int skipped = 0; base * multipliers[i] < 0.999 * axis.Min && skipped < 64; ++skipped)
        nextMultiplier();
    bool first = true;
    for (;;) {
        const double t = base * multipliers[i];
        if (!walk.goesOn(t)) break;
        if (i == 0 || first) walk.setDecimals(labelDecimalsFor(1.01 * base) + extraDecimal);
        walk.add(t, true, i == 0 || axis.labelIntermediateTicks);
        first = false;
        nextMultiplier();
    }
}

} // namespace

int labelDecimalsFor(double v) {
    const double l = chartLog10(1.01 * v);
    return l >= 0 ? -static_cast<int>(std::trunc(l)) : 1 - static_cast<int>(std::trunc(l));
}

std::string tickLabel(double v, double range, int decimals, char decimalSeparator) {
    const double a = std::fabs(v);
    if (a >= 0.001 * range && (a <= 9.99e-4 || a >= 9999))
        return scientificTwoDigits(v, decimalSeparator);
    std::string text = fixedText(v, decimals, decimalSeparator);
    if (integerDigits(text, decimalSeparator) > 5) return scientificTwoDigits(v, decimalSeparator);
    dropSignOfZero(text);
    return text;
}

AxisTicks axisTicks(const AxisState& axis, const AxisSteps& steps, char decimalSeparator) {
    TickWalk walk(axis, steps, decimalSeparator);
    if (!(axis.Min < axis.Max) || !std::isfinite(axis.Min) || !std::isfinite(axis.Max))
        return walk.result;
    if (axis.LogScale && !axis.linearTicks) {
        if (axis.Min > 0) logarithmicTicks(axis, walk);
    } else {
        linearTicks(axis, walk);
    }
    return std::move(walk.result);
}

} // namespace ombrelune
