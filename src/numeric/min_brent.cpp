#include "numeric/min_brent.hpp"

#include <cmath>
#include <utility>

namespace ombrelune {

namespace {

constexpr double golden = 0.3819660112501051; // (3 - sqrt 5) / 2
constexpr double eps = 1.4901161193847656E-8; // sqrt of the double machine epsilon

double withSignOf(double magnitude, double sign) {
    return sign >= 0 ? magnitude : -magnitude;
}

struct Bracket {
    double a, b;         // interval holding the minimum, a < b
    double x, w, v;      // best, second best and previous second best abscissae
    double fx, fw, fv;   // their costs
    double d = 0, e = 0; // last step and the one before
};

// The parabolic step through x, w, v, or nothing when it is not safe to take.
bool parabolicStep(Bracket& s, double m, double tol1, double tol2) {
    double r = (s.x - s.w) * (s.fx - s.fv);
    double q = (s.x - s.v) * (s.fx - s.fw);
    double p = (s.x - s.v) * q - (s.x - s.w) * r;
    q = 2 * (q - r);
    if (q > 0) p = -p;
    q = std::fabs(q);
    r = s.e;
    s.e = s.d;
    if (std::fabs(p) >= std::fabs(q * r / 2) || p <= q * (s.a - s.x) || p >= q * (s.b - s.x))
        return false;
    s.d = p / q;
    const double u = s.x + s.d;
    if (u - s.a < tol2 || s.b - u < tol2) s.d = withSignOf(tol1, m - s.x);
    return true;
}

void accept(Bracket& s, double u, double fu) {
    if (fu <= s.fx) {
        if (u >= s.x)
            s.a = s.x;
        else
            s.b = s.x;
        s.v = s.w;
        s.fv = s.fw;
        s.w = s.x;
        s.fw = s.fx;
        s.x = u;
        s.fx = fu;
        return;
    }
    if (u < s.x)
        s.a = u;
    else
        s.b = u;
    if (fu <= s.fw || s.w == s.x) {
        s.v = s.w;
        s.fv = s.fw;
        s.w = u;
        s.fw = fu;
    } else if (fu <= s.fv || s.v == s.x || s.v == s.w) {
        s.v = u;
        s.fv = fu;
    }
}

} // namespace

int MinBrent(const TCostFunction& cost, CostConstants constants, double endA, double endB,
             CostObjects objects, double& result, int limit, double tolerance,
             IterationReport* report) {
    if (limit <= 0) return 0;
    ReportWriter writer(report, tolerance, "MinBrent", "Iteration x");
    if (endA > endB) std::swap(endA, endB);
    double point[1];
    const auto f = [&](double t) {
        point[0] = t;
        return cost(std::span<const double>(point, 1), constants, objects);
    };
    Bracket s{endA, endB, 0, 0, 0, 0, 0, 0};
    s.x = s.w = s.v = s.a + golden * (s.b - s.a);
    s.fx = s.fw = s.fv = f(s.x);
    int counter = 0;
    for (;;) {
        const double m = (s.a + s.b) / 2;
        const double tol1 = eps * std::fabs(s.x) + tolerance / 3;
        const double tol2 = 2 * tol1;
        if (!(std::fabs(s.x - m) > tol2 - (s.b - s.a) / 2) || counter >= limit) break;
        writer.line(counter + 1, s.x);
        ++counter;
        if (!(std::fabs(s.e) > tol1 && parabolicStep(s, m, tol1, tol2))) {
            s.e = (s.x >= m) ? s.a - s.x : s.b - s.x;
            s.d = golden * s.e;
        }
        const double u = std::fabs(s.d) >= tol1 ? s.x + s.d : s.x + withSignOf(tol1, s.d);
        accept(s, u, f(u));
    }
    result = s.x;
    return counter;
}

} // namespace ombrelune
