#include "numeric/least_squares_covariance.hpp"

#include "numeric/blas_lapack.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace ombrelune {

namespace {

// A diagonal of R below this fraction of the largest one counts as zero.
constexpr double rankThreshold = 1e-14;

void fillNaN(TMtx& covariance, int n) {
    covariance.SetSize(n, n);
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b) covariance(a, b) = std::numeric_limits<double>::quiet_NaN();
}

// Scaled by the largest magnitude first, so that no square overflows or underflows.
double euclideanNorm(std::span<const double> v) {
    double largest = 0;
    for (const double x : v) largest = std::max(largest, std::fabs(x));
    if (!(largest > 0) || !std::isfinite(largest)) return largest;
    double s = 0;
    for (const double x : v) s += (x / largest) * (x / largest);
    return largest * std::sqrt(s);
}

// The upper triangle of the QR factorisation of `a` (m x n, column-major, overwritten).
bool factorise(std::vector<double>& a, int m, int n) {
    std::vector<double> tau(static_cast<std::size_t>(n));
    int info = 0;
    int lwork = -1;
    double optimal = 0;
    dgeqrf_(&m, &n, a.data(), &m, tau.data(), &optimal, &lwork, &info);
    lwork = std::max(n, static_cast<int>(optimal));
    std::vector<double> work(static_cast<std::size_t>(lwork));
    dgeqrf_(&m, &n, a.data(), &m, tau.data(), work.data(), &lwork, &info);
    return info == 0;
}

// (K'K)^-1 of the k columns `kept` of J, each scaled to unit length: R^-1 R^-T in `inverse`
// (k x k, column-major), the scales in `scale`. False when it is not determined.
bool scaledInverse(const Jacobian& J, const std::vector<int>& kept, std::vector<double>& inverse,
                   std::vector<double>& scale) {
    const int m = static_cast<int>(J.rows());
    const int k = static_cast<int>(kept.size());
    const std::size_t rows = J.rows();
    std::vector<double> a(rows * kept.size());
    for (std::size_t c = 0; c < kept.size(); ++c) {
        const std::span<const double> column = J.column(kept[c]);
        const double norm = euclideanNorm(column);
        if (!std::isfinite(norm)) return false;
        for (std::size_t i = 0; i < rows; ++i) a[c * rows + i] = column[i] / norm;
        scale.push_back(norm);
    }
    if (!factorise(a, m, k)) return false;
    // R sits in the upper triangle of the first k rows, leading dimension m.
    const auto r = [&](int i, int j) {
        return a[static_cast<std::size_t>(j) * rows + static_cast<std::size_t>(i)];
    };
    double largest = 0;
    for (int j = 0; j < k; ++j) largest = std::max(largest, std::fabs(r(j, j)));
    for (int j = 0; j < k; ++j)
        if (!(std::fabs(r(j, j)) > rankThreshold * largest)) return false;
    int info = 0;
    dtrtri_("U", "N", &k, a.data(), &m, &info);
    if (info != 0) return false;
    inverse.assign(static_cast<std::size_t>(k) * static_cast<std::size_t>(k), 0.0);
    for (int p = 0; p < k; ++p)
        for (int q = p; q < k; ++q) {
            double s = 0;
            for (int l = q; l < k; ++l) s += r(p, l) * r(q, l);
            inverse[static_cast<std::size_t>(p * k + q)] = s;
            inverse[static_cast<std::size_t>(q * k + p)] = s;
        }
    return true;
}

} // namespace

bool inverseNormalMatrix(const Jacobian& J, TMtx& covariance) {
    const int n = J.cols();
    fillNaN(covariance, n);
    std::vector<int> kept;
    for (int j = 0; j < n; ++j) {
        const std::span<const double> column = J.column(j);
        if (std::any_of(column.begin(), column.end(), [](double v) { return v != 0; }))
            kept.push_back(j);
    }
    if (J.rows() < kept.size() ||
        J.rows() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return false;
    std::vector<double> inverse, scale;
    if (!scaledInverse(J, kept, inverse, scale)) return false;
    // (J'J)^-1 = S^-1 R^-1 R^-T S^-1 with S the column scales.
    const std::size_t k = kept.size();
    for (std::size_t p = 0; p < k; ++p)
        for (std::size_t q = 0; q < k; ++q)
            covariance(kept[p], kept[q]) = inverse[p * k + q] / (scale[p] * scale[q]);
    return true;
}

} // namespace ombrelune
