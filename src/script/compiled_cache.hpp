#pragma once
// Compiled expressions of the interpreter, keyed by their text, so that a loop does not
// recompile its lines on every pass. A text that failed to compile keeps its exception and
// fails again, with the same message, every time. The cache is emptied whenever the
// evaluator's variable table grows: a new name can change how a text compiles.

#include "script/parser.hpp"

#include <exception>
#include <memory>
#include <string>
#include <unordered_map>

namespace ombrelune {

class CompiledCache {
public:
    struct Entry {
        std::shared_ptr<CompiledExpression> compiled; // null when compiling failed
        std::exception_ptr error;
    };

    // The entry for a text, compiling it with the parser on first use.
    Entry& lookup(const TParser& parser, const std::string& text);

private:
    static constexpr std::size_t maxEntries = 4096;
    std::unordered_map<std::string, Entry> entries_;
    std::size_t variableCount_ = 0;
};

} // namespace ombrelune
