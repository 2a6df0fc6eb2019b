#pragma once
// One spectrum (curve, image or stack) and its condition records. The kind of a spectrum
// is given only by the table that holds it.
//
// The points are kept in columns: the values in one contiguous 64-byte-aligned array, and
// x, y, z and the point monitors each in the simplest exact form (see CoordinateColumn), so
// that an image read from a file costs about 8 bytes a point and work on the values streams
// one array. spectrePoint is the record of the files and of point-wise access.

#include "store/aligned_doubles.hpp"
#include "store/coordinate_column.hpp"

#include <algorithm>
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
    // What a file last held of this spectrum (saved_spectra.hpp); empty when none did. A
    // note about files rather than part of the spectrum, so the file functions keep it
    // through a const reference. The points are digested only just before they first
    // change after the note, so writing and reading files make no pass over them.
    struct SavedNote {
        std::uint64_t header = 0;            // digest of everything but the points
        std::uint64_t pointsGeneration = 0;  // pointsGeneration() when noted
        std::optional<std::uint64_t> points; // pointsDigest() before they changed
    };
    mutable std::optional<SavedNote> savedNote;

    std::int32_t expCondCount() const { return static_cast<std::int32_t>(expConds.size()); }

    std::size_t pointCount() const { return values_.size(); }
    Extent extent() const { return Extent{{std::max(0, nx), std::max(0, ny), std::max(0, nz)}}; }
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
    spectrePoint point(std::size_t index) const;
    spectrePoint pointAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        const std::size_t n = indexOf(i, j, k);
        return {mon_.at(n, i, j, k), x_.at(n, i, j, k), y_.at(n, i, j, k), z_.at(n, i, j, k),
                values_[n]};
    }
    double value(std::size_t index) const { return values_[index]; }
    double x(std::size_t index) const { return field(x_, index); }
    double y(std::size_t index) const { return field(y_, index); }
    double z(std::size_t index) const { return field(z_, index); }
    double mon(std::size_t index) const { return field(mon_, index); }
    double valueAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return values_[indexOf(i, j, k)];
    }
    double xAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return x_.at(indexOf(i, j, k), i, j, k);
    }
    double yAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return y_.at(indexOf(i, j, k), i, j, k);
    }
    double zAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return z_.at(indexOf(i, j, k), i, j, k);
    }
    double monAt(std::int32_t i, std::int32_t j = 0, std::int32_t k = 0) const {
        return mon_.at(indexOf(i, j, k), i, j, k);
    }

    // Writing one point, whole or a single field.
    void setPoint(std::size_t index, const spectrePoint& p);
    void setPointAt(std::int32_t i, std::int32_t j, std::int32_t k, const spectrePoint& p);
    void setValue(std::size_t index, double v) {
        pointsWillChange();
        values_[index] = v;
    }
    void setValueAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        pointsWillChange();
        values_[indexOf(i, j, k)] = v;
    }
    void setXAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        setField(x_, i, j, k, v);
    }
    void setYAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        setField(y_, i, j, k, v);
    }
    void setZAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        setField(z_, i, j, k, v);
    }
    void setMonAt(std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        setField(mon_, i, j, k, v);
    }

    // Writing whole fields: every value; x of every point (i, j, k) from xs[i] (nx
    // numbers), y from ys[j] (ny numbers), z from zs[k] (nz numbers).
    void fillValues(double v);
    void setXAlongI(std::span<const double> xs);
    void setYAlongJ(std::span<const double> ys);
    void setZAlongK(std::span<const double> zs);

    // The columns, for kernels that work on whole arrays or choose a loop by a column's
    // form. The value of point n is values()[n]: one contiguous array of pointCount()
    // doubles starting on a 64-byte boundary, in the order of the flat index, valid until
    // the next resize, clear or assignment of the spectrum. Taking writableValues() counts
    // as a change of the points (see SavedNote); take it once, before writing.
    std::span<const double> values() const { return values_.span(); }
    std::span<double> writableValues() {
        pointsWillChange();
        return values_.span();
    }
    const CoordinateColumn& xColumn() const { return x_; }
    const CoordinateColumn& yColumn() const { return y_; }
    const CoordinateColumn& zColumn() const { return z_; }
    const CoordinateColumn& monColumn() const { return mon_; }
    // Replace a whole column by one made for this spectrum's sizes (or resized to them);
    // std::logic_error for a column of other sizes or of another field.
    void setXColumn(CoordinateColumn c);
    void setYColumn(CoordinateColumn c);
    void setZColumn(CoordinateColumn c);
    void setMonColumn(CoordinateColumn c);
    // Columns that turned per-point though their numbers have a simpler form (a whole
    // spectrum written point by point) take that form; nothing reads differently.
    void simplifyColumns();
    // Bytes of memory the points take.
    std::size_t pointBytes() const;

    // Counts the changes of the points; a digest of the five fields of every point, in
    // whatever form they are kept.
    std::uint64_t pointsGeneration() const { return pointsGeneration_; }
    std::uint64_t pointsDigest() const;

    // Every point gets mon 1 and zeros; the append cursor goes back to (0, 0, 0).
    void clear();
    // Changes the sizes; a point keeps its contents where its (i, j, k) survives,
    // new points start with all five fields 0. Sizes must be checked by the caller
    // (see checkedPointCount).
    void resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz);
    // The same with the values of every point given (count of the new sizes), when they
    // are all written at once: surviving values are not copied, new ones not zeroed.
    void resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz,
                AlignedDoubles newValues);
    // Sets the condition of that name (exact comparison, last match wins), adding it
    // when there is none. Names are compared cut to 20 characters, the width they are
    // stored with, so setting a long name twice keeps one condition.
    void setExpCond(const std::string& condName, double value);

private:
    // The field of the point at a flat index, found through its (i, j, k).
    double field(const CoordinateColumn& c, std::size_t index) const;
    void setField(CoordinateColumn& c, std::int32_t i, std::int32_t j, std::int32_t k, double v) {
        pointsWillChange();
        c.set(extent(), indexOf(i, j, k), i, j, k, v);
    }
    void setColumn(CoordinateColumn& column, CoordinateColumn c);
    // Called before every change of the points: digests them first when a file noted
    // them and they have not changed since.
    void pointsWillChange() {
        if (savedNote && !savedNote->points && savedNote->pointsGeneration == pointsGeneration_)
            savedNote->points = pointsDigest();
        ++pointsGeneration_;
    }

    std::uint64_t pointsGeneration_ = 0;

    AlignedDoubles values_;
    CoordinateColumn mon_{noAxis};
    CoordinateColumn x_{0};
    CoordinateColumn y_{1};
    CoordinateColumn z_{2};
};

// True when "raw" marks an axis whose coordinate is the index itself.
inline bool isRawAxis(const std::string& type) { return type == "raw"; }

// The coordinates 0, 1, ..., n - 1 of an axis whose coordinate is the index.
std::vector<double> indexAxis(std::int32_t n);

// Number of points for the given sizes, or -1 when a size is negative, the product
// overflows or it is beyond what this program agrees to allocate for one spectrum.
std::int64_t checkedPointCount(std::int64_t nx, std::int64_t ny, std::int64_t nz);

// Largest number of points of one spectrum: 2^28 points are 2 GiB of values and up to
// 10 GiB with every coordinate per point, far beyond any detector, and a typo in a script
// cannot ask for more. The machine's memory lowers it.
inline constexpr std::int64_t maxSpectrumPoints = std::int64_t{1} << 28;

} // namespace ombrelune
