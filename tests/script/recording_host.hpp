#pragma once
// A script host for tests: records what the engine asked and steps scripts to their end.

#include "script/interpreter.hpp"
#include "script/script_commands.hpp"
#include "script/script_host.hpp"

#include "test_support.hpp"

#include <string>
#include <vector>

namespace ombrelune::testing {

class RecordingHost : public ScriptHost {
public:
    void setStepTimer(bool on) override { timer = on; }
    bool stepTimer() const override { return timer; }
    void processEvents() override { ++eventsProcessed; }
    void showWarning(const std::string& text) override { warnings.push_back(text); }
    void reportExpressionError(const std::string& message) override { errors.push_back(message); }
    void showImage(const std::string& name) override { images.push_back(name); }
    void showCaption(const std::string& text) override { caption = text; }
    void showRunning(bool on) override { runningShown = on; }
    void lineStarted(int line) override { started.push_back(line); }

    bool timer = false;
    int eventsProcessed = 0;
    bool runningShown = false;
    std::string caption = "h";
    std::vector<std::string> warnings, errors, images;
    std::vector<int> started; // the prepared lines run, in order
};

// A workbench, a recording host and an interpreter with the basic and file commands.
struct ScriptBench {
    TestBench tb;
    RecordingHost host;
    Interpreter interp{*tb.wb, host};

    ScriptBench() {
        bindBasicCommands(interp.registry());
        bindFileCommands(interp.registry());
    }
    Workbench& wb() { return *tb.wb; }
    double var(const std::string& name) { return interp.parser().GetVariable(name); }

    // Runs a script to its end the way the timer would, stepping while the timer is on;
    // an expression error leaves the timer off and the run goes on like Continue.
    void run(const std::string& script, int maxSteps = 100000) {
        interp.execute(script);
        for (int step = 0; interp.running() && step < maxSteps; ++step) {
            host.timer = true;
            interp.tick();
        }
    }
    // Executes lines as the command box does.
    void exec(const std::string& line) { interp.executeCommandBox(line); }
};

} // namespace ombrelune::testing
