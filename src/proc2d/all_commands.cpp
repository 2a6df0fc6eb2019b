#include "proc2d/all_commands.hpp"

#include "proc2d/processing_commands.hpp"
#include "script/script_commands.hpp"

namespace ombrelune {

void bindAllCommands(CommandRegistry& registry) {
    bindBasicCommands(registry);
    bindFileCommands(registry);
    bindProcessingCommands(registry);
}

} // namespace ombrelune
