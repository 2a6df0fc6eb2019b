#include "script/rounded_math.hpp"

#include "script/expression_steps.hpp"

#include <cmath>

namespace ombrelune::rounded {

const FunctionSet& avx2Functions();
const FunctionSet& sse2Functions();

namespace reference {
namespace {
using Ext = long double;
} // namespace

double sin(double x) {
    return static_cast<double>(std::sin(Ext{x}));
}
double cos(double x) {
    return static_cast<double>(std::cos(Ext{x}));
}
double tan(double x) {
    return static_cast<double>(std::tan(Ext{x}));
}
double exp(double x) {
    return static_cast<double>(std::exp(Ext{x}));
}
double ln(double x) {
    return x > 0 ? static_cast<double>(std::log(Ext{x})) : -200000;
}
double log10(double x) {
    return x > 0 ? static_cast<double>(std::log10(Ext{x})) : -200000;
}
double log2(double x) {
    return x > 0 ? static_cast<double>(std::log2(Ext{x})) : -200000;
}
double sqrt(double x) {
    return static_cast<double>(std::sqrt(Ext{x}));
}
double atan(double x) {
    return static_cast<double>(std::atan(Ext{x}));
}
double power(double a, double b) {
    return static_cast<double>(steps::powerExt(a, b));
}
} // namespace reference

bool hasAvx2() {
    static const bool available = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return available;
}

const FunctionSet& functions(InstructionSet set) {
    if (set == InstructionSet::best) {
        static const FunctionSet& best = hasAvx2() ? avx2Functions() : sse2Functions();
        return best;
    }
    return set == InstructionSet::avx2 && hasAvx2() ? avx2Functions() : sse2Functions();
}

} // namespace ombrelune::rounded
