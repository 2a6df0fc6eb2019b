#include "proc2d/stacks.hpp"

#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <cmath>
#include <span>

namespace ombrelune {

spectre stackSlice(const spectre& stack, const std::string& name, double sliceNumber,
                   const std::string& mode) {
    const double k = roundHalfEven(sliceNumber) - 1;
    if (!(k >= 0 && k <= stack.nz - 1))
        throw ERefused("tranche " + formatGeneral(sliceNumber) + " hors de 1 .. " +
                       std::to_string(stack.nz));
    if (stack.pointCount() == 0) throw ERefused("la pile " + stack.name + " n'a pas de points");
    const int slice = static_cast<int>(k);
    spectre image = newSpectre(name, stack.nx, stack.ny, 1);
    // The points (i, j, slice) with their coordinates; the monitors are 1.
    const Extent e = stack.extent();
    image.setXColumn(stack.xColumn().layer(e, slice));
    image.setYColumn(stack.yColumn().layer(e, slice));
    image.setZColumn(stack.zColumn().layer(e, slice));
    const std::span<const double> in = stack.values();
    const std::span<double> out = image.writableValues();
    const auto nz = static_cast<std::size_t>(stack.nz);
    for (std::size_t p = 0; p < out.size(); ++p) out[p] = in[p * nz + std::size_t(slice)];
    image.comment = stack.comment;
    image.typeX = stack.typeX;
    image.typeY = stack.typeY;
    image.typeZ = stack.typeZ;
    for (const expCond& c : stack.expConds) image.setExpCond(c.name, c.value);
    const auto z = [&](int kk) { return stack.zAt(0, 0, kk); };
    image.setExpCond("lt", z(slice));
    if (mode == "norm/nombre") {
        image.monitor = stack.monitor / stack.nz;
        image.setExpCond("NormMoniteur", 1);
    } else if (mode == "norm/inter") {
        const double width = slice == 0 ? z(0) : z(slice) - z(slice - 1);
        image.monitor = stack.monitor * width / z(stack.nz - 1);
        image.setExpCond("NormMoniteur", 2);
    } else {
        image.monitor = stack.monitor;
        image.setExpCond("NormMoniteur", 0);
    }
    return image;
}

void normaliseToMonitor(Workbench& wb, double target, const std::string& source,
                        const std::string& destination) {
    const spectre* src = wb.spectres2D.find(source);
    const std::string failure = "!! echec normalisation :" + source;
    if (!src) return wb.journal.appendLine(failure + " non trouvé");
    if (src->monitor == 0) return wb.journal.appendLine(failure + " moniteur nul");
    const double factor = target / src->monitor;
    // A factor of 0 would wipe the image and one that is not finite would fill it with
    // infinities or NaN: both are refused and the destination keeps what it had.
    if (factor == 0 || !std::isfinite(factor))
        return wb.journal.appendLine(failure + " facteur " + wb.number(factor) + " refusé");
    if (!opScalMult(wb.spectres2D, source, destination, factor))
        return wb.journal.appendLine(failure + " : table pleine, " + destination +
                                     " n'est pas créé");
    wb.spectres2D.find(destination)->monitor = target;
}

} // namespace ombrelune
