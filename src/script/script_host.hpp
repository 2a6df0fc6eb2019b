#pragma once
// What the script engine asks of the outside world. The desktop program answers with a
// 50 ms timer, the event loop and message boxes; the headless runner steps lines back to
// back, sleeps for "delay" and prints to standard error; tests record the calls.

#include <string>

namespace ombrelune {

class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // The stepping timer (Timer1): commands that may run long or show a dialog switch it
    // off while they work and on again when they end.
    virtual void setStepTimer(bool on) = 0;
    virtual bool stepTimer() const = 0;
    // Lets the host handle pending user actions (used while "delay" waits).
    virtual void processEvents() = 0;
    // A modal warning with an OK button; the command goes on after it.
    virtual void showWarning(const std::string& text) = 0;
    // An expression error: the "erreur" box titled with the message.
    virtual void reportExpressionError(const std::string& message) = 0;
    // Shows an image of the 2D table in the 2D view.
    virtual void showImage(const std::string& name) = 0;

    // What the interpreter window shows of the engine: its caption ("séq : " + the line
    // being run, "pas de séquence en cours"), the running/paused status (on at start and
    // on Continue, off at STOP and at the end), the prepared line about to run, and a
    // refresh of the variable watch after every executed line.
    virtual void showCaption(const std::string&) {}
    virtual void showRunning(bool) {}
    virtual void lineStarted(int) {}
    virtual void lineExecuted() {}
};

// Switches the step timer off for the life of a command and on again at its end.
class StepTimerPause {
public:
    explicit StepTimerPause(ScriptHost& host) : host_(host) { host_.setStepTimer(false); }
    ~StepTimerPause() { host_.setStepTimer(true); }
    StepTimerPause(const StepTimerPause&) = delete;
    StepTimerPause& operator=(const StepTimerPause&) = delete;

private:
    ScriptHost& host_;
};

} // namespace ombrelune
