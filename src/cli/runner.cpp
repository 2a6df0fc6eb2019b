#include "cli/runner.hpp"

#include "cli/listing.hpp"
#include "cli/overlay_settings.hpp"
#include "cli/runner_host.hpp"
#include "platform/qt_settings_store.hpp"
#include "proc2d/all_commands.hpp"
#include "script/interpreter.hpp"
#include "store/errors.hpp"
#include "store/number_format.hpp"
#include "store/text_file.hpp"
#include "store/workbench.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

// Prints every journal line as it is appended.
class EchoListener : public JournalListener {
public:
    void journalOpened(const std::string&, const std::string&,
                       const std::vector<std::string>&) override {}
    void journalLineAppended(const std::string& text) override {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
};

// One script file or one command line, in the order they were given.
struct Job {
    bool isScript;
    std::string text; // the script's path, or the line
};

// The scripts and -e lines in command-line order (the option parser keeps each kind in
// order, but not their interleaving).
std::vector<Job> jobsInOrder(const QStringList& arguments) {
    static const QStringList withValue = {"--home", "--journal-dir", "--journal",
                                          "--decimal-separator"};
    std::vector<Job> jobs;
    bool positionalOnly = false;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString& arg = arguments[k];
        if (positionalOnly || arg == "-" || !arg.startsWith('-')) {
            jobs.push_back({true, arg.toStdString()});
        } else if (arg == "--") {
            positionalOnly = true;
        } else if (arg == "-e" || arg == "--exec") {
            if (k + 1 < arguments.size()) jobs.push_back({false, arguments[++k].toStdString()});
        } else if (arg.startsWith("--exec=")) {
            jobs.push_back({false, arg.mid(7).toStdString()});
        } else if (arg.startsWith("-e") && !arg.startsWith("--")) {
            jobs.push_back({false, arg.mid(2).toStdString()});
        } else if (withValue.contains(arg)) {
            ++k;
        }
    }
    return jobs;
}

class Runner {
public:
    Runner(Workbench& wb, bool keepGoing, const CommandBinder& bindMore)
        : interp_(wb, host_), keepGoing_(keepGoing) {
        bindAllCommands(interp_.registry());
        if (bindMore) bindMore(interp_.registry());
    }

    // Runs one job; false when the run must end with status 1.
    bool run(const Job& job, const std::string& scriptText) {
        try {
            if (!job.isScript) {
                interp_.executeCommandBox(job.text);
                return expressionErrorTolerated();
            }
            interp_.execute(scriptText);
            while (interp_.running()) {
                interp_.tick();
                if (!expressionErrorTolerated()) return false;
                // A command holds the timer only while it works; a finished line releases it.
                if (!host_.stepTimer()) host_.setStepTimer(true);
            }
            return true;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "error: %s\n", e.what());
            return false;
        }
    }

private:
    bool expressionErrorTolerated() {
        if (!host_.expressionErrorPending) return true;
        host_.expressionErrorPending = false;
        return keepGoing_;
    }

    RunnerHost host_;
    Interpreter interp_;
    bool keepGoing_;
};

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
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

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs Ombrelune scripts without a display. Scripts and -e lines run in the order "
        "given, on one workbench that starts with the default spectra."));
    auto option = [](QStringList names, const char* help, const char* value = nullptr) {
        return value ? QCommandLineOption(names, QString::fromUtf8(help), QString::fromUtf8(value))
                     : QCommandLineOption(names, QString::fromUtf8(help));
    };
    const auto exec = option({"e", "exec"},
                             "run LINE as the interpreter's command box does (\";\" appended when "
                             "missing, no include, a jump does nothing); may be repeated",
                             "LINE");
    const auto home = option({"home"}, "data root (default $OMBRELUNE_HOME, else ~/Ombrelune)", "DIR");
    const auto journalDir = option(
        {"journal-dir"}, "journal directory (default: the stored \"RepertoireManip\", else <root>/boite)",
        "DIR");
    const auto journalName = option(
        {"journal"}, "journal file name without \".txt\" (default: the stored \"currentfile\", else "
                     "\"journal\")",
        "NAME");
    const auto separator = option({"decimal-separator"},
                                  "decimal separator of files and journal numbers (default: from "
                                  "LC_NUMERIC)",
                                  "C");
    const auto keepGoing =
        option({"keep-going"}, "after an expression error, go on with the value 0 instead of stopping");
    const auto list = option({"list"}, "after the run, print the spectrum listing");
    const auto quiet = option({"q", "quiet"}, "do not echo journal lines");
    parser.addOptions({exec, home, journalDir, journalName, separator, keepGoing, list, quiet});
    parser.addPositionalArgument(QStringLiteral("SCRIPT.seq"), QStringLiteral("scripts to run"),
                                 QStringLiteral("[SCRIPT.seq ...]"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "ombrelune-run: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("ombrelune-run %s\n", OMBRELUNE_VERSION);
        return 0;
    }

    char decimalSeparator = localeDecimalSeparator();
    if (parser.isSet(separator)) {
        const std::string sep = parser.value(separator).toStdString();
        if (sep.size() != 1) {
            std::fprintf(stderr, "ombrelune-run: the decimal separator is one character\n");
            return 2;
        }
        decimalSeparator = sep[0];
    }
    DataPaths paths = DataPaths::fromEnvironment();
    if (parser.isSet(home)) paths.root = parser.value(home).toStdString();

    // Every script is read before anything runs, so a typo in a name costs nothing.
    const std::vector<Job> jobs = jobsInOrder(QCoreApplication::arguments());
    std::vector<std::string> scripts(jobs.size());
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        if (!jobs[k].isScript) continue;
        try {
            scripts[k] = joinLines(readTextLines(jobs[k].text));
        } catch (const EInOutError& e) {
            std::fprintf(stderr, "ombrelune-run: %s\n", e.what());
            return 2;
        }
    }

    QtSettingsStore userSettings;
    OverlaySettingsStore settings(userSettings);
    if (parser.isSet(journalDir))
        settings.override(settingExperimentDirectory, parser.value(journalDir).toStdString());
    if (parser.isSet(journalName))
        settings.override(settingCurrentFile, parser.value(journalName).toStdString());

    Workbench wb(settings, paths, decimalSeparator);
    EchoListener echo;
    if (!parser.isSet(quiet)) wb.journal.setListener(&echo);
    try {
        wb.journal.start();
    } catch (const OmbreluneError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    createDefaultSpectra(wb);
    Runner runner(wb, parser.isSet(keepGoing), bindMore);
    for (std::size_t k = 0; k < jobs.size(); ++k)
        if (!runner.run(jobs[k], scripts[k])) return 1;
    if (parser.isSet(list)) std::fputs(spectrumListing(wb).c_str(), stdout);
    return 0;
}

} // namespace ombrelune
