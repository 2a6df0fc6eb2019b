#pragma once
// TAxis: the settings of one chart axis (its range and tick rules live in AxisState, shared
// with the scaling functions), and AxisMap: how data along a scaled axis map to pixels of
// the chart and back.

#include "numeric/axis_scale.hpp"

#include <cmath>
#include <string>

namespace ombrelune {

enum class AxisOffsetType { ao_Minimum, ao_Maximum, ao_percentage, ao_absolute };

struct TAxis : AxisState {
    std::string Title;
    bool ShowAxis = true;
    bool Reversed = false;
    bool Gridlines = true;
    AxisOffsetType OffsetType = AxisOffsetType::ao_Minimum;
    double Offset = 0;
    bool ShowAsTime = false;
    std::string DateTimeFormat = "dd-mmm";

    // Whether the bounds can be mapped to pixels: Min below Max, both finite, and on a
    // logarithmic axis Min positive.
    bool scalable() const;
};

// Pixels beyond this distance from the plot area's edge are drawn at this distance.
inline constexpr double pixelLimit = 20000;

// The mapping of one scaled axis onto a pixel extent. Horizontal axes grow to the right
// from the left edge of the plot area; vertical axes grow upwards from its bottom.
class AxisMap {
public:
    AxisMap() = default;
    // `start` is the left edge (horizontal) or the top edge (vertical) of the plot area and
    // `extent` its width or height. The axis must be scalable().
    AxisMap(const TAxis& axis, double start, double extent, bool vertical);

    // Pixels per data unit (per unit of natural logarithm on a logarithmic axis); a scale
    // found to be 0 is taken as 1.
    double scale() const { return scale_; }
    bool logarithmic() const { return log_; }

    // The pixel of a data value, rounded to whole pixels of a device with `resolution`
    // device pixels per chart pixel, and held within pixelLimit of the edge it is measured
    // from. On a logarithmic axis a value <= 0 lies at Min.
    double toPixel(double v, double resolution = 1) const {
        return start_ + roundHalfEvenSmall(offset(v) * resolution) / resolution;
    }

    // The nearest integer, halves to even, of |v| < 2^51: adding and taking away 1.5 * 2^52
    // leaves the fraction to the processor's rounding, as nearbyint does, without a library
    // call (the program is never built with value-changing optimisations).
    static double roundHalfEvenSmall(double v) {
        constexpr double shift = 6755399441055744.0; // 1.5 * 2^52
        return (v + shift) - shift;
    }
    // The data value at a pixel, and at a distance from the edge (the inverse of offset).
    double fromPixel(double pixel) const;
    double valueAtOffset(double distance) const { return fromPixel(start_ + distance); }

    // The unrounded distance in pixels from the edge (before the limit): what toPixel
    // rounds. Monotonic in v, so the order of values is the order of their pixels.
    double offset(double v) const {
        double u = log_ ? (v > 0 ? std::log(v) : lowest_) : v;
        double p = vertical_ ? (ref_ - u) * scale_ : (u - ref_) * scale_;
        if (!(p >= -pixelLimit)) p = std::isnan(p) ? 0 : -pixelLimit;
        if (p > pixelLimit) p = pixelLimit;
        return p;
    }

private:
    double start_ = 0;
    double scale_ = 1;
    double ref_ = 0;    // Min (horizontal) or Max (vertical), as a logarithm on a log axis
    double lowest_ = 0; // ln Min on a logarithmic axis: where values <= 0 lie
    bool log_ = false;
    bool vertical_ = false;
};

} // namespace ombrelune
