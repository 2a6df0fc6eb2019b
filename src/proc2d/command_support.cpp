#include "proc2d/command_support.hpp"

#include "proc2d/processing_commands.hpp"

namespace ombrelune {

void runGuarded(Interpreter& in, std::string_view prefix, const std::function<void()>& work) {
    try {
        work();
    } catch (const ERefused& e) {
        in.wb().journal.appendLine("!! " + std::string(prefix) + e.what());
    }
}

spectre& requireSpectrum(spectlist& table, const std::string& name, std::string_view kind) {
    spectre* s = table.find(name);
    if (!s) throw ERefused(std::string(kind) + " " + name + " non trouvée");
    return *s;
}

void bindGuarded(CommandRegistry& registry, std::string_view name,
                 std::function<void(Interpreter&, const CommandArgs&)> work) {
    const std::string prefix = std::string(name) + " : ";
    registry.bind(name, [prefix, work = std::move(work)](Interpreter& in, const CommandArgs& args) {
        runGuarded(in, prefix, [&] { work(in, args); });
    });
}

void bindProcessingCommands(CommandRegistry& registry) {
    bindImageCommands(registry);
    bindSmallAngleCommands(registry);
    bindReshapeCommands(registry);
}

} // namespace ombrelune
