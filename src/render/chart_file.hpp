#pragma once
// A chart as a picture file or image: PNG, SVG (text kept as text) or PDF, laid out at a
// chosen size in chart pixels through the same painter as the screen.

#include "plot/chart_model.hpp"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

#include <QRectF>

#include <filesystem>
#include <functional>
#include <optional>

namespace ombrelune {

enum class ChartFileFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (".png", ".svg", ".pdf", any case).
std::optional<ChartFileFormat> chartFileFormat(const std::filesystem::path& file);

struct ChartPictureOptions {
    // Off, every pixel of a curve has the curve's exact colour.
    bool antialias = false;
};

// The chart drawn on a white image of that size.
QImage chartImage(ChartModel& chart, QSize size, const ChartPictureOptions& options = {});
// The bytes of the file. A PDF page is the size at 96 pixels per inch.
QByteArray chartFileBytes(ChartModel& chart, ChartFileFormat format, QSize size,
                          const ChartPictureOptions& options = {});
// Any picture as a file: `draw` paints it into the rectangle (0, 0) .. size, for SVG (text
// kept as text) or PDF (a page of that size at 96 pixels per inch); PNG bytes of an image.
using PictureDrawing = std::function<void(QPainter&, const QRectF&)>;
QByteArray vectorPictureBytes(ChartFileFormat format, QSize size, const QString& title,
                              const PictureDrawing& draw, bool antialias);
QByteArray pngBytes(const QImage& image);
// Writes the bytes atomically; raises EInOutError naming the file when it cannot.
void writePictureFile(const std::filesystem::path& file, const QByteArray& bytes);

// Writes the file atomically; raises EInOutError naming it when it cannot be written.
void writeChartFile(const std::filesystem::path& file, ChartFileFormat format, ChartModel& chart,
                    QSize size, const ChartPictureOptions& options = {});

} // namespace ombrelune
