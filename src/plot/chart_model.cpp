#include "plot/chart_model.hpp"

#include "errors/errors.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

ChartModel::ChartModel() {
    axes_[0].Title = "X axis";
    axes_[1].Title = "Y axis";
    TAxis& second = axes_[2];
    second.Title = "Second Y axis";
    second.ShowAxis = false;
    second.Reversed = true;
    second.Gridlines = false;
    second.OffsetType = AxisOffsetType::ao_Maximum;
}

ChartModel::ChartModel(const ChartModel& other)
    : Dimensions(other.Dimensions), Appearance(other.Appearance), Legend(other.Legend),
      decimalSeparator(other.decimalSeparator), axes_(other.axes_), series_(other.series_),
      marks_(other.marks_), plotting_(other.plotting_), frame_(other.frame_) {
    rewireSeries();
}

ChartModel& ChartModel::operator=(const ChartModel& other) {
    if (this == &other) return *this;
    Dimensions = other.Dimensions;
    Appearance = other.Appearance;
    Legend = other.Legend;
    decimalSeparator = other.decimalSeparator;
    axes_ = other.axes_;
    series_ = other.series_;
    marks_ = other.marks_;
    plotting_ = other.plotting_;
    frame_ = other.frame_;
    rewireSeries();
    changed();
    return *this;
}

void ChartModel::rewireSeries() {
    for (auto& [n, s] : series_) s.owner_ = this;
}

void ChartModel::changed() {
    if (plotting_ && onChanged) onChanged();
}

void ChartModel::setPlotting(bool on) {
    plotting_ = on;
    changed();
}

void ChartModel::setMin(AxisId id, double v) {
    TAxis& a = editAxis(id);
    a.Min = v;
    a.AutoSizing = false;
    changed();
}

void ChartModel::setMax(AxisId id, double v) {
    TAxis& a = editAxis(id);
    a.Max = v;
    a.AutoSizing = false;
    changed();
}

void ChartModel::setAutoSizing(AxisId id, bool on) {
    editAxis(id).AutoSizing = on;
    changed();
}

void ChartModel::setLogScale(AxisId id, bool on) {
    editAxis(id).LogScale = on;
    changed();
}

void ChartModel::setTitle(AxisId id, const std::string& title) {
    editAxis(id).Title = title;
    changed();
}

TSeries& ChartModel::Series(int n) {
    auto found = series_.find(n);
    if (found == series_.end()) found = series_.emplace(n, TSeries(n, this)).first;
    return found->second;
}

const TSeries* ChartModel::findSeries(int n) const {
    const auto found = series_.find(n);
    return found == series_.end() ? nullptr : &found->second;
}

TSeries* ChartModel::findSeries(int n) {
    const auto found = series_.find(n);
    return found == series_.end() ? nullptr : &found->second;
}

void ChartModel::deleteSeries(int n) {
    if (series_.erase(n)) changed();
}

bool ChartModel::hasPoints() const {
    return std::any_of(series_.begin(), series_.end(),
                       [](const auto& entry) { return !entry.second.empty(); });
}

bool ChartModel::AddMark(const TMark& mark) {
    if (!marks_.emplace(mark.number, mark).second) return false;
    changed();
    return true;
}

const TMark* ChartModel::Mark(int number) const {
    const auto found = marks_.find(number);
    return found == marks_.end() ? nullptr : &found->second;
}

void ChartModel::updateMark(const TMark& mark) {
    const auto found = marks_.find(mark.number);
    if (found == marks_.end() || found->second == mark) return;
    found->second = mark;
    changed();
}

void ChartModel::deleteMark(int number) {
    if (marks_.erase(number)) changed();
}

bool ChartModel::drawable(const TSeries& s) const {
    if (!s.settings().Active || s.empty()) return false;
    if (!XAxis().LogScale) return true;
    const ValueSpan x = s.xSpan();
    return !x.empty && x.lo > 0;
}

void ChartModel::scaleAxesToData() {
    std::array<DataExtent, 3> extents;
    for (const auto& [n, s] : series_) {
        if (!drawable(s)) continue;
        // A logarithmic axis can only show positive values; the others lie at its bottom.
        const AxisId vertical = verticalAxisOf(s);
        const ValueSpan x = XAxis().LogScale ? s.positiveXSpan() : s.xSpan();
        const ValueSpan y = axis(vertical).LogScale ? s.positiveYSpan() : s.ySpan();
        for (const auto& [span, id] : {std::pair{x, AxisId::X}, std::pair{y, vertical}})
            if (!span.empty) {
                extents[index(id)].include(span.lo);
                extents[index(id)].include(span.hi);
            }
    }
    const AxisSteps steps{Appearance.MinSteps, Appearance.MaxSteps};
    for (AxisId id : allAxes) scaleAxis(editAxis(id), extents[index(id)], steps);
}

std::string ChartModel::axisError(AxisId id) const {
    const TAxis& a = axis(id);
    if (!(a.Min < a.Max)) return a.Title + "CalcMetrics: XMin>=XMax";
    if (a.LogScale && !(a.Min > 0)) return a.Title + "CalcMetrics: XMin<=0 on a log scale";
    return a.Title + "CalcMetrics: bounds not finite";
}

void ChartModel::prepare(double width, double height, const TextMetrics& metrics) {
    frame_ = ChartFrame{};
    frame_.width = width;
    frame_.height = height;
    if (plotting_ && hasPoints()) {
        try {
            scaleAxesToData();
        } catch (const ENumericError& e) {
            frame_.error = e.what();
        }
    }
    const bool secondUsed = YAxis_Second().ShowAxis ||
                            std::any_of(series_.begin(), series_.end(), [](const auto& entry) {
                                return entry.second.settings().onSecondAxis;
                            });
    for (AxisId id : allAxes) {
        const std::size_t k = index(id);
        frame_.scalable[k] = axis(id).scalable();
        if (!frame_.scalable[k] && (id != AxisId::Y2 || secondUsed) && frame_.error.empty())
            frame_.error = axisError(id);
        if (frame_.scalable[k])
            frame_.ticks[k] =
                axisTicks(axis(id), {Appearance.MinSteps, Appearance.MaxSteps}, decimalSeparator);
    }
    layOut(metrics);
}

namespace {

double widestLabel(const AxisTicks& ticks, const FontSpec& font, const TextMetrics& metrics) {
    double widest = 0;
    for (const AxisTick& t : ticks.ticks)
        if (t.labelled) widest = std::max(widest, metrics.width(t.label, font));
    return widest;
}

double lastLabelWidth(const AxisTicks& ticks, const FontSpec& font, const TextMetrics& metrics) {
    for (auto t = ticks.ticks.rbegin(); t != ticks.ticks.rend(); ++t)
        if (t->labelled) return metrics.width(t->label, font);
    return 0;
}

} // namespace

void ChartModel::layOut(const TextMetrics& metrics) {
    const TDimensions& d = Dimensions;
    const double labelHeight = metrics.height(Appearance.LabelFont);
    const double titleHeight =
        Appearance.ShowGraphLabels ? metrics.height(Appearance.CaptionFont) : 0;
    // A vertical axis needs its ticks, its widest label and its title beside the plot.
    auto verticalNeed = [&](AxisId id) {
        if (!axis(id).ShowAxis) return 0.0;
        const double title = titleHeight > 0 ? d.YAxisTitleOffset + titleHeight : 0;
        return d.TickLength + d.YAxisLabelOffset +
               widestLabel(frame_.ticks[index(id)], Appearance.LabelFont, metrics) + title + 2;
    };
    double left = std::max<double>(d.LeftMargin, verticalNeed(AxisId::Y));
    double right = std::max<double>(d.RightMargin, verticalNeed(AxisId::Y2));
    double bottom = d.BottomMargin;
    if (XAxis().ShowAxis) {
        const double title = titleHeight > 0 ? d.XAxisTitleOffset + titleHeight : 0;
        bottom = std::max(bottom, d.TickLength + d.XAxisLabelOffset + labelHeight + title + 2);
        // The last label is centred on its tick, which may be the right edge.
        right =
            std::max(right, lastLabelWidth(frame_.ticks[0], Appearance.LabelFont, metrics) / 2 + 2);
    }
    const double top = d.TopMargin;
    frame_.showGraphTitle = Appearance.ShowGraphLabels && !Appearance.GraphTitle.empty() &&
                            top >= d.GraphTitleOffset + metrics.height(Appearance.TitleFont);

    PlotArea& area = frame_.area;
    area.left = left;
    area.top = top;
    area.right = std::max(left + 1, frame_.width - right);
    area.bottom = std::max(top + 1, frame_.height - bottom);
    for (AxisId id : allAxes) {
        const std::size_t k = index(id);
        if (!frame_.scalable[k]) continue;
        const bool vertical = id != AxisId::X;
        frame_.maps[k] = vertical ? AxisMap(axis(id), area.top, area.height(), true)
                                  : AxisMap(axis(id), area.left, area.width(), false);
    }
}

std::optional<SeriesPoint> ChartModel::NearestPoint(int n, double px) const {
    const TSeries* s = findSeries(n);
    if (!s || s->empty()) return std::nullopt;
    const double x = XFromPixel(px);
    if (!(x >= XAxis().Min && x <= XAxis().Max)) return std::nullopt;
    const auto xs = s->xs();
    // The first point at or beyond x, or the last one.
    std::size_t k =
        static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), x) - xs.begin());
    if (k == xs.size()) return s->pointAt(k - 1);
    if (k > 0 && x != xs[k] && x <= (xs[k - 1] + xs[k]) / 2) --k;
    return s->pointAt(k);
}

} // namespace ombrelune
