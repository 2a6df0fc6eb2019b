#include "cli/listing.hpp"

#include "store/number_format.hpp"

namespace ombrelune {

std::string spectrumListing(const Workbench& wb) {
    std::string out;
    const std::pair<const char*, const spectlist*> tables[] = {
        {"1D", &wb.spectres1D}, {"2D", &wb.spectres2D}, {"3D", &wb.spectres3D}};
    for (const auto& [label, table] : tables)
        for (int slot = 1; slot <= spectlist::slotCount; ++slot)
            if (const spectre* s = table->at(slot))
                out += std::string(label) + "\t" + std::to_string(slot) + "\t" + s->name + "\t" +
                       std::to_string(s->nx) + "\t" + std::to_string(s->ny) + "\t" +
                       std::to_string(s->nz) + "\t" + wb.number(s->monitor) + "\t" + s->comment +
                       "\n";
    return out;
}

} // namespace ombrelune
