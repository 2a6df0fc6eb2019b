#pragma once
// What the processing commands share: arguments as doubles, finding spectra, and turning
// a refusal into its journal line.

#include "proc2d/refusal.hpp"
#include "script/command_args.hpp"
#include "script/command_registry.hpp"
#include "script/interpreter.hpp"

#include <functional>
#include <string>
#include <string_view>

namespace ombrelune {

// Runs a command's work; an ERefused becomes the journal line "!! " + prefix + reason and
// the script goes on. Other errors (files) go on to the engine.
void runGuarded(Interpreter& in, std::string_view prefix, const std::function<void()>& work);

// The spectrum of that name, or ERefused "<kind> <name> non trouvée".
spectre& requireSpectrum(spectlist& table, const std::string& name, std::string_view kind);

inline double numberArg(const CommandArgs& args, int k) {
    return static_cast<double>(args.number(k));
}

// Registers a command whose work runs guarded with the prefix "<name> : ".
void bindGuarded(CommandRegistry& registry, std::string_view name,
                 std::function<void(Interpreter&, const CommandArgs&)> work);

void bindImageCommands(CommandRegistry& registry);
void bindSmallAngleCommands(CommandRegistry& registry);
void bindReshapeCommands(CommandRegistry& registry);

} // namespace ombrelune
