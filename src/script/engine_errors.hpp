#pragma once
// Errors of the script engine: a line that is not a valid statement. They stop the stepping;
// the message carries the line number and the line.

#include "store/errors.hpp"

namespace ombrelune {

class EvarError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

} // namespace ombrelune
