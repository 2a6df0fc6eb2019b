#pragma once
// A batch of inputs: what became of each, the summary on standard error and the exit
// status; and the plain way to run it, one input after the other in this process.

#include "cli/script_run.hpp"

#include <chrono>
#include <string>
#include <vector>

namespace ombrelune {

class BatchTally {
public:
    BatchTally(Console& console, const std::vector<std::string>& inputs);

    void record(std::size_t index, const RunOutcome& outcome, double seconds);
    bool anyFailed() const { return failed_ > 0; }
    // "<n> inputs: <d> done, <r> with refused commands (names), <f> failed (names), <k> not
    // run; <t> s in all, <t/n> s per input".
    std::string summary() const;
    // Takes the progress away and prints the summary.
    void finish();
    // 130 when interrupted, else 1 when an input failed, 3 when one had refused commands,
    // 0 otherwise.
    int exitStatus(bool interrupted) const;

private:
    Console& console_;
    const std::vector<std::string>& inputs_;
    std::vector<std::string> refusedNames_, failedNames_;
    int done_ = 0, refused_ = 0, failed_ = 0;
    std::chrono::steady_clock::time_point start_;
};

// Runs the inputs one after the other on this workbench, fresh from start-up (its start
// spectra are put back before each input); stops early
// on Ctrl-C or, with --stop-on-error, after the first failure.
void runInputsHere(const RunOptions& options, const RunSettings& settings, Workbench& wb,
                   JournalTap& tap, Console& console, BatchTally& tally);

// A run's exit status on its own (no inputs): 0, 1 or 3.
int exitStatus(const RunOutcome& outcome);

} // namespace ombrelune
