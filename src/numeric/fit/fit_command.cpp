// FitSpectre[dimension, spectrum, model, method, iterations, tolerance, difference, @R,
// weighting]: fits the model to every point of the spectrum, starting from the script's
// A..E, moving only the parameters the model uses. On success A..E receive the fitted
// values, R#0..R#12 the values, their standard errors, the sum of squares, n - p and the
// iterations, the difference spectrum is written and the journal gets the summary. Any
// refusal writes nothing but its "!! " line.

#include "numeric/fit/fit_command.hpp"

#include "errors/errors.hpp"
#include "numeric/fit/fit_run.hpp"
#include "numeric/fit/fit_summary.hpp"
#include "script/command_support.hpp"
#include "store/store_ops.hpp"
#include "store/text_encoding.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrelune {

namespace {

FitMethod requireMethod(const std::string& text) {
    if (const auto method = fitMethodNamed(text)) return *method;
    throw ERefused("méthode inconnue \"" + text + "\" (simplex, marquardt ou bfgs)");
}

FitWeighting requireWeighting(const std::string& text) {
    if (text.empty() || equalsIgnoreAsciiCase(text, "none")) return FitWeighting::None;
    if (equalsIgnoreAsciiCase(text, "poisson")) return FitWeighting::Poisson;
    throw ERefused("pondération inconnue \"" + text + "\" (none ou poisson)");
}

int iterationLimit(const CommandArgs& a) {
    const double r = roundHalfEven(numberArg(a, 5));
    if (std::isnan(r)) throw ERefused("nombre d'itérations " + a.text(5) + " incorrect");
    constexpr double largest = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(r, -largest, largest));
}

// The parameters the model reads; refuses a model that does not compile or reads none.
ParameterMask usedParameters(const std::string& model) {
    TParser parser;
    try {
        parser.setExpression(model);
    } catch (const EMathParserError& e) {
        throw ERefused("modèle \"" + model + "\" incorrect : " + e.what());
    }
    const ParameterMask used = FitModel(parser).usedParameters();
    for (const bool u : used)
        if (u) return used;
    throw ERefused("le modèle \"" + model + "\" n'utilise aucun des paramètres A à E");
}

int countOf(const ParameterMask& mask) {
    int n = 0;
    for (const bool b : mask) n += b ? 1 : 0;
    return n;
}

FitOutcome fitOrRefuse(const FitData& data, const FitRequest& request) {
    try {
        return runFit(data, request);
    } catch (const ENonFiniteStart& e) {
        throw ERefused("la somme des carrés aux valeurs de départ vaut " + e.sum);
    } catch (const EMathParserError& e) {
        throw ERefused(std::string("modèle : ") + e.what());
    }
}

// R#0..4 the values, R#5..9 their errors, R#10 the sum, R#11 n - p, R#12 the iterations.
void writeResultArray(std::vector<double>& r, const FitOutcome& out) {
    if (r.size() < 13) r.resize(13, 0.0);
    for (std::size_t k = 0; k < 5; ++k) {
        r[k] = out.params[k];
        r[5 + k] = out.errors[k];
    }
    r[10] = out.sumOfSquares;
    r[11] = static_cast<double>(out.degreesOfFreedom());
    r[12] = out.iterations;
}

void cmdFitSpectre(Interpreter& in, const CommandArgs& a) {
    spectlist* table = in.wb().table(numberArg(a, 1));
    if (!table) throw ERefused("dimension " + a.text(1) + " inconnue (1, 2 ou 3)");
    const int dimension = static_cast<int>(numberArg(a, 1));
    const spectre& source = requireSpectrum(in, *table, a.text(2));
    FitRequest request;
    request.model = a.text(3);
    request.method = requireMethod(a.text(4));
    request.iterationLimit = iterationLimit(a);
    request.tolerance = numberArg(a, 6);
    const std::string& difference = a.text(7);
    const FitWeighting weighting = requireWeighting(a.text(9));
    tvaripar* result = a.text(8).empty() ? nullptr : &requireScriptVariable(in, a.text(8));
    request.free = usedParameters(request.model);
    const FitData data = fitDataOf(source, dimension, weighting);
    const std::size_t p = static_cast<std::size_t>(countOf(request.free));
    if (data.pointCount() == 0) throw ERefused(source.name + " n'a aucun point");
    if (data.pointCount() <= p)
        throw ERefused(source.name + " a " + std::to_string(data.pointCount()) + " points pour " +
                       std::to_string(p) + " paramètres");
    const bool writesDifference = !difference.empty() && dimension != 3;
    if (writesDifference && table->indexOf(difference) == table->indexOf(source.name))
        throw ERefused("la différence " + difference + " remplacerait " + source.name);
    for (int i = 0; i < fitParameterCount; ++i)
        request.start[static_cast<std::size_t>(i)] = in.parser().GetVariable(fitParameterName(i));

    StepTimerPause pause(in.host());
    const FitOutcome out = fitOrRefuse(data, request);
    if (writesDifference && table->store(differenceSpectrum(data, out.model, difference)) < 0)
        throw ERefused("impossible de ranger " + difference + " (table pleine)");
    for (int i = 0; i < fitParameterCount; ++i)
        in.parser().SetVariable(fitParameterName(i), out.params[static_cast<std::size_t>(i)]);
    if (result) writeResultArray(result->values, out);
    in.wb().journal.appendLine(fitJournalLine("FitSpectre", source.name, request.method, weighting,
                                              out, in.wb().decimalSeparator));
}

} // namespace

void bindFitCommands(CommandRegistry& registry) {
    bindGuarded(registry, "FitSpectre", cmdFitSpectre);
}

} // namespace ombrelune
