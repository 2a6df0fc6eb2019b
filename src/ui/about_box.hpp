#pragma once
// The about box: the program's name, version and makers; "OK" hides it.

#include <QDialog>

namespace ombrelune {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace ombrelune
