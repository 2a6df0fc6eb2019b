#pragma once
// The evaluator's exceptions. Each carries the exact text the user sees in the error box;
// "\r" inside a message is a carriage return (character 13), as the box expects.

#include "store/errors.hpp"

#include <string>

namespace ombrelune {

// Base of every error a formula can raise while it is compiled or evaluated.
class EMathParserError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// A blank is left inside the text once the blanks around it are removed.
class EExpressionHasBlanks : public EMathParserError {
public:
    EExpressionHasBlanks() : EMathParserError("Expression has blanks") {}
};

// The opening and closing brackets are not as many; `missing` is ")" or "(".
class EMissMatchingBracket : public EMathParserError {
public:
    explicit EMissMatchingBracket(char missing)
        : EMathParserError(std::string("Missing brackets in expression (\"") + missing + "\")") {}
};

// A piece of text is none of the terms the language knows.
class ESyntaxError : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};

// An operand would sit deeper than 20 levels below the whole expression.
class ETooManyNestings : public EMathParserError {
public:
    ETooManyNestings() : EMathParserError("Expression contains too many nestings") {}
};

// A level would hold more than 50 operations, or the text is longer than any valid
// expression can be.
class EExpressionTooComplex : public EMathParserError {
public:
    EExpressionTooComplex() : EMathParserError("Expression is too complex") {}
};

// The compiler's own bookkeeping went wrong; never caused by the text alone.
class EParserInternalError : public EMathParserError {
public:
    EParserInternalError() : EMathParserError("TParser internal error") {}
};

// An integer exponent does not fit a 32-bit signed integer.
class ERangeError : public EMathParserError {
public:
    ERangeError() : EMathParserError("Range check error") {}
};

// A variable name that is not an identifier; the message is the name itself.
class EBadName : public OmbreluneError {
public:
    explicit EBadName(const std::string& name) : OmbreluneError(name) {}
};

} // namespace ombrelune
