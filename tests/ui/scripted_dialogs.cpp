#include "scripted_dialogs.hpp"

#include <QDialog>

namespace ombrelune::testing {

QStringList ScriptedDialogs::texts(const QString& kind) const {
    QStringList out;
    for (const ShownDialog& d : shown)
        if (d.kind == kind) out << d.text;
    return out;
}

const ShownDialog* ScriptedDialogs::last(const QString& kind) const {
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        if (it->kind == kind) return &*it;
    return nullptr;
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& text) {
    shown.push_back({QStringLiteral("yesno"), text, {}});
    return answerYes;
}

SaveChoice ScriptedDialogs::askSave(QWidget*, const QString& text) {
    shown.push_back({QStringLiteral("unsaved"), text, {}});
    if (saveChoices.empty()) return SaveChoice::cancel;
    const SaveChoice choice = saveChoices.front();
    saveChoices.erase(saveChoices.begin());
    return choice;
}

bool ScriptedDialogs::confirm(QWidget*, const QString& text, const QString& action) {
    shown.push_back({QStringLiteral("confirm"), text, action});
    return confirmAction;
}

void ScriptedDialogs::showWarning(QWidget*, const QString& text) {
    shown.push_back({QStringLiteral("warning"), text, {}});
}

void ScriptedDialogs::showError(QWidget*, const QString& message) {
    shown.push_back({QStringLiteral("error"), message, {}});
}

void ScriptedDialogs::showExpressionError(QWidget*, const QString& message) {
    shown.push_back({QStringLiteral("expression"), message, QStringLiteral("erreur")});
}

std::optional<QString> ScriptedDialogs::enterName(QWidget*, const QString& prefill) {
    shown.push_back({QStringLiteral("name"), prefill, {}});
    return name;
}

std::optional<QString> ScriptedDialogs::nextFile(const QString& kind, const FileRequest& request) {
    shown.push_back({kind, request.directory, request.title, request.defaultSuffix});
    const QString answer = files.isEmpty() ? QString() : files.takeFirst();
    if (answer.isEmpty()) return {};
    return answer;
}

std::optional<QString> ScriptedDialogs::openFileName(QWidget*, const FileRequest& request) {
    return nextFile(QStringLiteral("open"), request);
}

std::optional<QString> ScriptedDialogs::saveFileName(QWidget*, const FileRequest& request) {
    return nextFile(QStringLiteral("save"), request);
}

bool ScriptedDialogs::print(QWidget*, QPrinter& printer) {
    shown.push_back({QStringLiteral("print"), {}, {}});
    return onPrint && onPrint(printer);
}

bool ScriptedDialogs::printerSetup(QWidget*, QPrinter&) {
    shown.push_back({QStringLiteral("setup"), {}, {}});
    return false;
}

bool ScriptedDialogs::runDialog(QDialog& dialog) {
    shown.push_back({QStringLiteral("dialog"), dialog.windowTitle(), {}});
    return onDialog && onDialog(dialog);
}

std::optional<QColor> ScriptedDialogs::chooseColour(QWidget*, const QColor& current) {
    shown.push_back({QStringLiteral("colour"), current.name(), {}});
    return colour;
}

} // namespace ombrelune::testing
