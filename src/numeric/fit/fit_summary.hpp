#pragma once
// A fit's result in words: the journal's summary and the rows of the table of many fits
// that the fitting window copies.

#include "numeric/fit/fit_run.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace ombrelune {

// "simplex", "marquardt", "bfgs"; and back, in any case.
const char* fitMethodName(FitMethod method);
std::optional<FitMethod> fitMethodNamed(std::string_view name);

// v rounded to `digits` significant digits (0, infinities and NaN unchanged): how an
// uncertainty is written.
double roundedToSignificant(double v, int digits);

// "A = 1.5 ± 0.0213 ; C = -4 ± 1.2 ; somme des carrés = 0.25 ; chi² réduit = 0.0052" with
// the parameters the model uses, each error to three significant digits.
std::string fitSummary(const FitOutcome& outcome, char decimalSeparator);

// who + " " + spectrum + " (method[, poisson], N itérations) : " + fitSummary: the journal
// line of a fit.
std::string fitJournalLine(const std::string& who, const std::string& spectrum, FitMethod method,
                           FitWeighting weighting, const FitOutcome& outcome,
                           char decimalSeparator);

// The tab-separated header and one row per fit: spectrum, model, method, then each of A..E
// with its error, the sum of squares, n - p, the reduced chi-square and the iterations.
std::string fitTableHeader();
std::string fitTableRow(const std::string& spectrum, const std::string& model,
                        const std::string& method, const FitOutcome& outcome,
                        char decimalSeparator);

} // namespace ombrelune
