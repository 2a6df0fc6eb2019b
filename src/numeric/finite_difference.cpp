#include "numeric/finite_difference.hpp"

#include <cmath>
#include <limits>
#include <vector>

namespace ombrelune {

namespace {

const double epsilon = std::numeric_limits<double>::epsilon();

// Evaluates the cost at the parameters with some coordinates moved, restoring them after.
class Prober {
public:
    Prober(const TCostFunction& cost, std::span<const double> params, CostConstants constants,
           CostObjects objects)
        : cost_(cost), x_(params.begin(), params.end()), constants_(constants), objects_(objects) {}

    int size() const { return static_cast<int>(x_.size()); }

    // A step for coordinate i that is exactly representable as a difference of x_i values.
    double step(int i, double relative) const {
        const double xi = x_[static_cast<std::size_t>(i)];
        const double h = relative * std::fmax(std::fabs(xi), 1.0);
        return (xi + h) - xi;
    }

    double at() const { return cost_(x_, constants_, objects_); }
    double at(int i, double di) { return at({{i, di}}); }
    double at(int i, double di, int j, double dj) { return at({{i, di}, {j, dj}}); }

private:
    struct Move {
        int index;
        double delta;
    };
    double at(std::initializer_list<Move> moves) {
        std::vector<double> saved;
        for (const Move& m : moves) {
            saved.push_back(x_[static_cast<std::size_t>(m.index)]);
            x_[static_cast<std::size_t>(m.index)] += m.delta;
        }
        const double f = at();
        std::size_t k = 0;
        for (const Move& m : moves) x_[static_cast<std::size_t>(m.index)] = saved[k++];
        return f;
    }

    const TCostFunction& cost_;
    std::vector<double> x_;
    CostConstants constants_;
    CostObjects objects_;
};

void centralGradient(Prober& probe, double relative, TVec& gradient) {
    gradient.SetLength(probe.size());
    for (int i = 0; i < probe.size(); ++i) {
        const double h = probe.step(i, relative);
        gradient[i] = (probe.at(i, h) - probe.at(i, -h)) / (2 * h);
    }
}

} // namespace

void finiteDifferenceGradient(const TCostFunction& cost, std::span<const double> params,
                              CostConstants constants, CostObjects objects, TVec& gradient) {
    Prober probe(cost, params, constants, objects);
    centralGradient(probe, std::cbrt(epsilon), gradient);
}

void finiteDifferenceCurvature(const TCostFunction& cost, std::span<const double> params,
                               CostConstants constants, CostObjects objects, TVec& gradient,
                               TMtx& curvature) {
    Prober probe(cost, params, constants, objects);
    const double relative = std::sqrt(std::sqrt(epsilon));
    const int n = probe.size();
    gradient.SetLength(n);
    curvature.SetSize(n, n);
    const double f0 = probe.at();
    for (int i = 0; i < n; ++i) {
        const double hi = probe.step(i, relative);
        const double up = probe.at(i, hi);
        const double down = probe.at(i, -hi);
        gradient[i] = (up - down) / (2 * hi);
        curvature(i, i) = (up - 2 * f0 + down) / (hi * hi);
        for (int j = i + 1; j < n; ++j) {
            const double hj = probe.step(j, relative);
            const double mixed = (probe.at(i, hi, j, hj) - probe.at(i, hi, j, -hj) -
                                  probe.at(i, -hi, j, hj) + probe.at(i, -hi, j, -hj)) /
                                 (4 * hi * hj);
            curvature(i, j) = mixed;
            curvature(j, i) = mixed;
        }
    }
}

} // namespace ombrelune
