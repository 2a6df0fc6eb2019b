#include "cli/runner_host.hpp"

#include <chrono>
#include <cstdio>
#include <thread>

namespace ombrelune {

void RunnerHost::processEvents() {
    // Nothing to process without a window: sleep a little while "delay" waits.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void RunnerHost::showWarning(const std::string& text) {
    std::fprintf(stderr, "warning: %s\n", text.c_str());
}

void RunnerHost::reportExpressionError(const std::string& message) {
    std::fprintf(stderr, "erreur: %s\n", message.c_str());
    expressionErrorPending = true;
}

} // namespace ombrelune
