#include "numeric/marquardt.hpp"

#include "numeric/line_search.hpp"

#include <cmath>

namespace ombrelune {

namespace {

class MarquardtState {
public:
    MarquardtState(const TCostFunction& cost, const TCostCurvature& curvature,
                   std::span<const double> start, CostConstants constants, CostObjects objects,
                   TMtx& inverse, int limit, double tolerance)
        : cost_(cost), curvature_(curvature), constants_(constants), line_(cost, objects),
          inverse_(inverse), limit_(limit), tolerance_(tolerance) {
        x.assign(start);
        g_.SetLength(x.Length());
        C_.SetSize(x.Length(), x.Length());
        minimum = costOf(x);
    }

    TVec x;
    double minimum = 0;

    // The gradient (negated) and curvature at x; x is kept as the base of this iteration.
    void prepare() {
        xOld_.copy(x);
        curvature_(cost_, x.values(), constants_, line_.objects(), g_, C_);
        g_.negate();
    }

    // The undamped Newton step, kept only when its cost is finite and not worse, so that
    // the minimum returned is always the cost of the parameters returned.
    void newtonStep() {
        inverse_.copy(C_);
        if (!inverse_.invert()) return;
        TVec& step = line_.direction;
        step.multiply(inverse_, g_);
        TVec candidate;
        pointOnLine(xOld_, step, 1, candidate);
        const double f = costOf(candidate);
        if (std::isfinite(f) && f <= minimum) {
            x.copy(candidate);
            minimum = f;
        }
    }

    // Damped steps with growing damping until one lowers the cost enough; returns the
    // damping for the next iteration and whether the parameters converged.
    bool dampedSteps(double& lambda) {
        double fNew = minimum;
        bool accepted = false;
        do {
            fNew = dampedAttempt(lambda, accepted);
            if (!accepted) lambda *= 10;
            // A damping that cannot grow (0, negative or NaN) would repeat forever.
        } while (!accepted && lambda > 0 && lambda <= 1000);
        const bool converged = ParametersConverged(xOld_.values(), x.values(), tolerance_);
        lambda *= 0.1;
        minimum = fNew;
        return converged;
    }

private:
    double costOf(const TVec& v) const { return cost_(v.values(), constants_, line_.objects()); }

    // One attempt with the damping lambda; leaves x at its point (x_old when the damped
    // curvature is singular) and returns its cost.
    double dampedAttempt(double lambda, bool& accepted) {
        D_.copy(C_);
        for (int i = 0; i < D_.Rows(); ++i) D_(i, i) = (1 + lambda) * C_(i, i);
        inverse_.copy(D_);
        if (!inverse_.invert()) {
            x.copy(xOld_);
            accepted = false;
            return minimum;
        }
        TVec& s = line_.direction;
        s.multiply(inverse_, g_);
        line_.base.copy(xOld_);
        const double t = line_.minimise(constants_, limit_, tolerance_);
        const double fNew = line_.costAt(t, constants_);
        pointOnLine(xOld_, s, t, x);
        accepted = fNew - minimum < tolerance_ * minimum;
        return fNew;
    }

    const TCostFunction& cost_;
    const TCostCurvature& curvature_;
    CostConstants constants_;
    LineSearch line_;
    TMtx& inverse_;
    int limit_;
    double tolerance_;
    TVec xOld_, g_;
    TMtx C_, D_;
};

} // namespace

int Marquardt(const TCostFunction& cost, const TCostCurvature& curvature, std::span<double> params,
              CostConstants constants, CostObjects objects, double& minimum, TMtx& inverseCurvature,
              int limit, double tolerance, double lambda0, IterationReport* report) {
    ReportWriter writer(report, tolerance, "Marquardt", "Iteration Fun                Lambda");
    MarquardtState state(cost, curvature, params, constants, objects, inverseCurvature, limit,
                         tolerance);
    double lambda = lambda0;
    bool converged = false;
    int counter = 1;
    bool goOn = true;
    while (goOn) {
        writer.line(counter, state.minimum, lambda);
        state.prepare();
        if (converged) {
            state.newtonStep();
            goOn = false;
        } else {
            converged = state.dampedSteps(lambda);
        }
        goOn = nextIteration(counter, limit) && goOn;
    }
    minimum = state.minimum;
    std::copy(state.x.data(), state.x.data() + state.x.Length(), params.begin());
    return counter;
}

} // namespace ombrelune
