#include "plot/chart_series.hpp"

#include "plot/chart_model.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrelune {

SeriesSettings defaultSeriesSettings(int n) {
    SeriesSettings s;
    s.SeriesName = "Series " + std::to_string(n);
    s.FillPoints = n < 5;
    switch (n) {
    case 2:
        s.LineColor = {0, 0, 255};
        break;
    case 3:
        s.LineColor = {255, 0, 0};
        break;
    case 4:
        s.LineColor = {128, 128, 128};
        break;
    case 5:
        s.LineColor = {128, 0, 0};
        break;
    default:
        s.LineColor = {0, 128, 0};
        break;
    }
    s.PointColor = s.LineColor;
    s.PointShape = (n == 1 || n == 5) ? 0 : n == 3 ? 2 : n == 4 ? 3 : 1;
    s.LineStyle = (n >= 2 && n <= 5) ? n - 1 : lsSolid;
    return s;
}

TSeries::TSeries(int number, ChartModel* owner)
    : number_(number), owner_(owner), settings_(defaultSeriesSettings(number)) {}

void TSeries::changed() {
    statistics_.reset();
    if (held_)
        changedWhileHeld_ = true;
    else if (owner_)
        owner_->changed();
}

void TSeries::setSettings(const SeriesSettings& s) {
    if (s == settings_) return;
    settings_ = s;
    changed();
}

namespace {
template <typename T> bool assignChanged(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}
} // namespace

void TSeries::setActive(bool on) {
    if (assignChanged(settings_.Active, on)) changed();
}
void TSeries::setDrawPoints(bool on) {
    if (assignChanged(settings_.DrawPoints, on)) changed();
}
void TSeries::setLineColor(Rgb c) {
    if (assignChanged(settings_.LineColor, c)) changed();
}
void TSeries::setLineStyle(int code) {
    if (assignChanged(settings_.LineStyle, code)) changed();
}
void TSeries::setSeriesName(const std::string& name) {
    if (assignChanged(settings_.SeriesName, name)) changed();
}
void TSeries::setZeroValue(double z) {
    if (assignChanged(settings_.ZeroValue, z)) changed();
}

void TSeries::Clear() {
    xs_.clear();
    ys_.clear();
    ids_.clear();
    errors_.clear();
    withErrors_ = false;
    nextId_ = 1;
    iterator_ = 0;
    changed();
}

void TSeries::HoldUpdates(bool on) {
    held_ = on;
    if (!on && changedWhileHeld_) {
        changedWhileHeld_ = false;
        if (owner_) owner_->changed();
    }
}

std::int32_t TSeries::AddPoint(double x, double y) {
    return AddPoint(x, y, std::numeric_limits<double>::quiet_NaN());
}

std::int32_t TSeries::AddPoint(double x, double y, double error) {
    if (std::isnan(x)) return 0;
    if (!withErrors_ && !std::isnan(error)) {
        errors_.assign(xs_.size(), std::numeric_limits<double>::quiet_NaN());
        withErrors_ = true;
    }
    const double t = settings_.NumericalTolerance;
    const bool duplicates = settings_.DuplicatesAllowed;
    std::size_t at = xs_.size();
    bool replace = false;
    if (!xs_.empty() && x < xs_.back()) {
        // The first point the new x does not lie beyond (by more than the tolerance).
        at =
            static_cast<std::size_t>(std::lower_bound(xs_.begin(), xs_.end(), x - t) - xs_.begin());
        replace = at < xs_.size() && !duplicates && !(std::fabs(xs_[at] - x) > t);
    } else if (!xs_.empty() && !duplicates && !(x - t > xs_.back())) {
        at = xs_.size() - 1;
        replace = true;
    }
    std::int32_t id;
    if (replace) {
        xs_[at] = x;
        ys_[at] = y;
        if (withErrors_) errors_[at] = error;
        id = ids_[at];
    } else {
        const auto offset = static_cast<std::ptrdiff_t>(at);
        xs_.insert(xs_.begin() + offset, x);
        ys_.insert(ys_.begin() + offset, y);
        if (withErrors_) errors_.insert(errors_.begin() + offset, error);
        id = nextId_++;
        ids_.insert(ids_.begin() + offset, id);
    }
    changed();
    return id;
}

double TSeries::errorAt(std::size_t index) const {
    return withErrors_ ? errors_[index] : std::numeric_limits<double>::quiet_NaN();
}

std::optional<SeriesPoint> TSeries::FirstPoint() {
    iterator_ = 0;
    return NextPoint();
}

std::optional<SeriesPoint> TSeries::NextPoint() {
    if (iterator_ >= xs_.size()) return std::nullopt;
    return pointAt(iterator_++);
}

std::optional<PointLookup> TSeries::PointById(std::int32_t id) const {
    if (id < 1) return std::nullopt;
    // Points added in increasing x, the usual case, sit at index id - 1.
    std::size_t index = static_cast<std::size_t>(id - 1);
    if (index >= ids_.size() || ids_[index] != id) {
        const auto found = std::find(ids_.begin(), ids_.end(), id);
        if (found == ids_.end()) return std::nullopt;
        index = static_cast<std::size_t>(found - ids_.begin());
    }
    PointLookup out;
    out.point = pointAt(index);
    out.nextId = index + 1 < ids_.size() ? ids_[index + 1] : 0;
    return out;
}

namespace {
void include(ValueSpan& span, double v) {
    if (!std::isfinite(v)) return;
    if (span.empty) {
        span = {false, v, v};
        return;
    }
    span.lo = std::min(span.lo, v);
    span.hi = std::max(span.hi, v);
}

ValueSpan shifted(ValueSpan span, double by) {
    span.lo -= by;
    span.hi -= by;
    return span;
}
} // namespace

const TSeries::Statistics& TSeries::statistics() const {
    if (statistics_) return *statistics_;
    Statistics s;
    for (double x : xs_) {
        include(s.x, x);
        if (x > 0) include(s.positiveX, x);
    }
    for (double y : ys_) include(s.y, y);
    const double zero = settings_.AutoZero ? (s.y.empty ? 0 : s.y.lo) : settings_.ZeroValue;
    for (double y : ys_)
        if (y - zero > 0) include(s.positiveY, y - zero);
    statistics_ = s;
    return *statistics_;
}

double TSeries::zeroLevel() const {
    if (!settings_.AutoZero) return settings_.ZeroValue;
    const ValueSpan& y = statistics().y;
    return y.empty ? 0 : y.lo;
}

ValueSpan TSeries::xSpan() const {
    return statistics().x;
}

ValueSpan TSeries::positiveXSpan() const {
    return statistics().positiveX;
}

ValueSpan TSeries::ySpan() const {
    const ValueSpan& y = statistics().y;
    return y.empty ? y : shifted(y, zeroLevel());
}

ValueSpan TSeries::positiveYSpan() const {
    return statistics().positiveY;
}

} // namespace ombrelune
