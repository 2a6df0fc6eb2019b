#include "store/coordinate_column.hpp"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace ombrelune {

void CoordinateColumn::gather(const Extent& e, double* out) const {
    if (form_ == ColumnForm::perPoint) {
        if (data_.size() > 0) std::memcpy(out, data_.data(), data_.size() * sizeof(double));
        return;
    }
    const auto nz = static_cast<std::size_t>(e.n[2]);
    const std::size_t row = static_cast<std::size_t>(e.n[1]) * nz;
    for (std::int32_t i = 0; i < e.n[0]; ++i)
        for (std::int32_t k = 0; k < e.n[2]; ++k)
            gatherRun(e, i, k, 0, e.n[1], out + std::size_t(i) * row + std::size_t(k), nz);
}

void CoordinateColumn::gatherRun(const Extent& e, std::int32_t i, std::int32_t k,
                                 std::int32_t jFrom, std::int32_t jTo, double* out,
                                 std::size_t stride) const {
    const auto nz = static_cast<std::size_t>(e.n[2]);
    const std::size_t first = (std::size_t(i) * std::size_t(e.n[1]) + std::size_t(jFrom)) * nz +
                              std::size_t(k);
    if (form_ == ColumnForm::perPoint) {
        for (std::int32_t j = jFrom; j < jTo; ++j, out += stride)
            *out = data_[first + std::size_t(j - jFrom) * nz];
        return;
    }
    // Inside the box up to jEnd, outside beyond.
    const bool rowInside = !boxed_ || (i < box_[0] && k < box_[2]);
    const std::int32_t jEnd = rowInside ? std::min(jTo, std::max(jFrom, box_[1])) : jFrom;
    if (form_ == ColumnForm::alongAxis && axis_ == 1) {
        for (std::int32_t j = jFrom; j < jEnd; ++j, out += stride)
            *out = data_[static_cast<std::size_t>(j)];
    } else {
        const double v = form_ == ColumnForm::constant ? constant_
                                                       : data_[std::size_t(axis_ == 0 ? i : k)];
        for (std::int32_t j = jFrom; j < jEnd; ++j, out += stride) *out = v;
    }
    for (std::int32_t j = jEnd; j < jTo; ++j, out += stride) *out = outside_;
}

CoordinateColumn CoordinateColumn::fromPoints(int axis, const Extent& e, AlignedDoubles numbers) {
    if (numbers.size() != e.count())
        throw std::logic_error("numbers for other sizes than the column's");
    CoordinateColumn c(axis);
    c.form_ = ColumnForm::perPoint;
    c.data_ = std::move(numbers);
    c.simplify(e);
    return c;
}

CoordinateColumn CoordinateColumn::layer(const Extent& e, std::int32_t k) const {
    const Extent flat{{e.n[0], e.n[1], 1}};
    CoordinateColumn out(axis_);
    if (form_ == ColumnForm::perPoint) {
        const std::size_t count = flat.count(), stride = static_cast<std::size_t>(e.n[2]);
        out.form_ = ColumnForm::perPoint;
        out.data_ = AlignedDoubles::uninitialised(count);
        for (std::size_t p = 0; p < count; ++p) out.data_[p] = data_[p * stride + std::size_t(k)];
        return out;
    }
    if (boxed_ && k >= box_[2]) {
        out.fill(outside_);
        return out;
    }
    if (form_ == ColumnForm::alongAxis && axis_ == 2) {
        out.constant_ = data_[static_cast<std::size_t>(k)];
    } else {
        out.form_ = form_;
        out.constant_ = constant_;
        out.data_ = data_;
    }
    out.boxed_ = boxed_;
    out.box_ = {box_[0], box_[1], unbounded};
    out.outside_ = outside_;
    out.normaliseBox(flat);
    return out;
}

std::span<double> CoordinateColumn::perPoint(const Extent& e) {
    if (form_ != ColumnForm::perPoint) {
        AlignedDoubles points = AlignedDoubles::uninitialised(e.count());
        gather(e, points.data());
        data_ = std::move(points);
        form_ = ColumnForm::perPoint;
        unbox();
    }
    return data_.span();
}

void CoordinateColumn::set(const Extent& e, std::size_t flat, std::int32_t i, std::int32_t j,
                           std::int32_t k, double v) {
    if (form_ != ColumnForm::perPoint) {
        if (sameBits(at(flat, i, j, k), v)) return;
        // A point that is alone with its number holds a new one without changing the form.
        if (!boxed_ && form_ == ColumnForm::constant && e.count() == 1) {
            constant_ = v;
            return;
        }
        // So does a point alone with its index along the axis, as on a curve.
        if (!boxed_ && axis_ != noAxis &&
            e.count() == static_cast<std::size_t>(e.n[static_cast<std::size_t>(axis_)])) {
            if (form_ == ColumnForm::constant) {
                const std::vector<double> same(e.count(), constant_);
                setAlongAxis(same);
            }
            data_[static_cast<std::size_t>(axis_ == 0 ? i : axis_ == 1 ? j : k)] = v;
            return;
        }
    }
    perPoint(e)[flat] = v;
}

void CoordinateColumn::fill(double v) {
    form_ = ColumnForm::constant;
    constant_ = v;
    data_ = AlignedDoubles();
    unbox();
}

void CoordinateColumn::setAlongAxis(std::span<const double> values) {
    if (axis_ == noAxis) throw std::logic_error("the point monitors have no axis");
    form_ = ColumnForm::alongAxis;
    data_ = AlignedDoubles::uninitialised(values.size());
    std::copy(values.begin(), values.end(), data_.data());
    unbox();
}

void CoordinateColumn::unbox() {
    boxed_ = false;
    box_ = {unbounded, unbounded, unbounded};
    outside_ = 0;
}

void CoordinateColumn::normaliseBox(const Extent& e) {
    if (!boxed_) return;
    bool leavesOut = false, takesIn = true;
    for (std::size_t d = 0; d < 3; ++d) {
        if (box_[d] >= e.n[d]) box_[d] = unbounded;
        leavesOut = leavesOut || box_[d] != unbounded;
        takesIn = takesIn && box_[d] > 0;
    }
    if (!takesIn) {
        fill(outside_);
    } else if (!leavesOut || (form_ == ColumnForm::constant && sameBits(constant_, outside_))) {
        unbox();
    }
}

void CoordinateColumn::resize(const Extent& from, const Extent& to) {
    if (from.n == to.n) return;
    if (form_ == ColumnForm::perPoint) {
        AlignedDoubles fresh(to.count());
        const std::int32_t keepI = std::min(from.n[0], to.n[0]),
                           keepJ = std::min(from.n[1], to.n[1]),
                           keepK = std::min(from.n[2], to.n[2]);
        for (std::int32_t i = 0; i < keepI; ++i)
            for (std::int32_t j = 0; j < keepJ; ++j)
                std::copy_n(data_.data() + (std::size_t(i) * from.n[1] + j) * from.n[2], keepK,
                            fresh.data() + (std::size_t(i) * to.n[1] + j) * to.n[2]);
        data_ = std::move(fresh);
        return;
    }
    bool grows = false;
    for (std::size_t d = 0; d < 3; ++d) grows = grows || to.n[d] > from.n[d];
    if (grows && from.count() == 0) {
        fill(0); // nothing survives
        return;
    }
    if (grows) {
        // New points are 0: a box with another number outside cannot say so.
        if (boxed_ && !sameBits(outside_, 0.0)) {
            perPoint(from);
            resize(from, to);
            return;
        }
        // The box only narrows: points already outside it stay outside.
        for (std::size_t d = 0; d < 3; ++d)
            if (to.n[d] > from.n[d]) box_[d] = std::min(box_[d], from.n[d]);
        boxed_ = true;
        outside_ = 0;
    }
    if (form_ == ColumnForm::alongAxis) {
        const auto length = static_cast<std::size_t>(to.n[static_cast<std::size_t>(axis_)]);
        AlignedDoubles fresh(length);
        std::copy_n(data_.data(), std::min(length, data_.size()), fresh.data());
        data_ = std::move(fresh);
    }
    normaliseBox(to);
}

AlignedDoubles CoordinateColumn::alongAxisOfPoints(const Extent& e) const {
    const auto axis = static_cast<std::size_t>(axis_);
    const auto n = [&](std::size_t d) { return static_cast<std::size_t>(e.n[d]); };
    // Points (i, j, k) in storage order form n[0] x n[1] x n[2] blocks; the number of a
    // point must be that of its index along the axis, taken from the first such point.
    const std::size_t outer = axis == 0 ? 1 : axis == 1 ? n(0) : n(0) * n(1);
    const std::size_t inner = axis == 0 ? n(1) * n(2) : axis == 1 ? n(2) : 1;
    AlignedDoubles along = AlignedDoubles::uninitialised(n(axis));
    for (std::size_t a = 0; a < n(axis); ++a) along[a] = data_[a * inner];
    const double* p = data_.data();
    for (std::size_t o = 0; o < outer; ++o)
        for (std::size_t a = 0; a < n(axis); ++a)
            for (std::size_t r = 0; r < inner; ++r, ++p)
                if (!sameBits(*p, along[a])) return {};
    return along;
}

void CoordinateColumn::simplify(const Extent& e) {
    if (form_ != ColumnForm::perPoint) return;
    const std::span<const double> numbers = data_.span();
    if (numbers.empty()) return fill(0);
    if (std::all_of(numbers.begin(), numbers.end(),
                    [first = numbers[0]](double v) { return sameBits(v, first); }))
        return fill(numbers[0]);
    if (axis_ == noAxis) return;
    AlignedDoubles along = alongAxisOfPoints(e);
    if (along.size() == 0) return;
    form_ = ColumnForm::alongAxis;
    data_ = std::move(along);
}

bool CoordinateColumn::sameShape(const CoordinateColumn& other) const {
    return form_ == other.form_ && axis_ == other.axis_ && boxed_ == other.boxed_ &&
           box_ == other.box_ && data_.size() == other.data_.size();
}

} // namespace ombrelune
