#pragma once
// The script engine's host in the desktop program: the 50 ms step timer Timer1, the event
// loop while "delay" waits, and the engine's boxes through the dialog service. What the
// interpreter window shows of the engine (caption, running state, the watch refresh)
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

    // `window` parents the boxes (none until a window takes them).
    GuiScriptHost(DialogService& dialogs, QWidget* window);
    void setWindow(QWidget* window) { window_ = window; }

    QTimer* Timer1;
    std::function<void(const std::string&)> onCaption;
    std::function<void(bool)> onRunning;
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
    void lineExecuted() override;

private:
    DialogService& dialogs_;
    QWidget* window_;
};

} // namespace ombrelune
