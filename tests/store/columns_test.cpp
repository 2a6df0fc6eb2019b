// The columns of a spectrum: each keeps its simplest exact form through the writes that
// allow it, turns per-point when one point breaks it, and reads back through every accessor
// exactly what a plain array of point records would hold after the same writes.

#include "store/spectre.hpp"

#include "column_reference.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace ombrelune {
namespace {

using testing::PointRecords;
using testing::expectSamePoints;

// One write, applied alike to the spectrum and to its record reference.
struct Step {
    std::function<void(spectre&)> onSpectrum;
    std::function<void(PointRecords&)> onRecords;
};

Step resizeTo(int nx, int ny, int nz) {
    return {[=](spectre& s) { s.resize(nx, ny, nz); },
            [=](PointRecords& r) { r.resize(nx, ny, nz); }};
}

Step xAlongI(std::vector<double> xs) {
    return {[=](spectre& s) { s.setXAlongI(xs); },
            [=](PointRecords& r) {
                r.forEach([&](int i, int, int, spectrePoint& p) { p.x = xs[std::size_t(i)]; });
            }};
}

Step yAlongJ(std::vector<double> ys) {
    return {[=](spectre& s) { s.setYAlongJ(ys); },
            [=](PointRecords& r) {
                r.forEach([&](int, int j, int, spectrePoint& p) { p.y = ys[std::size_t(j)]; });
            }};
}

Step pointAt(int i, int j, int k, spectrePoint p) {
    return {[=](spectre& s) { s.setPointAt(i, j, k, p); },
            [=](PointRecords& r) { r.at(i, j, k) = p; }};
}

Step xAt(int i, int j, int k, double v) {
    return {[=](spectre& s) { s.setXAt(i, j, k, v); }, [=](PointRecords& r) { r.at(i, j, k).x = v; }};
}

Step monAt(int i, int j, int k, double v) {
    return {[=](spectre& s) { s.setMonAt(i, j, k, v); },
            [=](PointRecords& r) { r.at(i, j, k).mon = v; }};
}

Step clearAll() {
    return {[](spectre& s) { s.clear(); }, [](PointRecords& r) { r.clear(); }};
}

// Every point written one by one with a field f(i, j, k), as a reader or builder would.
Step everyPoint(double spectrePoint::*field, std::function<double(int, int, int)> f) {
    return {[=](spectre& s) {
                for (int i = 0; i < s.nx; ++i)
                    for (int j = 0; j < s.ny; ++j)
                        for (int k = 0; k < s.nz; ++k) {
                            spectrePoint p = s.pointAt(i, j, k);
                            p.*field = f(i, j, k);
                            s.setPointAt(i, j, k, p);
                        }
            },
            [=](PointRecords& r) {
                r.forEach([&](int i, int j, int k, spectrePoint& p) { p.*field = f(i, j, k); });
            }};
}

Step simplified() {
    return {[](spectre& s) { s.simplifyColumns(); }, [](PointRecords&) {}};
}

using Form = ColumnForm;

struct FormCase {
    const char* what;
    int nx, ny, nz;
    std::vector<Step> steps;
    Form mon, x, y, z;
    bool monBoxed = false;
};

TEST(Columns, KeepTheirFormUntilAPointBreaksIt) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const FormCase cases[] = {
        {"made and cleared", 4, 3, 2, {}, Form::constant, Form::constant, Form::constant,
         Form::constant},
        {"axes given along their index", 4, 3, 2,
         {xAlongI({1, 2, 3, 4}), yAlongJ({-1, 0.5, nan})}, Form::constant, Form::alongAxis,
         Form::alongAxis, Form::constant},
        {"a point written with what it holds", 4, 3, 2,
         {xAlongI({1, 2, 3, 4}), pointAt(2, 1, 1, {1, 3, 0, 0, 7})}, Form::constant,
         Form::alongAxis, Form::constant, Form::constant},
        {"one x that differs", 4, 3, 2, {xAlongI({1, 2, 3, 4}), xAt(2, 1, 1, 3.5)},
         Form::constant, Form::perPoint, Form::constant, Form::constant},
        {"-0 is not 0", 4, 3, 2, {xAt(0, 0, 0, -0.0)}, Form::constant, Form::perPoint,
         Form::constant, Form::constant},
        {"the one point of each x of a curve", 5, 1, 1, {xAlongI({1, 2, 3, 4, 5}), xAt(3, 0, 0, 9)},
         Form::constant, Form::alongAxis, Form::constant, Form::constant},
        {"the monitor of a single point", 1, 1, 1, {monAt(0, 0, 0, 4)}, Form::constant,
         Form::constant, Form::constant, Form::constant},
        {"one monitor that differs", 4, 3, 2, {monAt(3, 2, 1, 4)}, Form::perPoint,
         Form::constant, Form::constant, Form::constant},
        {"grown from one point: its monitor stays 1, the new ones are 0", 1, 1, 1,
         {resizeTo(4, 3, 2)}, Form::constant, Form::constant, Form::constant, Form::constant,
         true},
        {"grown along j: the new row has x 0", 4, 3, 1, {xAlongI({1, 2, 3, 4}), resizeTo(4, 5, 1)},
         Form::constant, Form::alongAxis, Form::constant, Form::constant, true},
        {"grown then cut back", 4, 3, 1,
         {xAlongI({1, 2, 3, 4}), resizeTo(6, 5, 2), resizeTo(3, 3, 1)}, Form::constant,
         Form::alongAxis, Form::constant, Form::constant},
        {"a grown spectrum cleared", 1, 1, 1, {resizeTo(4, 3, 2), clearAll()}, Form::constant,
         Form::constant, Form::constant, Form::constant},
        {"a point beyond the old box written", 1, 1, 1,
         {resizeTo(4, 3, 2), monAt(3, 2, 1, 1)}, Form::perPoint, Form::constant,
         Form::constant, Form::constant},
        {"shrunk to nothing and grown", 4, 3, 2, {xAlongI({1, 2, 3, 4}), resizeTo(0, 3, 2),
                                                   resizeTo(2, 2, 2)},
         Form::constant, Form::constant, Form::constant, Form::constant},
        {"grown twice: the points new the first time stay 0", 1, 1, 1,
         {resizeTo(4, 3, 2), resizeTo(6, 3, 2), resizeTo(6, 4, 3)}, Form::constant,
         Form::constant, Form::constant, Form::constant, true},
        {"grown along one axis, cut along another", 3, 3, 1,
         {xAlongI({1, 2, 3}), resizeTo(5, 2, 1), resizeTo(4, 2, 2)}, Form::constant,
         Form::alongAxis, Form::constant, Form::constant, true},
        {"x of a curve written point by point", 5, 1, 1, {xAt(3, 0, 0, 9), xAt(1, 0, 0, 2)},
         Form::constant, Form::alongAxis, Form::constant, Form::constant},
        {"written point by point, then simplified", 4, 3, 2,
         {everyPoint(&spectrePoint::x, [](int i, int, int) { return i * 0.5; }),
          everyPoint(&spectrePoint::y, [](int i, int j, int) { return i + 10.0 * j; }),
          everyPoint(&spectrePoint::z, [](int, int, int k) { return k - 0.0; }),
          everyPoint(&spectrePoint::mon, [](int, int, int) { return 3.0; }), simplified()},
         Form::constant, Form::alongAxis, Form::perPoint, Form::alongAxis},
        {"simplified: -0 among zeros keeps a column per point", 4, 3, 2,
         {everyPoint(&spectrePoint::z, [](int i, int j, int k) {
              return i == 3 && j == 2 && k == 1 ? -0.0 : 0.0;
          }),
          simplified()},
         Form::constant, Form::constant, Form::constant, Form::perPoint},
        {"simplified: y along j", 2, 3, 2,
         {everyPoint(&spectrePoint::y, [](int, int j, int) { return j * 3.0; }), simplified()},
         Form::constant, Form::constant, Form::alongAxis, Form::constant},
    };
    for (const FormCase& c : cases) {
        spectre s;
        s.resize(c.nx, c.ny, c.nz);
        s.clear();
        PointRecords r(c.nx, c.ny, c.nz);
        r.clear();
        for (const Step& step : c.steps) {
            step.onSpectrum(s);
            step.onRecords(r);
        }
        expectSamePoints(s, r, c.what);
        EXPECT_EQ(s.monColumn().form(), c.mon) << c.what;
        EXPECT_EQ(s.monColumn().boxed(), c.monBoxed) << c.what;
        EXPECT_EQ(s.xColumn().form(), c.x) << c.what;
        EXPECT_EQ(s.yColumn().form(), c.y) << c.what;
        EXPECT_EQ(s.zColumn().form(), c.z) << c.what;
    }
}

TEST(Columns, AnImageCostsItsValuesAndItsAxes) {
    spectre s;
    s.resize(1, 1, 1);
    s.clear();
    s.resize(256, 128, 1);
    s.setXAlongI(indexAxis(256));
    s.setYAlongJ(indexAxis(128));
    EXPECT_EQ(s.pointBytes(), 8u * (256 * 128 + 256 + 128));
    s.setXAt(5, 5, 0, -1);
    EXPECT_EQ(s.pointBytes(), 8u * (2 * 256 * 128 + 128));
}

TEST(Columns, ValuesAreOneAlignedArray) {
    for (int n : {1, 3, 1000, 1 << 21}) {
        spectre s;
        s.resize(n, 1, 1);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(s.values().data()) % 64, 0u) << n;
        ASSERT_EQ(s.values().size(), std::size_t(n));
        s.writableValues()[std::size_t(n) - 1] = 5;
        EXPECT_EQ(s.valueAt(n - 1), 5);
    }
}

// A layer of a stack as the columns of an image: the numbers of its points (i, j, k).
TEST(Columns, ALayerHoldsTheNumbersOfItsPoints) {
    const std::vector<Step> stacks[] = {
        {xAlongI({1, 2, 3, 4}), yAlongJ({5, 6, 7})},
        {everyPoint(&spectrePoint::y, [](int i, int j, int k) { return i + j + k * 0.25; })},
        {everyPoint(&spectrePoint::z, [](int, int, int k) { return k * 2.0; }), simplified()},
        {resizeTo(4, 2, 1), resizeTo(4, 3, 3)},
        {monAt(1, 2, 1, 8)},
    };
    for (std::size_t c = 0; c < std::size(stacks); ++c) {
        spectre stack;
        stack.resize(4, 3, 3);
        stack.clear();
        PointRecords r(4, 3, 3);
        r.clear();
        for (const Step& step : stacks[c]) {
            step.onSpectrum(stack);
            step.onRecords(r);
        }
        for (int k = 0; k < 3; ++k) {
            spectre image;
            image.resize(4, 3, 1);
            PointRecords want(4, 3, 1);
            want.forEach([&](int i, int j, int, spectrePoint& p) {
                p = r.at(i, j, k);
                p.value = 0;
            });
            image.setMonColumn(stack.monColumn().layer(stack.extent(), k));
            image.setXColumn(stack.xColumn().layer(stack.extent(), k));
            image.setYColumn(stack.yColumn().layer(stack.extent(), k));
            image.setZColumn(stack.zColumn().layer(stack.extent(), k));
            expectSamePoints(image, want,
                             "stack " + std::to_string(c) + ", layer " + std::to_string(k));
            EXPECT_LE(image.pointBytes(), stack.pointBytes()) << c << " " << k;
        }
    }
}

TEST(Columns, AColumnForOtherSizesIsRefused) {
    spectre s;
    s.resize(4, 3, 1);
    CoordinateColumn x(0);
    x.setAlongAxis(indexAxis(3));
    EXPECT_THROW(s.setXColumn(x), std::logic_error);
    EXPECT_THROW(s.setYColumn(CoordinateColumn(0)), std::logic_error);
    x.setAlongAxis(indexAxis(4));
    s.setXColumn(x);
    EXPECT_EQ(s.xAt(3, 2), 3);
}

} // namespace
} // namespace ombrelune
