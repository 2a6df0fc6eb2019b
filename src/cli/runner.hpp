#pragma once
// The headless runner: parses the options, builds one workbench with the default
// spectra and does what was asked. Exit status 0 when everything ran to its end,
// 1 for an error during the run, 2 for bad usage or an unreadable script.

#include <functional>

namespace ombrelune {

class CommandRegistry;
using CommandBinder = std::function<void(CommandRegistry&)>;

// `bindMore` binds the commands the program adds to the core's (the plot commands).
int runFromCommandLine(int argc, char** argv, const CommandBinder& bindMore = {});

} // namespace ombrelune
