#pragma once
// TVec: a dense vector of doubles, the working type of the minimisers. Misuse (lengths that
// do not match, an operation writing into one of its own operands where that is refused)
// raises ENumericError with the message quoted beside each operation.

#include <span>
#include <vector>

namespace ombrelune {

class TMtx;

class TVec {
public:
    TVec() = default;
    explicit TVec(int length) { SetLength(length); }

    int Length() const { return static_cast<int>(values_.size()); }
    // New elements are 0. "SetLength: Value < 0".
    void SetLength(int value);

    double& operator[](int i) { return values_[static_cast<std::size_t>(i)]; }
    double operator[](int i) const { return values_[static_cast<std::size_t>(i)]; }
    double* data() { return values_.data(); }
    const double* data() const { return values_.data(); }
    std::span<double> values() { return values_; }
    std::span<const double> values() const { return values_; }

    // self := v (the length follows v).
    void copy(const TVec& v) { values_ = v.values_; }
    // self := the given values (the length follows them).
    void assign(std::span<const double> values) { values_.assign(values.begin(), values.end()); }
    // self := a + b. "Vec1.Length <> Vec2.Length"; "(Self = Vec1) or (Self = Vec2)".
    void add(const TVec& a, const TVec& b);
    // self := a - b. Same messages as add.
    void subtract(const TVec& a, const TVec& b);
    // self := self + f * v. "TVec.Add: Self = Vec"; "Vec.Length <> Length".
    void addScaled(const TVec& v, double f = 1);
    // self := f * self; nothing is done for f = 1.
    void scale(double f);
    void negate() { scale(-1); }
    // self := |v| element by element. "Self = Vec".
    void abs(const TVec& v);
    // Largest element; -infinity for an empty vector.
    double max() const;
    // Sum of a[i] * b[i] over the shorter of the two lengths.
    double dot(const TVec& v) const;
    // self := row `row` of m (the length becomes m.Cols()).
    // "Mtx = nil"; "Mtx.Rows*Mtx.Cols = 0"; "Row > Mtx.Rows-1" (and "Row < 0").
    void copyRow(const TMtx* m, int row);
    // self := m * v (the length becomes m.Rows()). "Length <> Mtx.Cols" when v does not fit.
    void multiply(const TMtx& m, const TVec& v);

private:
    void checkPair(const TVec& a, const TVec& b) const;

    std::vector<double> values_;
};

} // namespace ombrelune
