#pragma once
// The editor's find dialog: modeless, one text, "Suivant" searches the next occurrence.

#include <QDialog>

class QLineEdit;

namespace ombrelune {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);
    QString text() const;

Q_SIGNALS:
    void findNext(const QString& text);

private:
    QLineEdit* edit_;
};

} // namespace ombrelune
