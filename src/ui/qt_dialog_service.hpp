#pragma once
// The dialogs of the running program: QMessageBox, QFileDialog, QColorDialog, TenterDlg,
// the Qt Print Support dialogs and the program's own dialogs, each shown modally.

#include "ui/dialog_service.hpp"

namespace ombrelune {

class QtDialogService : public DialogService {
public:
    bool askYesNo(QWidget* parent, const QString& text) override;
    SaveChoice askSave(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text, const QString& action) override;
    void showWarning(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& message) override;
    void showExpressionError(QWidget* parent, const QString& message) override;
    std::optional<QString> enterName(QWidget* parent, const QString& name) override;
    std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) override;
    bool print(QWidget* parent, QPrinter& printer) override;
    bool printerSetup(QWidget* parent, QPrinter& printer) override;
    bool runDialog(QDialog& dialog) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& current) override;
};

} // namespace ombrelune
