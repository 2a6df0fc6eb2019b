#include "numeric/fit/fit_summary.hpp"

#include "store/number_format.hpp"
#include "store/text_encoding.hpp"

#include <cmath>

namespace ombrelune {

namespace {

struct MethodName {
    const char* name;
    FitMethod method;
};
constexpr MethodName methods[] = {{"simplex", FitMethod::Simplex},
                                  {"marquardt", FitMethod::Marquardt},
                                  {"bfgs", FitMethod::BFGS}};

} // namespace

const char* fitMethodName(FitMethod method) {
    for (const MethodName& m : methods)
        if (m.method == method) return m.name;
    return "";
}

std::optional<FitMethod> fitMethodNamed(std::string_view name) {
    for (const MethodName& m : methods)
        if (equalsIgnoreAsciiCase(name, m.name)) return m.method;
    return std::nullopt;
}

double roundedToSignificant(double v, int digits) {
    if (v == 0 || !std::isfinite(v)) return v;
    const double scale = std::pow(10.0, digits - 1 - std::floor(std::log10(std::fabs(v))));
    return std::round(v * scale) / scale;
}

std::string fitSummary(const FitOutcome& outcome, char decimalSeparator) {
    const auto number = [&](double v) { return formatGeneral(v, decimalSeparator); };
    std::string text;
    for (int i = 0; i < fitParameterCount; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        if (!outcome.used[k]) continue;
        text += std::string(fitParameterName(i)) + " = " + number(outcome.params[k]) + " ± " +
                number(roundedToSignificant(outcome.errors[k], 3)) + " ; ";
    }
    return text + "somme des carrés = " + number(outcome.sumOfSquares) +
           " ; chi² réduit = " + number(outcome.reducedChiSquare);
}

std::string fitJournalLine(const std::string& who, const std::string& spectrum, FitMethod method,
                           FitWeighting weighting, const FitOutcome& outcome,
                           char decimalSeparator) {
    std::string how = fitMethodName(method);
    if (weighting == FitWeighting::Poisson) how += ", poisson";
    return who + " " + spectrum + " (" + how + ", " + std::to_string(outcome.iterations) +
           " itérations) : " + fitSummary(outcome, decimalSeparator);
}

std::string fitTableHeader() {
    std::string header = "spectre\tmodèle\tméthode";
    for (int i = 0; i < fitParameterCount; ++i)
        header += std::string("\t") + fitParameterName(i) + "\td" + fitParameterName(i);
    return header + "\tsomme des carrés\tn - p\tchi² réduit\titérations";
}

std::string fitTableRow(const std::string& spectrum, const std::string& model,
                        const std::string& method, const FitOutcome& outcome,
                        char decimalSeparator) {
    const auto number = [&](double v) { return formatGeneral(v, decimalSeparator); };
    std::string row = spectrum + "\t" + model + "\t" + method;
    for (std::size_t k = 0; k < outcome.params.size(); ++k)
        row += "\t" + number(outcome.params[k]) + "\t" + number(outcome.errors[k]);
    return row + "\t" + number(outcome.sumOfSquares) + "\t" +
           std::to_string(outcome.degreesOfFreedom()) + "\t" + number(outcome.reducedChiSquare) +
           "\t" + std::to_string(outcome.iterations);
}

} // namespace ombrelune
