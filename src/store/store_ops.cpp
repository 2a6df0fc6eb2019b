#include "store/store_ops.hpp"

#include <cmath>
#include <span>
#include <limits>
#include <string>
#include <type_traits>

namespace ombrelune {
namespace {

// Prepares r with a's sizes and axis types, creating it when missing; nullptr when it
// cannot be made. Creating a new name never disturbs the operands' slots.
spectre* prepareResult(spectlist& t, std::string_view an, std::string_view r) {
    const spectre& a = *t.find(an);
    spectre* result = t.find(r);
    if (!result) {
        const int slot = t.create(std::string(r), a.nx, a.ny, a.nz);
        if (slot < 0) return nullptr;
        result = t.at(slot);
    }
    result->resize(a.nx, a.ny, a.nz);
    result->typeX = a.typeX;
    result->typeY = a.typeY;
    result->typeZ = a.typeZ;
    return result;
}

// r[p] = f(a[p], b[p]) over whole value columns; r may be a or b, each point being read
// before it is written.
template <typename F>
void streamValues(const double* a, const double* b, double* r, std::size_t n, F f) {
    for (std::size_t p = 0; p < n; ++p) r[p] = f(a[p], b[p]);
}

// r takes a's coordinates; nothing to do when r is a.
void copyCoordinates(const spectre& a, spectre& r) {
    if (&a == &r) return;
    r.setXColumn(a.xColumn());
    r.setYColumn(a.yColumn());
    r.setZColumn(a.zColumn());
}

// Every point of r is computed from the sources at the same (i, j, k) before it is
// stored, so r may be one of the sources. A null mon rule leaves r's point monitors.
template <typename ValueFn, typename MonFn, typename MonitorFn>
bool binaryOp(spectlist& t, std::string_view an, std::string_view bn, std::string_view rn,
              ValueFn value, MonFn mon, MonitorFn monitor) {
    const spectre* sa = t.find(an);
    const spectre* sb = t.find(bn);
    if (!sa || !sb || sa->nx != sb->nx || sa->ny != sb->ny || sa->nz != sb->nz) return false;
    spectre* r = prepareResult(t, an, rn);
    if (!r) return false;
    const spectre& a = *t.find(an);
    const spectre& b = *t.find(bn);
    const double newMonitor = monitor(a.monitor, b.monitor);
    if constexpr (!std::is_same_v<MonFn, std::nullptr_t>)
        r->setMonColumn(
            CoordinateColumn::combined(a.monColumn(), b.monColumn(), a.extent(), mon));
    copyCoordinates(a, *r);
    const double* va = a.values().data();
    const double* vb = b.values().data();
    streamValues(va, vb, r->writableValues().data(), a.pointCount(), value);
    r->monitor = newMonitor;
    return true;
}

// The same with one source; a null monitor rule leaves r's monitor as it was.
template <typename ValueFn, typename MonFn, typename MonitorFn>
bool unaryOp(spectlist& t, std::string_view an, std::string_view rn, ValueFn value, MonFn mon,
             MonitorFn monitor) {
    if (!t.find(an)) return false;
    spectre* r = prepareResult(t, an, rn);
    if (!r) return false;
    const spectre& a = *t.find(an);
    const double aMonitor = a.monitor;
    CoordinateColumn mons = a.monColumn();
    mons.transform(mon);
    r->setMonColumn(std::move(mons));
    copyCoordinates(a, *r);
    const double* va = a.values().data();
    streamValues(va, va, r->writableValues().data(), a.pointCount(),
                 [&value](double v, double) { return value(v); });
    if constexpr (!std::is_same_v<MonitorFn, std::nullptr_t>) r->monitor = monitor(aMonitor);
    return true;
}

auto same = [](double m) { return m; };
auto first = [](double x, double) { return x; };

} // namespace

bool opAdd(spectlist& t, std::string_view a, std::string_view b, std::string_view r) {
    auto sum = [](double x, double y) { return x + y; };
    return binaryOp(t, a, b, r, sum, sum, sum);
}

bool opSub(spectlist& t, std::string_view a, std::string_view b, std::string_view r) {
    return binaryOp(
        t, a, b, r, [](double x, double y) { return x - y; }, nullptr, first);
}

bool opMult(spectlist& t, std::string_view a, std::string_view b, std::string_view r) {
    auto product = [](double x, double y) { return x * y; };
    return binaryOp(t, a, b, r, product, product, first);
}

bool opDiv(spectlist& t, std::string_view a, std::string_view b, std::string_view r) {
    return binaryOp(
        t, a, b, r, [](double x, double y) { return y == 0 ? 0.0 : x / y; }, nullptr, first);
}

bool opScalAdd(spectlist& t, std::string_view a, std::string_view r, double s) {
    return unaryOp(
        t, a, r, [s](double v) { return v + s; }, same, same);
}

bool opScalSub(spectlist& t, std::string_view a, std::string_view r, double s) {
    return unaryOp(
        t, a, r, [s](double v) { return v - s; }, same, nullptr);
}

bool opScalMult(spectlist& t, std::string_view a, std::string_view r, double s) {
    if (s == 0) return false;
    auto scale = [s](double v) { return s * v; };
    return unaryOp(t, a, r, scale, scale, scale);
}

bool opScalDiv(spectlist& t, std::string_view a, std::string_view r, double s) {
    if (s == 0) return false;
    auto divide = [s](double v) { return v / s; };
    return unaryOp(t, a, r, divide, divide, divide);
}

bool opSqrt(spectlist& t, std::string_view a, std::string_view r) {
    return unaryOp(
        t, a, r, [](double v) { return std::sqrt(v); }, same, nullptr);
}

double roundHalfEven(double v) { return std::nearbyint(v); }

double integral1D(const spectre& curve, double from, double to) {
    double sum = 0;
    if (curve.ny < 1 || curve.nz < 1) return 0;
    // Point (i, 0, 0) is values[i * stride].
    const std::span<const double> values = curve.values();
    const std::size_t stride = std::size_t(curve.ny) * std::size_t(curve.nz);
    if (isRawAxis(curve.typeX)) {
        // Clamp before looping: a bound of 1E300 or NaN must not run for ever.
        const double f = roundHalfEven(from), last = roundHalfEven(to);
        if (!(f <= last)) return 0;
        const double lo = std::max(f, 0.0), hi = std::min(last, double(curve.nx) - 1);
        for (double i = lo; i <= hi; ++i) sum += values[static_cast<std::size_t>(i) * stride];
        return sum;
    }
    for (int i = 0; i < curve.nx; ++i) {
        const double x = curve.xAt(i);
        if (from <= x && x <= to) sum += values[std::size_t(i) * stride];
    }
    return sum;
}

double total(const spectre& s) {
    double sum = 0;
    for (const double v : s.values()) sum += v;
    return sum;
}

std::optional<std::pair<double, double>> valueRange(const spectre& s) {
    if (s.nx < 1 || s.ny < 1 || s.nz < 1) return std::nullopt;
    // Layer 0: every nz-th value.
    const std::span<const double> values = s.values();
    const auto stride = static_cast<std::size_t>(s.nz);
    double lo = values[0], hi = lo;
    for (std::size_t p = 0; p < values.size(); p += stride) {
        const double v = values[p];
        if (v < lo) lo = v;
        if (v > hi) hi = v;
    }
    return std::pair{lo, hi};
}

} // namespace ombrelune
