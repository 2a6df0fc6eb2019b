#include "cli/script_run.hpp"

#include "cli/console.hpp"
#include "cli/inputs.hpp"
#include "cli/runner_host.hpp"
#include "proc2d/all_commands.hpp"
#include "script/interpreter.hpp"
#include "script/statement_text.hpp"

namespace ombrelune {
namespace {

RunOutcome failed(std::string reason) {
    return {RunOutcome::Status::failed, oneLine(std::move(reason))};
}

void registerInputVariables(Interpreter& interp, const RunInput& input) {
    interp.registerScriptVariable("INPUT", input.number, nullptr, input.path, {});
    interp.registerScriptVariable("STEM", 0, nullptr, inputStem(input.path), {});
    interp.registerScriptVariable("NINPUTS", input.count, nullptr, "", {});
}

// Steps the jobs through the interpreter; false when an expression error must end the
// run. Engine errors and command failures propagate.
class Stepper {
public:
    Stepper(Interpreter& interp, RunnerHost& host, bool keepGoing)
        : interp_(interp), host_(host), keepGoing_(keepGoing) {}

    bool run(const Job& job) {
        interp_.setScriptName(job.isScript ? job.text : std::string());
        if (!job.isScript) {
            interp_.executeCommandBox(job.text);
            return tolerated();
        }
        interp_.execute(job.script);
        while (interp_.running()) {
            host_.checkStop();
            interp_.tick();
            if (!tolerated()) return false;
            // A command holds the timer only while it works; a finished line releases it.
            if (!host_.stepTimer()) host_.setStepTimer(true);
        }
        return true;
    }

private:
    bool tolerated() {
        if (!host_.expressionErrorPending) return true;
        host_.expressionErrorPending = false;
        return keepGoing_;
    }

    Interpreter& interp_;
    RunnerHost& host_;
    bool keepGoing_;
};

} // namespace

void JournalTap::journalLineAppended(const std::string& text) {
    if (text.rfind("!!", 0) == 0) ++alarms_;
    if (sink_) sink_(text);
}

void bindRunnerCommands(CommandRegistry& registry, const CommandBinder& bindMore) {
    bindAllCommands(registry);
    if (bindMore) bindMore(registry);
}

namespace {

std::vector<spectre> copied(const spectlist& table) {
    std::vector<spectre> spectra;
    for (int slot = 1; slot <= spectlist::slotCount; ++slot)
        if (const spectre* s = table.at(slot)) spectra.push_back(*s);
    return spectra;
}

// The start-up spectra fill the first slots in order, so storing them again in that order
// puts each back in its slot.
void refill(spectlist& table, const std::vector<spectre>& spectra) {
    table = spectlist();
    for (const spectre& s : spectra) table.storeCopy(s);
}

} // namespace

StartSpectra::StartSpectra(const Workbench& fresh)
    : curves_(copied(fresh.spectres1D)), images_(copied(fresh.spectres2D)),
      stacks_(copied(fresh.spectres3D)) {}

void StartSpectra::restore(Workbench& wb) const {
    refill(wb.spectres1D, curves_);
    refill(wb.spectres2D, images_);
    refill(wb.spectres3D, stacks_);
}

RunOutcome runJobs(Workbench& wb, JournalTap& tap, Console& console, const std::vector<Job>& jobs,
                   const RunSettings& settings, const std::optional<RunInput>& input) {
    RunnerHost host(console);
    Interpreter interp(wb, host);
    bindRunnerCommands(interp.registry(), settings.bindMore);
    if (input) registerInputVariables(interp, *input);
    if (settings.timeoutSeconds)
        host.setDeadline(RunnerHost::Clock::now() +
                             std::chrono::duration_cast<RunnerHost::Clock::duration>(
                                 std::chrono::duration<double>(*settings.timeoutSeconds)),
                         "délai de " + wb.number(*settings.timeoutSeconds) + " s dépassé");
    if (settings.stopOnInterrupt) host.stopOnInterrupt();
    const long alarmsBefore = tap.alarms();
    Stepper stepper(interp, host, settings.keepGoing);
    const Job* current = nullptr;
    try {
        for (const Job& job : jobs)
            if (current = &job; !stepper.run(job)) {
                RunOutcome outcome = failed(host.lastExpressionError);
                outcome.shown = true;
                return outcome;
            }
    } catch (const RunStopped& stop) {
        wb.journal.appendLine(
            "!! " +
            (current->isScript ? current->text + ", ligne " + std::to_string(interp.currentLine())
                               : std::string("ligne de commande")) +
            " : " + stop.reason);
        return failed(stop.reason);
    } catch (const std::exception& e) {
        return failed(e.what());
    }
    return {tap.alarms() > alarmsBefore ? RunOutcome::Status::refused : RunOutcome::Status::done,
            {}};
}

RunOutcome runInput(Workbench& wb, JournalTap& tap, Console& console, const std::vector<Job>& jobs,
                    const RunSettings& settings, const RunInput& input) {
    wb.journal.appendLine("-- entrée " + std::to_string(input.number) + "/" +
                          std::to_string(input.count) + " : " + input.path);
    RunOutcome outcome = runJobs(wb, tap, console, jobs, settings, input);
    if (outcome.status == RunOutcome::Status::failed) {
        const std::string line = "!! " + input.path + " : " + outcome.reason;
        wb.journal.appendLine(line);
        console.message(line);
    }
    return outcome;
}

} // namespace ombrelune
