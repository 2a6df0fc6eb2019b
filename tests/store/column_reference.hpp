#pragma once
// The plain reference for the columns: every point a whole record in one array, changed by
// the simplest loops. A spectrum must read back through each of its accessors exactly what
// this holds after the same writes.

#include "store/spectre.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ombrelune::testing {

struct PointRecords {
    int nx = 0, ny = 0, nz = 0;
    std::vector<spectrePoint> points;

    PointRecords() = default;
    PointRecords(int x, int y, int z)
        : nx(x), ny(y), nz(z), points(std::size_t(x) * std::size_t(y) * std::size_t(z)) {}

    spectrePoint& at(int i, int j, int k) {
        return points[(std::size_t(i) * std::size_t(ny) + std::size_t(j)) * std::size_t(nz) +
                      std::size_t(k)];
    }
    const spectrePoint& at(int i, int j, int k) const {
        return const_cast<PointRecords*>(this)->at(i, j, k);
    }
    template <typename Visit> void forEach(Visit visit) {
        for (int i = 0; i < nx; ++i)
            for (int j = 0; j < ny; ++j)
                for (int k = 0; k < nz; ++k) visit(i, j, k, at(i, j, k));
    }
    void clear() {
        for (spectrePoint& p : points) p = spectrePoint{1, 0, 0, 0, 0};
    }
    void resize(int x, int y, int z) {
        PointRecords fresh(x, y, z);
        for (int i = 0; i < std::min(nx, x); ++i)
            for (int j = 0; j < std::min(ny, y); ++j)
                for (int k = 0; k < std::min(nz, z); ++k) fresh.at(i, j, k) = at(i, j, k);
        *this = std::move(fresh);
    }
};

// The records of a spectrum, read point by point.
inline PointRecords recordsOf(const spectre& s) {
    PointRecords r(s.nx, s.ny, s.nz);
    for (std::size_t n = 0; n < s.pointCount(); ++n) r.points[n] = s.point(n);
    return r;
}

// Equal bits: 0 and -0 differ, and a NaN equals itself.
inline bool sameRecord(const spectrePoint& a, const spectrePoint& b) {
    return sameBits(a.mon, b.mon) && sameBits(a.x, b.x) && sameBits(a.y, b.y) &&
           sameBits(a.z, b.z) && sameBits(a.value, b.value);
}

// Every accessor of s against the reference, on every point.
inline void expectSamePoints(const spectre& s, const PointRecords& r, const std::string& what) {
    ASSERT_EQ(s.nx, r.nx) << what;
    ASSERT_EQ(s.ny, r.ny) << what;
    ASSERT_EQ(s.nz, r.nz) << what;
    ASSERT_EQ(s.pointCount(), r.points.size()) << what;
    std::vector<double> gathered[4];
    const CoordinateColumn* columns[4] = {&s.monColumn(), &s.xColumn(), &s.yColumn(),
                                          &s.zColumn()};
    for (int c = 0; c < 4; ++c) {
        gathered[c].resize(s.pointCount());
        columns[c]->gather(s.extent(), gathered[c].data());
    }
    std::size_t n = 0;
    for (int i = 0; i < r.nx; ++i)
        for (int j = 0; j < r.ny; ++j)
            for (int k = 0; k < r.nz; ++k, ++n) {
                const spectrePoint& want = r.at(i, j, k);
                const spectrePoint byIndexes{s.monAt(i, j, k), s.xAt(i, j, k), s.yAt(i, j, k),
                                             s.zAt(i, j, k), s.valueAt(i, j, k)};
                const spectrePoint byFlatIndex{s.mon(n), s.x(n), s.y(n), s.z(n), s.value(n)};
                const spectrePoint fromColumns{gathered[0][n], gathered[1][n], gathered[2][n],
                                               gathered[3][n], s.values()[n]};
                for (const spectrePoint& got :
                     {s.pointAt(i, j, k), s.point(n), byIndexes, byFlatIndex, fromColumns})
                    ASSERT_TRUE(sameRecord(got, want))
                        << what << " at (" << i << ", " << j << ", " << k << "): mon " << got.mon
                        << " x " << got.x << " y " << got.y << " z " << got.z << " value "
                        << got.value << ", expected mon " << want.mon << " x " << want.x
                        << " y " << want.y << " z " << want.z << " value " << want.value;
            }
}

} // namespace ombrelune::testing
