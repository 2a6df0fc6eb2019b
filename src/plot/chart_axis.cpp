#include "plot/chart_axis.hpp"

namespace ombrelune {

bool TAxis::scalable() const {
    return std::isfinite(Min) && std::isfinite(Max) && Min < Max && (!LogScale || Min > 0);
}

AxisMap::AxisMap(const TAxis& axis, double start, double extent, bool vertical)
    : start_(start), log_(axis.LogScale), vertical_(vertical) {
    const double lo = log_ ? std::log(axis.Min) : axis.Min;
    const double hi = log_ ? std::log(axis.Max) : axis.Max;
    scale_ = extent / (hi - lo);
    if (scale_ == 0 || !std::isfinite(scale_)) scale_ = 1;
    ref_ = vertical ? hi : lo;
    lowest_ = lo;
}

double AxisMap::fromPixel(double pixel) const {
    const double d = (pixel - start_) / scale_;
    const double u = vertical_ ? ref_ - d : ref_ + d;
    return log_ ? std::exp(u) : u;
}

} // namespace ombrelune
