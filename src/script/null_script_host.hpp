#pragma once
// A host that answers the engine and shows nothing: for batch work that needs no output
// (benchmarks, fuzzing). The step timer is a plain flag.

#include "script/script_host.hpp"

namespace ombrelune {

class NullScriptHost : public ScriptHost {
public:
    void setStepTimer(bool on) override { timer_ = on; }
    bool stepTimer() const override { return timer_; }
    void processEvents() override {}
    void showWarning(const std::string&) override {}
    void reportExpressionError(const std::string&) override {}
    void showImage(const std::string&) override {}

private:
    bool timer_ = false;
};

} // namespace ombrelune
