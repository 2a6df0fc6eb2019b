#pragma once
// The script engine's host in the desktop program: the step timer Timer1 (50 ms unless
// the user chose another pace), the event loop while "delay" waits, and the engine's
// boxes through the dialog service. What the interpreter window shows of the engine
// (caption, running state, the line about to run, expression errors, the watch refresh)
// goes to the callbacks the window sets.

#include "script/script_host.hpp"

#include <QObject>

#include <functional>

class QTimer;
class QWidget;

namespace ombrelune {

class DialogService;

class GuiScriptHost : public QObject, public ScriptHost {
    Q_OBJECT
public:
    static constexpr int stepMilliseconds = 50;
    static constexpr int maxStepMilliseconds = 5000;

    // `window` parents the boxes (none until a window takes them).
    GuiScriptHost(DialogService& dialogs, QWidget* window);
    void setWindow(QWidget* window) { window_ = window; }

    // The time between two lines, 0 to 5000 ms; 0 runs lines back to back.
    void setStepInterval(int milliseconds);
    int stepInterval() const;

    QTimer* Timer1;
    std::function<void(const std::string&)> onCaption;
    std::function<void(bool)> onRunning;
    std::function<void(int)> onLineStarted;
    // Called with the message before the "erreur" box is shown.
    std::function<void(const std::string&)> onExpressionError;
    std::function<void()> onLineExecuted;
    std::function<void(const std::string&)> onShowImage;

    void setStepTimer(bool on) override;
    bool stepTimer() const override;
    void processEvents() override;
    void showWarning(const std::string& text) override;
    void reportExpressionError(const std::string& message) override;
    // Shows the image in the 2D view that onShowImage names (set by the main window).
    void showImage(const std::string& name) override {
        if (onShowImage) onShowImage(name);
    }
    void showCaption(const std::string& caption) override;
    void showRunning(bool running) override;
    void lineStarted(int line) override;
    void lineExecuted() override;

private:
    DialogService& dialogs_;
    QWidget* window_;
};

} // namespace ombrelune
