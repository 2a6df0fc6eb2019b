#pragma once
// Binds the routine of every script command: the basic and file commands, those of 2D
// processing, the fit and the NeXus writer. The desktop program and the headless runner
// call this once.

#include "script/command_registry.hpp"

namespace ombrelune {

void bindAllCommands(CommandRegistry& registry);

} // namespace ombrelune
