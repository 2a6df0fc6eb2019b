#include "numeric/levenberg_marquardt.hpp"

#include "numeric/blas_lapack.hpp"
#include "numeric/line_search.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

namespace {

// The damping starts small, relative to the unit diagonal of the scaled normal matrix, so
// that a good Gauss-Newton step is taken almost as it is; it never falls below the floor,
// so that it can grow again by multiplication.
constexpr double initialDamping = 1e-3;
constexpr double dampingFloor = 1e-15;
constexpr double dampingCeiling = 1e300;

class DampedSolver {
public:
    // Takes the normal equations of a new Jacobian; the scales only grow.
    void setEquations(const TMtx& A, const TVec& g) {
        A_.copy(A);
        g_.copy(g);
        const int n = A.Rows();
        scale_.resize(static_cast<std::size_t>(n), 0.0);
        for (int j = 0; j < n; ++j) {
            double& d = scale_[static_cast<std::size_t>(j)];
            d = std::max(d, std::sqrt(A(j, j)));
        }
    }

    // Solves (A + lambda D^2) step = -g; false when that matrix is not positive definite
    // (or not finite). A parameter the residuals do not depend on gets the scale 1, so it
    // is damped and stays where it is.
    bool solve(double lambda, TVec& step) {
        const int n = A_.Rows();
        matrix_.assign(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
        step.SetLength(n);
        for (int a = 0; a < n; ++a) {
            for (int b = 0; b < n; ++b)
                matrix_[index(a, b, n)] = A_(a, b) / (scaleOf(a) * scaleOf(b));
            matrix_[index(a, a, n)] += lambda;
            step[a] = -g_[a] / scaleOf(a);
        }
        int info = 0;
        const int one = 1;
        dpotrf_("U", &n, matrix_.data(), &n, &info);
        if (info != 0) return false;
        dpotrs_("U", &n, &one, matrix_.data(), &n, step.data(), &n, &info);
        if (info != 0) return false;
        for (int a = 0; a < n; ++a) {
            step[a] /= scaleOf(a);
            if (!std::isfinite(step[a])) return false;
        }
        return true;
    }

    // The decrease of the sum the linear model predicts for a step from solve(lambda).
    double predictedDecrease(const TVec& step, double lambda) const {
        double gd = 0, dd = 0;
        for (int a = 0; a < step.Length(); ++a) {
            gd += g_[a] * step[a];
            dd += scaleOf(a) * scaleOf(a) * step[a] * step[a];
        }
        return -gd + lambda * dd;
    }

private:
    static std::size_t index(int a, int b, int n) {
        return static_cast<std::size_t>(b) * static_cast<std::size_t>(n) +
               static_cast<std::size_t>(a);
    }
    double scaleOf(int j) const {
        const double d = scale_[static_cast<std::size_t>(j)];
        return d > 0 && std::isfinite(d) ? d : 1.0;
    }

    TMtx A_;
    TVec g_;
    std::vector<double> scale_;
    std::vector<double> matrix_;
};

class LeastSquaresState {
public:
    LeastSquaresState(const TResidualFunction& f, const TJacobianFunction& jacobian, std::size_t m,
                      std::span<const double> start, double tolerance)
        : f_(f), jacobian_(jacobian), tolerance_(tolerance), r_(m), rTry_(m) {
        x_.assign(start);
        f_(x_.values(), r_);
        sum = sumOfSquares(r_);
        J_.setSize(m, x_.Length());
    }

    double sum = 0;
    double lambda = initialDamping;
    const TVec& x() const { return x_; }

    // One iteration: a new Jacobian, then steps until one is taken. False when the
    // minimisation is over.
    bool iterate() {
        jacobian_(x_.values(), J_);
        normalEquations(J_, r_, A_, g_);
        solver_.setEquations(A_, g_);
        double growth = 2;
        while (lambda < dampingCeiling) {
            if (!solver_.solve(lambda, step_)) {
                raise(growth);
                continue;
            }
            xTry_.copy(x_);
            xTry_.addScaled(step_);
            const bool small = ParametersConverged(x_.values(), xTry_.values(), tolerance_);
            f_(xTry_.values(), rTry_);
            const double sumTry = sumOfSquares(rTry_);
            if (sumTry < sum) {
                shrinkDamping(sumTry);
                x_.copy(xTry_);
                r_.swap(rTry_);
                sum = sumTry;
                return !small;
            }
            if (small) return false; // shorter steps would change nothing that matters
            raise(growth);
        }
        return false;
    }

private:
    // The better the linear model predicted the decrease, the less damping the next step
    // needs: by a factor 3 at best, not at all when the prediction was poor.
    void shrinkDamping(double sumTry) {
        const double predicted = solver_.predictedDecrease(step_, lambda);
        const double rho = predicted > 0 ? (sum - sumTry) / predicted : 1;
        const double factor = std::clamp(1 - std::pow(2 * rho - 1, 3), 1.0 / 3, 1.0);
        lambda = std::max(dampingFloor, lambda * factor);
    }

    void raise(double& growth) {
        lambda *= growth;
        growth *= 2;
    }

    const TResidualFunction& f_;
    const TJacobianFunction& jacobian_;
    double tolerance_;
    std::vector<double> r_, rTry_;
    TVec x_, xTry_, step_, g_;
    Jacobian J_;
    TMtx A_;
    DampedSolver solver_;
};

} // namespace

LeastSquaresResult levenbergMarquardt(const TResidualFunction& residuals,
                                      const TJacobianFunction& jacobian, std::size_t residualCount,
                                      std::span<double> params, int limit, double tolerance,
                                      IterationReport* report) {
    ReportWriter writer(report, tolerance, "Marquardt", "Iteration Fun                Lambda");
    LeastSquaresState state(residuals, jacobian, residualCount, params, tolerance);
    LeastSquaresResult result;
    // A sum of 0 cannot be lowered; a NaN one cannot be compared with.
    bool goOn = state.sum > 0;
    while (goOn && result.iterations < limit) {
        ++result.iterations;
        writer.line(result.iterations, state.sum, state.lambda);
        goOn = state.iterate() && state.sum > 0;
    }
    result.sumOfSquares = state.sum;
    std::copy(state.x().data(), state.x().data() + state.x().Length(), params.begin());
    return result;
}

LeastSquaresResult levenbergMarquardt(const TResidualFunction& residuals, std::size_t residualCount,
                                      std::span<double> params, int limit, double tolerance,
                                      IterationReport* report) {
    return levenbergMarquardt(residuals, centralDifferences(residuals), residualCount, params,
                              limit, tolerance, report);
}

} // namespace ombrelune
