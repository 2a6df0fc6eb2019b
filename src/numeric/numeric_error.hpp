#pragma once
// The exception the numeric kernels raise on misuse (vector and matrix sizes, axis ranges).
// Its message is the exact text the user or the caller sees.

#include <stdexcept>

namespace ombrelune {

class ENumericError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace ombrelune
