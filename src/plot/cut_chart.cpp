#include "plot/cut_chart.hpp"

#include "plot/series_columns.hpp"

#include <algorithm>
#include <vector>

namespace ombrelune {
namespace {

struct CutSeriesLook {
    const char* name;
    Rgb colour;
};
constexpr std::array<CutSeriesLook, cutSeriesCount> cutSeriesLooks{{
    {"Coupe horizontale 1", {128, 0, 0}},
    {"Coupe verticale 1", {255, 0, 0}},
    {"Coupe horizontale 2", {0, 0, 128}},
    {"Coupe verticale 2", {0, 0, 255}},
    {"Profil selon i", {0, 128, 0}},
    {"Profil selon j", {0, 255, 0}},
}};

// The series each item of the choice shows.
constexpr std::array<std::array<int, 2>, 6> shownByItem{{
    {rowCut1, rowCut2},
    {columnCut1, columnCut2},
    {rowCut1, columnCut1},
    {rowCut2, columnCut2},
    {profileAlongI, 0},
    {profileAlongJ, 0},
}};

} // namespace

void configureCutChart(ChartModel& chart) {
    for (AxisId id : {AxisId::X, AxisId::Y}) {
        TAxis& axis = chart.editAxis(id);
        axis.AutoSizing = true;
        axis.AutoStepping = true;
        axis.Gridlines = true;
        axis.LabelDecimals = 0;
    }
    chart.editAxis(AxisId::X).Title = "Pixel";
    chart.editAxis(AxisId::Y).Title = "Intensité";
    chart.editAxis(AxisId::Y2).ShowAxis = false;
    chart.Dimensions.TopMargin = 8;
    chart.Appearance.BackgroundColor = chart.Appearance.MarginColor = {255, 255, 255};
    chart.Appearance.ErrorCaption = "MAX/MIN VALUES INCONSISTENT";
    chart.Appearance.TitleFont = chart.Appearance.CaptionFont = chart.Appearance.LabelFont =
        FontSpec{"Arial", 9};
    chart.Legend.visible = false;
    for (int n = 1; n <= cutSeriesCount; ++n) {
        const CutSeriesLook& look = cutSeriesLooks[static_cast<std::size_t>(n - 1)];
        SeriesSettings s = chart.Series(n).settings();
        s.SeriesName = look.name;
        s.DrawLine = true;
        s.DrawPoints = false;
        s.LineStyle = lsSolid;
        s.LineColor = s.PointColor = look.colour;
        chart.Series(n).setSettings(s);
    }
    chart.changed();
}

void showCutSeries(ChartModel& chart, int item) {
    if (item < 0 || item >= static_cast<int>(shownByItem.size())) return;
    const auto& shown = shownByItem[static_cast<std::size_t>(item)];
    for (int n = 1; n <= cutSeriesCount; ++n)
        chart.Series(n).setActive(std::find(shown.begin(), shown.end(), n) != shown.end());
}

void setCutsLogScale(ChartModel& chart, bool on, CutAxisBoxes& boxes) {
    if (on && boxes.z1DMin < 0) {
        boxes.z1DMin = boxes.z1DMax / 10;
        chart.setMin(AxisId::Y, boxes.z1DMin);
    }
    chart.setLogScale(AxisId::Y, on);
}

std::string shownSeriesText(const ChartModel& chart, char decimalSeparator) {
    std::vector<NamedSeries> shown;
    for (const auto& [number, series] : chart.seriesList())
        if (series.settings().Active && !series.empty())
            shown.push_back({series.settings().SeriesName, &series});
    return seriesColumnsText(shown, decimalSeparator);
}

} // namespace ombrelune
