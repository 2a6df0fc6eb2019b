// fit-nist: the nine NIST StRD problems of tests/data/nist-strd fitted by FitSpectre with
// Marquardt from NIST's second start, one after the other, as a script would; the total
// time, then one model evaluation per point through the evaluator against the same models
// as plain double loops, in the same run.

#include "bench_registry.hpp"
#include "nist_strd.hpp"

#include "numeric/fit/fit_command.hpp"
#include "numeric/fit/fit_model.hpp"
#include "script/interpreter.hpp"
#include "script/null_script_host.hpp"
#include "store/number_format.hpp"
#include "store/settings_store.hpp"
#include "store/workbench.hpp"

#include <cmath>
#include <filesystem>
#include <map>

namespace ombrelune::bench {
namespace {

using Native = double (*)(const double* b, double x);

// The nine models written out in C++, by file.
const std::map<std::string, Native>& nativeModels() {
    static const std::map<std::string, Native> models = {
        {"Misra1a.dat", [](const double* b, double x) { return b[0] * (1 - std::exp(-b[1] * x)); }},
        {"Chwirut2.dat",
         [](const double* b, double x) { return std::exp(-b[0] * x) / (b[1] + b[2] * x); }},
        {"DanWood.dat", [](const double* b, double x) { return b[0] * std::pow(x, b[1]); }},
        {"Kirby2.dat",
         [](const double* b, double x) {
             return (b[0] + b[1] * x + b[2] * x * x) / (1 + b[3] * x + b[4] * x * x);
         }},
        {"MGH17.dat",
         [](const double* b, double x) {
             return b[0] + b[1] * std::exp(-x * b[3]) + b[2] * std::exp(-x * b[4]);
         }},
        {"MGH09.dat",
         [](const double* b, double x) {
             return b[0] * (x * x + x * b[1]) / (x * x + x * b[2] + b[3]);
         }},
        {"Eckerle4.dat",
         [](const double* b, double x) {
             const double u = (x - b[2]) / b[1];
             return (b[0] / b[1]) * std::exp(-0.5 * u * u);
         }},
        {"Rat43.dat",
         [](const double* b, double x) {
             return b[0] / std::pow(1 + std::exp(b[1] - b[2] * x), 1 / b[3]);
         }},
        {"BoxBOD.dat", [](const double* b, double x) { return b[0] * (1 - std::exp(-b[1] * x)); }},
    };
    return models;
}

struct Problem {
    testing::NistProblem problem;
    testing::NistCertified data;
};

std::vector<Problem> problems() {
    std::vector<Problem> out;
    for (const testing::NistProblem& p : testing::nistProblems())
        out.push_back({p, testing::readNistProblem(NIST_STRD_DIR, p)});
    return out;
}

// Seconds of one model evaluation per point, through the evaluator and in plain doubles,
// over every problem's data at its certified values.
std::pair<double, double> perPointSeconds(const std::vector<Problem>& all) {
    double evaluator = 0, plain = 0, points = 0;
    for (const Problem& p : all) {
        const FitData data = fitDataOf(testing::curveAt("N", p.data.x, p.data.y), 1);
        std::vector<double> params = p.data.values;
        params.resize(5, 0.0);
        TParser parser;
        parser.setExpression(p.problem.model);
        FitModel model(parser);
        std::vector<double> values(data.pointCount());
        evaluator += medianSeconds([&] { model.evaluate(data, params, values); }, 201);
        const Native native = nativeModels().at(p.problem.file);
        plain += medianSeconds(
            [&] {
                for (std::size_t i = 0; i < data.pointCount(); ++i)
                    values[i] = native(params.data(), data.x[i]);
            },
            201);
        points += double(data.pointCount());
    }
    return {evaluator / points, plain / points};
}

BenchLine fitNist() {
    const std::vector<Problem> all = problems();
    // FitSpectre writes its summary to the journal: a journal of its own, removed after.
    const auto root = std::filesystem::temp_directory_path() / "ombrelune-bench-fit-nist";
    MemorySettingsStore settings;
    Workbench wb(settings, DataPaths{root});
    wb.journal.start();
    NullScriptHost host;
    Interpreter interp(wb, host);
    bindFitCommands(interp.registry());
    double iterations = 0;
    std::size_t points = 0;
    const double seconds = medianSeconds(
        [&] {
            iterations = 0;
            points = 0;
            for (const Problem& p : all) {
                wb.spectres1D.store(testing::curveAt("NIST", p.data.x, p.data.y));
                for (std::size_t k = 0; k < p.data.start2.size(); ++k)
                    interp.parser().SetVariable(fitParameterName(int(k)), p.data.start2[k]);
                interp.executeCommandBox(testing::nistFitLine(p.problem));
                const auto r = interp.scriptVariables().find("R");
                if (r) iterations += interp.scriptVariables().descriptor(*r).values.at(12);
                points += p.data.x.size();
            }
        },
        5);
    std::filesystem::remove_all(root);
    const auto [evaluator, plain] = perPointSeconds(all);
    return {"fit-nist",
            std::to_string(all.size()) + " problems, " + std::to_string(points) + " points",
            seconds, formatFixed(seconds / double(all.size()) * 1e3, 2) + " ms/problem",
            "iterations " + formatGeneral(iterations) + "\tone evaluation " +
                formatFixed(evaluator * 1e9, 2) + " ns/point\tplain double loop " +
                formatFixed(plain * 1e9, 2) + " ns/point"};
}

const bool registered =
    registerBench({"fit-nist", [] { return std::vector<BenchLine>{fitNist()}; }});

} // namespace
} // namespace ombrelune::bench
