#include "script/function_library.hpp"

#include "script/expression_steps.hpp"
#include "script/rounded_math.hpp"

#include <chrono>
#include <cmath>
#include <random>

namespace ombrelune {
namespace {

using steps::Ext;

constexpr Ext pi = 3.141592653589793238462643383279502884L;

Ext radians(Ext degrees) {
    return degrees * pi / 180;
}
Ext toDegrees(Ext radians) {
    return radians * 180 / pi;
}

template <int N> Ext raised(Ext v) {
    if constexpr (N == 1)
        return v;
    else if constexpr (N == 2)
        return v * v;
    else
        return v * v * v;
}

// ---- circular functions: f(x), f(x in degrees), and their squares and cubes

// The plain SIN, COS, TAN, ATAN, EXP, LN, LOG, LOG2 and SQRT take the fast route of
// rounded_math.hpp, which stores the same doubles as these long double formulas would.
Ext sinF(Ext x) {
    return std::sin(x);
}
Ext cosF(Ext x) {
    return std::cos(x);
}
Ext tanF(Ext x) {
    return std::tan(x);
}
Ext cotF(Ext x) {
    return 1 / std::tan(x);
}
Ext secF(Ext x) {
    return 1 / std::cos(x);
}
Ext cosecF(Ext x) {
    return 1 / std::sin(x);
}

template <Ext (*F)(Ext), bool Degrees, int N> double circular(double x) {
    return static_cast<double>(raised<N>(F(Degrees ? radians(x) : Ext{x})));
}

// Only the plain cotangent and cosecant keep clear of their pole at 0.
bool nearZero(double x) {
    return std::fabs(Ext{x}) <= 1e-9L;
}
double cotPlain(double x) {
    return nearZero(x) ? 100000 : circular<cotF, false, 1>(x);
}
double cosecPlain(double x) {
    return nearZero(x) ? 1000000 : circular<cosecF, false, 1>(x);
}

template <Ext (*F)(Ext)>
void addCircular(std::vector<LibraryFunction1>& out, const std::string& base,
                 Function1Entry plain) {
    out.push_back({base, plain});
    out.push_back({base + "RAD", {&circular<F, true, 1>}});
    out.push_back({base + "SQ", {&circular<F, false, 2>}});
    out.push_back({base + "SQRAD", {&circular<F, true, 2>}});
    out.push_back({base + "CUBE", {&circular<F, false, 3>}});
    out.push_back({base + "CUBERAD", {&circular<F, true, 3>}});
}

// ---- hyperbolic functions from e^x and e^-x

Ext sinhF(Ext x) {
    return (std::exp(x) - std::exp(-x)) / 2;
}
Ext coshF(Ext x) {
    return (std::exp(x) + std::exp(-x)) / 2;
}
Ext sechF(Ext x) {
    return 2 / (std::exp(x) + std::exp(-x));
}
Ext cosechF(Ext x) {
    return 2 / (std::exp(x) - std::exp(-x));
}
// Beyond |x| of about 11356 one exponential overflows and the quotient is inf/inf; the
// true value is +-1 to far more digits than a double holds.
Ext saturated(Ext formula, Ext x) {
    if (std::isnan(formula) && !std::isnan(x)) return x > 0 ? 1 : -1;
    return formula;
}
Ext tanhF(Ext x) {
    return saturated((std::exp(x) - std::exp(-x)) / (std::exp(x) + std::exp(-x)), x);
}
Ext cothF(Ext x) {
    return saturated((std::exp(x) + std::exp(-x)) / (std::exp(x) - std::exp(-x)), x);
}

template <Ext (*F)(Ext), int N> double hyperbolic(double x) {
    return static_cast<double>(raised<N>(F(x)));
}

template <Ext (*F)(Ext)>
void addHyperbolic(std::vector<LibraryFunction1>& out, const std::string& base) {
    out.push_back({base, {&hyperbolic<F, 1>}});
    out.push_back({base + "SQ", {&hyperbolic<F, 2>}});
    out.push_back({base + "CUBE", {&hyperbolic<F, 3>}});
}

// ---- inverse functions

template <Ext (*F)(Ext)> double plain(double x) {
    return static_cast<double>(F(x));
}
template <Ext (*F)(Ext)> double inDegrees(double x) {
    return static_cast<double>(toDegrees(F(x)));
}

Ext asinF(Ext x) {
    return std::asin(x);
}
Ext acosF(Ext x) {
    return std::acos(x);
}
Ext atanF(Ext x) {
    return std::atan(x);
}
Ext acotF(Ext x) {
    return std::atan(1 / x);
}
Ext asecF(Ext x) {
    return std::acos(1 / x);
}
Ext acosecF(Ext x) {
    return std::asin(1 / x);
}
Ext degAsinF(Ext x) {
    return std::asin(radians(x));
}
Ext degAcosF(Ext x) {
    return std::acos(radians(x));
}

// ln(u + sqrt(u^2 + 1)) cancels to ln 0 for a large negative u; the function is odd, so
// the mirrored value is exact there.
Ext asinhOf(Ext u) {
    const Ext formula = std::log(u + std::sqrt(u * u + 1));
    return u < 0 && !std::isfinite(formula) ? -std::log(-u + std::sqrt(u * u + 1)) : formula;
}
Ext asinhF(Ext x) {
    return asinhOf(x);
}
Ext acosechF(Ext x) {
    return asinhOf(1 / x);
}
Ext acoshF(Ext x) {
    return std::log(x + std::sqrt(x * x - 1));
}
Ext atanhF(Ext x) {
    return Ext{0.5} * std::log((1 + x) / (1 - x));
}
Ext asechF(Ext x) {
    const Ext u = 1 / x;
    return std::log(u + std::sqrt(u * u - 1));
}
Ext acothF(Ext x) {
    const Ext u = 1 / x;
    return Ext{0.5} * std::log((1 + u) / (1 - u));
}

// ---- other functions of one argument

Ext sqrF(Ext x) {
    return x * x;
}
Ext absF(Ext x) {
    return std::fabs(x);
}
Ext truncF(Ext x) {
    return std::trunc(x);
}
Ext ceilF(Ext x) {
    const Ext t = std::trunc(x);
    return x - t > 0 ? std::trunc(x + 1) : t;
}
Ext floorF(Ext x) {
    const Ext t = std::trunc(x);
    return x - t >= 0 ? t : std::trunc(x - 1);
}
Ext heavF(Ext x) {
    return x >= 0 ? 1 : 0;
}
// NaN is neither below, at nor above 0, and stays NaN.
Ext signF(Ext x) {
    return x < 0 ? -1 : x == 0 ? 0 : x > 0 ? 1 : x;
}
Ext zeroF(Ext x) {
    return x == 0 ? 0 : 1;
}
// The phase: x / (2/pi) with 2/pi rounded to a double, less its nearest integer (ties to
// even), times 2 pi.
Ext phF(Ext x) {
    const Ext twoOverPi = static_cast<double>(0.6366197723675813431L);
    const Ext u = x / twoOverPi;
    return (u - std::nearbyint(u)) * (2 * pi);
}
// The blancmange sum: distance of 2^i x to the nearest integer, weighted by 2^-i.
Ext blancF(Ext x) {
    Ext t = x;
    Ext sum = 0;
    for (int i = 0; i < 50; ++i) {
        t = t < 0 ? t - std::trunc(t - 1) : t - std::trunc(t);
        const Ext c = t < Ext{0.5} ? t : 1 - t;
        sum += c / steps::powerExt(2, i);
        t = 2 * t;
    }
    return sum;
}
// Reserved names: always 0.
double reserved(double) {
    return 0;
}

double rndF(double x) {
    return static_cast<double>(std::trunc(Ext{x}) * uniformRandom());
}
double randomF(double) {
    return uniformRandom();
}

// ---- functions of two arguments

double maxF(double a, double b) {
    return a < b ? b : a;
}
double minF(double a, double b) {
    return a < b ? a : b;
}
double lognF(double a, double b) {
    return a > 0 ? static_cast<double>(std::log(Ext{b}) / std::log(Ext{a})) : 2000;
}
// The angle of the point (a, b); a NaN abscissa gives NaN.
double argF(double a, double b) {
    const Ext x = a, y = b;
    if (x > 0) return static_cast<double>(std::atan(y / x));
    if (x < 0) return static_cast<double>(std::atan(y / x) + pi);
    if (x == 0) return static_cast<double>(y > 0 ? pi / 2 : -pi / 2);
    return a;
}

std::vector<LibraryFunction1> buildLibrary1() {
    std::vector<LibraryFunction1> out;
    const rounded::FunctionSet& fast = rounded::functions();
    addCircular<sinF>(out, "SIN", {&rounded::sin, false, fast.sin});
    addCircular<cosF>(out, "COS", {&rounded::cos, false, fast.cos});
    addCircular<tanF>(out, "TAN", {&rounded::tan, false, fast.tan});
    addCircular<cotF>(out, "COT", {&cotPlain});
    addCircular<secF>(out, "SEC", {&circular<secF, false, 1>});
    addCircular<cosecF>(out, "COSEC", {&cosecPlain});
    addHyperbolic<sinhF>(out, "SINH");
    addHyperbolic<coshF>(out, "COSH");
    addHyperbolic<tanhF>(out, "TANH");
    addHyperbolic<cothF>(out, "COTH");
    addHyperbolic<sechF>(out, "SECH");
    addHyperbolic<cosechF>(out, "COSECH");
    const std::vector<LibraryFunction1> rest = {
        {"ASIN", {&plain<asinF>}},
        {"ACOS", {&plain<acosF>}},
        {"ATAN", {&rounded::atan, false, fast.atan}},
        {"ACOT", {&plain<acotF>}},
        {"ASEC", {&plain<asecF>}},
        {"ACOSEC", {&plain<acosecF>}},
        {"DEGATAN", {&inDegrees<atanF>}},
        {"DEGACOT", {&inDegrees<acotF>}},
        {"DEGASEC", {&inDegrees<asecF>}},
        {"DEGACOSEC", {&inDegrees<acosecF>}},
        {"DEGASIN", {&plain<degAsinF>}},
        {"DEGACOS", {&plain<degAcosF>}},
        {"ASINH", {&plain<asinhF>}},
        {"ACOSH", {&plain<acoshF>}},
        {"ATANH", {&plain<atanhF>}},
        {"ASECH", {&plain<asechF>}},
        {"ACOSECH", {&plain<acosechF>}},
        {"ACOTH", {&plain<acothF>}},
        {"EXP", {&rounded::exp, false, fast.exp}},
        {"LN", {&rounded::ln, false, fast.ln}},
        {"LOG", {&rounded::log10, false, fast.log10}},
        {"LOG2", {&rounded::log2, false, fast.log2}},
        {"SQRT", {&rounded::sqrt, false, fast.sqrt}},
        {"SQR", {&plain<sqrF>}},
        {"ABS", {&plain<absF>}},
        {"INT", {&plain<truncF>}},
        {"TRUNC", {&plain<truncF>}},
        {"CEIL", {&plain<ceilF>}},
        {"FLOOR", {&plain<floorF>}},
        {"HEAV", {&plain<heavF>}},
        {"SIGN", {&plain<signF>}},
        {"ZERO", {&plain<zeroF>}},
        {"PH", {&plain<phF>}},
        {"RND", {&rndF, true}},
        {"RANDOM", {&randomF, true}},
        {"BLANC", {&plain<blancF>}},
    };
    out.insert(out.end(), rest.begin(), rest.end());
    for (const char* name : {"F", "G", "H", "I", "J", "K", "L", "DIFF", "INTEG", "INV"})
        out.push_back({name, {&reserved}});
    return out;
}

} // namespace

double uniformRandom() {
    thread_local std::mt19937_64 generator(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    // 53 random bits: every double of [0, 1) with that spacing is equally likely, and 1
    // is never reached.
    return static_cast<double>(generator() >> 11U) * 0x1.0p-53;
}

const std::vector<LibraryFunction1>& libraryFunctions1() {
    static const std::vector<LibraryFunction1> table = buildLibrary1();
    return table;
}

const std::vector<LibraryFunction2>& libraryFunctions2() {
    static const std::vector<LibraryFunction2> table = {
        {"MAX", {&maxF}},
        {"MIN", {&minF}},
        {"POWER", {&steps::power, rounded::functions().power}},
        {"INTPOWER", {&steps::intPower}},
        {"LOGN", {&lognF}},
        {"ARG", {&argF}},
    };
    return table;
}

} // namespace ombrelune
