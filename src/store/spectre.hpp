#pragma once
// One spectrum (curve, image or stack) and its point and condition records.
// The kind of a spectrum is given only by the table that holds it.

#include "store/point_allocator.hpp"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ombrelune {

// 40 bytes, in the order they are laid out in the spectrum files.
struct spectrePoint {
    double mon = 0;
    double x = 0;
    double y = 0;
    double z = 0;
    double value = 0;
};
static_assert(sizeof(spectrePoint) == 40);

// A named experimental condition; names are kept to at most 20 characters.
struct expCond {
    std::string name;
    double value = 0;
};

inline constexpr std::size_t expCondNameWidth = 20;

// The points of a spectrum, one contiguous array.
using PointVector = std::vector<spectrePoint, PointAllocator<spectrePoint>>;

// One spectrum. Its points are reached only through the accessors below, never as
// records: how they are kept in memory is the store's business.
class spectre {
public:
    // Sizes; they change only through resize().
    std::int32_t nx = 0;
    std::int32_t ny = 0;
    std::int32_t nz = 0;
    std::string name;
    std::string comment;
    std::string typeX;
    std::string typeY;
    std::string typeZ;
    double monitor = 0;
    std::int32_t cursorI = 0;
    std::int32_t cursorJ = 0;
    std::int32_t cursorK = 0;
    std::vector<expCond> expConds;
    // The content as last written to or read from a file (saved_spectra.hpp); empty when
    // it never was. A note about files rather than part of the spectrum, so the file
    // functions keep it through a const reference.
    mutable std::optional<std::uint64_t> savedContent;

    std::int32_t expCondCount() const { return static_cast<std::int32_t>(expConds.size()); }

    std::size_t pointCount() const { return points_.size(); }
    // Point (i, j, k) has the flat index (i * ny + j) * nz + k.
    std::size_t indexOf(std::int32_t i, std::int32_t j, std::int32_t k) const {
        return (static_cast<std::size_t>(i) * static_cast<std::size_t>(ny) +
                static_cast<std::size_t>(j)) *
                   static_cast<std::size_t>(nz) +
               static_cast<std::size_t>(k);
    }
    bool contains(std::int32_t i, std::int32_t j, std::int32_t k) const {
        return i >= 0 && j >= 0 && k >= 0 && i < nx && j < ny && k < nz;
    }

    // Reading by value: a point by its flat index or by (i, j, k), and single fields.
    spectrePoint point(std::size_t index) const { return points_[index]; }
    spectrePoint pointAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points_[indexOf(i, j, k)];
    }
    double value(std::size_t index) const { return points_[index].value; }
    double x(std::size_t index) const { return points_[index].x; }
    double y(std::size_t index) const { return points_[index].y; }
    double z(std::size_t index) const { return points_[index].z; }
    double mon(std::size_t index) const { return points_[index].mon; }
    double valueAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points_[indexOf(i, j, k)].value;
    }
    double xAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points_[indexOf(i, j, k)].x;
    }
    double yAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points_[indexOf(i, j, k)].y;
    }
    double zAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points_[indexOf(i, j, k)].z;
    }
    double monAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points_[indexOf(i, j, k)].mon;
    }

    // Writing one point, whole or a single field.
    void setPoint(std::size_t index, const spectrePoint& p) { points_[index] = p; }
    void setPointAt(std::int32_t i, std::int32_t j, std::int32_t k, const spectrePoint& p) {
        points_[indexOf(i, j, k)] = p;
    }
    void setValue(std::size_t index, double v) { points_[index].value = v; }
    void setValueAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        points_[indexOf(i, j, k)].value = v;
    }
    void setXAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        points_[indexOf(i, j, k)].x = v;
    }
    void setYAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        points_[indexOf(i, j, k)].y = v;
    }
    void setZAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        points_[indexOf(i, j, k)].z = v;
    }
    void setMonAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        points_[indexOf(i, j, k)].mon = v;
    }

    // Writing whole fields: every value; x of every point (i, j, k) from xs[i] (nx
    // numbers), y from ys[j] (ny numbers), z from zs[k] (nz numbers).
    void fillValues(double v);
    void setXAlongI(std::span<const double> xs);
    void setYAlongJ(std::span<const double> ys);
    void setZAlongK(std::span<const double> zs);

    // Every point gets mon 1 and zeros; the append cursor goes back to (0, 0, 0).
    void clear();
    // Changes the sizes; a point keeps its contents where its (i, j, k) survives,
    // new points start with all five fields 0. Sizes must be checked by the caller
    // (see checkedPointCount).
    void resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz);
    // Sets the condition of that name (exact comparison, last match wins), adding it
    // when there is none. Names are compared cut to 20 characters, the width they are
    // stored with, so setting a long name twice keeps one condition.
    void setExpCond(const std::string& condName, double value);

private:
    PointVector points_;
};

// True when "raw" marks an axis whose coordinate is the index itself.
inline bool isRawAxis(const std::string& type) { return type == "raw"; }

// The coordinates 0, 1, ..., n - 1 of an axis whose coordinate is the index.
std::vector<double> indexAxis(std::int32_t n);

// Number of points for the given sizes, or -1 when a size is negative, the product
// overflows or it is beyond what this program agrees to allocate for one spectrum.
std::int64_t checkedPointCount(std::int64_t nx, std::int64_t ny, std::int64_t nz);

// Largest number of points of one spectrum: 2^28 points are 10 GiB of records, far beyond
// any detector, and a typo in a script cannot ask for more. The machine's memory lowers it.
inline constexpr std::int64_t maxSpectrumPoints = std::int64_t{1} << 28;

} // namespace ombrelune
