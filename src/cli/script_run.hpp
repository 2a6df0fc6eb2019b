#pragma once
// One run of the command line's scripts and -e lines on a workbench: the single run, or
// the run of one input. What became of it is its outcome: done, done with refused
// commands, or failed (with the reason).

#include "cli/run_options.hpp"
#include "cli/runner.hpp"
#include "store/journal.hpp"
#include "store/workbench.hpp"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace ombrelune {

class Console;

struct RunOutcome {
    enum class Status { done, refused, failed };
    Status status = Status::done;
    std::string reason; // why it failed
    bool shown = false; // the reason is on the terminal already (an expression error)
};

// Passes every journal line on (to the terminal, or to the runner that started this one)
// and counts the lines that report a failure or refusal ("!!").
class JournalTap : public JournalListener {
public:
    explicit JournalTap(std::function<void(const std::string&)> sink) : sink_(std::move(sink)) {}
    void journalOpened(const std::string&, const std::string&,
                       const std::vector<std::string>&) override {}
    void journalLineAppended(const std::string& text) override;
    long alarms() const { return alarms_; }

private:
    std::function<void(const std::string&)> sink_;
    long alarms_ = 0;
};

// The input a run works for, as its script variables show it.
struct RunInput {
    std::string path;
    int number = 1;
    int count = 1;
};

struct RunSettings {
    bool keepGoing = false;
    std::optional<double> timeoutSeconds;
    CommandBinder bindMore;       // the commands the program adds to the core's
    bool stopOnInterrupt = false; // a single run stops at Ctrl-C; a batch input finishes
};

// Runs the jobs once on the workbench as it is, with a fresh interpreter. A failure is
// in the journal already (the engine writes it); the outcome gives its reason.
RunOutcome runJobs(Workbench& wb, JournalTap& tap, Console& console, const std::vector<Job>& jobs,
                   const RunSettings& settings, const std::optional<RunInput>& input);

// One input of a batch: the line "-- entrée <k>/<n> : <input>", the run, and for a failed
// input the line "!! <input> : <reason>" in the journal and on standard error.
RunOutcome runInput(Workbench& wb, JournalTap& tap, Console& console, const std::vector<Job>& jobs,
                    const RunSettings& settings, const RunInput& input);

// The binding of every command the runner offers: the core's, then the program's own.
void bindRunnerCommands(CommandRegistry& registry, const CommandBinder& bindMore);

// The spectra a run starts with, taken once from a workbench fresh from start-up and put
// back before each input: copying them costs a fraction of computing them again.
class StartSpectra {
public:
    explicit StartSpectra(const Workbench& fresh);
    // Empties the three tables and puts the start spectra back, in their slots.
    void restore(Workbench& wb) const;

private:
    std::vector<spectre> curves_, images_, stacks_;
};

} // namespace ombrelune
