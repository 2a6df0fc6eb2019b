#include "script/command_support.hpp"
#include "script/script_commands.hpp"
#include "store/store_ops.hpp"

#include <chrono>
#include <cmath>

namespace ombrelune {
namespace {

void cmdDelay(Interpreter& in, const CommandArgs& a) {
    const double seconds = static_cast<double>(a.number(1));
    if (!(seconds > 0)) return;
    StepTimerPause pause(in.host());
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <= seconds)
        in.host().processEvents();
}

void cmdAddComment(Interpreter& in, const CommandArgs& a) { in.wb().journal.appendLine(a.joinedTexts(1)); }

std::optional<std::size_t> scriptVariable(Interpreter& in, const CommandArgs& a) {
    const auto p = in.scriptVariables().find(a.text(1));
    if (!p) refuse(in, a, a.text(1) + " n'est pas une variable de script (écrire @" + a.text(1) + ")");
    return p;
}

void cmdSetString(Interpreter& in, const CommandArgs& a) {
    if (const auto p = scriptVariable(in, a)) in.scriptVariables().descriptor(*p).text = a.joinedTexts(2);
}

void cmdSetTab(Interpreter& in, const CommandArgs& a) {
    const auto p = scriptVariable(in, a);
    if (!p) return;
    constexpr double maxIndex = 1000000;
    std::vector<double>& values = in.scriptVariables().descriptor(*p).values;
    const double first = roundHalfEven(static_cast<double>(a.number(2)));
    for (int k = 3; k <= CommandArgs::slotCount; ++k) {
        if (a.text(k).empty()) continue;
        const double i = first + (k - 3);
        if (!(i >= 0 && i <= maxIndex)) {
            refuse(in, a, "indice " + in.wb().number(i) + " hors de 0..1000000 pour " + a.text(1));
            return;
        }
        if (values.size() < std::size_t(i) + 1) values.resize(std::size_t(i) + 1, 0.0);
        values[std::size_t(i)] = static_cast<double>(a.number(k));
    }
}

void addPointIn(Interpreter& in, const CommandArgs& a, spectlist& table, const std::string& name,
                double x, double y, double z, double value, double mon) {
    if (findOrRefuse(in, a, table, name)) table.addPoint(name, x, y, z, value, mon);
}

void cmdAddPt(Interpreter& in, const CommandArgs& a) {
    if (spectlist* t = tableOrRefuse(in, a, a.number(1)))
        addPointIn(in, a, *t, a.text(2), double(a.number(3)), double(a.number(4)),
                   double(a.number(5)), double(a.number(6)), double(a.number(7)));
}

void cmdAddPoint1D(Interpreter& in, const CommandArgs& a) {
    addPointIn(in, a, in.wb().spectres1D, a.text(1), double(a.number(2)), 0, 0, double(a.number(3)),
               double(a.number(4)));
}

void cmdClearSpectre(Interpreter& in, const CommandArgs& a) {
    if (spectlist* t = tableOrRefuse(in, a, a.number(1)))
        if (spectre* s = findOrRefuse(in, a, *t, a.text(2))) s->clear();
}

void cmdAddSpectre(Interpreter& in, const CommandArgs& a) {
    if (spectlist* t = tableOrRefuse(in, a, a.number(1)))
        createOrRefuse(in, a, *t, a.text(2), roundedCount(a.number(3)), roundedCount(a.number(4)),
                       roundedCount(a.number(5)));
}

void cmdSetExpCond(Interpreter& in, const CommandArgs& a) {
    if (spectlist* t = tableOrRefuse(in, a, a.number(1)))
        if (spectre* s = findOrRefuse(in, a, *t, a.text(2)))
            s->setExpCond(a.text(3), double(a.number(4)));
}

void cmdSetComment(Interpreter& in, const CommandArgs& a) {
    if (spectlist* t = tableOrRefuse(in, a, a.number(1)))
        if (spectre* s = findOrRefuse(in, a, *t, a.text(2))) s->comment = a.joinedTexts(3);
}

CommandRoutine deleteIn(spectlist Workbench::*table) {
    return [table](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        if (findOrRefuse(in, a, t, a.text(1))) t.removeByName(a.text(1));
    };
}

// Why a store operation refused: a missing operand, different sizes, or no room for the
// result. b is null for the one-operand operations.
std::string refusalReason(const spectlist& t, const std::string& a, const std::string* b,
                          const std::string& r) {
    const spectre* sa = t.find(a);
    if (!sa) return a + " non trouvé";
    if (b) {
        const spectre* sb = t.find(*b);
        if (!sb) return *b + " non trouvé";
        if (sa->nx != sb->nx || sa->ny != sb->ny || sa->nz != sb->nz)
            return a + " et " + *b + " n'ont pas les mêmes tailles";
    }
    return "impossible de créer " + r + " (table pleine)";
}

using BinaryOp = bool (*)(spectlist&, std::string_view, std::string_view, std::string_view);
using ScalarOp = bool (*)(spectlist&, std::string_view, std::string_view, double);

CommandRoutine binaryIn(spectlist Workbench::*table, BinaryOp op) {
    return [table, op](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        if (!op(t, a.text(1), a.text(2), a.text(3)))
            refuse(in, a, refusalReason(t, a.text(1), &a.text(2), a.text(3)));
    };
}

CommandRoutine scalarIn(spectlist Workbench::*table, ScalarOp op) {
    return [table, op](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        const double s = static_cast<double>(a.number(1));
        if (op(t, a.text(2), a.text(3), s))
            return;
        if (t.indexOf(a.text(2)) >= 0 && s == 0)
            refuse(in, a, "facteur nul refusé");
        else
            refuse(in, a, refusalReason(t, a.text(2), nullptr, a.text(3)));
    };
}

CommandRoutine sqrtIn(spectlist Workbench::*table) {
    return [table](Interpreter& in, const CommandArgs& a) {
        spectlist& t = in.wb().*table;
        if (!opSqrt(t, a.text(1), a.text(2))) refuse(in, a, refusalReason(t, a.text(1), nullptr, a.text(2)));
    };
}

void cmdIntegrale1D(Interpreter& in, const CommandArgs& a) {
    if (const spectre* c = findOrRefuse(in, a, in.wb().spectres1D, a.text(1)))
        in.reportNumber(integral1D(*c, double(a.number(2)), double(a.number(3))), a.text(4));
}

} // namespace

void bindBasicCommands(CommandRegistry& r) {
    r.bind("delay", cmdDelay);
    r.bind("addcomment", cmdAddComment);
    r.bind("Setstring", cmdSetString);
    r.bind("Settab", cmdSetTab);
    r.bind("addpt", cmdAddPt);
    r.bind("addpoint1D", cmdAddPoint1D);
    r.bind("clearspectre", cmdClearSpectre);
    r.bind("addspectre", cmdAddSpectre);
    r.bind("SetExpCond", cmdSetExpCond);
    r.bind("SetComment", cmdSetComment);
    r.bind("IntegraleSpectre1D", cmdIntegrale1D);
    for (const char* name : {"delSpectre1D", "del1D"}) r.bind(name, deleteIn(&Workbench::spectres1D));
    for (const char* name : {"delSpectre2D", "del2D"}) r.bind(name, deleteIn(&Workbench::spectres2D));
    r.bind("sqrt1D", sqrtIn(&Workbench::spectres1D));
    r.bind("sqrt2D", sqrtIn(&Workbench::spectres2D));

    struct Arithmetic {
        const char* longName;
        const char* shortName;
        BinaryOp op;
    };
    for (const Arithmetic& op : {Arithmetic{"addSpectre", "add", opAdd},
                                 Arithmetic{"subSpectre", "sub", opSub},
                                 Arithmetic{"multSpectre", "mult", opMult},
                                 Arithmetic{"divSpectre", "div", opDiv}})
        for (const auto& [suffix, table] :
             {std::pair{"1D", &Workbench::spectres1D}, std::pair{"2D", &Workbench::spectres2D}}) {
            r.bind(std::string(op.longName) + suffix, binaryIn(table, op.op));
            r.bind(std::string(op.shortName) + suffix, binaryIn(table, op.op));
        }
    struct Scalar {
        const char* name;
        ScalarOp op;
    };
    for (const Scalar& op : {Scalar{"scalAdd", opScalAdd}, Scalar{"scalSub", opScalSub},
                             Scalar{"scalMult", opScalMult}, Scalar{"scalDiv", opScalDiv}})
        for (const auto& [suffix, table] :
             {std::pair{"1D", &Workbench::spectres1D}, std::pair{"2D", &Workbench::spectres2D}}) {
            r.bind(std::string(op.name) + "Spectre" + suffix, scalarIn(table, op.op));
            r.bind(std::string(op.name) + suffix, scalarIn(table, op.op));
        }
}

} // namespace ombrelune
