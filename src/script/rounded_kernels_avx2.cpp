// The bulk functions on AVX2 lanes with FMA (compiled with -mavx2 -mfma).
#define ROUNDED_ISA avx2
#define ROUNDED_WIDTH 4
#include "script/rounded_kernels_body.hpp"

namespace ombrelune::rounded {
const FunctionSet& avx2Functions() {
    return avx2::functionSet;
}
} // namespace ombrelune::rounded
