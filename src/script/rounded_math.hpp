#pragma once
// Fast versions of the extended-precision functions of the evaluator. Each returns exactly
// the double that rounding the long double routine's result gives (the reference:: forms
// below, which are what every step computed before), for every argument, NaN and the
// infinities included: a double-double evaluation with a proven error bound decides the
// double where the bound allows (almost always), the long double routine is called where it
// does not. Bulk forms take whole arrays and use vector lanes (AVX2 with FMA where the
// processor has them, SSE2 otherwise); the results are the same either way.
//
// The bulk forms accept r == x (in place); strides of 0 repeat one value.

#include <cstddef>

namespace ombrelune::rounded {

using UnaryBulk = void (*)(const double* x, double* r, std::size_t n);
using BinaryBulk = void (*)(const double* a, std::size_t aStride, const double* b,
                            std::size_t bStride, double* r, std::size_t n);

// The long double routines, rounded once to double: the definition of each function.
namespace reference {
double sin(double x);
double cos(double x);
double tan(double x);
double exp(double x);
double ln(double x);    // -200000 for x <= 0 and NaN
double log10(double x); // the same
double log2(double x);  // the same
double sqrt(double x);
double atan(double x);
double power(double a, double b); // the evaluator's general power
} // namespace reference

// Which lane set runs: the best the processor offers, unless forced (for tests and the
// proof tool).
enum class InstructionSet { best, avx2, sse2 };
struct FunctionSet {
    UnaryBulk sin, cos, tan, exp, ln, log10, log2, sqrt, atan;
    BinaryBulk power;
};
const FunctionSet& functions(InstructionSet set = InstructionSet::best);
// True when this processor can run the AVX2 set.
bool hasAvx2();

// Arguments this thread handed to the long double routines (for the proof tool and the
// benchmarks; about 1 % of ordinary arguments).
inline thread_local unsigned long long fallbackCount = 0;

inline double sin(double x) {
    double r;
    functions().sin(&x, &r, 1);
    return r;
}
inline double cos(double x) {
    double r;
    functions().cos(&x, &r, 1);
    return r;
}
inline double tan(double x) {
    double r;
    functions().tan(&x, &r, 1);
    return r;
}
inline double exp(double x) {
    double r;
    functions().exp(&x, &r, 1);
    return r;
}
inline double ln(double x) {
    double r;
    functions().ln(&x, &r, 1);
    return r;
}
inline double log10(double x) {
    double r;
    functions().log10(&x, &r, 1);
    return r;
}
inline double log2(double x) {
    double r;
    functions().log2(&x, &r, 1);
    return r;
}
inline double sqrt(double x) {
    double r;
    functions().sqrt(&x, &r, 1);
    return r;
}
inline double atan(double x) {
    double r;
    functions().atan(&x, &r, 1);
    return r;
}
inline double power(double a, double b) {
    double r;
    functions().power(&a, 0, &b, 0, &r, 1);
    return r;
}

} // namespace ombrelune::rounded
