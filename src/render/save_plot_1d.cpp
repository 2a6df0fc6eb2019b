#include "render/save_plot_1d.hpp"

#include "render/chart_file.hpp"
#include "render/chart_style.hpp"
#include "render/save_plot_2d.hpp"

#include "errors/errors.hpp"
#include "plot/graph1d_model.hpp"
#include "script/command_support.hpp"
#include "store/text_encoding.hpp"

#include <QGuiApplication>

namespace ombrelune {
namespace {

constexpr std::int64_t smallestSide = 200;
constexpr std::int64_t largestSide = 10000;

std::int64_t requireSide(long double v, const std::string& text) {
    const std::int64_t side = roundedCount(v);
    if (side < smallestSide || side > largestSide)
        throw ERefused("taille " + text + " refusée (de 200 à 10000 pixels)");
    return side;
}

void savePlot1D(Interpreter& in, const CommandArgs& args) {
    const std::string& file = args.text(1);
    const auto format = chartFileFormat(file);
    if (!format) throw ERefused("format de " + file + " inconnu (.png, .svg ou .pdf)");
    const std::int64_t width = requireSide(args.number(2), args.text(2));
    const std::int64_t height = requireSide(args.number(3), args.text(3));
    const bool logarithmic = requireScaleType(args.text(4));
    ChartModel chart =
        graph1DPlot(in.wb(), {args.text(5), args.text(6), args.text(7), args.text(8)}, logarithmic);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw ERefused("aucun rendu possible dans ce programme");
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    // The layout first: a range the axes cannot take is refused before any file is made.
    chart.prepare(size.width(), size.height(), QtTextMetrics());
    if (!chart.frame().error.empty()) throw ERefused(chart.frame().error);
    try {
        writeChartFile(file, *format, chart, size);
    } catch (const EInOutError& e) {
        throw ERefused(e.what());
    }
    in.wb().journal.appendLine("graphique 1D sauvegardé sous " + file);
}

} // namespace

bool requireScaleType(const std::string& scale) {
    if (equalsIgnoreAsciiCase(scale, "lin")) return false;
    if (equalsIgnoreAsciiCase(scale, "log")) return true;
    throw ERefused("échelle \"" + scale + "\" inconnue (lin ou log)");
}

ChartModel graph1DPlot(Workbench& wb, const std::array<std::string, 4>& curves, bool logarithmicY) {
    ChartModel chart;
    chart.decimalSeparator = wb.decimalSeparator;
    configureGraph1DChart(chart);
    chart.editAxis(AxisId::Y).LogScale = logarithmicY;
    const CurveViewSettings colours;
    bool any = false;
    for (int c = 1; c <= curveCount; ++c) {
        const std::string& name = curves[static_cast<std::size_t>(c - 1)];
        if (name.empty()) continue;
        const spectre& curve = requireSpectrum(wb.spectres1D, name, "courbe");
        plotCurve(chart.Series(c), curve, colours.colour(c), 1);
        if (!any) chart.editAxis(AxisId::X).Title = curve.typeX;
        any = true;
    }
    if (!any) throw ERefused("aucune courbe à tracer");
    return chart;
}

void bindPlotCommands(CommandRegistry& registry) {
    bindGuarded(registry, "SavePlot1D", savePlot1D);
    bindGuarded(registry, "SavePlot2D", savePlot2D);
}

} // namespace ombrelune
