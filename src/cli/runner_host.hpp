#pragma once
// The runner's answers to the engine: lines step back to back, "delay" sleeps, warnings
// and expression errors go to standard error, views are ignored. A run may have a
// deadline, and may stop at Ctrl-C: a wait ("delay") then ends the run by raising RunStopped.

#include "script/script_host.hpp"

#include <chrono>
#include <optional>
#include <string>

namespace ombrelune {

class Console;

// Raised when a run passes its deadline or is interrupted. Not a std::exception, so that
// nothing on the way reports it as a failure of the command it stops.
struct RunStopped {
    std::string reason;
};

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

    // The run stops once the deadline has passed, with that reason.
    void setDeadline(Clock::time_point deadline, std::string reason) {
        deadline_ = deadline;
        deadlineReason_ = std::move(reason);
    }
    // The run stops at the first Ctrl-C.
    void stopOnInterrupt() { stopOnInterrupt_ = true; }
    // Raises RunStopped when the run must stop; checked between lines and while waiting.
    void checkStop() const;

    // True once an expression error was reported (its message kept); cleared by the caller.
    bool expressionErrorPending = false;
    std::string lastExpressionError;

private:
    Console& console_;
    bool timer_ = false;
    std::optional<Clock::time_point> deadline_;
    std::string deadlineReason_;
    bool stopOnInterrupt_ = false;
};

} // namespace ombrelune
