#include "runner_fixture.hpp"

#include "store/text_file.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace ombrelune::testing {
namespace {

std::string quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The shell line that runs ombrelune-run in the directory, with its settings and data root
// there and its standard error in stderr.txt.
std::string runnerLine(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "cd " + quoted(dir.path().string()) +
                          " && HOME=" + quoted(dir.path().string()) +
                          " XDG_CONFIG_HOME=" + quoted((dir / "config").string()) + " exec " +
                          OMBRELUNE_RUN + " --home " + quoted(dir.path().string());
    for (const auto& a : args) command += " " + quoted(a);
    return command + " 2>" + quoted((dir / "stderr.txt").string());
}

} // namespace

RunResult runner(const TempDir& dir, const std::vector<std::string>& args) {
    RunResult r;
    std::FILE* pipe = ::popen(runnerLine(dir, args).c_str(), "r");
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, got);
    r.status = WEXITSTATUS(::pclose(pipe));
    r.err = runnerErrors(dir);
    return r;
}

pid_t startRunner(const TempDir& dir, const std::vector<std::string>& args) {
    // The shell execs the runner, so the process id is the runner's.
    const std::string line = runnerLine(dir, args) + " >" + quoted((dir / "stdout.txt").string());
    const char* argv[] = {"sh", "-c", line.c_str(), nullptr};
    pid_t pid = -1;
    if (::posix_spawnp(&pid, "sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return -1;
    return pid;
}

int waitRunner(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

std::string runnerErrors(const TempDir& dir) {
    return readFile(dir / "stderr.txt");
}

std::vector<std::string> journal(const TempDir& dir, const std::string& name) {
    const auto path = dir / "boite" / (name + ".txt");
    return std::filesystem::exists(path) ? readTextLines(path) : std::vector<std::string>{};
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

long countPrefixed(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

RunResult expectRefusals(const TempDir& dir, std::vector<std::string> args,
                         const std::vector<Refusal>& refusals) {
    for (const Refusal& r : refusals) {
        args.push_back("-e");
        args.push_back(r.line);
    }
    RunResult result = runner(dir, args);
    EXPECT_EQ(result.status, 3) << result.err;
    for (const Refusal& r : refusals)
        EXPECT_TRUE(contains(result.out, r.message)) << r.line << "\n" << result.out;
    return result;
}

} // namespace ombrelune::testing
