#include "numeric/tvec.hpp"

#include "errors/errors.hpp"
#include "numeric/blas_lapack.hpp"
#include "numeric/tmtx.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ombrelune {

void TVec::SetLength(int value) {
    if (value < 0) throw ENumericError("SetLength: Value < 0");
    values_.resize(static_cast<std::size_t>(value), 0.0);
}

void TVec::checkPair(const TVec& a, const TVec& b) const {
    if (a.Length() != b.Length()) throw ENumericError("Vec1.Length <> Vec2.Length");
    if (this == &a || this == &b) throw ENumericError("(Self = Vec1) or (Self = Vec2)");
}

void TVec::add(const TVec& a, const TVec& b) {
    checkPair(a, b);
    values_.resize(a.values_.size());
    std::transform(a.values_.begin(), a.values_.end(), b.values_.begin(), values_.begin(),
                   [](double x, double y) { return x + y; });
}

void TVec::subtract(const TVec& a, const TVec& b) {
    checkPair(a, b);
    values_.resize(a.values_.size());
    std::transform(a.values_.begin(), a.values_.end(), b.values_.begin(), values_.begin(),
                   [](double x, double y) { return x - y; });
}

void TVec::addScaled(const TVec& v, double f) {
    if (this == &v) throw ENumericError("TVec.Add: Self = Vec");
    if (v.Length() != Length()) throw ENumericError("Vec.Length <> Length");
    const int n = Length();
    const int one = 1;
    if (n > 0) daxpy_(&n, &f, v.data(), &one, data(), &one);
}

void TVec::scale(double f) {
    if (f == 1) return;
    for (double& x : values_) x *= f;
}

void TVec::abs(const TVec& v) {
    if (this == &v) throw ENumericError("Self = Vec");
    values_.resize(v.values_.size());
    std::transform(v.values_.begin(), v.values_.end(), values_.begin(),
                   [](double x) { return std::fabs(x); });
}

double TVec::max() const {
    double m = -std::numeric_limits<double>::infinity();
    for (double x : values_) m = std::max(m, x);
    return m;
}

double TVec::dot(const TVec& v) const {
    const std::size_t n = std::min(values_.size(), v.values_.size());
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += values_[i] * v.values_[i];
    return sum;
}

void TVec::copyRow(const TMtx* m, int row) {
    if (m == nullptr) throw ENumericError("Mtx = nil");
    if (m->Rows() * m->Cols() == 0) throw ENumericError("Mtx.Rows*Mtx.Cols = 0");
    if (row > m->Rows() - 1) throw ENumericError("Row > Mtx.Rows-1");
    if (row < 0) throw ENumericError("Row < 0");
    values_.assign(m->row(row), m->row(row) + m->Cols());
}

void TVec::multiply(const TMtx& m, const TVec& v) {
    if (v.Length() != m.Cols()) throw ENumericError("Length <> Mtx.Cols");
    // The product may not overwrite its own operand while BLAS reads it.
    const TVec operand = (this == &v) ? v : TVec();
    const TVec& x = (this == &v) ? operand : v;
    values_.assign(static_cast<std::size_t>(m.Rows()), 0.0);
    if (m.Rows() == 0 || m.Cols() == 0) return;
    // Row-major rows x cols is column-major cols x rows: the product is its transpose times x.
    const char trans = 'T';
    const int rows = m.Cols();
    const int cols = m.Rows();
    const double one = 1;
    const double zero = 0;
    const int inc = 1;
    dgemv_(&trans, &rows, &cols, &one, m.row(0), &rows, x.data(), &inc, &zero, data(), &inc);
}

} // namespace ombrelune
