#include "script/command_support.hpp"
#include "script/script_commands.hpp"
#include "store/store_ops.hpp"

#include <chrono>
#include <cmath>

namespace ombrelune {
namespace {

// Waits while the host handles events. STOP ends the wait, and so do the runner's timeout
// and Ctrl-C (its host raises from processEvents).
void cmdDelay(Interpreter& in, const CommandArgs& a) {
    const double seconds = numberArg(a, 1);
    if (!std::isfinite(seconds) || seconds < 0)
        throw ERefused("durée " + in.wb().number(seconds) + " refusée (un nombre de secondes fini, 0 ou plus)");
    if (seconds == 0) return;
    StepTimerPause pause(in.host());
    const std::uint64_t stops = in.stopCount();
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <=
               seconds &&
           in.stopCount() == stops)
        in.host().processEvents();
}

void cmdAddComment(Interpreter& in, const CommandArgs& a) {
    in.wb().journal.appendLine(a.joinedTexts(1));
}

void cmdSetString(Interpreter& in, const CommandArgs& a) {
    requireScriptVariable(in, a.text(1)).text = a.joinedTexts(2);
}

void cmdSetTab(Interpreter& in, const CommandArgs& a) {
    std::vector<double>& values = requireScriptVariable(in, a.text(1)).values;
    constexpr double maxIndex = 1000000;
    const double first = roundHalfEven(numberArg(a, 2));
    for (int k = 3; k <= CommandArgs::slotCount; ++k) {
        if (a.text(k).empty()) continue;
        const double i = first + (k - 3);
        // An index from a typo must not grow the array without bound.
        if (!(i >= 0 && i <= maxIndex))
            throw ERefused("indice " + in.wb().number(i) + " hors de 0..1000000 pour " + a.text(1));
        if (values.size() < std::size_t(i) + 1) values.resize(std::size_t(i) + 1, 0.0);
        values[std::size_t(i)] = numberArg(a, k);
    }
}

void addPointIn(Interpreter& in, spectlist& table, const std::string& name, double x, double y,
                double z, double value, double mon) {
    requireSpectrum(in, table, name);
    table.addPoint(name, x, y, z, value, mon);
}

void cmdAddPt(Interpreter& in, const CommandArgs& a) {
    addPointIn(in, requireTable(in, numberArg(a, 1)), a.text(2), numberArg(a, 3), numberArg(a, 4),
               numberArg(a, 5), numberArg(a, 6), numberArg(a, 7));
}

void cmdAddPoint1D(Interpreter& in, const CommandArgs& a) {
    addPointIn(in, in.wb().spectres1D, a.text(1), numberArg(a, 2), 0, 0, numberArg(a, 3),
               numberArg(a, 4));
}

spectre& listedSpectrum(Interpreter& in, const CommandArgs& a) {
    return requireSpectrum(in, requireTable(in, numberArg(a, 1)), a.text(2));
}

void cmdClearSpectre(Interpreter& in, const CommandArgs& a) { listedSpectrum(in, a).clear(); }

void cmdAddSpectre(Interpreter& in, const CommandArgs& a) {
    std::int64_t sizes[3];
    for (int k = 0; k < 3; ++k) {
        sizes[k] = roundedCount(a.number(3 + k));
        if (sizes[k] < 0)
            throw ERefused("taille " + in.wb().number(static_cast<double>(a.number(3 + k))) +
                           " refusée pour " + a.text(2) + " (un entier de 0 à 2147483647)");
    }
    requireCreated(requireTable(in, numberArg(a, 1)), a.text(2), sizes[0], sizes[1], sizes[2]);
}

void cmdSetExpCond(Interpreter& in, const CommandArgs& a) {
    listedSpectrum(in, a).setExpCond(a.text(3), numberArg(a, 4));
}

void cmdSetComment(Interpreter& in, const CommandArgs& a) {
    listedSpectrum(in, a).comment = a.joinedTexts(3);
}

// A made image has monitor 0, which monitor normalisation refuses; this sets a real count.
void cmdSetMonitor(Interpreter& in, const CommandArgs& a) {
    spectre& s = listedSpectrum(in, a);
    const double monitor = numberArg(a, 3);
    if (!(std::isfinite(monitor) && monitor > 0))
        throw ERefused("moniteur " + in.wb().number(monitor) + " refusé pour " + s.name +
                       " (un nombre fini au-dessus de 0)");
    s.monitor = monitor;
}

CommandWork deleteIn(spectlist Workbench::*table) {
    return [table](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        requireSpectrum(in, t, a.text(1));
        t.removeByName(a.text(1));
    };
}

// Why a store operation refused: a missing operand, different sizes, or no room for the
// result. b is null for the one-operand operations.
[[noreturn]] void refuseOperation(Interpreter& in, spectlist& t, const std::string& a,
                                  const std::string* b, const std::string& r) {
    const spectre& sa = requireSpectrum(in, t, a);
    if (b) {
        const spectre& sb = requireSpectrum(in, t, *b);
        if (sa.nx != sb.nx || sa.ny != sb.ny || sa.nz != sb.nz)
            throw ERefused(a + " et " + *b + " n'ont pas les mêmes tailles");
    }
    throw ERefused("impossible de créer " + r + " (table pleine)");
}

using BinaryOp = bool (*)(spectlist&, std::string_view, std::string_view, std::string_view);
using ScalarOp = bool (*)(spectlist&, std::string_view, std::string_view, double);

CommandWork binaryIn(spectlist Workbench::*table, BinaryOp op) {
    return [table, op](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        if (!op(t, a.text(1), a.text(2), a.text(3)))
            refuseOperation(in, t, a.text(1), &a.text(2), a.text(3));
    };
}

CommandWork scalarIn(spectlist Workbench::*table, ScalarOp op) {
    return [table, op](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        const double s = numberArg(a, 1);
        if (op(t, a.text(2), a.text(3), s)) return;
        if (s == 0 && t.indexOf(a.text(2)) >= 0) throw ERefused("facteur nul refusé");
        refuseOperation(in, t, a.text(2), nullptr, a.text(3));
    };
}

CommandWork sqrtIn(spectlist Workbench::*table) {
    return [table](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        if (!opSqrt(t, a.text(1), a.text(2))) refuseOperation(in, t, a.text(1), nullptr, a.text(2));
    };
}

void cmdIntegrale1D(Interpreter& in, const CommandArgs& a) {
    const spectre& c = requireSpectrum(in, in.wb().spectres1D, a.text(1));
    in.reportNumber(integral1D(c, numberArg(a, 2), numberArg(a, 3)), a.text(4));
}

} // namespace

void bindBasicCommands(CommandRegistry& r) {
    bindGuarded(r, "delay", cmdDelay);
    r.bind("addcomment", cmdAddComment);
    bindGuarded(r, "Setstring", cmdSetString);
    bindGuarded(r, "Settab", cmdSetTab);
    bindGuarded(r, "addpt", cmdAddPt);
    bindGuarded(r, "addpoint1D", cmdAddPoint1D);
    bindGuarded(r, "clearspectre", cmdClearSpectre);
    bindGuarded(r, "addspectre", cmdAddSpectre);
    bindGuarded(r, "SetExpCond", cmdSetExpCond);
    bindGuarded(r, "SetComment", cmdSetComment);
    bindGuarded(r, "SetMonitor", cmdSetMonitor);
    bindGuarded(r, "IntegraleSpectre1D", cmdIntegrale1D);
    for (const char* name : {"delSpectre1D", "del1D"})
        bindGuarded(r, name, deleteIn(&Workbench::spectres1D));
    for (const char* name : {"delSpectre2D", "del2D"})
        bindGuarded(r, name, deleteIn(&Workbench::spectres2D));
    bindGuarded(r, "sqrt1D", sqrtIn(&Workbench::spectres1D));
    bindGuarded(r, "sqrt2D", sqrtIn(&Workbench::spectres2D));

    const std::pair<const char*, spectlist Workbench::*> tables[] = {
        {"1D", &Workbench::spectres1D}, {"2D", &Workbench::spectres2D}};
    const std::pair<const char*, BinaryOp> binary[] = {
        {"add", opAdd}, {"sub", opSub}, {"mult", opMult}, {"div", opDiv}};
    const std::pair<const char*, ScalarOp> scalar[] = {{"scalAdd", opScalAdd},
                                                       {"scalSub", opScalSub},
                                                       {"scalMult", opScalMult},
                                                       {"scalDiv", opScalDiv}};
    // Each operation has a long name and a short alias: addSpectre1D and add1D.
    for (const auto& [suffix, table] : tables) {
        for (const auto& [stem, op] : binary)
            for (const std::string& name : {stem + std::string("Spectre") + suffix, stem + std::string(suffix)})
                bindGuarded(r, name, binaryIn(table, op));
        for (const auto& [stem, op] : scalar)
            for (const std::string& name : {stem + std::string("Spectre") + suffix, stem + std::string(suffix)})
                bindGuarded(r, name, scalarIn(table, op));
    }
}

} // namespace ombrelune
