#pragma once
// The expression compiler: turns a formula's text into the flat step list of
// expression_list.hpp, against the evaluator's tables. It keeps no state between calls.

#include "script/expression_list.hpp"

#include <cstddef>
#include <memory>
#include <string_view>

namespace ombrelune {

// No valid expression within the nesting limits is this long; refusing longer texts at once
// also bounds the work and the recursion of one compilation.
inline constexpr std::size_t maxExpressionLength = 10000;
// An operand may sit at most 20 levels below the whole expression, and one level holds at
// most 50 operations.
inline constexpr int maxNestingLevel = 20;
inline constexpr int maxOperationsPerLevel = 50;

// Compiles `text` (any case, blanks around it allowed). Raises an EMathParserError
// descendant (ERangeError for a constant integer exponent beyond 32 bits); on failure
// nothing of the compilation survives. The list refers to the cells of `tables.variables`,
// which must outlive it.
std::shared_ptr<CompiledExpression> compileExpression(std::string_view text,
                                                      const CompilerTables& tables);

} // namespace ombrelune
