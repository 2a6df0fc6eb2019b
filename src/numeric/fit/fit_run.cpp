#include "numeric/fit/fit_run.hpp"

#include "errors/errors.hpp"
#include "numeric/bfgs.hpp"
#include "numeric/least_squares_covariance.hpp"
#include "numeric/levenberg_marquardt.hpp"
#include "numeric/simplex.hpp"
#include "store/number_format.hpp"

#include <cmath>
#include <limits>

namespace ombrelune {

namespace {

std::vector<int> indicesOf(const ParameterMask& mask) {
    std::vector<int> indices;
    for (int i = 0; i < fitParameterCount; ++i)
        if (mask[static_cast<std::size_t>(i)]) indices.push_back(i);
    return indices;
}

// The weighted residuals of the data against the model, as functions of some of the
// parameters while the others keep the values `held` gives them.
class FitProblem {
public:
    FitProblem(const FitData& data, FitModel& model, FitControl* control)
        : data_(data), model_(model), control_(control), modelValues_(data.pointCount()),
          residuals_(data.pointCount()) {}

    FitParameters held{};

    std::size_t pointCount() const { return data_.pointCount(); }
    std::int64_t evaluations() const { return evaluations_; }
    const std::vector<double>& modelValues() const { return modelValues_; }

    // The model with the parameters `indices` set to `values`, in modelValues().
    void evaluate(const std::vector<int>& indices, std::span<const double> values) {
        if (control_ && control_->cancel.load(std::memory_order_relaxed)) throw EFitCancelled();
        FitParameters p = held;
        for (std::size_t k = 0; k < indices.size(); ++k)
            p[static_cast<std::size_t>(indices[k])] = values[k];
        model_.evaluate(data_, p, modelValues_);
        ++evaluations_;
    }

    void residuals(const std::vector<int>& indices, std::span<const double> values,
                   std::span<double> r) {
        evaluate(indices, values);
        weightedResiduals(data_, modelValues_, r);
    }

    TResidualFunction residualFunction(const std::vector<int>& indices) {
        return [this, indices](std::span<const double> values, std::span<double> r) {
            residuals(indices, values, r);
        };
    }

    // The Jacobian of the residuals, taken from the differences of -sqrt(w) model alone:
    // the data would only cancel out of them, with the digits they carry.
    TJacobianFunction jacobian(const std::vector<int>& indices) {
        return centralDifferences(
            [this, indices](std::span<const double> values, std::span<double> out) {
                evaluate(indices, values);
                const std::vector<double>& root = data_.rootWeights;
                for (std::size_t i = 0; i < out.size(); ++i)
                    out[i] = root.empty() ? -modelValues_[i] : -root[i] * modelValues_[i];
            });
    }

    TCostFunction costFunction(const std::vector<int>& indices) {
        return [this, indices](std::span<const double> values, CostConstants, CostObjects) {
            residuals(indices, values, residuals_);
            return sumOfSquares(residuals_);
        };
    }

    // 2 J'r, the gradient of the sum of squares, with J by central differences.
    TCostGradient gradient(const std::vector<int>& indices) {
        return [this, indices](const TCostFunction&, std::span<const double> values, CostConstants,
                               CostObjects, TVec& g) {
            Jacobian J;
            J.setSize(pointCount(), static_cast<int>(indices.size()));
            jacobian(indices)(values, J);
            residuals(indices, values, residuals_);
            transposedTimes(J, residuals_, g);
            g.scale(2);
        };
    }

private:
    const FitData& data_;
    FitModel& model_;
    FitControl* control_;
    std::vector<double> modelValues_;
    std::vector<double> residuals_;
    std::int64_t evaluations_ = 0;
};

void minimise(FitProblem& problem, const FitRequest& request, const std::vector<int>& free,
              std::vector<double>& x, IterationReport& report) {
    const TCostFunction cost = problem.costFunction(free);
    const int limit = request.iterationLimit;
    const double tolerance = request.tolerance;
    double minimum = 0;
    switch (request.method) {
    case FitMethod::Simplex:
        Simplex(cost, x, {}, {}, minimum, limit, tolerance, &report);
        break;
    case FitMethod::BFGS: {
        TMtx inverseCurvature;
        BFGS(cost, problem.gradient(free), x, {}, {}, minimum, inverseCurvature, limit, tolerance,
             &report);
        break;
    }
    case FitMethod::Marquardt:
        levenbergMarquardt(problem.residualFunction(free), problem.jacobian(free),
                           problem.pointCount(), x, limit, tolerance, &report);
        break;
    }
}

// The standard errors of the parameters the model uses, at the parameters `held`.
void standardErrors(FitProblem& problem, const std::vector<int>& used, FitOutcome& out) {
    if (used.empty()) return;
    std::vector<double> values;
    for (const int i : used) values.push_back(out.params[static_cast<std::size_t>(i)]);
    Jacobian J;
    J.setSize(problem.pointCount(), static_cast<int>(used.size()));
    problem.jacobian(used)(values, J);
    TMtx covariance;
    inverseNormalMatrix(J, covariance);
    for (std::size_t k = 0; k < used.size(); ++k) {
        const int kk = static_cast<int>(k);
        out.errors[static_cast<std::size_t>(used[k])] =
            std::sqrt(out.reducedChiSquare * covariance(kk, kk));
    }
}

} // namespace

FitOutcome runFit(const FitData& data, const FitRequest& request, FitControl* control) {
    TParser parser;
    parser.SetVariable("X", request.coordinates[0]);
    parser.SetVariable("Y", request.coordinates[1]);
    parser.SetVariable("Z", request.coordinates[2]);
    parser.setExpression(request.model);
    FitModel model(parser);
    FitProblem problem(data, model, control);
    problem.held = request.start;

    FitOutcome out;
    out.used = model.usedParameters();
    out.pointCount = data.pointCount();
    const std::vector<int> free = indicesOf(request.free);
    const std::vector<int> used = indicesOf(out.used);
    out.parameterCount = static_cast<int>(used.size());

    std::vector<double> x;
    for (const int i : free) x.push_back(request.start[static_cast<std::size_t>(i)]);
    const double startSum = problem.costFunction(free)(x, {}, {});
    if (!std::isfinite(startSum)) throw ENonFiniteStart(formatGeneral(startSum));

    IterationReport report;
    report.onIteration = [&](int number, double sum) {
        ++out.iterations;
        if (control && control->progress) control->progress(number, sum);
    };
    minimise(problem, request, free, x, report);

    out.params = request.start;
    for (std::size_t k = 0; k < free.size(); ++k)
        out.params[static_cast<std::size_t>(free[k])] = x[k];
    problem.held = out.params;
    out.sumOfSquares = problem.costFunction({})({}, {}, {});
    out.model = problem.modelValues();
    out.reducedChiSquare = out.degreesOfFreedom() > 0
                               ? out.sumOfSquares / static_cast<double>(out.degreesOfFreedom())
                               : std::numeric_limits<double>::quiet_NaN();
    standardErrors(problem, used, out);
    out.modelEvaluations = problem.evaluations();
    for (int c = 0; c < 3; ++c)
        out.coordinates[static_cast<std::size_t>(c)] = parser.GetVariable(std::string(1, "XYZ"[c]));
    return out;
}

} // namespace ombrelune
