#pragma once
// Every exception the program raises on purpose, in one place. All derive from
// OmbreluneError, so a caller that reports failures catches that one root; each carries
// the exact message the user sees. The command layer turns them into "!! " journal lines
// and the runner into exit statuses; nothing below it returns a failure code instead.
//
//   OmbreluneError
//   ├── EInOutError        a file could not be opened, read or written, or is malformed
//   ├── ERefused           an operation refuses its input (missing operand, sizes, ...)
//   ├── EOutOfMemory       an allocation failed: what was asked and how many bytes
//   ├── EConvertError      a text is not a number
//   ├── EvarError          a script line is not a valid statement
//   ├── EMathParserError   a formula does not compile or evaluate (and its kinds below)
//   ├── EBadName           a variable name that is not an identifier
//   ├── ENumericError      a numeric kernel is misused (vector and matrix sizes, ranges)
//   └── EFitError          a fit cannot start or did not finish

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ombrelune {

class OmbreluneError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A short, printable form of text taken from a file or a user, for an error message: at
// most maxChars characters between single quotes, control characters and bytes that are
// not UTF-8 written as \xNN, and "..." when it was cut.
std::string excerpt(std::string_view text, std::size_t maxChars = 40);

class EInOutError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// The message says what was wrong in the words of the journal line that reports it (the
// command adds "!! " and its own name).
class ERefused : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// "mémoire insuffisante pour <what> (<bytes> octets)", the size left out when unknown (0);
// the command adds its own name.
class EOutOfMemory : public OmbreluneError {
public:
    EOutOfMemory(const std::string& what, std::size_t bytes);
};

// Runs make() and turns an allocation failure into EOutOfMemory naming what and the size.
template <typename Make> auto allocating(const std::string& what, std::size_t bytes, Make&& make) {
    try {
        return make();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory(what, bytes);
    } catch (const std::length_error&) {
        throw EOutOfMemory(what, bytes);
    }
}

// "'%s' is not a valid floating point value", the text shown as an excerpt.
class EConvertError : public OmbreluneError {
public:
    explicit EConvertError(std::string_view text);
};

// A script line that is not a valid statement; stops the stepping.
class EvarError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// --- The evaluator's errors. "\r" inside a message is a carriage return (character 13),
// as the error box expects.

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

// --- Numeric kernels and fits.

class ENumericError : public OmbreluneError {
public:
    using OmbreluneError::OmbreluneError;
};

// Raised before any result is written, so a refused or cancelled fit leaves the
// parameters and the spectra as they were.
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
