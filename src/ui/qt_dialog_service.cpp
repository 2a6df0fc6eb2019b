#include "ui/qt_dialog_service.hpp"

#include "ui/enter_dialog.hpp"
#include "ui/file_filter.hpp"
#include "ui/qt_text.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace ombrelune {
namespace {

std::optional<QString> runFileDialog(QWidget* parent, const FileRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.directory, qtFileFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

bool QtDialogService::askYesNo(QWidget* parent, const QString& text) {
    return QMessageBox::warning(parent, QApplication::applicationDisplayName(), text,
                                QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

SaveChoice QtDialogService::askSave(QWidget* parent, const QString& text) {
    switch (QMessageBox::warning(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                 QMessageBox::Save)) {
    case QMessageBox::Save:
        return SaveChoice::save;
    case QMessageBox::Discard:
        return SaveChoice::discard;
    default:
        return SaveChoice::cancel;
    }
}

bool QtDialogService::confirm(QWidget* parent, const QString& text, const QString& action) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Ok)->setText(action);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

void QtDialogService::showWarning(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QApplication::applicationDisplayName(), text);
}

void QtDialogService::showError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QApplication::applicationDisplayName(), message);
}

void QtDialogService::showExpressionError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QStringLiteral("erreur"), messageLines(message));
}

std::optional<QString> QtDialogService::enterName(QWidget* parent, const QString& name) {
    TenterDlg dialog(parent);
    dialog.editeur->setText(name);
    dialog.editeur->selectAll();
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.editeur->text();
}

std::optional<QString> QtDialogService::openFileName(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogService::saveFileName(QWidget* parent, const FileRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

bool QtDialogService::print(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::printerSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::runDialog(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QColor> QtDialogService::chooseColour(QWidget* parent, const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid()) return {};
    return chosen;
}

} // namespace ombrelune
