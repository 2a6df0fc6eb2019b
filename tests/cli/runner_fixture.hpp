#pragma once
// ombrelune-run started as a user starts it, in a temporary directory that holds its data
// root, its settings and its journal.

#include "test_support.hpp"

#include <string>
#include <sys/types.h>
#include <vector>

namespace ombrelune::testing {

struct RunResult {
    int status;
    std::string out, err;
};

// Runs ombrelune-run in the directory with these arguments and waits for it.
RunResult runner(const TempDir& dir, const std::vector<std::string>& args);
// Starts it without waiting (standard output in stdout.txt); returns its process id.
pid_t startRunner(const TempDir& dir, const std::vector<std::string>& args);
// Waits for a started runner: its exit status, or 128 + the signal that ended it.
int waitRunner(pid_t pid);
// Its standard error (stderr.txt in the directory).
std::string runnerErrors(const TempDir& dir);

// The lines of <dir>/boite/<name>.txt, none when it does not exist.
std::vector<std::string> journal(const TempDir& dir, const std::string& name = "journal");

// A script line that must be refused, and the start of the "!! " line it must leave.
struct Refusal {
    const char* line;
    const char* message;
};
// Runs the lines after `args` as -e lines in one run and checks that each left its message
// on standard output and that the run ended with status 3 (all ran, some refused).
RunResult expectRefusals(const TempDir& dir, std::vector<std::string> args,
                         const std::vector<Refusal>& refusals);

bool contains(const std::string& text, const std::string& part);
// How many lines begin with the prefix.
long countPrefixed(const std::vector<std::string>& lines, const std::string& prefix);

} // namespace ombrelune::testing
