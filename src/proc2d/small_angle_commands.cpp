// SommeDNPA, MasqueSecteur, Barycentre2D and the inert SommeCirculaireSpectre2D.

#include "proc2d/beam_centre.hpp"
#include "proc2d/command_support.hpp"
#include "proc2d/masks.hpp"
#include "proc2d/small_angle.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"

#include <memory>

namespace ombrelune {
namespace {

// Why a sum took no pixel, for its "!! " line.
std::string emptySumReason(const spectre& image, const BeamGeometry& g,
                           const std::string& maskName) {
    const auto text = [](double v) { return formatGeneral(v); };
    if (!(0 <= g.X0 && g.X0 <= image.nx && 0 <= g.Y0 && g.Y0 <= image.ny))
        return "centre (" + text(g.X0) + ", " + text(g.Y0) + ") hors de l'image " + image.name;
    if (!isRawAxis(image.typeX)) return "l'axe X de " + image.name + " n'est pas \"raw\"";
    return "le masque " + maskName + " ne laisse aucun pixel";
}

void sommeDNPA(Interpreter& in, const CommandArgs& args, ChannelMapCache& cache) {
    StepTimerPause pause(in.host());
    Workbench& wb = in.wb();
    const std::string& source = args.text(1);
    const std::string& destination = args.text(2);
    const std::string& maskName = args.text(3);
    const spectre* image = wb.spectres2D.find(source);
    if (!image) return wb.journal.appendLine("!! echec Somme DNPA : " + source + " non trouvé");
    const BeamGeometry g{numberArg(args, 4), numberArg(args, 5), numberArg(args, 7),
                         numberArg(args, 8), numberArg(args, 9)};
    bool stored = false;
    runGuarded(in, "echec Somme DNPA : ", [&] {
        SmallAngleSum sum = smallAngleSum(*image, destination, wb.spectres2D, maskName, g,
                                          numberArg(args, 6), &cache);
        if (sum.pixelsUsed == 0) throw ERefused(emptySumReason(*image, g, maskName));
        storeResult(wb.spectres1D, std::move(sum.curve));
        stored = true;
    });
    if (!stored) return;
    wb.journal.appendLine("Somme DNPA :" + source + " dans " + destination);
    if (wb.spectres2D.indexOf(maskName) < 0)
        wb.journal.appendLine("!!ATTENTION : masque " + maskName + " non trouvé ");
}

} // namespace

void bindSmallAngleCommands(CommandRegistry& registry) {
    // Reductions of a series of images with one geometry find the pixels' channels once.
    auto cache = std::make_shared<ChannelMapCache>();
    registry.bind("SommeDNPA", [cache](Interpreter& in, const CommandArgs& args) {
        sommeDNPA(in, args, *cache);
    });
    bindGuarded(registry, "MasqueSecteur", [](Interpreter& in, const CommandArgs& args) {
        sectorMask(requireSpectrum(in.wb().spectres2D, args.text(1), "image"), numberArg(args, 2),
                   numberArg(args, 3), numberArg(args, 4), numberArg(args, 5));
    });
    bindGuarded(registry, "Barycentre2D", [](Interpreter& in, const CommandArgs& args) {
        Workbench& wb = in.wb();
        const spectre& image = requireSpectrum(wb.spectres2D, args.text(1), "image");
        const ImagePosition c = barycentre(image);
        wb.journal.appendLine("barycentre " + image.name + " : X0=" + wb.number(c.X0) +
                              " Y0=" + wb.number(c.Y0));
    });
    // Kept for old scripts: it has never read an argument nor done anything.
    registry.bind("SommeCirculaireSpectre2D", [](Interpreter&, const CommandArgs&) {});
}

} // namespace ombrelune
