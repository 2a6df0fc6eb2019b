#pragma once
// A dialog service for tests: records every dialog asked for and answers from what the
// test queued, so no test ever blocks on a window.

#include "ui/dialog_service.hpp"

#include <QColor>
#include <QStringList>

#include <functional>
#include <vector>

namespace ombrelune::testing {

struct ShownDialog {
    // "yesno", "unsaved", "confirm", "warning", "error", "expression", "name", "open",
    // "save", "print", "setup", "dialog", "colour"
    QString kind;
    QString text;
    QString title;
    // The extension a file dialog adds to a name typed without one.
    QString suffix = {};
};

class ScriptedDialogs : public DialogService {
public:
    std::vector<ShownDialog> shown;
    bool answerYes = false;
    // Answers of the next questions about unsaved work, in order; Cancel when none is left.
    std::vector<SaveChoice> saveChoices;
    // The answer of the confirmations before an action.
    bool confirmAction = false;
    // Answers of the next file dialogs, open or save; an empty text, or none left, cancels.
    QStringList files;
    std::optional<QString> name;
    // Prepares the printer and says whether the user confirmed; cancel when unset.
    std::function<bool(QPrinter&)> onPrint;
    // Works the program's own dialog as a user would and says whether it ends with OK;
    // cancel when unset.
    std::function<bool(QDialog&)> onDialog;
    // The answer of the colour dialogs; cancel when unset.
    std::optional<QColor> colour;

    // The texts of the dialogs of one kind, in order.
    QStringList texts(const QString& kind) const;
    int count(const QString& kind) const { return static_cast<int>(texts(kind).size()); }
    const ShownDialog* last(const QString& kind) const;

    bool askYesNo(QWidget*, const QString& text) override;
    SaveChoice askSave(QWidget*, const QString& text) override;
    // Recorded as kind "confirm" with the text and, as title, the action.
    bool confirm(QWidget*, const QString& text, const QString& action) override;
    void showWarning(QWidget*, const QString& text) override;
    void showError(QWidget*, const QString& message) override;
    void showExpressionError(QWidget*, const QString& message) override;
    std::optional<QString> enterName(QWidget*, const QString& prefill) override;
    std::optional<QString> openFileName(QWidget*, const FileRequest& request) override;
    std::optional<QString> saveFileName(QWidget*, const FileRequest& request) override;
    bool print(QWidget*, QPrinter& printer) override;
    bool printerSetup(QWidget*, QPrinter& printer) override;
    // Recorded as kind "dialog" with the dialog's title.
    bool runDialog(QDialog& dialog) override;
    std::optional<QColor> chooseColour(QWidget*, const QColor& current) override;

private:
    std::optional<QString> nextFile(const QString& kind, const FileRequest& request);
};

} // namespace ombrelune::testing
