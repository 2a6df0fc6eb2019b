#pragma once
// Ctrl-C in the runner: the first one asks the runner to stop cleanly (a batch finishes
// the inputs under way, prints the summary and exits with 130; a single run stops after
// its current line); a second one stops at once, taking the worker processes with it.

#include <sys/types.h>

namespace ombrelune::interrupt {

// Installs the SIGINT handler; the first Ctrl-C prints what it does (a literal that lives
// as long as the program).
void install(const char* firstPressNote);
// True once Ctrl-C was pressed.
bool requested();
// Worker processes (each the leader of its own process group) that a second Ctrl-C
// kills; at most 256 at a time.
void addWorker(pid_t pid);
void removeWorker(pid_t pid);

} // namespace ombrelune::interrupt
