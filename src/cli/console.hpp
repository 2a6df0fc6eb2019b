#pragma once
// Everything the runner prints goes through here, so that the progress bar on a terminal
// steps aside for journal lines and messages and comes back under them. Journal lines go
// to standard output, everything else to standard error.

#include <chrono>
#include <string>

namespace ombrelune {

// A message made for a terminal: the carriage returns the evaluator puts inside its
// messages become line breaks, indented under the first line.
std::string terminalText(const std::string& message);

class Console {
public:
    enum class Progress { none, lines, bar };
    // quiet: no journal echo and no progress. The bar is used when standard error is a
    // terminal, one plain line per input otherwise.
    explicit Console(bool quiet);

    void journalLine(const std::string& text); // standard output, unless quiet
    void message(const std::string& text);     // standard error, always
    // Standard output, always (listings, forwarded worker output).
    void output(const std::string& text);

    // Progress of a batch of `total` inputs; `finished` counts done, refused and failed.
    void startBatch(int total);
    void inputFinished(int finished, const std::string& input, const std::string& verdict,
                       double seconds);
    void endBatch();

    Progress progress() const { return progress_; }

private:
    void hideBar();
    void drawBar();

    bool quiet_;
    Progress progress_;
    bool barShown_ = false;
    bool stdoutIsTerminal_;
    int total_ = 0;
    int finished_ = 0;
    std::chrono::steady_clock::time_point start_;
};

} // namespace ombrelune
