#include "nexus/nexus_commands.hpp"

#include "nexus/nxcansas.hpp"
#include "script/command_support.hpp"

namespace ombrelune {
namespace {

void cmdSaveNXcanSAS(Interpreter& in, const CommandArgs& a) {
    StepTimerPause pause(in.host());
    const spectre& curve = requireSpectrum(in, in.wb().spectres1D, a.text(1));
    const std::string& file = a.text(2);
    const NXcanSASCurve content = nxcansasCurve(curve, {a.text(3), a.text(4), a.text(5)});
    try {
        writeNXcanSAS(content, file);
    } catch (const EInOutError& e) {
        throw ERefused(e.what());
    }
    journalWritten(in.wb().journal, curve.name, file);
}

} // namespace

void bindNexusCommands(CommandRegistry& registry) {
    bindGuarded(registry, "SaveNXcanSAS", cmdSaveNXcanSAS);
}

} // namespace ombrelune
