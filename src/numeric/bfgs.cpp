#include "numeric/bfgs.hpp"

#include "numeric/line_search.hpp"

#include <cmath>

namespace ombrelune {

namespace {

// Largest magnitude of a vector, 0 for an empty one.
double largestMagnitude(const TVec& v) {
    double m = 0;
    for (int i = 0; i < v.Length(); ++i) m = std::fmax(m, std::fabs(v[i]));
    return m;
}

// H := H + s s'/ys - Hy Hy'/yHy + yHy u u' with u = s/ys - Hy/yHy. False (H untouched)
// when a denominator is 0.
bool updateInverse(TMtx& H, const TVec& s, const TVec& y, TVec& Hy, TVec& u) {
    Hy.multiply(H, y);
    const double ys = y.dot(s);
    const double yHy = y.dot(Hy);
    if (ys == 0 || yHy == 0) return false;
    const int n = s.Length();
    for (int i = 0; i < n; ++i) u[i] = s[i] / ys - Hy[i] / yHy;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            H(i, j) = H(i, j) + s[i] * s[j] / ys - Hy[i] * Hy[j] / yHy + yHy * u[i] * u[j];
    return true;
}

} // namespace

int BFGS(const TCostFunction& cost, const TCostGradient& gradient, std::span<double> params,
         CostConstants constants, CostObjects objects, double& minimum, TMtx& inverseCurvature,
         int limit, double tolerance, IterationReport* report) {
    ReportWriter writer(report, tolerance, "BFGS", "Iteration Fun");
    const int n = static_cast<int>(params.size());
    LineSearch line(cost, objects);
    TVec x, xOld, g(n), gOld(n), y, Hy(n), u(n);
    TMtx& H = inverseCurvature;
    TVec& s = line.direction;
    x.assign(params);
    H.identity(n);
    double fx = cost(x.values(), constants, line.objects());
    gradient(cost, x.values(), constants, line.objects(), g);
    s.copy(g);
    s.negate();
    int counter = 1;
    bool goOn = true;
    while (goOn) {
        writer.line(counter, fx);
        const double largest = largestMagnitude(s);
        if (largest > 1) s.scale(1 / largest);
        xOld.copy(x);
        line.base.copy(x);
        const double t = line.minimise(constants, limit, tolerance);
        fx = line.costAt(t, constants);
        pointOnLine(xOld, s, t, x);
        s.scale(t);
        if (ParametersConverged(xOld.values(), x.values(), tolerance)) break;
        fx = cost(x.values(), constants, line.objects());
        gOld.copy(g);
        gradient(cost, x.values(), constants, line.objects(), g);
        y.subtract(g, gOld);
        if (!updateInverse(H, s, y, Hy, u)) break;
        s.multiply(H, g);
        s.negate();
        goOn = nextIteration(counter, limit);
    }
    minimum = fx;
    std::copy(x.data(), x.data() + n, params.begin());
    return counter;
}

} // namespace ombrelune
