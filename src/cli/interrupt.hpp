#pragma once
// Ctrl-C in the runner: the first one asks the runner to finish the inputs under way and
// stop (it prints the summary and exits with 130); a second one stops at once, taking the
// worker processes with it.

#include <sys/types.h>

namespace ombrelune::interrupt {

// Installs the SIGINT handler.
void install();
// True once Ctrl-C was pressed.
bool requested();
// Worker processes (each the leader of its own process group) that a second Ctrl-C
// kills; at most 256 at a time.
void addWorker(pid_t pid);
void removeWorker(pid_t pid);

} // namespace ombrelune::interrupt
