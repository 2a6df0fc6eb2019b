#include "cli/run_options.hpp"

#include "cli/inputs.hpp"
#include "errors/errors.hpp"
#include "script/command_reference.hpp"
#include "store/atomic_file.hpp"
#include "store/number_format.hpp"
#include "store/text_file.hpp"

#include <QCommandLineParser>

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace ombrelune {
namespace {

const char* const inputHelp =
    "\nWith --input, the whole command line (scripts and -e lines, in order) runs once per\n"
    "input on a fresh workbench, inputs in natural order (file2 before file10). A quoted\n"
    "pattern (-i 'data/*.spe') is expanded by the runner. Each run sees its input through\n"
    "script variables:\n";

const char* const statusHelp =
    "\nExit status: 0 everything ran and nothing was refused; 1 an error stopped a script\n"
    "or an input failed; 2 bad usage, an unreadable script or a missing input, before any\n"
    "work; 3 everything ran but at least one command was refused (a \"!! \" journal line);\n"
    "130 interrupted by Ctrl-C (the current input is finished first; press again to stop\n"
    "at once).\n";

QCommandLineOption option(const QStringList& names, const char* help, const char* value = nullptr) {
    return value ? QCommandLineOption(names, QString::fromUtf8(help), QString::fromUtf8(value))
                 : QCommandLineOption(names, QString::fromUtf8(help));
}

QCommandLineOption hidden(const QString& name, const char* value) {
    QCommandLineOption o(name, QString(), QString::fromUtf8(value));
    o.setFlags(QCommandLineOption::HiddenFromHelp);
    return o;
}

struct Options {
    QCommandLineOption exec = option({"e", "exec"},
                                     "run LINE as the interpreter's command box does (\";\" "
                                     "appended when missing, no include, a jump does nothing); "
                                     "may be repeated",
                                     "LINE");
    QCommandLineOption input = option({"i", "input"},
                                      "run everything once for FILE (may be repeated; a quoted "
                                      "pattern is expanded)",
                                      "FILE");
    QCommandLineOption jobs = option({"j", "jobs"},
                                     "run N inputs at once, each in its own "
                                     "process with its own journal file beside the main one "
                                     "(default 1)",
                                     "N");
    QCommandLineOption timeout = option({"timeout"},
                                        "stop a run (each input, or the single "
                                        "run) that lasts longer; it counts as failed",
                                        "SECONDS");
    QCommandLineOption stopOnError =
        option({"stop-on-error"}, "stop at the first input that fails (default: try them all)");
    QCommandLineOption home =
        option({"home"}, "data root (default $OMBRELUNE_HOME, else ~/Ombrelune)", "DIR");
    QCommandLineOption journalDir = option(
        {"journal-dir"},
        "journal directory (default: the stored \"RepertoireManip\", else <root>/boite)", "DIR");
    QCommandLineOption journalName =
        option({"journal"},
               "journal file name without \".txt\" (default: the stored \"currentfile\", else "
               "\"journal\")",
               "NAME");
    QCommandLineOption separator =
        option({"decimal-separator"},
               "decimal separator of files and journal numbers (default: from LC_NUMERIC)", "C");
    QCommandLineOption keepGoing = option(
        {"keep-going"}, "after an expression error, go on with the value 0 instead of stopping");
    QCommandLineOption list = option({"list"}, "after each run, print the spectrum listing");
    QCommandLineOption quiet =
        option({"q", "quiet"}, "do not echo journal lines nor show progress");
    QCommandLineOption commands = option(
        {"commands"}, "print the command reference (of the commands named instead of scripts, "
                      "or of all) and exit");
    QCommandLineOption writeDoc = hidden("write-commands-doc", "FILE");
    QCommandLineOption workerInput = hidden("worker-input", "FILE");
    QCommandLineOption workerNumber = hidden("worker-number", "K");
    QCommandLineOption workerCount = hidden("worker-count", "N");
    QCommandLineOption journalFd = hidden("journal-fd", "FD");

    QList<QCommandLineOption> all() const {
        return {exec,       input,       jobs,        timeout,      stopOnError, home,
                journalDir, journalName, separator,   keepGoing,    list,        quiet,
                commands,   writeDoc,    workerInput, workerNumber, workerCount, journalFd};
    }
};

[[noreturn]] void usageError(const std::string& message) {
    throw std::invalid_argument(message);
}

// The scripts and -e lines in command-line order (the option parser keeps each kind in
// order, but not their interleaving).
std::vector<Job> jobsInOrder(const QStringList& arguments, const Options& o) {
    QStringList withValue;
    for (const QCommandLineOption& opt : o.all())
        if (!opt.valueName().isEmpty())
            for (const QString& name : opt.names())
                withValue << (name.size() == 1 ? "-" : "--") + name;
    std::vector<Job> jobs;
    bool positionalOnly = false;
    for (qsizetype k = 1; k < arguments.size(); ++k) {
        const QString& arg = arguments[k];
        if (positionalOnly || arg == "-" || !arg.startsWith('-')) {
            jobs.push_back({true, arg.toStdString(), {}});
        } else if (arg == "--") {
            positionalOnly = true;
        } else if (arg == "-e" || arg == "--exec") {
            if (k + 1 < arguments.size()) jobs.push_back({false, arguments[++k].toStdString(), {}});
        } else if (arg.startsWith("--exec=")) {
            jobs.push_back({false, arg.mid(7).toStdString(), {}});
        } else if (arg.startsWith("-e") && !arg.startsWith("--")) {
            jobs.push_back({false, arg.mid(2).toStdString(), {}});
        } else if (withValue.contains(arg)) {
            ++k;
        }
    }
    return jobs;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

long wholeNumber(const QString& value, long low, long high, const char* what) {
    const std::string text = value.toStdString();
    long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < low || n > high)
        usageError(std::string(what) + " is a whole number from " + std::to_string(low) + " to " +
                   std::to_string(high) + ", not \"" + text + "\"");
    return n;
}

// --commands: the reference of the commands named, or of all.
int printCommands(const QStringList& names) {
    std::string out;
    if (names.isEmpty())
        for (const CommandEntry& e : commandTable()) out += commandReferenceText(e) + "\n";
    for (const QString& name : names) {
        const CommandEntry* e = findCommandEntry(name.toStdString());
        if (!e) {
            std::fprintf(stderr, "ombrelune-run: no command named %s\n", qPrintable(name));
            return 2;
        }
        out += commandReferenceText(*e);
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

// The build writes docs/commands.md this way; an unchanged reference leaves the file alone.
int writeCommandsDoc(const std::string& path) {
    const std::string text = commandsMarkdown();
    try {
        if (pathExists(path) && readWholeFile(path) == text) return 0;
        AtomicFile out(path);
        out.write(text);
        out.commit();
        return 0;
    } catch (const OmbreluneError& e) {
        std::fprintf(stderr, "ombrelune-run: %s\n", e.what());
        return 1;
    }
}

std::string helpText(const QCommandLineParser& parser) {
    std::string text = parser.helpText().toStdString() + inputHelp;
    for (const InputVariable& v : inputVariables()) {
        std::string name = "  " + std::string(v.name);
        name.resize(12, ' ');
        text += name + std::string(v.meaning) + "\n";
    }
    return text + statusHelp;
}

void readOptions(const QCommandLineParser& p, const Options& o, RunOptions& r) {
    r.quiet = p.isSet(o.quiet);
    r.list = p.isSet(o.list);
    r.keepGoing = p.isSet(o.keepGoing);
    r.stopOnError = p.isSet(o.stopOnError);
    r.decimalSeparator = localeDecimalSeparator();
    if (p.isSet(o.separator)) {
        const std::string sep = p.value(o.separator).toStdString();
        if (sep.size() != 1) usageError("the decimal separator is one character");
        r.decimalSeparator = sep[0];
    }
    if (p.isSet(o.home)) r.home = p.value(o.home).toStdString();
    if (p.isSet(o.journalDir)) r.journalDir = p.value(o.journalDir).toStdString();
    if (p.isSet(o.journalName)) r.journalName = p.value(o.journalName).toStdString();
    if (p.isSet(o.jobs)) r.parallel = int(wholeNumber(p.value(o.jobs), 1, 256, "-j"));
    if (p.isSet(o.timeout)) {
        const auto seconds = parseNumber(p.value(o.timeout).toStdString());
        if (!seconds || !(*seconds > 0) || *seconds > 1e9)
            usageError("--timeout is a number of seconds above 0");
        r.timeoutSeconds = *seconds;
    }
    if (p.isSet(o.workerInput))
        r.worker = WorkerRole{p.value(o.workerInput).toStdString(),
                              int(wholeNumber(p.value(o.workerNumber), 1, 1 << 30, "worker")),
                              int(wholeNumber(p.value(o.workerCount), 1, 1 << 30, "worker")),
                              int(wholeNumber(p.value(o.journalFd), 0, 1 << 20, "worker"))};
}

// Every script is read and every input found before anything runs, so that a typo in a
// name costs nothing.
void readScriptsAndInputs(const QStringList& arguments, const QCommandLineParser& p,
                          const Options& o, RunOptions& r) {
    r.jobs = jobsInOrder(arguments, o);
    for (Job& job : r.jobs) {
        if (!job.isScript) continue;
        try {
            job.script = joinLines(readTextLines(job.text));
        } catch (const OmbreluneError& e) {
            usageError(e.what());
        }
    }
    std::vector<std::string> patterns;
    for (const QString& v : p.values(o.input)) patterns.push_back(v.toStdString());
    if (patterns.empty()) return;
    try {
        r.inputs = expandInputs(patterns);
    } catch (const std::runtime_error& e) {
        usageError(e.what());
    }
    if (r.jobs.empty()) usageError("inputs given, but no script nor -e line to run for them");
}

} // namespace

std::variant<RunOptions, int> parseRunOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Runs Ombrelune scripts without a display. Scripts and -e lines run in the order "
        "given, on a workbench that starts with the default spectra."));
    const Options o;
    parser.addOptions(o.all());
    parser.addPositionalArgument(QStringLiteral("SCRIPT.seq"), QStringLiteral("scripts to run"),
                                 QStringLiteral("[SCRIPT.seq ...]"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    try {
        if (!parser.parse(arguments)) usageError(parser.errorText().toStdString());
        if (parser.isSet(help)) {
            std::fputs(helpText(parser).c_str(), stdout);
            return 0;
        }
        if (parser.isSet(version)) {
            std::printf("ombrelune-run %s\n", OMBRELUNE_VERSION);
            return 0;
        }
        if (parser.isSet(o.writeDoc))
            return writeCommandsDoc(parser.value(o.writeDoc).toStdString());
        if (parser.isSet(o.commands)) return printCommands(parser.positionalArguments());
        RunOptions r;
        readOptions(parser, o, r);
        readScriptsAndInputs(arguments, parser, o, r);
        return r;
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "ombrelune-run: %s\n", e.what());
        return 2;
    }
}

} // namespace ombrelune
