#include "numeric/jacobian.hpp"

#include <cmath>
#include <limits>

namespace ombrelune {

void Jacobian::setSize(std::size_t rows, int cols) {
    rows_ = rows;
    cols_ = cols < 0 ? 0 : cols;
    data_.assign(rows_ * static_cast<std::size_t>(cols_), 0.0);
}

double centralDifferenceStep(double x) {
    static const double relative = std::cbrt(std::numeric_limits<double>::epsilon());
    const double h = relative * (x == 0 ? 1.0 : std::fabs(x));
    return (x + h) - x;
}

void centralDifferenceJacobian(const TResidualFunction& f, std::span<const double> params,
                               Jacobian& J) {
    const int n = static_cast<int>(params.size());
    J.setSize(J.rows(), n);
    std::vector<double> x(params.begin(), params.end());
    std::vector<double> below(J.rows());
    for (int j = 0; j < n; ++j) {
        const std::size_t k = static_cast<std::size_t>(j);
        const double xj = x[k];
        const double h = centralDifferenceStep(xj);
        x[k] = xj + h;
        const std::span<double> above = J.column(j);
        f(x, above);
        x[k] = xj - h;
        f(x, below);
        x[k] = xj;
        const double twoH = 2 * h;
        for (std::size_t i = 0; i < above.size(); ++i) above[i] = (above[i] - below[i]) / twoH;
    }
}

TJacobianFunction centralDifferences(TResidualFunction f) {
    return [f = std::move(f)](std::span<const double> params, Jacobian& J) {
        centralDifferenceJacobian(f, params, J);
    };
}

namespace {

double dot(std::span<const double> a, std::span<const double> b) {
    double s = 0;
    for (std::size_t i = 0; i < a.size(); ++i) s += a[i] * b[i];
    return s;
}

} // namespace

void transposedTimes(const Jacobian& J, std::span<const double> r, TVec& g) {
    g.SetLength(J.cols());
    for (int a = 0; a < J.cols(); ++a) g[a] = dot(J.column(a), r);
}

void normalEquations(const Jacobian& J, std::span<const double> r, TMtx& A, TVec& g) {
    const int n = J.cols();
    A.SetSize(n, n);
    for (int a = 0; a < n; ++a)
        for (int b = a; b < n; ++b) A(a, b) = A(b, a) = dot(J.column(a), J.column(b));
    transposedTimes(J, r, g);
}

double sumOfSquares(std::span<const double> values) {
    double s = 0;
    for (const double v : values) s += v * v;
    return s;
}

} // namespace ombrelune
