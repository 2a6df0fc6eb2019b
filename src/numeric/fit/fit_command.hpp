#pragma once
// The script command FitSpectre: a model fitted to a spectrum from a script, with the
// result written back to A..E and to a script array.

#include "script/command_registry.hpp"

namespace ombrelune {

void bindFitCommands(CommandRegistry& registry);

} // namespace ombrelune
