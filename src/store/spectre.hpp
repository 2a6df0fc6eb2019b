#pragma once
// One spectrum (curve, image or stack) and its point and condition records.
// The kind of a spectrum is given only by the table that holds it.

#include "store/point_allocator.hpp"

#include <cstdint>
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

class spectre {
public:
    std::int32_t nx = 0;
    std::int32_t ny = 0;
    std::int32_t nz = 0;
    std::string name;
    std::string comment;
    std::string typeX;
    std::string typeY;
    std::string typeZ;
    // Point (i, j, k) lives at (i * ny + j) * nz + k.
    PointVector points;
    double monitor = 0;
    std::int32_t cursorI = 0;
    std::int32_t cursorJ = 0;
    std::int32_t cursorK = 0;
    std::vector<expCond> expConds;

    std::int32_t expCondCount() const { return static_cast<std::int32_t>(expConds.size()); }

    std::size_t pointCount() const { return points.size(); }
    std::size_t indexOf(std::int32_t i, std::int32_t j, std::int32_t k) const {
        return (static_cast<std::size_t>(i) * static_cast<std::size_t>(ny) +
                static_cast<std::size_t>(j)) *
                   static_cast<std::size_t>(nz) +
               static_cast<std::size_t>(k);
    }
    spectrePoint& at(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) {
        return points[indexOf(i, j, k)];
    }
    const spectrePoint& at(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)];
    }
    // Read access by value, for code that must not depend on how points are kept
    // (views, exports, fits): a point by its flat index or by (i, j, k), and single fields.
    spectrePoint point(std::size_t index) const { return points[index]; }
    spectrePoint pointAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)];
    }
    double value(std::size_t index) const { return points[index].value; }
    double valueAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)].value;
    }
    double xAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)].x;
    }
    double yAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)].y;
    }
    double zAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)].z;
    }
    double monAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return points[indexOf(i, j, k)].mon;
    }
    bool contains(std::int32_t i, std::int32_t j, std::int32_t k) const {
        return i >= 0 && j >= 0 && k >= 0 && i < nx && j < ny && k < nz;
    }

    // Every point gets mon 1 and zeros; the append cursor goes back to (0, 0, 0).
    void clear();
    // Changes the sizes; a point keeps its contents where its (i, j, k) survives,
    // new points start with all five fields 0. Sizes must be checked by the caller
    // (see checkedPointCount).
    void resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz);
    // The points resize() would leave, without changing the spectrum.
    PointVector resizedPoints(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz) const;
    // Sets the condition of that name (exact comparison, last match wins), adding it
    // when there is none. Names are compared cut to 20 characters, the width they are
    // stored with, so setting a long name twice keeps one condition.
    void setExpCond(const std::string& condName, double value);
};

// True when "raw" marks an axis whose coordinate is the index itself.
inline bool isRawAxis(const std::string& type) { return type == "raw"; }

// Number of points for the given sizes, or -1 when a size is negative, the product
// overflows or it is beyond what this program agrees to allocate for one spectrum.
std::int64_t checkedPointCount(std::int64_t nx, std::int64_t ny, std::int64_t nz);

// Largest number of points of one spectrum: 2^28 points are 10 GiB of records, far beyond
// any detector, and a typo in a script cannot ask for more. The machine's memory lowers it.
inline constexpr std::int64_t maxSpectrumPoints = std::int64_t{1} << 28;

} // namespace ombrelune
