#pragma once
// A pair of small arrow buttons, up above down, that only report which was pressed.

#include <QWidget>

class QToolButton;

namespace ombrelune {

class SpinButton : public QWidget {
    Q_OBJECT
public:
    explicit SpinButton(QWidget* parent = nullptr);
    QToolButton* upButton;
    QToolButton* downButton;

Q_SIGNALS:
    void up();
    void down();
};

} // namespace ombrelune
