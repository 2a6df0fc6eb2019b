#include "ui/edit_real.hpp"

#include "ui/qt_text.hpp"

#include "store/number_format.hpp"

#include <QKeyEvent>

#include <cmath>
#include <string>

namespace ombrelune {

TEditReal::TEditReal(QWidget* parent) : QLineEdit(parent) {
    // A number longer than its box is read from its first digit, not its last decimals.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!hasFocus()) home(false);
    });
}

double TEditReal::Value() const {
    return parseNumber(utf8(text()), '.').value_or(0.0);
}

void TEditReal::setValue(double x) {
    if (x != 0) {
        // The smallest number this many decimals can show: the exact decimal 1E-n, as
        // parsed, so that 1E-12 itself needs 12 decimals and not 13.
        auto smallest = [](int n) { return strToFloat("1E-" + std::to_string(n)); };
        while (std::fabs(x) < smallest(nbrDecimales_)) ++nbrDecimales_;
    }
    QString shown = qs(formatFixed(x, nbrDecimales_, '.'));
    if (shown.size() < nbrCarac_)
        shown = QString(nbrCarac_ - shown.size(), QLatin1Char(' ')) + shown;
    setText(shown);
}

void TEditReal::showShort() {
    setText(qs(formatGeneral(roundToSignificant(Value(), 3), '.')));
}

void TEditReal::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    showShort();
}

void TEditReal::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // The owner's handler (returnPressed) sees the text as typed.
        QLineEdit::keyPressEvent(event);
        showShort();
        return;
    case Qt::Key_Up:
        if (shift)
            increment_ *= 10;
        else
            setValue(logIncrement_ ? Value() * 10 : Value() + increment_);
        return;
    case Qt::Key_Down:
        if (shift)
            increment_ /= 10;
        else
            setValue(logIncrement_ ? Value() / 10 : Value() - increment_);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

} // namespace ombrelune
