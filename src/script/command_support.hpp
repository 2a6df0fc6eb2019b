#pragma once
// Helpers shared by the script commands: reporting refusals, finding spectra, and turning
// script numbers into sizes and indexes.

#include "script/command_args.hpp"
#include "script/interpreter.hpp"

#include <cstdint>
#include <string>

namespace ombrelune {

// The journal line of a command that refuses its work: "!! " + command + " : " + why.
void refuse(Interpreter& in, const CommandArgs& args, const std::string& why);

// The spectrum of that name in the table, or nullptr after a refusal line saying so.
spectre* findOrRefuse(Interpreter& in, const CommandArgs& args, spectlist& table,
                      const std::string& name);
// The table selected by a list number (1, 2 or 3), or nullptr after a refusal line.
spectlist* tableOrRefuse(Interpreter& in, const CommandArgs& args, long double list);

// A script number rounded half to even, as a size or index for create(): -1 when it is not
// finite or beyond 32 bits, which create() refuses.
std::int64_t roundedCount(long double v);

// Makes a spectrum like create() does, or refuses with a line naming the sizes.
int createOrRefuse(Interpreter& in, const CommandArgs& args, spectlist& table,
                   const std::string& name, std::int64_t nx, std::int64_t ny, std::int64_t nz);

} // namespace ombrelune
