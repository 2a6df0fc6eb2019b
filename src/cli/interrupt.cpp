#include "cli/interrupt.hpp"

#include <array>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace ombrelune::interrupt {
namespace {

volatile std::sig_atomic_t presses = 0;
const char* firstNote = "";
// Read by the handler: plain slots, written only outside it, 0 when free.
std::array<volatile pid_t, 256> workers{};

void write(const char* text, std::size_t size) {
    // Nothing to do about a failed write in a signal handler.
    [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, text, size);
}

void onInterrupt(int) {
    presses = presses + 1;
    if (presses == 1) {
        write(firstNote, std::strlen(firstNote));
        return;
    }
    for (const volatile pid_t& pid : workers)
        if (pid > 0) ::kill(-pid, SIGKILL);
    static const char second[] = "\nombrelune-run: stopped\n";
    write(second, sizeof second - 1);
    ::_exit(130);
}

} // namespace

void install(const char* firstPressNote) {
    firstNote = firstPressNote;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a waiting poll() returns at once
    ::sigaction(SIGINT, &action, nullptr);
}

bool requested() {
    return presses > 0;
}

void addWorker(pid_t pid) {
    for (volatile pid_t& slot : workers)
        if (slot == 0) {
            slot = pid;
            return;
        }
}

void removeWorker(pid_t pid) {
    for (volatile pid_t& slot : workers)
        if (slot == pid) slot = 0;
}

} // namespace ombrelune::interrupt
