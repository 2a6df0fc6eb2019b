#pragma once
// The chart's settings in Qt's terms: colours, fonts, pen styles, and text metrics.

#include "plot/chart_model.hpp"

#include <QColor>
#include <QFont>
#include <QString>

namespace ombrelune {

inline QColor qtColour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}
inline Rgb rgbOf(const QColor& c) {
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}
QFont qtFont(const FontSpec& font);
Qt::PenStyle qtPenStyle(int lineStyleCode);
inline QString qtText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text sizes of the chart's fonts, in chart pixels (fonts are sized in pixels, so the
// device does not matter).
class QtTextMetrics : public TextMetrics {
public:
    double width(const std::string& text, const FontSpec& font) const override;
    double height(const FontSpec& font) const override;
};

} // namespace ombrelune
