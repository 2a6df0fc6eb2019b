#pragma once
// Routines of the basic commands (journal comments, waiting, script-variable texts and
// arrays, creating, filling, clearing and deleting spectra, conditions, comments, whole
// spectrum arithmetic) and of the file commands.

#include "script/command_registry.hpp"

namespace ombrelune {

void bindBasicCommands(CommandRegistry& registry);
void bindFileCommands(CommandRegistry& registry);

} // namespace ombrelune
