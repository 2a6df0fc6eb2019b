#pragma once
// Why a fit or a difference cannot start or did not finish. Raised before any result is
// written, so a refused or cancelled fit leaves the parameters and the spectra as they were.

#include "store/errors.hpp"

namespace ombrelune {

class EFitError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// The sum of squares at the start values is an infinity or NaN: no minimiser can compare
// anything with it.
class ENonFiniteStart : public EFitError {
public:
    explicit ENonFiniteStart(const std::string& sum)
        : EFitError("the sum of squares at the start values is " + sum), sum(sum) {}
    std::string sum; // "NAN", "INF" or "-INF"
};

// The fit was asked to stop (FitControl::cancel).
class EFitCancelled : public EFitError {
public:
    EFitCancelled() : EFitError("Fit cancelled") {}
};

} // namespace ombrelune
