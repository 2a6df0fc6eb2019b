#pragma once
// A processing step that refuses its input. The message says what was wrong in the words
// of the journal line that reports it (the command adds "!! " and its own name).

#include "store/errors.hpp"

namespace ombrelune {

class ERefused : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

} // namespace ombrelune
