#pragma once
// The operation dialog ("opération :"): computes one image from two others with +, -, *
// or /. A separate window; closing it hides it.

#include "store/workbench.hpp"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace ombrelune {

class DialogService;
class RefillingComboBox;

class Tdialogaddform : public QDialog {
    Q_OBJECT
public:
    Tdialogaddform(Workbench& wb, DialogService& dialogs, QWidget* parent = nullptr);

    // Shows the dialog with "+", "-", "*" or "/" preset.
    void openOperation(const QString& operationText);

    RefillingComboBox* spectre1;
    RefillingComboBox* spectre2;
    RefillingComboBox* spectre3;
    QComboBox* operation;
    QLabel* Label2;
    QPushButton* calculer;
    QPushButton* annuler;

    void calculerClick();

private:
    void fillNames();

    Workbench& wb_;
    DialogService& dialogs_;
};

} // namespace ombrelune
