#include "store/spectre.hpp"

#include "store/content_digest.hpp"
#include "store/text_encoding.hpp"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>
#include <unistd.h>

namespace ombrelune {

namespace {

// (i, j, k) of the point at a flat index.
std::array<std::int32_t, 3> indexesOf(const Extent& e, std::size_t index) {
    const auto nz = static_cast<std::size_t>(e.n[2]), ny = static_cast<std::size_t>(e.n[1]);
    const std::size_t row = index / nz;
    return {static_cast<std::int32_t>(row / ny), static_cast<std::int32_t>(row % ny),
            static_cast<std::int32_t>(index % nz)};
}

} // namespace

double spectre::field(const CoordinateColumn& c, std::size_t index) const {
    if (c.form() == ColumnForm::perPoint) return c.data()[index];
    const auto [i, j, k] = indexesOf(extent(), index);
    return c.at(index, i, j, k);
}

spectrePoint spectre::point(std::size_t index) const {
    const auto [i, j, k] = indexesOf(extent(), index);
    return {mon_.at(index, i, j, k), x_.at(index, i, j, k), y_.at(index, i, j, k),
            z_.at(index, i, j, k), values_[index]};
}

void spectre::setPoint(std::size_t index, const spectrePoint& p) {
    const auto [i, j, k] = indexesOf(extent(), index);
    setPointAt(i, j, k, p);
}

void spectre::setPointAt(std::int32_t i, std::int32_t j, std::int32_t k, const spectrePoint& p) {
    pointsWillChange();
    const Extent e = extent();
    const std::size_t n = indexOf(i, j, k);
    mon_.set(e, n, i, j, k, p.mon);
    x_.set(e, n, i, j, k, p.x);
    y_.set(e, n, i, j, k, p.y);
    z_.set(e, n, i, j, k, p.z);
    values_[n] = p.value;
}

void spectre::clear() {
    fillValues(0);
    mon_.fill(1.0);
    x_.fill(0);
    y_.fill(0);
    z_.fill(0);
    cursorI = cursorJ = cursorK = 0;
}

void spectre::fillValues(double v) {
    pointsWillChange();
    std::fill(values_.data(), values_.data() + values_.size(), v);
}

void spectre::setXAlongI(std::span<const double> xs) {
    pointsWillChange();
    x_.setAlongAxis(xs.first(static_cast<std::size_t>(extent().n[0])));
}

void spectre::setYAlongJ(std::span<const double> ys) {
    pointsWillChange();
    y_.setAlongAxis(ys.first(static_cast<std::size_t>(extent().n[1])));
}

void spectre::setZAlongK(std::span<const double> zs) {
    pointsWillChange();
    z_.setAlongAxis(zs.first(static_cast<std::size_t>(extent().n[2])));
}

void spectre::setColumn(CoordinateColumn& column, CoordinateColumn c) {
    const ColumnForm form = c.form();
    const std::size_t expected =
        form == ColumnForm::perPoint ? pointCount()
        : form == ColumnForm::alongAxis
            ? static_cast<std::size_t>(extent().n[static_cast<std::size_t>(c.axis())])
            : 0;
    if (c.axis() != column.axis() || c.data().size() != expected)
        throw std::logic_error("a column made for other sizes or another field");
    pointsWillChange();
    column = std::move(c);
}

void spectre::setXColumn(CoordinateColumn c) { setColumn(x_, std::move(c)); }
void spectre::setYColumn(CoordinateColumn c) { setColumn(y_, std::move(c)); }
void spectre::setZColumn(CoordinateColumn c) { setColumn(z_, std::move(c)); }
void spectre::setMonColumn(CoordinateColumn c) { setColumn(mon_, std::move(c)); }

void spectre::simplifyColumns() {
    for (CoordinateColumn* c : {&mon_, &x_, &y_, &z_}) c->simplify(extent());
}

std::size_t spectre::pointBytes() const {
    return values_.size() * sizeof(double) + mon_.bytes() + x_.bytes() + y_.bytes() +
           z_.bytes();
}

std::uint64_t spectre::pointsDigest() const {
    // Field by field, each as the numbers of every point in order, so the digest does not
    // depend on the forms the columns have.
    ContentDigest d;
    for (const double v : values_.span()) d.add(v);
    const Extent e = extent();
    for (const CoordinateColumn* c : {&mon_, &x_, &y_, &z_}) {
        std::size_t n = 0;
        for (std::int32_t i = 0; i < e.n[0]; ++i)
            for (std::int32_t j = 0; j < e.n[1]; ++j)
                for (std::int32_t k = 0; k < e.n[2]; ++k, ++n) d.add(c->at(n, i, j, k));
    }
    return d.value();
}

void spectre::resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz) {
    if (newNx == nx && newNy == ny && newNz == nz) return;
    const Extent from = extent();
    const Extent to{{std::max(0, newNx), std::max(0, newNy), std::max(0, newNz)}};
    AlignedDoubles fresh(to.count());
    const std::int32_t keepI = std::min(from.n[0], to.n[0]), keepJ = std::min(from.n[1], to.n[1]),
                       keepK = std::min(from.n[2], to.n[2]);
    for (std::int32_t i = 0; i < keepI; ++i)
        for (std::int32_t j = 0; j < keepJ; ++j)
            std::copy_n(values_.data() + indexOf(i, j, 0), keepK,
                        fresh.data() + (std::size_t(i) * std::size_t(to.n[1]) + std::size_t(j)) *
                                           std::size_t(to.n[2]));
    resize(newNx, newNy, newNz, std::move(fresh));
}

void spectre::resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz,
                     AlignedDoubles newValues) {
    const Extent from = extent();
    const Extent to{{std::max(0, newNx), std::max(0, newNy), std::max(0, newNz)}};
    if (newValues.size() != to.count())
        throw std::logic_error("values for other sizes than the spectrum's");
    pointsWillChange();
    for (CoordinateColumn* c : {&mon_, &x_, &y_, &z_}) c->resize(from, to);
    values_ = std::move(newValues);
    nx = newNx;
    ny = newNy;
    nz = newNz;
}

void spectre::setExpCond(const std::string& condName, double value) {
    const std::string key = utf8Prefix(condName, expCondNameWidth);
    for (auto it = expConds.rbegin(); it != expConds.rend(); ++it) {
        if (it->name == key) {
            it->value = value;
            return;
        }
    }
    expConds.push_back(expCond{key, value});
}

std::vector<double> indexAxis(std::int32_t n) {
    std::vector<double> axis(static_cast<std::size_t>(std::max(0, n)));
    for (std::size_t i = 0; i < axis.size(); ++i) axis[i] = static_cast<double>(i);
    return axis;
}

std::int64_t checkedPointCount(std::int64_t nx, std::int64_t ny, std::int64_t nz) {
    if (nx < 0 || ny < 0 || nz < 0) return -1;
    constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();
    if (nx > int32Max || ny > int32Max || nz > int32Max) return -1;
    if (nx == 0 || ny == 0 || nz == 0) return 0;
    std::int64_t limit = maxSpectrumPoints;
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0) {
        const std::int64_t memoryPoints =
            static_cast<std::int64_t>(pages) / 2 * pageSize / std::int64_t{sizeof(spectrePoint)};
        limit = std::min(limit, memoryPoints);
    }
    if (nx > limit || ny > limit / nx) return -1;
    const std::int64_t nxy = nx * ny;
    if (nz > limit / nxy) return -1;
    return nxy * nz;
}

} // namespace ombrelune
