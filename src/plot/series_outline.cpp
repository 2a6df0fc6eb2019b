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

// The points of one device column: the first, lowest, highest and last, by index.
class ColumnReducer {
public:
    ColumnReducer(const OutlineInput& in, double zero, SeriesOutline& out)
        : ys_(in.series->ys()), yMap_(*in.yMap), r_(in.resolution), zero_(zero), out_(out) {}

    bool open() const { return open_; }
    double px() const { return px_; }

    void start(double px, std::size_t i) {
        open_ = true;
        px_ = px;
        first_ = lowest_ = highest_ = last_ = i;
    }

    void add(std::size_t i) {
        const double v = ys_[i];
        if (v < ys_[lowest_]) lowest_ = i;
        if (v > ys_[highest_]) highest_ = i;
        last_ = i;
    }

    void flush() {
        if (!open_) return;
        open_ = false;
        std::size_t kept[4] = {first_, std::min(lowest_, highest_), std::max(lowest_, highest_),
                               last_};
        for (std::size_t i : kept) {
            const PixelPoint p{px_, yMap_.toPixel(ys_[i] - zero_, r_)};
            if (out_.points.size() > polylineStart_ && out_.points.back() == p) continue;
            out_.points.push_back(p);
        }
    }

    // Ends the current polyline (a point that is not a number lies between).
    void breakLine() {
        flush();
        if (out_.points.size() > polylineStart_) out_.ends.push_back(out_.points.size());
        polylineStart_ = out_.points.size();
    }

private:
    std::span<const double> ys_;
    const AxisMap& yMap_;
    double r_;
    double zero_;
    SeriesOutline& out_;
    bool open_ = false;
    double px_ = 0;
    std::size_t first_ = 0, lowest_ = 0, highest_ = 0, last_ = 0;
    std::size_t polylineStart_ = 0;
};

} // namespace

void seriesOutline(const OutlineInput& in, SeriesOutline& out) {
    out.clear();
    const TSeries& s = *in.series;
    const AxisMap& xMap = *in.xMap;
    const double r = in.resolution;
    const auto xs = s.xs();
    const auto ys = s.ys();
    const auto [begin, end] = indexRange(s, in.xMin, in.xMax);
    ColumnReducer column(in, s.zeroLevel(), out);
    // Every x below `sameColumnBelow` surely falls into the current column: the boundary
    // of the next column, moved a millionth of a pixel back so that no rounding of the
    // inverse mapping can put a point on the wrong side. Points at or beyond it are placed
    // exactly.
    double sameColumnBelow = -std::numeric_limits<double>::infinity();
    constexpr double guard = 1e-6;
    for (std::size_t i = begin; i < end; ++i) {
        if (std::isnan(ys[i])) {
            column.breakLine();
            continue;
        }
        if (column.open() && xs[i] < sameColumnBelow) {
            column.add(i);
            continue;
        }
        const double device = std::nearbyint(xMap.offset(xs[i]) * r);
        const double px = xMap.toPixel(xs[i], r);
        if (column.open() && px == column.px()) {
            column.add(i);
        } else {
            column.flush();
            column.start(px, i);
        }
        const double nextEdge = (device + 0.5 - guard) / r;
        sameColumnBelow = nextEdge >= pixelLimit
                              ? std::numeric_limits<double>::infinity()
                              : xMap.valueAtOffset(nextEdge);
    }
    column.breakLine();
}

} // namespace ombrelune
