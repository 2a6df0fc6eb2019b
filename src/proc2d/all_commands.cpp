#include "proc2d/all_commands.hpp"

#include "nexus/nexus_commands.hpp"
#include "numeric/fit/fit_command.hpp"
#include "proc2d/processing_commands.hpp"
#include "script/script_commands.hpp"

namespace ombrelune {

void bindAllCommands(CommandRegistry& registry) {
    bindBasicCommands(registry);
    bindFileCommands(registry);
    bindProcessingCommands(registry);
    bindFitCommands(registry);
    bindNexusCommands(registry);
}

} // namespace ombrelune
