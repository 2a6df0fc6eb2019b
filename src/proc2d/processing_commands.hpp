#pragma once
// The script commands of 2D and 3D processing, small-angle reduction, reshaping and the
// LAMP D17 reader. A command that refuses its arguments or misses a spectrum makes
// nothing, writes one journal line beginning "!! " and lets the script go on.

#include "script/command_registry.hpp"

namespace ombrelune {

void bindProcessingCommands(CommandRegistry& registry);

} // namespace ombrelune
