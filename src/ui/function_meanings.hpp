#pragma once
// One line of meaning for each function of the expressions, for the help index: what it
// computes, the unit of its angles (radians, except the names ending in RAD, which take
// degrees, and the DEG... inverses, which give them) and the values it gives outside its
// domain.

#include <string>

namespace ombrelune {

// The meaning of a function name (upper case) of the evaluator's library; empty for a
// name the library does not have.
std::string functionMeaning(const std::string& name);

} // namespace ombrelune
