#pragma once
// The rules of the 1D view that do not need a window: how its chart is set up, how a
// curve of the table becomes a series, the settings its windows share, the texts of its
// cursor boxes, the sum between the cursors and the history of its zooms.

#include "plot/chart_model.hpp"
#include "store/spectre.hpp"

#include <array>
#include <optional>
#include <string>

namespace ombrelune {

inline constexpr int curveCount = 4;

// Shared by every 1D view of the program: each curve's colour and factor exponent (1 to
// 31, the factor box index); the factor of curve c is 2^(exponent - 6).
struct CurveViewSettings {
    std::array<Rgb, curveCount> colours{Rgb{0, 0, 0}, Rgb{255, 0, 0}, Rgb{0, 0, 255},
                                        Rgb{0, 127, 0}};
    std::array<int, curveCount> exponents{1, 1, 1, 1};
    // Curves are numbered 1 to 4.
    double factor(int curve) const;
    Rgb colour(int curve) const { return colours[static_cast<std::size_t>(curve - 1)]; }
};

// The chart of a new 1D view: its axes, margins, appearance and fonts, and the zero offset
// of its four series (each curve is drawn 1e-6 above its values, so a value 0 can still be
// shown on a logarithmic axis).
void configureGraph1DChart(ChartModel& chart);
// The red and blue cursors, marks 1 and 2, at the X axis' bounds.
void addGraph1DCursors(ChartModel& chart);
inline constexpr int redCursor = 1;
inline constexpr int blueCursor = 2;

// Fills a series from a curve with each value multiplied by `factor`: by index on a "raw"
// axis, only the appended points 1 .. cursorI of a "reflec" curve, otherwise by x.
void plotCurve(TSeries& series, const spectre& curve, Rgb colour, double factor);

// The hint of a curve's list: its comment, then one line per experimental condition.
std::string curveHint(const spectre& curve, char decimalSeparator);

// The text of a cursor box: v rounded to `significant` digits and written with `decimals`
// decimals, or in exponent notation when its integer part has more digits than that.
std::string cursorText(double v, int significant, int decimals, char decimalSeparator);
inline std::string cursorXText(double x, char sep) {
    return cursorText(x, 5, 7, sep);
}
inline std::string cursorYText(double y, char sep) {
    return cursorText(y, 4, 8, sep);
}

// The plain sum of the series' y over the points with from < x <= to; 0 when to <= from
// or there is no series.
double CursorSum(const TSeries* series, double from, double to);

// The curves the chart shows (series 1 to 4, active, with points) as tab-separated columns
// x and value per curve, with a header naming each ("A: name x", "A: name"); a shorter
// curve leaves its cells empty. Lines end with "\n".
std::string plottedColumns(const ChartModel& chart, char decimalSeparator);

// One zoom of the view: the X range shown and the two cursors' x.
struct ZoomEntry {
    double xMin = 0;
    double xMax = 0;
    double red = 0;
    double blue = 0;
    friend bool operator==(const ZoomEntry&, const ZoomEntry&) = default;
};

// The last zooms, level 0 the range before the first one. When all 16 entries are used
// the oldest zoom (entry 1) is dropped, so entry 0 always leads back to the start.
class ZoomHistory {
public:
    static constexpr int entryCount = 16;

    int level() const { return level_; }
    const ZoomEntry& entry(int k) const { return entries_[static_cast<std::size_t>(k)]; }
    // Zooms to the range between the cursors of `current` (the view as it stands); false
    // when the blue cursor is not right of the red one.
    bool zoomIn(const ZoomEntry& current);
    // The entry to go back to, or nothing at level 0.
    std::optional<ZoomEntry> zoomOut();

private:
    std::array<ZoomEntry, entryCount> entries_{};
    int level_ = 0;
};

} // namespace ombrelune
