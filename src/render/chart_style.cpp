#include "render/chart_style.hpp"

#include <QFontMetricsF>

namespace ombrelune {

QFont qtFont(const FontSpec& font) {
    QFont f(qtText(font.family));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, font.pixelHeight));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    return f;
}

Qt::PenStyle qtPenStyle(int lineStyleCode) {
    switch (lineStyleCode) {
    case lsDash:
        return Qt::DashLine;
    case lsDot:
        return Qt::DotLine;
    case lsDashDot:
        return Qt::DashDotLine;
    case lsDashDotDot:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

double QtTextMetrics::width(const std::string& text, const FontSpec& font) const {
    return QFontMetricsF(qtFont(font)).horizontalAdvance(qtText(text));
}

double QtTextMetrics::height(const FontSpec& font) const {
    return QFontMetricsF(qtFont(font)).height();
}

} // namespace ombrelune
