#pragma once
// Runs ombrelune-run as a user would, in a temporary directory that is its data root,
// home and configuration place, and collects what it printed and its exit status.

#include "test_support.hpp"

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace ombrelune::testing {

struct Result {
    int status;
    std::string out, err;
};

inline std::string quoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

inline Result runner(const TempDir& dir, const std::vector<std::string>& args) {
    std::string command = "cd " + quoted(dir.path().string()) + " && HOME=" +
                          quoted(dir.path().string()) + " XDG_CONFIG_HOME=" +
                          quoted((dir / "config").string()) + " " + OMBRELUNE_RUN + " --home " +
                          quoted(dir.path().string());
    for (const auto& a : args) command += " " + quoted(a);
    command += " 2>" + quoted((dir / "stderr.txt").string());
    Result r;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.out.append(buffer, got);
    r.status = WEXITSTATUS(::pclose(pipe));
    r.err = readFile(dir / "stderr.txt");
    return r;
}

} // namespace ombrelune::testing
