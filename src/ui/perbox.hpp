#pragma once
// Tperbox: the factor box of one curve of a 1D view. A painted letter, a check box that
// shows and hides the curve, a scroll bar choosing a power-of-two factor 2^(valeur - 6)
// and the factor as text. Everything the user does is told to the owner through
// notify(code, value):
//   valeur set ....................... spectre + 10, valeur
//   check box clicked while ticked ... spectre, 3   (while not ticked: spectre, 2)
//   left press on the letter ......... spectre, 1, then the valeur notification
//   right press on the letter ........ spectre, -1

#include <QColor>
#include <QWidget>

#include <algorithm>

class QCheckBox;
class QLabel;
class QScrollBar;

namespace ombrelune {

class Tperbox : public QWidget {
    Q_OBJECT
public:
    static constexpr int lowest = 1;
    static constexpr int highest = 31;

    explicit Tperbox(QWidget* parent = nullptr);

    int valeur() const { return valeur_; }
    // Clamped to [min, max]; updates the text and the bar and notifies.
    void setValeur(int v);
    int min() const { return min_; }
    void setMin(int v);
    int max() const { return max_; }
    void setMax(int v);
    // Curve number 1 to 4; the letter is "A" for 1.
    int spectre() const { return spectre_; }
    void setSpectre(int n);
    const QColor& couleur() const { return couleur_; }
    void setCouleur(const QColor& c);

    bool checked() const;
    // The four-character text of a factor index ("1/32" … " 32M").
    static QString factorText(int index);

    QCheckBox* checkBox() const { return check_; }
    QScrollBar* scrollBar() const { return bar_; }
    QLabel* factorLabel() const { return text_; }

Q_SIGNALS:
    void notify(int code, int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showFactor(int index);
    int clampIndex(int v) const { return std::clamp(v, min_, std::max(min_, max_)); }
    void setRange();

    QCheckBox* check_;
    QScrollBar* bar_;
    QLabel* text_;
    int valeur_ = 1;
    int min_ = lowest;
    int max_ = highest;
    int spectre_ = 1;
    QColor couleur_ = Qt::black;
};

} // namespace ombrelune
