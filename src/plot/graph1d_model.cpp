#include "plot/graph1d_model.hpp"

#include "plot/series_columns.hpp"

#include "store/number_format.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ombrelune {

double CurveViewSettings::factor(int curve) const {
    return std::ldexp(1.0, exponents[static_cast<std::size_t>(curve - 1)] - 6);
}

void configureGraph1DChart(ChartModel& chart) {
    TAxis& x = chart.editAxis(AxisId::X);
    x.Title = "X axis";
    x.LabelDecimals = 0;
    x.Max = 11;
    x.StepSize = 2;
    x.Gridlines = true;
    x.AutoSizing = true;
    x.AutoStepping = true;
    TAxis& y = chart.editAxis(AxisId::Y);
    y.Title = "Intensité";
    y.LabelDecimals = 0;
    y.LogCycleDivisions = 5;
    y.Min = 1.5;
    y.Max = 15;
    y.StepSize = 2;
    y.Gridlines = true;
    y.AutoSizing = true;
    y.AutoStepping = true;
    chart.editAxis(AxisId::Y2).ShowAxis = false;
    chart.Dimensions.TopMargin = 8;
    TAppearance& a = chart.Appearance;
    a.AxesColor = {0, 0, 64};
    a.BackgroundColor = {255, 255, 255};
    a.MarginColor = {255, 255, 255};
    a.ErrorCaption = "MAX/MIN VALUES INCONSISTENT";
    a.GraphTitle = "Curve chart";
    a.ShowMarks = true;
    a.CrossAtZero = true;
    a.TitleFont = a.CaptionFont = a.LabelFont = FontSpec{"Arial", 9};
    chart.Legend.width = 180;
    for (int n = 1; n <= curveCount; ++n) chart.Series(n).setZeroValue(-1e-6);
    chart.changed();
}

void addGraph1DCursors(ChartModel& chart) {
    const TAxis& x = chart.XAxis();
    const TAxis& y = chart.YAxis();
    chart.AddMark({redCursor, {255, 0, 0}, x.Min, y.Min, x.Min, y.Max, "1", 0, 0, 3});
    chart.AddMark({blueCursor, {0, 0, 255}, x.Max, y.Min, x.Max, y.Max, "2", 0, 0, 3});
}

void plotCurve(TSeries& series, const spectre& curve, Rgb colour, double factor) {
    series.HoldUpdates(true);
    series.Clear();
    series.setSeriesName(curve.name);
    series.setDrawPoints(false);
    series.setLineColor(colour);
    series.setLineStyle(lsSolid);
    if (isRawAxis(curve.typeX)) {
        for (std::int32_t i = 0; i < curve.nx; ++i) series.AddPoint(i, factor * curve.valueAt(i));
    } else {
        // A "reflec" curve shows only the points appended after its first one.
        const bool reflec = curve.typeX == "reflec";
        const std::int32_t first = reflec ? 1 : 0;
        const std::int32_t last = reflec ? std::min(curve.cursorI, curve.nx - 1) : curve.nx - 1;
        for (std::int32_t i = first; i <= last; ++i)
            series.AddPoint(curve.xAt(i), factor * curve.valueAt(i));
    }
    series.HoldUpdates(false);
}

std::string curveHint(const spectre& curve, char decimalSeparator) {
    std::string hint = curve.comment;
    for (const expCond& c : curve.expConds)
        hint += "\n" + c.name + " : " + formatGeneral(c.value, decimalSeparator);
    return hint;
}

std::string cursorText(double v, int significant, int decimals, char decimalSeparator) {
    const double rounded = roundToSignificant(v, significant);
    const double magnitude = std::fabs(rounded);
    const int integerDigits = magnitude >= 1 && std::isfinite(magnitude)
                                  ? static_cast<int>(std::floor(std::log10(magnitude))) + 1
                                  : 0;
    if (integerDigits > significant)
        return formatScientific(rounded, significant - 1, 1, decimalSeparator);
    return formatFixed(rounded, decimals, decimalSeparator);
}

double CursorSum(const TSeries* series, double from, double to) {
    if (!series || to <= from) return 0;
    const auto xs = series->xs();
    const auto ys = series->ys();
    // Points are in x order: those with from < x <= to are one run.
    const auto begin = std::upper_bound(xs.begin(), xs.end(), from);
    const auto end = std::upper_bound(begin, xs.end(), to);
    double sum = 0;
    for (auto i = begin; i != end; ++i) sum += ys[static_cast<std::size_t>(i - xs.begin())];
    return sum;
}

std::string plottedColumns(const ChartModel& chart, char decimalSeparator) {
    std::vector<NamedSeries> shown;
    for (int c = 1; c <= curveCount; ++c) {
        const TSeries* s = chart.findSeries(c);
        if (!s || !s->settings().Active || s->empty()) continue;
        shown.push_back(
            {std::string(1, static_cast<char>('A' + c - 1)) + ": " + s->settings().SeriesName, s});
    }
    return seriesColumnsText(shown, decimalSeparator);
}

bool ZoomHistory::zoomIn(const ZoomEntry& current) {
    if (level_ == 0) entries_[0] = current;
    if (!(current.blue > current.red)) return false;
    if (++level_ == entryCount) {
        level_ = entryCount - 1;
        std::move(entries_.begin() + 2, entries_.end(), entries_.begin() + 1);
    }
    entries_[static_cast<std::size_t>(level_)] = {current.red, current.blue, current.red,
                                                  current.blue};
    return true;
}

std::optional<ZoomEntry> ZoomHistory::zoomOut() {
    if (level_ < 1) return std::nullopt;
    return entries_[static_cast<std::size_t>(--level_)];
}

} // namespace ombrelune
