#pragma once
// The headless runner: parses the options, builds one workbench with the default
// spectra and does what was asked. Exit status 0 when everything ran to its end,
// 1 for an error during the run, 2 for bad usage or an unreadable script.

namespace ombrelune {

int runFromCommandLine(int argc, char** argv);

} // namespace ombrelune
