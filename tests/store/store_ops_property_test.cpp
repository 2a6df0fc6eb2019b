// Every store operation on random spectra (random sizes, axes given along their index or
// point by point, grown and cut back, monitors changed here and there) against the same
// operation done record by record on a plain array of points.

#include "store/store_ops.hpp"

#include "column_reference.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>

namespace ombrelune {
namespace {

using testing::PointRecords;
using testing::expectSamePoints;

struct Twin {
    spectre s;
    PointRecords r;
};

class RandomSpectra {
public:
    explicit RandomSpectra(unsigned seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Numbers that tell forms apart: equal, -0 beside 0, NaN, infinities.
    double special() {
        static const double pool[] = {0.0, -0.0, 1.0, 2.5, -3.0,
                                      std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(), 1e-300};
        return pool[below(8)];
    }
    double number() { return below(4) == 0 ? special() : std::normal_distribution<>(0, 50)(rng_); }

    Twin spectrum(const std::string& name, int nx, int ny, int nz) {
        Twin t{spectre{}, PointRecords(nx, ny, nz)};
        t.s.name = name;
        t.s.resize(nx, ny, nz);
        t.s.clear();
        t.r.clear();
        for (int step = below(6); step > 0; --step) change(t);
        for (std::size_t n = 0; n < t.r.points.size(); ++n) {
            t.r.points[n].value = number();
            t.s.setValue(n, t.r.points[n].value);
        }
        t.s.monitor = number();
        return t;
    }

private:
    std::vector<double> axis(int n) {
        std::vector<double> v(static_cast<std::size_t>(n));
        const double repeated = special();
        for (double& x : v) x = below(2) ? repeated : number();
        return v;
    }

    void change(Twin& t) {
        PointRecords& r = t.r;
        const int i = below(r.nx), j = below(r.ny), k = below(r.nz);
        switch (below(6)) {
        case 0: {
            const auto xs = axis(r.nx);
            t.s.setXAlongI(xs);
            r.forEach([&](int a, int, int, spectrePoint& p) { p.x = xs[std::size_t(a)]; });
            break;
        }
        case 1: {
            const auto ys = axis(r.ny);
            t.s.setYAlongJ(ys);
            r.forEach([&](int, int b, int, spectrePoint& p) { p.y = ys[std::size_t(b)]; });
            break;
        }
        case 2: {
            const auto zs = axis(r.nz);
            t.s.setZAlongK(zs);
            r.forEach([&](int, int, int c, spectrePoint& p) { p.z = zs[std::size_t(c)]; });
            break;
        }
        case 3: {
            // Each field kept or changed, so that a write may or may not break a form.
            spectrePoint p = r.at(i, j, k);
            for (double* f : {&p.mon, &p.x, &p.y, &p.z})
                if (below(2)) *f = special();
            t.s.setPointAt(i, j, k, p);
            r.at(i, j, k) = p;
            break;
        }
        case 4: {
            const double m = special();
            t.s.setMonAt(i, j, k, m);
            r.at(i, j, k).mon = m;
            break;
        }
        default: {
            // Grown and cut back: the points that were new hold 0.
            const int gx = r.nx + below(3), gy = r.ny + below(3), gz = r.nz + below(2);
            const int nx = r.nx, ny = r.ny, nz = r.nz;
            for (auto [x, y, z] : {std::array{gx, gy, gz}, std::array{nx, ny, nz}}) {
                t.s.resize(x, y, z);
                r.resize(x, y, z);
            }
        }
        }
    }

    std::mt19937 rng_;
};

// The record reference of an operation: r's new points from a (and b), as the table says.
struct Reference {
    std::function<double(double, double)> value;
    std::function<double(double, double)> mon; // null: r's point monitors not written
    std::function<double(double, double)> monitor; // null: r's monitor not written
};

void applyReference(PointRecords& r, double& rMonitor, const PointRecords& a, double aMonitor,
                    const PointRecords& b, double bMonitor, const Reference& op) {
    r.resize(a.nx, a.ny, a.nz);
    for (std::size_t n = 0; n < a.points.size(); ++n) {
        const spectrePoint& pa = a.points[n];
        const spectrePoint& pb = b.points[n];
        spectrePoint& pr = r.points[n];
        pr.x = pa.x;
        pr.y = pa.y;
        pr.z = pa.z;
        pr.value = op.value(pa.value, pb.value);
        if (op.mon) pr.mon = op.mon(pa.mon, pb.mon);
    }
    if (op.monitor) rMonitor = op.monitor(aMonitor, bMonitor);
}

struct Operation {
    const char* name;
    std::function<bool(spectlist&, const char* r)> run; // on "A" and "B"
    Reference reference;
};

std::vector<Operation> operations() {
    const double s = -2.5;
    auto sum = [](double x, double y) { return x + y; };
    auto product = [](double x, double y) { return x * y; };
    auto first = [](double x, double) { return x; };
    return {
        {"opAdd", [](spectlist& t, const char* r) { return opAdd(t, "A", "B", r); },
         {sum, sum, sum}},
        {"opSub", [](spectlist& t, const char* r) { return opSub(t, "A", "B", r); },
         {[](double x, double y) { return x - y; }, nullptr, first}},
        {"opMult", [](spectlist& t, const char* r) { return opMult(t, "A", "B", r); },
         {product, product, first}},
        {"opDiv", [](spectlist& t, const char* r) { return opDiv(t, "A", "B", r); },
         {[](double x, double y) { return y == 0 ? 0.0 : x / y; }, nullptr, first}},
        {"opScalAdd", [=](spectlist& t, const char* r) { return opScalAdd(t, "A", r, s); },
         {[=](double x, double) { return x + s; }, first, first}},
        {"opScalSub", [=](spectlist& t, const char* r) { return opScalSub(t, "A", r, s); },
         {[=](double x, double) { return x - s; }, first, nullptr}},
        {"opScalMult", [=](spectlist& t, const char* r) { return opScalMult(t, "A", r, s); },
         {[=](double x, double) { return s * x; }, [=](double x, double) { return s * x; },
          [=](double x, double) { return s * x; }}},
        {"opScalDiv", [=](spectlist& t, const char* r) { return opScalDiv(t, "A", r, s); },
         {[=](double x, double) { return x / s; }, [=](double x, double) { return x / s; },
          [=](double x, double) { return x / s; }}},
        {"opSqrt", [](spectlist& t, const char* r) { return opSqrt(t, "A", r); },
         {[](double x, double) { return std::sqrt(x); }, first, nullptr}},
    };
}

TEST(StoreOperations, AgreeWithRecordByRecordOnRandomSpectra) {
    RandomSpectra random(20261210);
    for (int round = 0; round < 60; ++round) {
        const int nx = 1 + random.below(5), ny = 1 + random.below(4), nz = 1 + random.below(3);
        for (const Operation& op : operations()) {
            // Into a new result, into an existing one of other sizes, and in place.
            for (const char* r : {"R", "OLD", "A"}) {
                const std::string what = std::string(op.name) + " into " + r + ", round " +
                                         std::to_string(round);
                Twin a = random.spectrum("A", nx, ny, nz);
                Twin b = random.spectrum("B", nx, ny, nz);
                Twin old = random.spectrum("OLD", 1 + random.below(4), 1 + random.below(3), 1);
                spectlist t;
                t.storeCopy(a.s);
                t.storeCopy(b.s);
                t.storeCopy(old.s);
                // A new result is made with a's sizes and cleared.
                PointRecords expected = std::string(r) == "OLD" ? old.r
                                        : std::string(r) == "A" ? a.r
                                                                : PointRecords(nx, ny, nz);
                if (std::string(r) == "R") expected.clear();
                double expectedMonitor = std::string(r) == "OLD" ? old.s.monitor
                                         : std::string(r) == "A" ? a.s.monitor
                                                                 : 0.0;
                applyReference(expected, expectedMonitor, a.r, a.s.monitor, b.r, b.s.monitor,
                               op.reference);
                ASSERT_TRUE(op.run(t, r)) << what;
                const spectre& result = *t.find(r);
                expectSamePoints(result, expected, what);
                EXPECT_TRUE(sameBits(result.monitor, expectedMonitor)) << what;
                // The sources other than the result are untouched.
                if (std::string(r) != "A") expectSamePoints(*t.find("A"), a.r, what + ", A");
                expectSamePoints(*t.find("B"), b.r, what + ", B");
            }
        }
    }
}

TEST(StoreOperations, SumsAndRangesAgreeWithRecordByRecord) {
    RandomSpectra random(7);
    for (int round = 0; round < 200; ++round) {
        const Twin t =
            random.spectrum("A", 1 + random.below(6), 1 + random.below(4), 1 + random.below(3));
        double sum = 0;
        for (const spectrePoint& p : t.r.points) sum += p.value;
        EXPECT_TRUE(sameBits(total(t.s), sum)) << round;

        const auto range = valueRange(t.s);
        ASSERT_TRUE(range) << round;
        double lo = t.r.at(0, 0, 0).value, hi = lo;
        for (int i = 0; i < t.r.nx; ++i)
            for (int j = 0; j < t.r.ny; ++j) {
                lo = t.r.at(i, j, 0).value < lo ? t.r.at(i, j, 0).value : lo;
                hi = t.r.at(i, j, 0).value > hi ? t.r.at(i, j, 0).value : hi;
            }
        EXPECT_TRUE(sameBits(range->first, lo) && sameBits(range->second, hi)) << round;

        spectre curve = t.s;
        curve.typeX = random.below(2) ? "raw" : "q";
        const double from = random.number(), to = random.number();
        double part = 0;
        for (int i = 0; i < t.r.nx; ++i) {
            const spectrePoint& p = t.r.at(i, 0, 0);
            const bool inside = isRawAxis(curve.typeX)
                                    ? roundHalfEven(from) <= i && i <= roundHalfEven(to)
                                    : from <= p.x && p.x <= to;
            if (inside) part += p.value;
        }
        EXPECT_TRUE(sameBits(integral1D(curve, from, to), part)) << round;
    }
}

} // namespace
} // namespace ombrelune
