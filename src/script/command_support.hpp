#pragma once
// What the script commands share. A command that cannot do its work raises ERefused with
// the reason; bindGuarded turns it into the journal line "!! " + command + " : " + reason,
// and the script goes on. Other errors (files, numbers) go on to the engine.

#include "errors/errors.hpp"
#include "script/command_args.hpp"
#include "script/command_registry.hpp"
#include "script/interpreter.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ombrelune {

using CommandWork = std::function<void(Interpreter&, const CommandArgs&)>;

// Runs a command's work; an ERefused becomes the journal line "!! " + prefix + reason.
void runGuarded(Interpreter& in, std::string_view prefix, const std::function<void()>& work);
// Binds a command whose work runs guarded with the prefix "<name> : ".
void bindGuarded(CommandRegistry& registry, std::string_view name, CommandWork work);

// The spectrum of that name, or ERefused "<kind> <name> non trouvée".
spectre& requireSpectrum(spectlist& table, const std::string& name, std::string_view kind);
// What the spectra of a table are called in messages: "courbe", "image" or "pile".
std::string_view spectrumKind(const Workbench& wb, const spectlist& table);
// The spectrum of that name in a table of the workbench, or ERefused.
spectre& requireSpectrum(Interpreter& in, spectlist& table, const std::string& name);
// The table a list number selects (1, 2 or 3, compared exactly), or ERefused.
spectlist& requireTable(Interpreter& in, double list);
// Makes a spectrum as create() does and returns its slot, or ERefused naming the sizes.
int requireCreated(spectlist& table, const std::string& name, std::int64_t nx, std::int64_t ny,
                   std::int64_t nz);

// The script variable of that name (written "@name" in the call), or ERefused.
tvaripar& requireScriptVariable(Interpreter& in, const std::string& name);

// Every file a command reads or writes leaves a journal line naming it, once the work is
// done: "ouverture de : <file> dans : <spectrum>" and "sauvegarde de <spectrum> sous <file>".
// The windows that read and write spectra write the same lines.
void journalRead(Journal& journal, const std::string& file, const std::string& spectrum);
void journalWritten(Journal& journal, const std::string& spectrum, const std::string& file);

inline double numberArg(const CommandArgs& args, int k) {
    return static_cast<double>(args.number(k));
}
// A script number rounded half to even, as a size for create(): -1 when it is not finite
// or beyond 32 bits, which create() refuses.
std::int64_t roundedCount(long double v);

} // namespace ombrelune
