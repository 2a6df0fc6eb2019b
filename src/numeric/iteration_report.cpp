#include "numeric/iteration_report.hpp"

#include "numeric/number_text.hpp"

#include <cmath>

namespace ombrelune {

int reportDecimals(double tolerance) {
    const double d = std::nearbyint(std::fabs(std::log10(tolerance)));
    if (!(d <= 17)) return 17; // 0, a negative tolerance and NaN ask for all the digits
    return static_cast<int>(d);
}

std::string reportNumber(int number) {
    std::string digits = std::to_string(number < 0 ? -number : number);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return number < 0 ? "-" + digits : digits;
}

ReportWriter::ReportWriter(IterationReport* sink, double tolerance, const char* title,
                           const char* header)
    : sink_(sink), decimals_(sink ? reportDecimals(tolerance) : 0) {
    if (!sink_) return;
    sink_->lines.emplace_back(title);
    sink_->lines.emplace_back(header);
}

std::string ReportWriter::value(double v) const {
    return twoSignificantFixed(v, decimals_, sink_->decimalSeparator);
}

void ReportWriter::line(int number, double v) {
    if (!sink_) return;
    sink_->lines.push_back(reportNumber(number) + "      " + value(v));
    if (sink_->onIteration) sink_->onIteration(number, v);
}

void ReportWriter::line(int number, double v, double second) {
    if (!sink_) return;
    sink_->lines.push_back(reportNumber(number) + "      " + value(v) + "  " + value(second));
    if (sink_->onIteration) sink_->onIteration(number, v);
}

} // namespace ombrelune
