#include "script/expression_steps.hpp"

#include "errors/errors.hpp"
#include "script/rounded_math.hpp"

#include <cmath>
#include <limits>

namespace ombrelune::steps {

Ext intPowerExt(Ext a, std::int32_t n) {
    std::uint64_t bits = n < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(n))
                               : static_cast<std::uint64_t>(n);
    Ext result = 1;
    Ext base = a;
    while (bits != 0) {
        if (bits & 1U) result *= base;
        bits >>= 1U;
        if (bits != 0) base *= base;
    }
    return n < 0 ? 1 / result : result;
}

std::int32_t exponentOf(double b) {
    const double t = std::trunc(b);
    // NaN fails both comparisons and is refused with the infinities.
    if (!(t >= std::numeric_limits<std::int32_t>::min() &&
          t <= std::numeric_limits<std::int32_t>::max()))
        throw ERangeError();
    return static_cast<std::int32_t>(t);
}

double intPower(double a, double b) {
    return static_cast<double>(intPowerExt(a, exponentOf(b)));
}

Ext powerExt(Ext a, Ext b) {
    if (b == 0) return 1;
    if (a == 0 && b > 0) return 0;
    if (std::trunc(b) == b && std::fabs(b) <= std::numeric_limits<std::int32_t>::max())
        return intPowerExt(a, static_cast<std::int32_t>(b));
    return std::exp(b * std::log(a));
}

double power(double a, double b) {
    return rounded::power(a, b);
}

} // namespace ombrelune::steps
