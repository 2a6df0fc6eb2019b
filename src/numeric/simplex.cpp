#include "numeric/simplex.hpp"

#include <algorithm>
#include <cmath>

namespace ombrelune {

namespace {

// The simplex: one vertex per row of P, with the cost of each vertex in Y.
class SimplexState {
public:
    SimplexState(const TCostFunction& cost, std::span<const double> start, CostConstants constants,
                 CostObjects objects)
        : cost_(cost), constants_(constants), objects_(objects), n_(static_cast<int>(start.size())),
          P_(n_ + 1, n_), Y_(n_ + 1), centroid_(n_), reflected_(n_), trial_(n_) {
        for (int j = 0; j <= n_; ++j) std::copy(start.begin(), start.end(), P_.row(j));
        for (int i = 0; i < n_; ++i) P_(i, i) = P_(i, i) != 0 ? P_(i, i) * 1.05 : 0.0025;
        for (int j = 0; j <= n_; ++j) Y_[j] = costOfRow(j);
    }

    // Best (lo) and worst (hi) vertex; ties keep the earlier index.
    void rank() {
        lo_ = 0;
        hi_ = 0;
        for (int j = 1; j <= n_; ++j) {
            if (Y_[j] < Y_[lo_])
                lo_ = j;
            else if (Y_[j] > Y_[hi_])
                hi_ = j;
        }
    }

    void step() {
        computeCentroid();
        for (int k = 0; k < n_; ++k) reflected_[k] = (centroid_[k] - P_(hi_, k)) + centroid_[k];
        const double yr = costOf(reflected_);
        if (yr < Y_[lo_]) {
            for (int k = 0; k < n_; ++k) trial_[k] = 3 * reflected_[k] - 2 * centroid_[k];
            const double ye = costOf(trial_);
            if (ye < Y_[lo_])
                replaceWorst(trial_, ye);
            else
                replaceWorst(reflected_, yr);
        } else if (anyOtherAbove(yr)) {
            replaceWorst(reflected_, yr);
        } else {
            contractOrShrink(yr);
        }
    }

    // Largest coordinate distance between the ranked worst and best vertex.
    double spread() const {
        double s = 0;
        for (int k = 0; k < n_; ++k) s = std::max(s, std::fabs(P_(hi_, k) - P_(lo_, k)));
        return s;
    }

    double bestCost() const { return Y_[lo_]; }
    void copyBest(std::span<double> params) const {
        std::copy(P_.row(lo_), P_.row(lo_) + n_, params.begin());
    }

private:
    double costOf(const TVec& v) const { return cost_(v.values(), constants_, objects_); }
    double costOfRow(int j) const {
        return cost_(std::span<const double>(P_.row(j), static_cast<std::size_t>(n_)), constants_,
                     objects_);
    }

    void computeCentroid() {
        for (int k = 0; k < n_; ++k) {
            double sum = 0;
            for (int j = 0; j <= n_; ++j)
                if (j != hi_) sum += P_(j, k);
            centroid_[k] = sum / n_;
        }
    }

    bool anyOtherAbove(double y) const {
        for (int j = 0; j <= n_; ++j)
            if (j != hi_ && Y_[j] > y) return true;
        return false;
    }

    void replaceWorst(const TVec& v, double y) {
        std::copy(v.data(), v.data() + n_, P_.row(hi_));
        Y_[hi_] = y;
    }

    void contractOrShrink(double yr) {
        if (yr <= Y_[hi_]) replaceWorst(reflected_, yr);
        for (int k = 0; k < n_; ++k) trial_[k] = (P_(hi_, k) + centroid_[k]) * 0.5;
        const double ym = costOf(trial_);
        if (ym <= Y_[hi_]) {
            replaceWorst(trial_, ym);
            return;
        }
        // Shrink towards the best vertex, which itself stays where it is.
        for (int j = 0; j <= n_; ++j) {
            if (j == lo_) continue;
            for (int k = 0; k < n_; ++k) P_(j, k) = (P_(j, k) + P_(lo_, k)) * 0.5;
            Y_[j] = costOfRow(j);
        }
    }

    const TCostFunction& cost_;
    CostConstants constants_;
    CostObjects objects_;
    int n_;
    TMtx P_;
    TVec Y_;
    TVec centroid_;
    TVec reflected_;
    TVec trial_;
    int lo_ = 0;
    int hi_ = 0;
};

} // namespace

int Simplex(const TCostFunction& cost, std::span<double> params, CostConstants constants,
            CostObjects objects, double& minimum, int limit, double tolerance,
            IterationReport* report) {
    ReportWriter writer(report, tolerance, "Simplex", "Iteration Fun");
    SimplexState simplex(cost, params, constants, objects);
    double best = 1.797693134862315E308;
    int counter = 1;
    bool goOn = true;
    while (goOn) {
        simplex.rank();
        best = std::min(best, simplex.bestCost());
        writer.line(counter, best);
        simplex.step();
        const double spread = simplex.spread();
        goOn = nextIteration(counter, limit) && spread >= tolerance;
    }
    // The result is the best vertex of the last ranking, not a better one its step made.
    minimum = simplex.bestCost();
    simplex.copyBest(params);
    return counter;
}

} // namespace ombrelune
