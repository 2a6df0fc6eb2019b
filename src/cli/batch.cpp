#include "cli/batch.hpp"

#include "cli/console.hpp"
#include "cli/interrupt.hpp"
#include "cli/listing.hpp"
#include "store/number_format.hpp"

namespace ombrelune {
namespace {

constexpr std::size_t namesShown = 20;

std::string names(const std::vector<std::string>& list) {
    std::string out;
    for (std::size_t k = 0; k < list.size() && k < namesShown; ++k)
        out += (k ? ", " : "") + list[k];
    if (list.size() > namesShown)
        out += " and " + std::to_string(list.size() - namesShown) + " more";
    return out;
}

const char* verdict(RunOutcome::Status status) {
    switch (status) {
    case RunOutcome::Status::refused:
        return "refused commands";
    case RunOutcome::Status::failed:
        return "failed";
    case RunOutcome::Status::done:
        break;
    }
    return "done";
}

} // namespace

BatchTally::BatchTally(Console& console, const std::vector<std::string>& inputs)
    : console_(console), inputs_(inputs), start_(std::chrono::steady_clock::now()) {
    console_.startBatch(int(inputs.size()));
}

void BatchTally::record(std::size_t index, const RunOutcome& outcome, double seconds) {
    const std::string& input = inputs_[index];
    switch (outcome.status) {
    case RunOutcome::Status::done:
        ++done_;
        break;
    case RunOutcome::Status::refused:
        ++refused_;
        refusedNames_.push_back(input);
        break;
    case RunOutcome::Status::failed:
        ++failed_;
        failedNames_.push_back(input);
        break;
    }
    console_.inputFinished(done_ + refused_ + failed_, input, verdict(outcome.status), seconds);
}

std::string BatchTally::summary() const {
    const int finished = done_ + refused_ + failed_;
    const int notRun = int(inputs_.size()) - finished;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::string text = "ombrelune-run: " + std::to_string(inputs_.size()) +
                       " inputs: " + std::to_string(done_) + " done";
    if (refused_)
        text += ", " + std::to_string(refused_) + " with refused commands (" +
                names(refusedNames_) + ")";
    if (failed_) text += ", " + std::to_string(failed_) + " failed (" + names(failedNames_) + ")";
    if (notRun) text += ", " + std::to_string(notRun) + " not run";
    text += "; " + formatFixed(seconds, 3) + " s in all";
    if (finished) text += ", " + formatFixed(seconds / finished, 3) + " s per input";
    return text;
}

void BatchTally::finish() {
    console_.endBatch();
    console_.message(summary());
}

int BatchTally::exitStatus(bool interrupted) const {
    if (interrupted) return 130;
    if (failed_) return 1;
    return refused_ ? 3 : 0;
}

int exitStatus(const RunOutcome& outcome) {
    switch (outcome.status) {
    case RunOutcome::Status::failed:
        return 1;
    case RunOutcome::Status::refused:
        return 3;
    case RunOutcome::Status::done:
        break;
    }
    return 0;
}

void runInputsHere(const RunOptions& options, const RunSettings& settings, Workbench& wb,
                   JournalTap& tap, Console& console, BatchTally& tally) {
    const int count = int(options.inputs.size());
    const StartSpectra start(wb);
    for (int k = 0; k < count && !interrupt::requested(); ++k) {
        const auto began = std::chrono::steady_clock::now();
        start.restore(wb);
        const RunOutcome outcome = runInput(wb, tap, console, options.jobs, settings,
                                            {options.inputs[std::size_t(k)], k + 1, count});
        if (options.list) console.output(spectrumListing(wb));
        tally.record(
            std::size_t(k), outcome,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count());
        if (outcome.status == RunOutcome::Status::failed && options.stopOnError) break;
    }
}

} // namespace ombrelune
