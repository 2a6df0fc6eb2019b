#pragma once
// Every modal dialog of the workbench goes through this one service, so that a test can
// answer it without blocking. The program uses QtDialogService; tests use a scripted one.

#include <QString>

#include <optional>

class QColor;
class QDialog;
class QPrinter;
class QWidget;

namespace ombrelune {

// What a file dialog is asked for. `filter` is in the "text|pattern|text|pattern" form
// the windows keep (see file_filter.hpp).
struct FileRequest {
    QString title;
    QString directory;
    QString filter;
    // Added to a file name typed without an extension ("1D", "seq"); none when empty.
    QString defaultSuffix = {};
};

// What to do with work that is not saved: save it first, drop it, or go back to it.
enum class SaveChoice { save, discard, cancel };

class DialogService {
public:
    virtual ~DialogService() = default;

    // A warning with the buttons Yes and No; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // A question about unsaved work, with the buttons Save, Discard and Cancel.
    virtual SaveChoice askSave(QWidget* parent, const QString& text) = 0;
    // A question before an action that cannot be undone, with a button named after the
    // action and Cancel (the default); true for the action.
    virtual bool confirm(QWidget* parent, const QString& text, const QString& action) = 0;
    // A warning with an OK button.
    virtual void showWarning(QWidget* parent, const QString& text) = 0;
    // The standard error box for a failed action.
    virtual void showError(QWidget* parent, const QString& message) = 0;
    // The expression-error box, titled "erreur", with the whole message as its text (the
    // window manager would cut a long title).
    virtual void showExpressionError(QWidget* parent, const QString& message) = 0;
    // The name-entry dialog prefilled with `name`; the entered text, or nothing when the
    // user cancels.
    virtual std::optional<QString> enterName(QWidget* parent, const QString& name) = 0;
    // The chosen file, or nothing when the user cancels.
    virtual std::optional<QString> openFileName(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent, const FileRequest& request) = 0;
    // The print dialog and the printer set-up dialog; true when confirmed.
    virtual bool print(QWidget* parent, QPrinter& printer) = 0;
    virtual bool printerSetup(QWidget* parent, QPrinter& printer) = 0;
    // One of the program's own dialogs, shown modally; true when closed with OK.
    virtual bool runDialog(QDialog& dialog) = 0;
    // The colour dialog starting at `current`; the chosen colour, or nothing on Cancel.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& current) = 0;
};

} // namespace ombrelune
