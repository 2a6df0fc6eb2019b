#pragma once
// What the runner was asked to do, read from its command line. Usage errors, unreadable
// scripts and missing inputs are found here, before any work.

#include <QStringList>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ombrelune {

// One script file or one -e line, in the order given.
struct Job {
    bool isScript;
    std::string text;   // the script's path, or the line
    std::string script; // the script's text, read once before anything runs
};

// A runner started by another one to do one input of a batch run with -j.
struct WorkerRole {
    std::string input;
    int number = 1; // from 1
    int count = 1;
    int journalFd = -1; // where each journal line goes, whatever -q says
};

struct RunOptions {
    std::vector<Job> jobs;
    std::vector<std::string> inputs; // expanded, in natural order; empty for a single run
    int parallel = 1;
    std::optional<double> timeoutSeconds;
    bool stopOnError = false;
    bool keepGoing = false;
    bool list = false;
    bool quiet = false;
    char decimalSeparator = '.';
    std::optional<std::string> home;
    std::optional<std::string> journalDir;
    std::optional<std::string> journalName;
    std::optional<WorkerRole> worker;
};

// The options, or the exit status when the command line has been answered already:
// 0 after --help, --version or --commands, 2 after a usage error (message printed).
std::variant<RunOptions, int> parseRunOptions(const QStringList& arguments);

} // namespace ombrelune
