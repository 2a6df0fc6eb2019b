#pragma once
// The script commands that write NeXus files.

#include "script/command_registry.hpp"

namespace ombrelune {

void bindNexusCommands(CommandRegistry& registry);

} // namespace ombrelune
