#include "ui/gui_script_host.hpp"

#include "ui/dialog_service.hpp"
#include "ui/qt_text.hpp"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace ombrelune {

GuiScriptHost::GuiScriptHost(DialogService& dialogs, QWidget* window)
    : Timer1(new QTimer(this)), dialogs_(dialogs), window_(window) {
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(stepMilliseconds);
}

void GuiScriptHost::setStepTimer(bool on) {
    if (on)
        Timer1->start();
    else
        Timer1->stop();
}

bool GuiScriptHost::stepTimer() const {
    return Timer1->isActive();
}

void GuiScriptHost::setStepInterval(int milliseconds) {
    Timer1->setInterval(std::clamp(milliseconds, 0, maxStepMilliseconds));
}

int GuiScriptHost::stepInterval() const {
    return Timer1->interval();
}

void GuiScriptHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // A short sleep keeps a waiting "delay" from spinning the processor.
    QThread::msleep(5);
}

void GuiScriptHost::showWarning(const std::string& text) {
    dialogs_.showWarning(window_, qs(text));
}

void GuiScriptHost::reportExpressionError(const std::string& message) {
    if (onExpressionError) onExpressionError(message);
    dialogs_.showExpressionError(window_, qs(message));
}

void GuiScriptHost::showCaption(const std::string& caption) {
    if (onCaption) onCaption(caption);
}

void GuiScriptHost::showRunning(bool running) {
    if (onRunning) onRunning(running);
}

void GuiScriptHost::lineStarted(int line) {
    if (onLineStarted) onLineStarted(line);
}

void GuiScriptHost::lineExecuted() {
    if (onLineExecuted) onLineExecuted();
}

} // namespace ombrelune
