#include "script/command_support.hpp"

#include "store/store_ops.hpp"

#include <cmath>
#include <limits>

namespace ombrelune {

void runGuarded(Interpreter& in, std::string_view prefix, const std::function<void()>& work) {
    try {
        work();
    } catch (const ERefused& e) {
        in.wb().journal.appendLine("!! " + std::string(prefix) + e.what());
    }
}

void bindGuarded(CommandRegistry& registry, std::string_view name, CommandWork work) {
    const std::string prefix = std::string(name) + " : ";
    registry.bind(name, [prefix, work = std::move(work)](Interpreter& in, const CommandArgs& args) {
        runGuarded(in, prefix, [&] { work(in, args); });
    });
}

spectre& requireSpectrum(spectlist& table, const std::string& name, std::string_view kind) {
    spectre* s = table.find(name);
    if (!s) throw ERefused(std::string(kind) + " " + name + " non trouvée");
    return *s;
}

std::string_view spectrumKind(const Workbench& wb, const spectlist& table) {
    if (&table == &wb.spectres1D) return "courbe";
    if (&table == &wb.spectres2D) return "image";
    return "pile";
}

spectre& requireSpectrum(Interpreter& in, spectlist& table, const std::string& name) {
    return requireSpectrum(table, name, spectrumKind(in.wb(), table));
}

spectlist& requireTable(Interpreter& in, double list) {
    spectlist* table = in.wb().table(list);
    if (!table) throw ERefused("liste " + in.wb().number(list) + " inconnue (1, 2 ou 3)");
    return *table;
}

int requireCreated(spectlist& table, const std::string& name, std::int64_t nx, std::int64_t ny,
                   std::int64_t nz) {
    const int slot = table.create(name, nx, ny, nz);
    if (slot < 0)
        throw ERefused("impossible de créer " + name + " de " + std::to_string(nx) + " x " +
                       std::to_string(ny) + " x " + std::to_string(nz) +
                       " points (tailles refusées ou table pleine)");
    return slot;
}

tvaripar& requireScriptVariable(Interpreter& in, const std::string& name) {
    const auto p = in.scriptVariables().find(name);
    if (!p) throw ERefused(name + " n'est pas une variable de script (écrire @" + name + ")");
    return in.scriptVariables().descriptor(*p);
}

void journalRead(Journal& journal, const std::string& file, const std::string& spectrum) {
    journal.appendLine("ouverture de : " + file + " dans : " + spectrum);
}

void journalWritten(Journal& journal, const std::string& spectrum, const std::string& file) {
    journal.appendLine("sauvegarde de " + spectrum + " sous " + file);
}

std::int64_t roundedCount(long double v) {
    const double r = roundHalfEven(static_cast<double>(v));
    if (!std::isfinite(r) || std::fabs(r) > std::numeric_limits<std::int32_t>::max()) return -1;
    return static_cast<std::int64_t>(r);
}

} // namespace ombrelune
