#pragma once
// TSeries: one numbered series of a chart, its settings and its points kept in increasing x
// order. A point is (id, x, y); ids count insertions from 1 since the series was made or
// cleared, so they say in which order points came, not where they lie.

#include "plot/chart_types.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ombrelune {

struct SeriesSettings {
    std::string SeriesName;
    bool Active = true;
    bool ShowInLegend = true;
    bool DrawLine = true;
    bool DrawPoints = true;
    bool FillPoints = true;
    Rgb LineColor;
    Rgb PointColor;
    int PointShape = 0;
    int PointStyle = 4; // symbol size in pixels
    int LineStyle = lsSolid;
    double NumericalTolerance = 0;
    bool DuplicatesAllowed = false;
    double ZeroValue = 0;
    bool AutoZero = false;
    bool onSecondAxis = false; // plotted against YAxis_Second
    bool DrawErrorBars = true; // of the points that carry an error
    friend bool operator==(const SeriesSettings&, const SeriesSettings&) = default;
};

// The settings a new series numbered n starts with.
SeriesSettings defaultSeriesSettings(int n);

struct SeriesPoint {
    std::int32_t id = 0;
    double x = 0;
    double y = 0;
    friend bool operator==(const SeriesPoint&, const SeriesPoint&) = default;
};

// What PointById finds: the point and the id of the point after it in x order (0 after
// the last).
struct PointLookup {
    SeriesPoint point;
    std::int32_t nextId = 0;
};

// The smallest and largest finite values of a coordinate; empty when there is none.
struct ValueSpan {
    bool empty = true;
    double lo = 0;
    double hi = 0;
};

class ChartModel;

class TSeries {
public:
    explicit TSeries(int number, ChartModel* owner = nullptr);

    int number() const { return number_; }
    const SeriesSettings& settings() const { return settings_; }
    // Replaces every setting at once (the design dialogs); redraws when anything changed.
    void setSettings(const SeriesSettings& s);

    void setActive(bool on);
    void setDrawPoints(bool on);
    void setLineColor(Rgb c);
    void setLineStyle(int code);
    void setSeriesName(const std::string& name);
    void setZeroValue(double z);

    // Removes all points; ids start again at 1.
    void Clear();
    // While on, changes do not redraw the chart; switching it off redraws once if anything
    // changed meanwhile.
    void HoldUpdates(bool on);
    // Inserts a point in x order: a point within the tolerance of an existing x replaces
    // it (keeping its id) unless duplicates are allowed. A NaN x has no place in the order
    // and is ignored (0 is returned); otherwise the id of the new or replaced point.
    std::int32_t AddPoint(double x, double y);
    // The same with the point's error (one standard deviation of y), drawn as a bar from
    // y - error to y + error. Points added without one have none (NaN).
    std::int32_t AddPoint(double x, double y, double error);

    // Iteration in x order: FirstPoint restarts, each call gives the next point or nothing.
    std::optional<SeriesPoint> FirstPoint();
    std::optional<SeriesPoint> NextPoint();
    std::optional<PointLookup> PointById(std::int32_t id) const;

    std::size_t size() const { return xs_.size(); }
    bool empty() const { return xs_.empty(); }
    SeriesPoint pointAt(std::size_t index) const { return {ids_[index], xs_[index], ys_[index]}; }
    std::span<const double> xs() const { return xs_; }
    std::span<const double> ys() const { return ys_; }
    // True once a point was added with an error.
    bool hasErrors() const { return withErrors_; }
    // The error of the point at an index in x order; NaN when it has none.
    double errorAt(std::size_t index) const;

    // The reference level subtracted from y when drawing: ZeroValue, or with AutoZero the
    // smallest y.
    double zeroLevel() const;
    // Finite x values; finite y - zeroLevel(); and the positive ones of each (what a
    // logarithmic axis can show).
    ValueSpan xSpan() const;
    ValueSpan ySpan() const;
    ValueSpan positiveXSpan() const;
    ValueSpan positiveYSpan() const;

private:
    friend class ChartModel;
    struct Statistics {
        ValueSpan x, y, positiveX; // y as stored
        ValueSpan positiveY;       // of y - zeroLevel()
    };
    const Statistics& statistics() const;
    void changed();

    int number_;
    ChartModel* owner_;
    SeriesSettings settings_;
    std::vector<double> xs_;
    std::vector<double> ys_;
    std::vector<std::int32_t> ids_;
    std::vector<double> errors_; // beside xs_ once a point came with an error
    bool withErrors_ = false;
    std::int32_t nextId_ = 1;
    std::size_t iterator_ = 0;
    bool held_ = false;
    bool changedWhileHeld_ = false;
    mutable std::optional<Statistics> statistics_;
};

} // namespace ombrelune
