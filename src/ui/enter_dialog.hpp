#pragma once
// The name-entry dialog: one line of at most 15 characters, confirmed with "OK".

#include <QDialog>

class QLineEdit;

namespace ombrelune {

class TenterDlg : public QDialog {
    Q_OBJECT
public:
    explicit TenterDlg(QWidget* parent = nullptr);

    QLineEdit* editeur;
};

} // namespace ombrelune
