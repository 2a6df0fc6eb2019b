// Smoothing, integrals, projections, monitor normalisation, stacks and the LAMP D17 reader.

#include "proc2d/command_support.hpp"
#include "proc2d/projections.hpp"
#include "proc2d/smoothing.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "proc2d/stacks.hpp"
#include "proc2d/view_readers.hpp"
#include "store/store_ops.hpp"

namespace ombrelune {
namespace {

using Projection = spectre (*)(const spectre&, const std::string&, double, double);
using Smoothing = spectre (*)(const spectre&, double, const std::string&);

// Smooth1D / Smooth2D: source, width, destination.
void smooth(const CommandArgs& args, spectlist& table, std::string_view kind, Smoothing smoothing) {
    const spectre& source = requireSpectrum(table, args.text(1), kind);
    storeResult(table, smoothing(source, numberArg(args, 2), args.text(3)));
}

// ProjectionHSpectre2D / ProjectionVSpectre2D: image, first, last, curve.
void project(Interpreter& in, const CommandArgs& args, Projection projection) {
    Workbench& wb = in.wb();
    const spectre& image = requireSpectrum(wb.spectres2D, args.text(1), "image");
    storeResult(wb.spectres1D,
                projection(image, args.text(4), numberArg(args, 2), numberArg(args, 3)));
}

void add3D(Interpreter& in, const CommandArgs& args) {
    spectlist& stacks = in.wb().spectres3D;
    const spectre& a = requireSpectrum(stacks, args.text(1), "pile");
    const spectre& b = requireSpectrum(stacks, args.text(2), "pile");
    if (a.nx != b.nx || a.ny != b.ny || a.nz != b.nz)
        throw ERefused("tailles différentes de " + a.name + " et " + b.name);
    if (!opAdd(stacks, args.text(1), args.text(2), args.text(3)))
        throw ERefused("table pleine, " + args.text(3) + " n'est pas créée");
}

void spectre3DTo2D(Interpreter& in, const CommandArgs& args) {
    Workbench& wb = in.wb();
    const spectre& stack = requireSpectrum(wb.spectres3D, args.text(1), "pile");
    storeResult(wb.spectres2D, stackSlice(stack, args.text(2), numberArg(args, 3), args.text(4)));
}

} // namespace

void bindImageCommands(CommandRegistry& registry) {
    bindGuarded(registry, "Smooth1D", [](Interpreter& in, const CommandArgs& args) {
        smooth(args, in.wb().spectres1D, "courbe", smoothCurve);
    });
    bindGuarded(registry, "Smooth2D", [](Interpreter& in, const CommandArgs& args) {
        smooth(args, in.wb().spectres2D, "image", smoothImage);
    });
    bindGuarded(registry, "IntegraleSpectre2D", [](Interpreter& in, const CommandArgs& args) {
        const spectre& image = requireSpectrum(in.wb().spectres2D, args.text(1), "image");
        in.reportNumber(rectangleIntegral(image, numberArg(args, 2), numberArg(args, 3),
                                          numberArg(args, 4), numberArg(args, 5)),
                        args.text(6));
    });
    registry.bind("NormMoniSpectre2D", [](Interpreter& in, const CommandArgs& args) {
        StepTimerPause pause(in.host());
        normaliseToMonitor(in.wb(), numberArg(args, 1), args.text(2), args.text(3));
    });
    bindGuarded(registry, "ProjectionHSpectre2D", [](Interpreter& in, const CommandArgs& args) {
        project(in, args, horizontalProjection);
    });
    bindGuarded(registry, "ProjectionVSpectre2D", [](Interpreter& in, const CommandArgs& args) {
        project(in, args, verticalProjection);
    });
    bindGuarded(registry, "del3D", [](Interpreter& in, const CommandArgs& args) {
        spectlist& stacks = in.wb().spectres3D;
        requireSpectrum(stacks, args.text(1), "pile");
        stacks.removeByName(args.text(1));
    });
    bindGuarded(registry, "add3D", add3D);
    bindGuarded(registry, "IntegraleSpectre3D", [](Interpreter& in, const CommandArgs& args) {
        in.reportNumber(total(requireSpectrum(in.wb().spectres3D, args.text(1), "pile")),
                        args.text(2));
    });
    bindGuarded(registry, "ReadMoni3D", [](Interpreter& in, const CommandArgs& args) {
        in.reportNumber(requireSpectrum(in.wb().spectres3D, args.text(1), "pile").monitor,
                        args.text(2));
    });
    bindGuarded(registry, "Spectre3DTo2D", spectre3DTo2D);
    bindGuarded(registry, "ReadLAMPD17", [](Interpreter& in, const CommandArgs& args) {
        readLampD17File(in.wb().spectres2D, args.text(1), args.text(2));
        journalRead(in.wb().journal, args.text(1), args.text(2));
        in.host().showImage(args.text(2));
    });
}

} // namespace ombrelune
