#include "cli/console.hpp"

#include "store/number_format.hpp"

#include <cstdio>
#include <unistd.h>

namespace ombrelune {
namespace {

void put(std::FILE* f, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), f);
    std::fflush(f);
}

std::string clockText(double seconds) {
    const long s = seconds < 0 ? 0 : long(seconds + 0.5);
    const std::string mm = std::to_string(s / 60 % 60), ss = std::to_string(s % 60);
    return (s >= 3600 ? std::to_string(s / 3600) + ":" + (mm.size() < 2 ? "0" : "") : "") + mm +
           ":" + (ss.size() < 2 ? "0" : "") + ss;
}

} // namespace

std::string terminalText(const std::string& message) {
    std::string out;
    for (std::size_t k = 0; k < message.size(); ++k) {
        const char c = message[k];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && k + 1 < message.size() && message[k + 1] == '\n') ++k;
            out += "\n  ";
        } else {
            out += c;
        }
    }
    return out;
}

Console::Console(bool quiet)
    : quiet_(quiet), progress_(quiet                     ? Progress::none
                               : ::isatty(STDERR_FILENO) ? Progress::bar
                                                         : Progress::lines),
      stdoutIsTerminal_(::isatty(STDOUT_FILENO) != 0) {}

void Console::hideBar() {
    if (!barShown_) return;
    put(stderr, "\r\033[K");
    barShown_ = false;
}

void Console::drawBar() {
    if (progress_ != Progress::bar || total_ == 0) return;
    constexpr int width = 30;
    const int filled = total_ > 0 ? width * finished_ / total_ : 0;
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::string bar = "\r\033[K[" + std::string(std::size_t(filled), '#') +
                      std::string(std::size_t(width - filled), '.') + "] " +
                      std::to_string(finished_) + "/" + std::to_string(total_);
    if (finished_ > 0 && elapsed > 0) {
        const double rate = finished_ / elapsed;
        bar += "  " + formatFixed(rate, rate < 10 ? 2 : 0) + "/s  " +
               clockText((total_ - finished_) / rate) + " left";
    }
    put(stderr, bar);
    barShown_ = true;
}

void Console::journalLine(const std::string& text) {
    if (quiet_) return;
    if (stdoutIsTerminal_) hideBar();
    put(stdout, text + "\n");
    if (stdoutIsTerminal_ && progress_ == Progress::bar && total_ > 0) drawBar();
}

void Console::message(const std::string& text) {
    hideBar();
    put(stderr, terminalText(text) + "\n");
    if (total_ > 0 && finished_ < total_) drawBar();
}

void Console::output(const std::string& text) {
    if (stdoutIsTerminal_) hideBar();
    put(stdout, text);
    if (stdoutIsTerminal_ && progress_ == Progress::bar && total_ > 0) drawBar();
}

void Console::startBatch(int total) {
    total_ = total;
    finished_ = 0;
    start_ = std::chrono::steady_clock::now();
    drawBar();
}

void Console::inputFinished(int finished, const std::string& input, const std::string& verdict,
                            double seconds) {
    finished_ = finished;
    if (progress_ == Progress::lines)
        put(stderr, "[" + std::to_string(finished) + "/" + std::to_string(total_) + "] " + input +
                        " : " + verdict + ", " + formatFixed(seconds, 3) + " s\n");
    else
        drawBar();
}

void Console::endBatch() {
    hideBar();
    total_ = 0;
}

} // namespace ombrelune
