// concat1D, concat2D, extract2D, the conversions, appendCol/appendRow, the axis setters and
// remap2DtoQxQz.

#include "proc2d/command_support.hpp"
#include "proc2d/concat_files.hpp"
#include "proc2d/remap_qxqz.hpp"
#include "proc2d/reshape.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/store_ops.hpp"

namespace ombrelune {
namespace {

using Conversion = spectre (*)(const spectre&);
using Append = void (*)(spectlist&, const std::string&, const spectre&, const WarningSink&);
using AxisSetter = void (*)(spectre&, double, double, const std::string&);

WarningSink warningsOf(Interpreter& in) {
    return [&in](const std::string& text) { in.host().showWarning(text); };
}

// These may show modal warnings or read many files: the step timer waits for them.
void bindPaused(CommandRegistry& registry, std::string_view name,
                std::function<void(Interpreter&, const CommandArgs&)> work) {
    bindGuarded(registry, name, [work = std::move(work)](Interpreter& in, const CommandArgs& args) {
        StepTimerPause pause(in.host());
        work(in, args);
    });
}

void concat1D(Interpreter& in, const CommandArgs& args) {
    Workbench& wb = in.wb();
    storeResult(wb.spectres2D,
                concatCurveFiles(args.text(1), args.text(2), numberArg(args, 3), numberArg(args, 4),
                                 numberArg(args, 5), args.text(6), args.text(7), wb.journal));
    // The files that could not be read have their own lines; this one names the series.
    const auto file = [&](int k) {
        return args.text(1) + args.text(2) + wb.number(roundHalfEven(numberArg(args, k))) +
               args.text(6);
    };
    journalRead(in.wb().journal, file(3) + " .. " + file(5), args.text(7));
}

void concat2D(Interpreter& in, const CommandArgs& args) {
    spectlist& images = in.wb().spectres2D;
    const spectre& a = requireSpectrum(images, args.text(1), "image");
    const spectre& b = requireSpectrum(images, args.text(2), "image");
    storeResult(images, concatImages(a, b, args.text(3), warningsOf(in)));
}

void extract2D(Interpreter& in, const CommandArgs& args) {
    spectlist& images = in.wb().spectres2D;
    const spectre& source = requireSpectrum(images, args.text(1), "image");
    storeResult(images, extractRectangle(source, numberArg(args, 2), numberArg(args, 3),
                                         numberArg(args, 4), numberArg(args, 5), args.text(6)));
}

void remap2DtoQxQz(Interpreter& in, const CommandArgs& args) {
    Workbench& wb = in.wb();
    const spectre& source = requireSpectrum(wb.spectres2D, args.text(1), "image");
    const QGrid grid{numberArg(args, 3), numberArg(args, 4), numberArg(args, 5),
                     numberArg(args, 6), numberArg(args, 7), numberArg(args, 8)};
    QxQzImage result = remapToQxQz(source, numberArg(args, 2), grid, args.text(9));
    storeResult(wb.spectres2D, std::move(result.image));
    if (result.skipped > 0)
        wb.journal.appendLine("!! remap2DtoQxQz : " + std::to_string(result.skipped) +
                              " points de " + source.name +
                              " ignorés (élément d'aire nul ou non fini)");
}

void bindConversion(CommandRegistry& registry, std::string_view name, Conversion convert) {
    bindPaused(registry, name, [convert](Interpreter& in, const CommandArgs& args) {
        Workbench& wb = in.wb();
        storeResult(wb.spectres2D, convert(requireSpectrum(wb.spectres1D, args.text(1), "courbe")));
    });
}

void bindAppend(CommandRegistry& registry, std::string_view name, Append append) {
    bindPaused(registry, name, [append](Interpreter& in, const CommandArgs& args) {
        Workbench& wb = in.wb();
        requireSpectrum(wb.spectres2D, args.text(1), "image");
        append(wb.spectres2D, args.text(1), requireSpectrum(wb.spectres1D, args.text(2), "courbe"),
               warningsOf(in));
    });
}

void bindAxisSetter(CommandRegistry& registry, std::string_view name, bool curve, AxisSetter set) {
    bindGuarded(registry, name, [curve, set](Interpreter& in, const CommandArgs& args) {
        Workbench& wb = in.wb();
        spectre& s = curve ? requireSpectrum(wb.spectres1D, args.text(1), "courbe")
                           : requireSpectrum(wb.spectres2D, args.text(1), "image");
        set(s, numberArg(args, 2), numberArg(args, 3), args.text(4));
    });
}

} // namespace

void bindReshapeCommands(CommandRegistry& registry) {
    bindPaused(registry, "concat1D", concat1D);
    bindPaused(registry, "concat2D", concat2D);
    bindPaused(registry, "extract2D", extract2D);
    bindConversion(registry, "Convert1Dto2Drow", curveToRow);
    bindConversion(registry, "Convert1Dto2Dcol", curveToColumn);
    bindAppend(registry, "appendCol", appendColumn);
    bindAppend(registry, "appendRow", appendRow);
    bindAxisSetter(registry, "setX1D", true, setXAxis);
    bindAxisSetter(registry, "setX2D", false, setXAxis);
    bindAxisSetter(registry, "setY2D", false, setYAxis);
    bindGuarded(registry, "remap2DtoQxQz", remap2DtoQxQz);
}

} // namespace ombrelune
