#include "plot/series_outline.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrelune {

std::pair<std::size_t, std::size_t> indexRange(const TSeries& s, double lo, double hi) {
    const auto xs = s.xs();
    const auto first = std::lower_bound(xs.begin(), xs.end(), lo);
    const auto last = std::upper_bound(first, xs.end(), hi);
    return {static_cast<std::size_t>(first - xs.begin()),
            static_cast<std::size_t>(last - xs.begin())};
}

namespace {

// The first index in [from, end) whose x is not below `bound` (end when none is). The
// search starts at `guess`, where the previous column's count of points would put it (x is
// usually about evenly spaced), walks a few steps, then narrows by halving.
std::size_t firstNotBelow(std::span<const double> xs, std::size_t from, std::size_t end,
                          std::size_t guess, double bound) {
    auto search = [&](std::size_t lo, std::size_t hi) {
        return static_cast<std::size_t>(
            std::lower_bound(xs.begin() + static_cast<std::ptrdiff_t>(lo),
                             xs.begin() + static_cast<std::ptrdiff_t>(hi), bound) -
            xs.begin());
    };
    std::size_t at = std::clamp(guess, from, end);
    constexpr int walk = 8;
    if (at > from && !(xs[at - 1] < bound)) {
        for (int k = 0; k < walk && at > from && !(xs[at - 1] < bound); ++k) --at;
        return at > from && !(xs[at - 1] < bound) ? search(from, at) : at;
    }
    for (int k = 0; k < walk && at < end && xs[at] < bound; ++k) ++at;
    if (at == end || !(xs[at] < bound)) return at;
    std::size_t step = 1;
    while (at + step < end && xs[at + step] < bound) {
        at += step;
        step *= 2;
    }
    return search(at, std::min(at + step, end));
}

// Appends the polylines of one series to an outline.
class OutlineWriter {
public:
    OutlineWriter(const OutlineInput& in, SeriesOutline& out)
        : ys_(in.series->ys()), yMap_(*in.yMap), r_(in.resolution), zero_(in.series->zeroLevel()),
          out_(out) {}

    // The points first .. last - 1, all in the device column at px: their first, lowest,
    // highest and last. A rising column is drawn first, lowest, highest, last; a falling
    // one first, highest, lowest, last; the pixels are those of every point. False when a
    // NaN lies among them (the caller then splits the column).
    bool column(double px, std::size_t first, std::size_t last) {
        const ColumnSpan span = columnSpan(first, last);
        if (span.nan) return false;
        const double ends[2] = {ys_[first], ys_[last - 1]};
        const bool rising = ends[0] <= ends[1];
        const double kept[4] = {ends[0], rising ? span.lo : span.hi, rising ? span.hi : span.lo,
                                ends[1]};
        for (double v : kept) add({px, yMap_.toPixel(v - zero_, r_)});
        return true;
    }

    // Ends the current polyline (a point that is not a number lies between).
    void breakLine() {
        if (out_.points.size() > polylineStart_) out_.ends.push_back(out_.points.size());
        polylineStart_ = out_.points.size();
    }

private:
    struct ColumnSpan {
        double lo, hi;
        bool nan;
    };

    // Four independent lanes, so the comparisons of successive points do not wait on each
    // other; a NaN fails every comparison and is caught by v != v.
    ColumnSpan columnSpan(std::size_t first, std::size_t last) const {
        const double* y = ys_.data();
        double lo0 = y[first], lo1 = lo0, lo2 = lo0, lo3 = lo0;
        double hi0 = lo0, hi1 = lo0, hi2 = lo0, hi3 = lo0;
        bool nan = lo0 != lo0;
        std::size_t i = first;
        auto lane = [&nan](double v, double& lo, double& hi) {
            lo = v < lo ? v : lo;
            hi = v > hi ? v : hi;
            nan |= v != v;
        };
        for (; i + 4 <= last; i += 4) {
            lane(y[i], lo0, hi0);
            lane(y[i + 1], lo1, hi1);
            lane(y[i + 2], lo2, hi2);
            lane(y[i + 3], lo3, hi3);
        }
        for (; i < last; ++i) lane(y[i], lo0, hi0);
        return {std::min({lo0, lo1, lo2, lo3}), std::max({hi0, hi1, hi2, hi3}), nan};
    }

    void add(PixelPoint p) {
        if (out_.points.size() > polylineStart_ && out_.points.back() == p) return;
        out_.points.push_back(p);
    }

    std::span<const double> ys_;
    const AxisMap& yMap_;
    double r_;
    double zero_;
    SeriesOutline& out_;
    std::size_t polylineStart_ = 0;
};

} // namespace

void seriesOutline(const OutlineInput& in, SeriesOutline& out) {
    out.clear();
    const AxisMap& xMap = *in.xMap;
    const double r = in.resolution;
    const auto xs = in.series->xs();
    const auto ys = in.series->ys();
    const auto [begin, end] = indexRange(*in.series, in.xMin, in.xMax);
    OutlineWriter writer(in, out);
    std::size_t i = begin;
    std::size_t perColumn = 1;
    while (i < end) {
        if (std::isnan(ys[i])) {
            writer.breakLine();
            ++i;
            continue;
        }
        // The column of point i, and where the next one starts: its edge, moved a millionth
        // of a pixel back so that no rounding of the inverse mapping can put a point on the
        // wrong side; the points from there on are placed one by one.
        const double device = AxisMap::roundHalfEvenSmall(xMap.offset(xs[i]) * r);
        const double px = xMap.toPixel(xs[i], r);
        const double edge = (device + 0.5 - 1e-6) / r;
        const double below =
            edge >= pixelLimit ? std::numeric_limits<double>::infinity() : xMap.valueAtOffset(edge);
        std::size_t last = std::max(i + 1, firstNotBelow(xs, i, end, i + perColumn, below));
        while (last < end && xMap.toPixel(xs[last], r) == px) ++last;
        if (!writer.column(px, i, last)) {
            // A NaN inside the column ends it there.
            last = static_cast<std::size_t>(
                std::find_if(ys.begin() + static_cast<std::ptrdiff_t>(i),
                             ys.begin() + static_cast<std::ptrdiff_t>(last),
                             [](double v) { return std::isnan(v); }) -
                ys.begin());
            writer.column(px, i, last);
        }
        perColumn = last - i;
        i = last;
    }
    writer.breakLine();
}

} // namespace ombrelune
