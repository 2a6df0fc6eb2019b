#pragma once
// Why a fit or a difference cannot start. Raised before any work, so a refused fit leaves the
// parameters and the spectra as they were.

#include "store/errors.hpp"

namespace ombrelune {

class EFitError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

} // namespace ombrelune
