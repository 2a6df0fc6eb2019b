#pragma once
// The runner's answers to the engine: lines step back to back, "delay" sleeps, warnings
// and expression errors go to standard error, views are ignored. A run may have a
// deadline: a wait ("delay") past it ends the run by raising RunTimeout.

#include "script/script_host.hpp"

#include <chrono>
#include <optional>
#include <string>

namespace ombrelune {

class Console;

// Raised when a run passes its deadline. Not a std::exception, so that nothing on the
// way reports it as a failure of the command it interrupts.
struct RunTimeout {};

class RunnerHost : public ScriptHost {
public:
    using Clock = std::chrono::steady_clock;

    explicit RunnerHost(Console& console) : console_(console) {}

    void setStepTimer(bool on) override { timer_ = on; }
    bool stepTimer() const override { return timer_; }
    void processEvents() override;
    void showWarning(const std::string& text) override;
    void reportExpressionError(const std::string& message) override;
    void showImage(const std::string&) override {}

    void setDeadline(std::optional<Clock::time_point> deadline) { deadline_ = deadline; }
    // Raises RunTimeout once the deadline has passed.
    void checkDeadline() const;

    // True once an expression error was reported (its message kept); cleared by the caller.
    bool expressionErrorPending = false;
    std::string lastExpressionError;

private:
    Console& console_;
    bool timer_ = false;
    std::optional<Clock::time_point> deadline_;
};

} // namespace ombrelune
