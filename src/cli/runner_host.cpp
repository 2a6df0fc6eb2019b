#include "cli/runner_host.hpp"

#include "cli/console.hpp"
#include "cli/interrupt.hpp"

#include <thread>

namespace ombrelune {

void RunnerHost::processEvents() {
    checkStop();
    // Nothing to process without a window: sleep a little while "delay" waits.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void RunnerHost::checkStop() const {
    if (deadline_ && Clock::now() > *deadline_) throw RunStopped{deadlineReason_};
    if (stopOnInterrupt_ && interrupt::requested()) throw RunStopped{"interrompu (Ctrl-C)"};
}

void RunnerHost::showWarning(const std::string& text) {
    console_.message("warning: " + text);
}

void RunnerHost::reportExpressionError(const std::string& message) {
    console_.message("erreur: " + message);
    expressionErrorPending = true;
    lastExpressionError = message;
}

} // namespace ombrelune
