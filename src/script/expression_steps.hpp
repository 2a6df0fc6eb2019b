#pragma once
// The arithmetic of each step kind. Every step widens its operands to long double (64-bit
// mantissa on x86-64), computes there and rounds once to double when it stores the result.
// Point evaluation and bulk evaluation both call these, so they agree bit for bit.
// Floating-point faults never trap: 1/0 is an infinity, sqrt(-1) a NaN.

#include <cstdint>

namespace ombrelune::steps {

using Ext = long double;

inline double negate(double a) {
    return static_cast<double>(-static_cast<Ext>(a));
}
inline double add(double a, double b) {
    return static_cast<double>(static_cast<Ext>(a) + b);
}
inline double subtract(double a, double b) {
    return static_cast<double>(static_cast<Ext>(a) - b);
}
inline double multiply(double a, double b) {
    return static_cast<double>(static_cast<Ext>(a) * b);
}
inline double divide(double a, double b) {
    return static_cast<double>(static_cast<Ext>(a) / b);
}
inline double square(double a) {
    const Ext x = a;
    return static_cast<double>(x * x);
}
inline double cube(double a) {
    const Ext x = a;
    return static_cast<double>(x * (x * x));
}
inline double fourth(double a) {
    const Ext x = a;
    return static_cast<double>((x * x) * (x * x));
}

// a to the power n by repeated squaring over the bits of |n| (taken in 64 bits, so the
// most negative 32-bit exponent works); n = 0 gives 1, a negative n gives 1 / a^|n|.
Ext intPowerExt(Ext a, std::int32_t n);
// Trunc(b) as a 32-bit exponent; raises ERangeError when it does not fit (NaN included).
std::int32_t exponentOf(double b);
// Integer power of a by Trunc(b).
double intPower(double a, double b);
// General power: b = 0 gives 1, a = 0 with b > 0 gives 0, an integral b that fits 32 bits
// gives the integer power (so a negative base works), otherwise e^(b ln a).
Ext powerExt(Ext a, Ext b);
// powerExt rounded to double, by the fast route of rounded_math.hpp (same bits).
double power(double a, double b);

} // namespace ombrelune::steps
