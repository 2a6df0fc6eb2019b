#include "cli/worker_pool.hpp"

#include "cli/console.hpp"
#include "cli/inputs.hpp"
#include "cli/interrupt.hpp"
#include "store/number_format.hpp"

#include <QCoreApplication>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <list>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ombrelune {
namespace {

using Clock = std::chrono::steady_clock;

// A worker that does not stop itself at its timeout gets this long before it is killed.
constexpr double killGraceSeconds = 2;
constexpr int journalFd = 3;

enum Stream { outStream, errStream, journalStream, streamCount };

struct Worker {
    std::size_t index = 0;
    pid_t pid = -1;
    std::array<int, streamCount> fds{-1, -1, -1};
    std::array<std::string, streamCount> received;
    Clock::time_point start;
    bool killedForTime = false;
};

std::vector<std::string> workerArguments(const RunOptions& o, const Journal& journal,
                                         std::size_t index, const std::string& journalSuffix) {
    std::vector<std::string> args = {QCoreApplication::applicationFilePath().toStdString()};
    auto add = [&](std::initializer_list<std::string> more) { args.insert(args.end(), more); };
    if (o.home) add({"--home", *o.home});
    add({"--decimal-separator", std::string(1, o.decimalSeparator), "--journal-dir",
         journal.directory(), "--journal", journal.fileName() + "-" + journalSuffix});
    if (o.keepGoing) add({"--keep-going"});
    if (o.list) add({"--list"});
    if (o.timeoutSeconds) add({"--timeout", formatGeneral(*o.timeoutSeconds)});
    add({"--worker-input", o.inputs[index], "--worker-number", std::to_string(index + 1),
         "--worker-count", std::to_string(o.inputs.size()), "--journal-fd",
         std::to_string(journalFd)});
    for (const Job& job : o.jobs)
        args.push_back(job.isScript ? (job.text.rfind('-', 0) == 0 ? "./" : "") + job.text
                                    : "--exec=" + job.text);
    return args;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void becomeWorker(char* const* argv, const std::array<int, streamCount>& ends) {
    ::setpgid(0, 0); // out of the terminal's Ctrl-C: the runner decides when workers stop
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int targets[streamCount] = {STDOUT_FILENO, STDERR_FILENO, journalFd};
    for (int s = 0; s < streamCount; ++s) {
        if (ends[std::size_t(s)] == targets[s])
            ::fcntl(targets[s], F_SETFD, 0);
        else
            ::dup2(ends[std::size_t(s)], targets[s]);
    }
    ::execv(argv[0], argv);
    ::_exit(127);
}

class Pool {
public:
    Pool(const RunOptions& o, Journal& journal, Console& console, BatchTally& tally)
        : o_(o), journal_(journal), console_(console), tally_(tally),
          suffixes_(journalSuffixes(o.inputs)) {}

    void run() {
        std::size_t next = 0;
        while (!workers_.empty() || (next < o_.inputs.size() && !stopping())) {
            while (workers_.size() < std::size_t(o_.parallel) && next < o_.inputs.size() &&
                   !stopping())
                start(next++);
            pump();
        }
    }

private:
    bool stopping() const {
        return interrupt::requested() || (o_.stopOnError && tally_.anyFailed());
    }

    void start(std::size_t index) {
        const std::vector<std::string> args =
            workerArguments(o_, journal_, index, suffixes_[index]);
        std::vector<char*> argv;
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        Worker w;
        w.index = index;
        std::array<int, streamCount> childEnds{};
        for (int s = 0; s < streamCount; ++s) {
            int ends[2];
            if (::pipe2(ends, O_CLOEXEC) != 0) return failToStart(index, errno);
            w.fds[std::size_t(s)] = ends[0];
            childEnds[std::size_t(s)] = ends[1];
        }
        w.start = Clock::now();
        w.pid = ::fork();
        if (w.pid == 0) becomeWorker(argv.data(), childEnds);
        for (int end : childEnds) ::close(end);
        if (w.pid < 0) {
            for (int fd : w.fds) ::close(fd);
            return failToStart(index, errno);
        }
        ::setpgid(w.pid, w.pid);
        interrupt::addWorker(w.pid);
        workers_.push_back(std::move(w));
    }

    void failToStart(std::size_t index, int err) {
        finishFailed(index, std::string("processus non démarré : ") + std::strerror(err));
    }

    // Waits up to a tenth of a second for output, reads it, and finishes the workers whose
    // streams have all ended.
    void pump() {
        std::vector<pollfd> polled;
        for (const Worker& w : workers_)
            for (int fd : w.fds)
                if (fd >= 0) polled.push_back({fd, POLLIN, 0});
        if (::poll(polled.data(), polled.size(), 100) < 0 && errno != EINTR) return;
        for (auto it = workers_.begin(); it != workers_.end();) {
            read(*it);
            enforceTimeout(*it);
            if (it->fds == std::array<int, streamCount>{-1, -1, -1}) {
                finish(*it);
                it = workers_.erase(it);
            } else {
                ++it;
            }
        }
    }

    static void read(Worker& w) {
        for (int s = 0; s < streamCount; ++s) {
            int& fd = w.fds[std::size_t(s)];
            if (fd < 0) continue;
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 0) <= 0) continue;
            char buffer[65536];
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got > 0) {
                w.received[std::size_t(s)].append(buffer, std::size_t(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(fd);
                fd = -1;
            }
        }
    }

    void enforceTimeout(Worker& w) const {
        if (!o_.timeoutSeconds || w.killedForTime) return;
        const double elapsed = std::chrono::duration<double>(Clock::now() - w.start).count();
        if (elapsed <= *o_.timeoutSeconds + killGraceSeconds) return;
        ::kill(-w.pid, SIGKILL);
        w.killedForTime = true;
    }

    void finish(Worker& w) {
        int status = 0;
        while (::waitpid(w.pid, &status, 0) < 0 && errno == EINTR) {
        }
        interrupt::removeWorker(w.pid);
        forwardLines(w.received[errStream],
                     [&](const std::string& line) { console_.message(line); });
        forwardLines(w.received[journalStream],
                     [&](const std::string& line) { journal_.appendLine(line); });
        if (!w.received[outStream].empty()) console_.output(w.received[outStream]);
        const double seconds = std::chrono::duration<double>(Clock::now() - w.start).count();
        if (w.killedForTime)
            return finishFailed(
                w.index,
                "délai de " + formatGeneral(*o_.timeoutSeconds, o_.decimalSeparator) + " s dépassé",
                seconds);
        if (WIFSIGNALED(status))
            return finishFailed(w.index, "arrêt par le signal " + std::to_string(WTERMSIG(status)),
                                seconds);
        switch (WEXITSTATUS(status)) {
        case 0:
            return tally_.record(w.index, {RunOutcome::Status::done, {}}, seconds);
        case 3:
            return tally_.record(w.index, {RunOutcome::Status::refused, {}}, seconds);
        case 1: // the worker wrote its "!! " line itself
            return tally_.record(w.index, {RunOutcome::Status::failed, {}}, seconds);
        default:
            return finishFailed(
                w.index, "fin inattendue (statut " + std::to_string(WEXITSTATUS(status)) + ")",
                seconds);
        }
    }

    // A failure the worker could not report itself.
    void finishFailed(std::size_t index, const std::string& reason, double seconds = 0) {
        const std::string line = "!! " + o_.inputs[index] + " : " + reason;
        journal_.appendLine(line);
        console_.message(line);
        tally_.record(index, {RunOutcome::Status::failed, reason}, seconds);
    }

    template <typename Each> static void forwardLines(const std::string& text, Each each) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            each(text.substr(start, end - start));
            start = end + 1;
        }
    }

    const RunOptions& o_;
    Journal& journal_;
    Console& console_;
    BatchTally& tally_;
    std::vector<std::string> suffixes_;
    std::list<Worker> workers_;
};

} // namespace

void runInputsInWorkers(const RunOptions& options, Journal& journal, Console& console,
                        BatchTally& tally) {
    Pool(options, journal, console, tally).run();
}

} // namespace ombrelune
