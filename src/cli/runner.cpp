#include "cli/runner.hpp"

#include "cli/batch.hpp"
#include "cli/console.hpp"
#include "cli/interrupt.hpp"
#include "cli/listing.hpp"
#include "cli/overlay_settings.hpp"
#include "cli/run_options.hpp"
#include "cli/worker_pool.hpp"
#include "errors/errors.hpp"
#include "platform/qt_settings_store.hpp"
#include "store/workbench.hpp"

#include <QCoreApplication>

#include <cerrno>
#include <clocale>
#include <optional>
#include <unistd.h>

namespace ombrelune {
namespace {

// A worker sends every journal line to the runner that started it, -q or not.
void writeLine(int fd, const std::string& text) {
    const std::string line = text + "\n";
    for (std::size_t done = 0; done < line.size();) {
        const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return; // the runner is gone; the worker's own journal file has the line
        done += std::size_t(n);
    }
}

int runSingle(const RunOptions& o, RunSettings settings, Workbench& wb, JournalTap& tap,
              Console& console) {
    interrupt::install("\nombrelune-run: interrupted, stopping after the current line (Ctrl-C "
                       "again to stop at once)\n");
    settings.stopOnInterrupt = true;
    const RunOutcome outcome = runJobs(wb, tap, console, o.jobs, settings, std::nullopt);
    if (outcome.status == RunOutcome::Status::failed && !outcome.shown)
        console.message("error: " + outcome.reason);
    if (o.list) console.output(spectrumListing(wb));
    return interrupt::requested() ? 130 : exitStatus(outcome);
}

int runWorker(const RunOptions& o, const RunSettings& settings, Workbench& wb, JournalTap& tap,
              Console& console) {
    const WorkerRole& role = *o.worker;
    const RunOutcome outcome =
        runInput(wb, tap, console, o.jobs, settings, {role.input, role.number, role.count});
    if (o.list) console.output(spectrumListing(wb));
    return exitStatus(outcome);
}

int runBatch(const RunOptions& o, const RunSettings& settings, Workbench& wb, JournalTap& tap,
             Console& console) {
    interrupt::install("\nombrelune-run: interrupted, finishing the inputs under way (Ctrl-C "
                       "again to stop at once)\n");
    BatchTally tally(console, o.inputs);
    if (o.parallel > 1)
        runInputsInWorkers(o, wb.journal, console, tally);
    else
        runInputsHere(o, settings, wb, tap, console, tally);
    tally.finish();
    return tally.exitStatus(interrupt::requested());
}

} // namespace

int runFromCommandLine(int argc, char** argv, const CommandBinder& bindMore) {
    // A program that draws made its (offscreen) QGuiApplication already.
    std::optional<QCoreApplication> ownApp;
    if (!QCoreApplication::instance()) ownApp.emplace(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ombrelune-run"));
    QCoreApplication::setApplicationVersion(QStringLiteral(OMBRELUNE_VERSION));
    // Qt follows the environment's locale; numbers never do (they go through number_format
    // with an explicit separator).
    std::setlocale(LC_NUMERIC, "C");

    auto parsed = parseRunOptions(QCoreApplication::arguments());
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const RunOptions& o = std::get<RunOptions>(parsed);
    const RunSettings run{o.keepGoing, o.timeoutSeconds, bindMore};

    DataPaths paths = DataPaths::fromEnvironment();
    if (o.home) paths.root = *o.home;
    QtSettingsStore userSettings;
    OverlaySettingsStore settings(userSettings);
    if (o.journalDir) settings.override(settingExperimentDirectory, *o.journalDir);
    if (o.journalName) settings.override(settingCurrentFile, *o.journalName);

    Workbench wb(settings, paths, o.decimalSeparator);
    Console console(o.quiet || o.worker);
    JournalTap tap([&](const std::string& line) {
        if (o.worker)
            writeLine(o.worker->journalFd, line);
        else
            console.journalLine(line);
    });
    // A worker's journal opening lines stay in its own file.
    if (!o.worker) wb.journal.setListener(&tap);
    try {
        wb.journal.start();
        wb.journal.setListener(&tap);
        createDefaultSpectra(wb);
        if (o.worker) return runWorker(o, run, wb, tap, console);
        return o.inputs.empty() ? runSingle(o, run, wb, tap, console)
                                : runBatch(o, run, wb, tap, console);
    } catch (const std::exception& e) {
        // The journal itself could not be written.
        console.message(std::string("error: ") + e.what());
        return 1;
    }
}

} // namespace ombrelune
