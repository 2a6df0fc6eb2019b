#include "proc2d/command_support.hpp"

#include "proc2d/processing_commands.hpp"

namespace ombrelune {

void bindProcessingCommands(CommandRegistry& registry) {
    bindImageCommands(registry);
    bindSmallAngleCommands(registry);
    bindReshapeCommands(registry);
}

} // namespace ombrelune
