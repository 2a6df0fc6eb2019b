#include "render/image_painter.hpp"

#include "plot/colour_scale.hpp"
#include "render/chart_style.hpp"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace ombrelune {
namespace {

constexpr double stripWidth = 16;
constexpr double labelGap = 4;
constexpr double scaleGap = 8;
constexpr double margin = 8;

QFont labelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

QVector<QRgb> qtColourTable(const ColourTable& colours) {
    return QVector<QRgb>(colours.begin(), colours.end());
}

// The device pixels of `target` that lie in the painter's clip, or nothing when the painter
// draws on something other than plain pixels (paper, vector files, a transformed painter).
std::optional<QRect> rasterPixels(QPainter& painter, const QRectF& target) {
    const QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster) return std::nullopt;
    if (painter.worldTransform().type() > QTransform::TxTranslate) return std::nullopt;
    QRect pixels = target.toAlignedRect();
    if (painter.hasClipping()) pixels &= painter.clipBoundingRect().toAlignedRect();
    return pixels;
}

// Each device pixel of `pixels` coloured by the point under its centre (or left
// transparent outside the picture).
void paintNearest(QPainter& painter, const QRect& pixels, const QRectF& target,
                  const ImagePicture& picture, const QRectF& source) {
    if (pixels.isEmpty()) return;
    const LevelMap& map = *picture.levels;
    const double sx = source.width() / target.width(), sy = source.height() / target.height();
    auto pointIndex = [](double p, int size) {
        const double f = std::floor(p);
        return f >= 0 && f < size ? static_cast<int>(f) : -1;
    };
    std::vector<int> columns(static_cast<std::size_t>(pixels.width()));
    for (int x = 0; x < pixels.width(); ++x)
        columns[static_cast<std::size_t>(x)] =
            pointIndex(source.left() + (pixels.left() + x + 0.5 - target.left()) * sx, map.width);
    QImage out(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const int j =
            pointIndex(source.top() + (pixels.top() + y + 0.5 - target.top()) * sy, map.height);
        if (j < 0) {
            std::fill(row, row + pixels.width(), 0u);
            continue;
        }
        const std::uint8_t* levels = map.bytes.data() + static_cast<std::size_t>(j) * map.stride;
        for (int x = 0; x < pixels.width(); ++x) {
            const int i = columns[static_cast<std::size_t>(x)];
            row[x] = i < 0 ? 0u : picture.colours[levels[i]];
        }
    }
    painter.drawImage(pixels.topLeft(), out);
}

// The points of `source` as an image, enlarged by a whole factor when it is drawn much
// larger than it is, so that vector files keep sharp points whatever the viewer does.
void paintResampled(QPainter& painter, const QRectF& target, const ImagePicture& picture,
                    const QRectF& source) {
    const LevelMap& map = *picture.levels;
    const QRect points = source.toAlignedRect() & QRect(0, 0, map.width, map.height);
    if (points.isEmpty()) return;
    QImage part = indexedPicture(map, picture.colours).copy(points);
    const double scale = target.width() / source.width();
    const int factor = std::clamp(static_cast<int>(std::floor(scale)), 1, 16);
    const bool enlarge = !picture.smooth && factor > 1 &&
                         double(points.width()) * points.height() * factor * factor <= 16e6;
    if (enlarge) {
        LevelMap sub;
        sub.width = points.width();
        sub.height = points.height();
        sub.stride = part.bytesPerLine();
        sub.bytes.assign(part.constBits(), part.constBits() + part.sizeInBytes());
        part = zoomedPicture(sub, picture.colours, factor);
    }
    const double sx = target.width() / source.width(), sy = target.height() / source.height();
    const QRectF dest(target.left() + (points.left() - source.left()) * sx,
                      target.top() + (points.top() - source.top()) * sy, points.width() * sx,
                      points.height() * sy);
    painter.drawImage(dest, part.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

void paintOverlays(QPainter& painter, const QRectF& target, const ImagePicture& picture,
                   const QRectF& source) {
    const double sx = target.width() / source.width(), sy = target.height() / source.height();
    auto at = [&](double x, double y) {
        return QPointF(target.left() + (x - source.left()) * sx,
                       target.top() + (y - source.top()) * sy);
    };
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const OverlayLine& line : picture.overlays) {
        QPen pen(qtColour(line.colour));
        pen.setCosmetic(true);
        pen.setWidth(1);
        painter.setPen(pen);
        painter.drawLine(at(line.x1, line.y1), at(line.x2, line.y2));
    }
}

double labelsWidth(const ImagePicture& picture) {
    const QFontMetricsF metrics(labelFont());
    double width = 0;
    for (const ScaleLabel& label : colourScaleLabels(picture.scale, picture.decimalSeparator))
        width = std::max(width, metrics.horizontalAdvance(qtText(label.text)));
    return width + labelGap;
}

} // namespace

QImage indexedPicture(const LevelMap& levels, const ColourTable& colours) {
    QImage image(levels.bytes.data(), levels.width, levels.height, levels.stride,
                 QImage::Format_Indexed8);
    image.setColorTable(qtColourTable(colours));
    return image;
}

void paintPicture(QPainter& painter, const QRectF& target, const ImagePicture& picture,
                  const QRectF& source) {
    if (!picture.levels || picture.levels->width <= 0 || picture.levels->height <= 0 ||
        source.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    const auto pixels = picture.smooth ? std::nullopt : rasterPixels(painter, target);
    if (pixels) {
        paintNearest(painter, *pixels, target, picture, source);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.smooth);
        paintResampled(painter, target, picture, source);
    }
    paintOverlays(painter, target, picture, source);
    painter.restore();
}

void paintColourScale(QPainter& painter, const QRectF& target, const ImagePicture& picture) {
    painter.save();
    const QRectF strip(target.right() - stripWidth, target.top(), stripWidth, target.height());
    const LevelMap stripMap = scaleStripMap();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(strip, indexedPicture(stripMap, picture.colours)
                                 .copy(0, 0, 1, levelCount)
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    painter.setFont(labelFont());
    painter.setPen(Qt::black);
    const double height = QFontMetricsF(painter.font()).height();
    for (const ScaleLabel& label : colourScaleLabels(picture.scale, picture.decimalSeparator)) {
        const double y = std::clamp(target.top() + label.position * target.height() - height / 2,
                                    target.top() - height / 2, target.bottom() - height / 2);
        const QRectF box(target.left(), y, strip.left() - labelGap - target.left(), height);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, qtText(label.text));
    }
    painter.restore();
}

void paintImageWithScale(QPainter& painter, const QRectF& target, const ImagePicture& picture) {
    if (!picture.levels || picture.levels->width <= 0 || picture.levels->height <= 0) return;
    const double scaleWidth = labelsWidth(picture) + stripWidth;
    const QRectF area = target.adjusted(margin + scaleWidth + scaleGap, margin, -margin, -margin);
    const double w = picture.levels->width * picture.aspect, h = picture.levels->height;
    const double zoom = std::max(0.0, std::min(area.width() / w, area.height() / h));
    const QRectF image(area.left(), area.top(), w * zoom, h * zoom);
    paintColourScale(painter,
                     QRectF(target.left() + margin, image.top(), scaleWidth, image.height()),
                     picture);
    paintPicture(painter, image, picture,
                 QRectF(0, 0, picture.levels->width, picture.levels->height));
}

QSize imageWithScaleSize(const ImagePicture& picture, double zoom) {
    const double w = picture.levels ? picture.levels->width * picture.aspect * zoom : 0;
    const double h = picture.levels ? picture.levels->height * zoom : 0;
    return QSize(static_cast<int>(std::ceil(2 * margin + labelsWidth(picture) + stripWidth +
                                            scaleGap + w)),
                 static_cast<int>(std::ceil(2 * margin + h)));
}

QImage zoomedPicture(const LevelMap& levels, const ColourTable& colours, int zoom) {
    QImage out(levels.width * zoom, levels.height * zoom, QImage::Format_Indexed8);
    out.setColorTable(qtColourTable(colours));
    for (int y = 0; y < out.height(); ++y) {
        const std::uint8_t* in = levels.bytes.data() + static_cast<std::size_t>(y / zoom) *
                                                           static_cast<std::size_t>(levels.stride);
        std::uint8_t* row = out.scanLine(y);
        for (int i = 0; i < levels.width; ++i)
            std::fill_n(row + static_cast<std::size_t>(i) * zoom, zoom, in[i]);
    }
    return out;
}

} // namespace ombrelune
