// ombrelune-run: the headless runner.

#include "cli/runner.hpp"

int main(int argc, char** argv) { return ombrelune::runFromCommandLine(argc, argv); }
