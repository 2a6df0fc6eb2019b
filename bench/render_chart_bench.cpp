// chart-redraw: four series of 100 000 points drawn into a 1200 x 800 image with
// antialiasing, linear and logarithmic Y, printed beside the limit of drawing only what is
// visible: a plain drawPolyline of the same points reduced to each pixel column's first,
// lowest, highest and last point, measured in the same run. The pass that finds those
// points, over all 400 000, is timed on its own beside it.
// save-plot-1d: the SavePlot1D command on four such curves, to PNG and to SVG.

#include "bench_registry.hpp"
#include "gui_application.hpp"

#include "plot/graph1d_model.hpp"
#include "plot/series_outline.hpp"
#include "render/chart_painter.hpp"
#include "render/save_plot_1d.hpp"
#include "script/interpreter.hpp"
#include "script/null_script_host.hpp"
#include "store/number_format.hpp"
#include "store/settings_store.hpp"

#include <QImage>
#include <QPainter>

#include <cmath>
#include <filesystem>
#include <random>

namespace ombrelune::bench {
namespace {

constexpr int seriesCount = 4;
constexpr int pointCount = 100000;
const QSize imageSize(1200, 800);

// Small-angle curves: a sphere-like decay over a flat background, with counting noise.
double intensity(int curve, double q, std::mt19937_64& rng) {
    const double radius = 40 + 15 * curve;
    const double i = 1000 / std::pow(1 + (q * radius) * (q * radius), 2) + 0.05;
    return i * std::normal_distribution<double>(1, 0.05)(rng);
}

double qAt(int i) {
    return 0.002 + 0.3 * i / (pointCount - 1.0);
}

ChartModel benchChart(bool logarithmic) {
    ChartModel chart;
    configureGraph1DChart(chart);
    chart.editAxis(AxisId::Y).LogScale = logarithmic;
    const CurveViewSettings colours;
    std::mt19937_64 rng(42);
    for (int c = 1; c <= seriesCount; ++c) {
        TSeries& s = chart.Series(c);
        s.HoldUpdates(true);
        s.setDrawPoints(false);
        s.setLineColor(colours.colour(c));
        for (int i = 0; i < pointCount; ++i) s.AddPoint(qAt(i), intensity(c, qAt(i), rng));
        s.HoldUpdates(false);
    }
    return chart;
}

// The polylines of the visible points, as the chart computed them in its last layout.
std::vector<QPolygonF> reducedPolylines(const ChartModel& chart) {
    std::vector<QPolygonF> out;
    SeriesOutline outline;
    for (const auto& [n, s] : chart.seriesList()) {
        seriesOutline({&s, &chart.frame().maps[0], &chart.frame().maps[1], chart.XAxis().Min,
                       chart.XAxis().Max, 1},
                      outline);
        QPolygonF polyline;
        for (const PixelPoint& p : outline.points) polyline << QPointF(p.x, p.y);
        out.push_back(polyline);
    }
    return out;
}

BenchLine redraw(bool logarithmic) {
    ensureGuiApplication();
    ChartModel chart = benchChart(logarithmic);
    QImage image(imageSize, QImage::Format_RGB32);
    const double chartSeconds = medianSeconds(
        [&] {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            drawChart(p, QRectF(QPointF(0, 0), imageSize), chart);
        },
        9);
    const std::vector<QPolygonF> polylines = reducedPolylines(chart);
    // The one pass over every point that picks the visible ones: work the limit leaves out.
    const double outlineSeconds = medianSeconds([&] { reducedPolylines(chart); }, 9);
    std::size_t kept = 0;
    for (const QPolygonF& polyline : polylines) kept += static_cast<std::size_t>(polyline.size());
    const double limitSeconds = medianSeconds(
        [&] {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            for (std::size_t k = 0; k < polylines.size(); ++k) {
                p.setPen(QPen(Qt::black, 1));
                p.drawPolyline(polylines[k]);
            }
        },
        9);
    return {"chart-redraw",
            std::to_string(seriesCount) + "x" + std::to_string(pointCount) + " " +
                (logarithmic ? "log" : "lin") + " 1200x800",
            chartSeconds, perSecond(seriesCount * pointCount, chartSeconds, "points/s"),
            "drawPolyline limit " + formatScientific(limitSeconds, 3, 2) + " s (" +
                std::to_string(kept) + " points)\tratio " +
                formatFixed(chartSeconds / limitSeconds, 2) + "\tof which outline pass " +
                formatScientific(outlineSeconds, 3, 2) + " s"};
}

std::vector<BenchLine> savePlot() {
    ensureGuiApplication();
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / "ombrelune-bench-save-plot";
    std::filesystem::create_directories(dir);
    MemorySettingsStore settings;
    Workbench wb(settings, DataPaths{dir});
    std::mt19937_64 rng(42);
    for (int c = 1; c <= seriesCount; ++c) {
        spectre& s =
            *wb.spectres1D.at(wb.spectres1D.create("S" + std::to_string(c), pointCount, 1, 1));
        s.typeX = "q";
        for (int i = 0; i < pointCount; ++i) {
            s.setXAt(i, 0, 0, qAt(i));
            s.setValueAt(i, 0, 0, intensity(c, qAt(i), rng));
        }
    }
    wb.journal.start();
    NullScriptHost host;
    Interpreter interp(wb, host);
    bindPlotCommands(interp.registry());
    std::vector<BenchLine> lines;
    for (const char* extension : {"png", "svg"}) {
        const std::string file = (dir / (std::string("plot.") + extension)).string();
        const std::string line =
            "SavePlot1D[\"" + file + "\",1200,800,\"log\",\"S1\",\"S2\",\"S3\",\"S4\"]";
        const double seconds = medianSeconds([&] { interp.executeCommandBox(line); });
        lines.push_back(
            {"save-plot-1d", std::string(extension) + " 4x100000 1200x800", seconds,
             perSecond(1, seconds, "files/s"),
             formatFixed(static_cast<double>(std::filesystem::file_size(file)) / 1024, 0) +
                 " KiB"});
    }
    std::filesystem::remove_all(dir);
    return lines;
}

const bool registeredRedraw =
    registerBench({"chart-redraw", [] {
                       return std::vector<BenchLine>{redraw(false), redraw(true)};
                   }});
const bool registeredSave = registerBench({"save-plot-1d", savePlot});

} // namespace
} // namespace ombrelune::bench
