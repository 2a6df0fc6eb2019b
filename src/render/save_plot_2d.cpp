#include "render/save_plot_2d.hpp"

#include "render/chart_file.hpp"
#include "render/image_painter.hpp"
#include "render/save_plot_1d.hpp"

#include "plot/graph2d_rules.hpp"
#include "script/command_support.hpp"
#include "script/interpreter.hpp"
#include "errors/errors.hpp"

#include <QGuiApplication>

#include <cmath>

namespace ombrelune {
namespace {

constexpr int largestZoom = 16;
// Sides and pixel count an image file may have (a 2048 × 2048 image at zoom 8 fits).
constexpr double largestSide = 32767;
constexpr double largestPixelCount = 1 << 28;

int requireZoom(long double v, const std::string& text) {
    if (!(v >= 1 && v <= largestZoom && v == std::trunc(v)))
        throw ERefused("zoom " + text + " refusé (nombre entier de 1 à 16)");
    return static_cast<int>(v);
}

double requireFinite(long double v, const std::string& text) {
    if (!std::isfinite(static_cast<double>(v)))
        throw ERefused("borne " + text + " refusée");
    return static_cast<double>(v);
}

QByteArray pictureBytes(ChartFileFormat format, const ImagePicture& picture, int zoom) {
    const LevelMap& levels = *picture.levels;
    if (format == ChartFileFormat::Png) return pngBytes(zoomedPicture(levels, picture.colours, zoom));
    const QSize size = imageWithScaleSize(picture, zoom);
    return vectorPictureBytes(
        format, size, QStringLiteral("Ombrelune image"),
        [&](QPainter& p, const QRectF& target) { paintImageWithScale(p, target, picture); }, false);
}

} // namespace

LevelScale plotScale(const spectre& image, double zmin, double zmax, bool logarithmic) {
    if (zmin == 0 && zmax == 0)
        if (const auto range = autoscaled(image, logarithmic)) return *range;
    return {zmin, zmax, logarithmic};
}

void savePlot2D(Interpreter& in, const CommandArgs& args) {
    const std::string& file = args.text(1);
    const auto format = chartFileFormat(file);
    if (!format) throw ERefused("format de " + file + " inconnu (.png, .svg ou .pdf)");
    const spectre& image = requireSpectrum(in.wb().spectres2D, args.text(2), "image");
    const auto palette = paletteNamed(args.text(3));
    if (!palette)
        throw ERefused("palette \"" + args.text(3) +
                       "\" inconnue (Gris, Vert, Rouge, Rainbow, viridis, magma)");
    const bool logarithmic = requireScaleType(args.text(4));
    const double zmin = requireFinite(args.number(5), args.text(5));
    const double zmax = requireFinite(args.number(6), args.text(6));
    const int zoom = requireZoom(args.number(7), args.text(7));
    if (image.nx < 1 || image.ny < 1 || image.pointCount() == 0)
        throw ERefused("image " + image.name + " vide");
    const double width = double(image.nx) * zoom, height = double(image.ny) * zoom;
    if (width > largestSide || height > largestSide || width * height > largestPixelCount)
        throw ERefused("image " + image.name + " trop grande à ce zoom");
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw ERefused("aucun rendu possible dans ce programme");

    LevelMap levels;
    ImagePicture picture;
    picture.scale = plotScale(image, zmin, zmax, logarithmic);
    computeLevels(image, picture.scale, levels);
    picture.levels = &levels;
    picture.colours = colourTable(*palette);
    picture.decimalSeparator = in.wb().decimalSeparator;
    try {
        writePictureFile(file, pictureBytes(*format, picture, zoom));
    } catch (const EInOutError& e) {
        throw ERefused(e.what());
    }
    in.wb().journal.appendLine("image 2D sauvegardée sous " + file);
}

} // namespace ombrelune
