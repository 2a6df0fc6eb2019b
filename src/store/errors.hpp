#pragma once
// The program's own exceptions. Each carries the exact message the user sees.

#include <stdexcept>
#include <string>

namespace ombrelune {

// Base of every exception the program raises on purpose.
class OmbreluneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file could not be opened, read, written or closed, or its content is malformed.
class EInOutError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// An operation refuses its input. The message says what was wrong in the words of the
// journal line that reports it (the command adds "!! " and its own name).
class ERefused : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// A text is not a number: "'%s' is not a valid floating point value".
class EConvertError : public OmbreluneError {
public:
    explicit EConvertError(const std::string& text)
        : OmbreluneError("'" + text + "' is not a valid floating point value") {}
};

} // namespace ombrelune
