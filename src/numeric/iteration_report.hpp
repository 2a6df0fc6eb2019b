#pragma once
// The optional iteration report of the minimisers: a title line, a column header, then one
// line per iteration ("0001      0.00012000"). Without a sink nothing is formatted.

#include <functional>
#include <string>
#include <vector>

namespace ombrelune {

// The text-line sink a caller hands to a minimiser; lines are appended. A caller that
// follows a long minimisation (a progress line, a count of iterations) also sets
// onIteration, called with the number and the first value of each iteration line.
struct IterationReport {
    std::vector<std::string> lines;
    char decimalSeparator = '.';
    std::function<void(int number, double value)> onIteration;
};

// Digits after the separator in the report values: |log10 tolerance| rounded to the nearest
// integer (8 for 1e-8), kept within 0..17 so that any tolerance, even 0 or a negative one,
// gives a usable width.
int reportDecimals(double tolerance);

// Iteration numbers are at least four digits, zero-padded: 0001, 0042, 12345.
std::string reportNumber(int number);

class ReportWriter {
public:
    // Appends the title and header lines when a sink is given.
    ReportWriter(IterationReport* sink, double tolerance, const char* title, const char* header);

    bool active() const { return sink_ != nullptr; }
    // number, six blanks, value.
    void line(int number, double value);
    // number, six blanks, value, two blanks, second value.
    void line(int number, double value, double second);

private:
    std::string value(double v) const;

    IterationReport* sink_;
    int decimals_;
};

} // namespace ombrelune
