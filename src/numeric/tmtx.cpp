#include "numeric/tmtx.hpp"

#include "errors/errors.hpp"
#include "numeric/blas_lapack.hpp"

#include <algorithm>

namespace ombrelune {

void TMtx::SetSize(int rows, int cols) {
    if (rows < 0 || cols < 0) throw ENumericError("SetSize: Value < 0");
    rows_ = rows;
    cols_ = cols;
    data_.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0);
}

void TMtx::identity(int n) {
    SetSize(n, n);
    for (int i = 0; i < n; ++i) (*this)(i, i) = 1;
}

void TMtx::copy(const TMtx& m) {
    if (this == &m) throw ENumericError("Mtx = Self");
    rows_ = m.rows_;
    cols_ = m.cols_;
    data_ = m.data_;
}

static std::string singularMessage(int k) {
    return "LU factorization: U(" + std::to_string(k) + "," + std::to_string(k) +
           ") = 0 (singular)";
}

bool TMtx::invert() {
    if (rows_ != cols_) throw ENumericError("Quadratic = False");
    message_.clear();
    const int n = rows_;
    if (n == 0) return true;
    // The factorisation works on a copy so that a singular matrix stays as it was. The
    // row-major buffer is the transpose for LAPACK, and the inverse of the transpose is the
    // transpose of the inverse, so the result needs no reordering.
    std::vector<double> lu = data_;
    std::vector<int> pivots(static_cast<std::size_t>(n));
    int info = 0;
    dgetrf_(&n, &n, lu.data(), &n, pivots.data(), &info);
    if (info > 0) {
        message_ = singularMessage(info);
        return false;
    }
    int lwork = -1;
    double optimal = 0;
    dgetri_(&n, lu.data(), &n, pivots.data(), &optimal, &lwork, &info);
    lwork = std::max(n, static_cast<int>(optimal));
    std::vector<double> work(static_cast<std::size_t>(lwork));
    dgetri_(&n, lu.data(), &n, pivots.data(), work.data(), &lwork, &info);
    if (info > 0) {
        message_ = singularMessage(info);
        return false;
    }
    data_ = std::move(lu);
    return true;
}

} // namespace ombrelune
