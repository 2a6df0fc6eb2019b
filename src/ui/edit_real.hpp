#pragma once
// TEditReal: a one-line box holding a real number written with a fixed number of
// decimals. A click or Enter shows it short (3 significant digits); the arrow keys step it.

#include <QLineEdit>

namespace ombrelune {

class TEditReal : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditReal(QWidget* parent = nullptr);

    // Minimum width, in characters, of the text written by setValue (right-aligned).
    int NbrCarac() const { return nbrCarac_; }
    void setNbrCarac(int characters) { nbrCarac_ = characters; }
    // Decimals written by setValue; raised for good when a value would show as 0.
    int NbrDecimales() const { return nbrDecimales_; }
    void setNbrDecimales(int decimals) { nbrDecimales_ = decimals; }
    // Step of the arrow keys; Shift+Up and Shift+Down multiply and divide it by 10.
    double Increment() const { return increment_; }
    void setIncrement(double step) { increment_ = step; }
    // Arrow keys multiply and divide the value by 10 instead of stepping it.
    bool logIncrement() const { return logIncrement_; }
    void setlogIncrement(bool on) { logIncrement_ = on; }

    // The text read as a number with "." as decimal separator; 0 for a text that is not
    // a number.
    double Value() const;
    void setValue(double x);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showShort();

    int nbrCarac_ = 8;
    int nbrDecimales_ = 10;
    double increment_ = 0;
    bool logIncrement_ = false;
};

} // namespace ombrelune
