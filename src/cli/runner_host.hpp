#pragma once
// The runner's answers to the engine: lines step back to back, "delay" sleeps, warnings
// and expression errors go to standard error, views are ignored.

#include "script/script_host.hpp"

#include <string>

namespace ombrelune {

class RunnerHost : public ScriptHost {
public:
    void setStepTimer(bool on) override { timer_ = on; }
    bool stepTimer() const override { return timer_; }
    void processEvents() override;
    void showWarning(const std::string& text) override;
    void reportExpressionError(const std::string& message) override;
    void showImage(const std::string&) override {}

    // True once an expression error was reported; cleared by the caller.
    bool expressionErrorPending = false;

private:
    bool timer_ = false;
};

} // namespace ombrelune
