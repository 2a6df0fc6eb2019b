#pragma once
// The three groups of processing commands; what every command shares (guarded binding,
// finding spectra) is in script/command_support.hpp.

#include "script/command_support.hpp"

namespace ombrelune {

void bindImageCommands(CommandRegistry& registry);
void bindSmallAngleCommands(CommandRegistry& registry);
void bindReshapeCommands(CommandRegistry& registry);

} // namespace ombrelune
