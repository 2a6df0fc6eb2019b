#pragma once
// The headless runner: parses the options, builds the workbench with the default spectra
// and runs the scripts once, or once per input. Exit status 0 when everything ran and
// nothing was refused, 1 for an error during the run or a failed input, 2 for bad usage,
// an unreadable script or a missing input, 3 when commands were refused, 130 after Ctrl-C.

#include <functional>

namespace ombrelune {

class CommandRegistry;
using CommandBinder = std::function<void(CommandRegistry&)>;

// `bindMore` binds the commands the program adds to the core's (the plot commands).
int runFromCommandLine(int argc, char** argv, const CommandBinder& bindMore = {});

} // namespace ombrelune
