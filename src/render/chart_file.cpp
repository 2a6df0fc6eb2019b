#include "render/chart_file.hpp"

#include "render/chart_painter.hpp"

#include "store/atomic_file.hpp"
#include "store/text_encoding.hpp"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace ombrelune {
namespace {

constexpr double pixelsPerInch = 96;

QRectF wholePicture(QSize size) {
    return QRectF(0, 0, size.width(), size.height());
}

QByteArray svgBytes(QSize size, const QString& title, const PictureDrawing& draw, bool antialias) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(static_cast<int>(pixelsPerInch));
    svg.setTitle(title);
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing, antialias);
    draw(p, wholePicture(size));
    p.end();
    return bytes;
}

QByteArray pdfBytes(QSize size, const QString& title, const PictureDrawing& draw, bool antialias) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(static_cast<int>(pixelsPerInch));
    pdf.setPageSize(QPageSize(QSizeF(size.width() / pixelsPerInch, size.height() / pixelsPerInch),
                              QPageSize::Inch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Ombrelune"));
    QPainter p(&pdf);
    p.setRenderHint(QPainter::Antialiasing, antialias);
    draw(p, wholePicture(size));
    p.end();
    return bytes;
}

} // namespace

std::optional<ChartFileFormat> chartFileFormat(const std::filesystem::path& file) {
    const std::string extension = file.extension().string();
    if (equalsIgnoreAsciiCase(extension, ".png")) return ChartFileFormat::Png;
    if (equalsIgnoreAsciiCase(extension, ".svg")) return ChartFileFormat::Svg;
    if (equalsIgnoreAsciiCase(extension, ".pdf")) return ChartFileFormat::Pdf;
    return std::nullopt;
}

QImage chartImage(ChartModel& chart, QSize size, const ChartPictureOptions& options) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, options.antialias);
    p.setRenderHint(QPainter::TextAntialiasing, options.antialias);
    drawChart(p, wholePicture(size), chart);
    return image;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray vectorPictureBytes(ChartFileFormat format, QSize size, const QString& title,
                              const PictureDrawing& draw, bool antialias) {
    return format == ChartFileFormat::Pdf ? pdfBytes(size, title, draw, antialias)
                                          : svgBytes(size, title, draw, antialias);
}

QByteArray chartFileBytes(ChartModel& chart, ChartFileFormat format, QSize size,
                          const ChartPictureOptions& options) {
    if (format == ChartFileFormat::Png) return pngBytes(chartImage(chart, size, options));
    return vectorPictureBytes(
        format, size, QStringLiteral("Ombrelune chart"),
        [&](QPainter& p, const QRectF& target) { drawChart(p, target, chart); }, options.antialias);
}

void writePictureFile(const std::filesystem::path& file, const QByteArray& bytes) {
    AtomicFile out(file);
    out.write(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    out.commit();
}

void writeChartFile(const std::filesystem::path& file, ChartFileFormat format, ChartModel& chart,
                    QSize size, const ChartPictureOptions& options) {
    writePictureFile(file, chartFileBytes(chart, format, size, options));
}

} // namespace ombrelune
