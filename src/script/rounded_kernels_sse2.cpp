// The bulk functions on SSE2 lanes, for processors without AVX2 or FMA.
#define ROUNDED_ISA sse2
#define ROUNDED_WIDTH 2
#include "script/rounded_kernels_body.hpp"

namespace ombrelune::rounded {
const FunctionSet& sse2Functions() {
    return sse2::functionSet;
}
} // namespace ombrelune::rounded
