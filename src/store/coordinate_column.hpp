#pragma once
// One coordinate (x, y or z) or the point monitor of every point of a spectrum, kept in the
// simplest form that holds it exactly:
//   constant   one number for every point;
//   alongAxis  one number per index along the column's own axis (x per i, y per j, z per k);
//              the monitor has no axis and never takes this form;
//   perPoint   one number per point, in the order of the points.
// A constant or along-axis column may be boxed: only the points with i < box[0],
// j < box[1] and k < box[2] have the form's number, the others hold `outside`. That is what
// growing a spectrum leaves (its new points start at 0) without writing every point.
//
// A write that the form cannot hold turns the column per-point. Numbers are compared by
// their bits, so 0 and -0 (or NaNs of different payloads) stay apart, as the files keep them.
// A column does not know the sizes of its spectrum; the calls that need them take them.

#include "store/aligned_doubles.hpp"

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <span>

namespace ombrelune {

// The sizes nx, ny, nz of a spectrum, indexed by axis 0, 1, 2.
struct Extent {
    std::array<std::int32_t, 3> n{};

    std::size_t count() const {
        return static_cast<std::size_t>(n[0]) * static_cast<std::size_t>(n[1]) *
               static_cast<std::size_t>(n[2]);
    }
};

enum class ColumnForm { constant, alongAxis, perPoint };

// The axis of a coordinate column: 0 (x, along i), 1 (y, along j), 2 (z, along k), or
// none for the point monitors.
inline constexpr int noAxis = -1;

inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

class CoordinateColumn {
public:
    explicit CoordinateColumn(int axis, double constant = 0) : axis_(axis), constant_(constant) {}

    int axis() const { return axis_; }
    ColumnForm form() const { return form_; }
    // True when some points lie outside the box and hold outside() instead.
    bool boxed() const { return boxed_; }
    const std::array<std::int32_t, 3>& box() const { return box_; }
    double outside() const { return outside_; }
    // The number of a constant column.
    double constant() const { return constant_; }
    // One number per index of the axis (alongAxis) or per point (perPoint).
    std::span<const double> data() const { return data_.span(); }
    // Bytes of memory the column holds.
    std::size_t bytes() const { return data_.size() * sizeof(double); }

    // The number of point (i, j, k), whose flat index is `flat`.
    double at(std::size_t flat, std::int32_t i, std::int32_t j, std::int32_t k) const {
        if (form_ == ColumnForm::perPoint) return data_[flat];
        if (boxed_ && (i >= box_[0] || j >= box_[1] || k >= box_[2])) return outside_;
        if (form_ == ColumnForm::constant) return constant_;
        return data_[static_cast<std::size_t>(axis_ == 0 ? i : axis_ == 1 ? j : k)];
    }
    // Every point's number in storage order into out (e.count() numbers).
    void gather(const Extent& e, double* out) const;
    // The numbers of the points (i, j, k) for j in [jFrom, jTo) into out[(j - jFrom) * stride]:
    // a run along j, as files and formulas take them.
    void gatherRun(const Extent& e, std::int32_t i, std::int32_t k, std::int32_t jFrom,
                   std::int32_t jTo, double* out, std::size_t stride = 1) const;
    // The numbers of the points (i, j, k) of layer k, as the column of an nx x ny x 1
    // spectrum, as simple as this one.
    CoordinateColumn layer(const Extent& e, std::int32_t k) const;

    void set(const Extent& e, std::size_t flat, std::int32_t i, std::int32_t j, std::int32_t k,
             double v);
    // The same number for every point.
    void fill(double v);
    // values[n] for every point whose index along the column's axis is n.
    void setAlongAxis(std::span<const double> values);
    // From sizes `from` to `to`: points whose (i, j, k) survive keep their number, new
    // points get 0.
    void resize(const Extent& from, const Extent& to);
    // Makes the column per-point and gives its numbers, to be written in place.
    std::span<double> perPoint(const Extent& e);
    // A per-point column whose numbers are all alike, or depend only on the index along its
    // axis, takes that simpler form; the numbers read back the same.
    void simplify(const Extent& e);

    // The column of per-point numbers (e.count() of them, in storage order) in its simplest
    // exact form.
    static CoordinateColumn fromPoints(int axis, const Extent& e, AlignedDoubles numbers);

    // Every number v becomes f(v); the form is kept.
    template <typename F> void transform(F f);
    // The column holding f(a, b) at every point, as simple as a and b allow.
    template <typename F>
    static CoordinateColumn combined(const CoordinateColumn& a, const CoordinateColumn& b,
                                     const Extent& e, F f);

private:
    static constexpr std::int32_t unbounded = std::numeric_limits<std::int32_t>::max();

    void unbox();
    // Drops the box when it leaves no point out, or takes no point in.
    void normaliseBox(const Extent& e);
    // The numbers along the axis when every point holds the one of its index, else empty.
    AlignedDoubles alongAxisOfPoints(const Extent& e) const;
    bool sameShape(const CoordinateColumn& other) const;
    // True for a constant column without a box: one number for every point.
    bool uniform() const { return form_ == ColumnForm::constant && !boxed_; }

    int axis_;
    ColumnForm form_ = ColumnForm::constant;
    double constant_ = 0;
    AlignedDoubles data_;
    bool boxed_ = false;
    std::array<std::int32_t, 3> box_{unbounded, unbounded, unbounded};
    double outside_ = 0;
};

template <typename F> void CoordinateColumn::transform(F f) {
    constant_ = f(constant_);
    outside_ = f(outside_);
    for (double& v : data_.span()) v = f(v);
}

template <typename F>
CoordinateColumn CoordinateColumn::combined(const CoordinateColumn& a, const CoordinateColumn& b,
                                            const Extent& e, F f) {
    if (a.form_ != ColumnForm::perPoint && a.sameShape(b)) {
        CoordinateColumn out = a;
        out.constant_ = f(a.constant_, b.constant_);
        out.outside_ = f(a.outside_, b.outside_);
        for (std::size_t n = 0; n < out.data_.size(); ++n) out.data_[n] = f(a.data_[n], b.data_[n]);
        return out;
    }
    // One number everywhere on one side: the other side's form holds the result.
    if (a.uniform() && b.form_ != ColumnForm::perPoint) {
        CoordinateColumn out = b;
        out.transform([&](double v) { return f(a.constant_, v); });
        return out;
    }
    if (b.uniform() && a.form_ != ColumnForm::perPoint) {
        CoordinateColumn out = a;
        out.transform([&](double v) { return f(v, b.constant_); });
        return out;
    }
    const std::size_t count = e.count();
    AlignedDoubles gatheredA, gatheredB;
    const double* pa = a.data_.data();
    const double* pb = b.data_.data();
    if (a.form_ != ColumnForm::perPoint) {
        gatheredA = AlignedDoubles::uninitialised(count);
        a.gather(e, gatheredA.data());
        pa = gatheredA.data();
    }
    if (b.form_ != ColumnForm::perPoint) {
        gatheredB = AlignedDoubles::uninitialised(count);
        b.gather(e, gatheredB.data());
        pb = gatheredB.data();
    }
    CoordinateColumn out(a.axis_);
    out.form_ = ColumnForm::perPoint;
    out.data_ = AlignedDoubles::uninitialised(count);
    for (std::size_t p = 0; p < count; ++p) out.data_[p] = f(pa[p], pb[p]);
    return out;
}

} // namespace ombrelune
