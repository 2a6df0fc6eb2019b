#include "store/saved_spectra.hpp"

#include "store/content_digest.hpp"
#include "store/workbench.hpp"

namespace ombrelune {
namespace {

// Everything of the content but the points.
std::uint64_t headerDigest(const spectre& s) {
    ContentDigest d;
    for (const std::int32_t size : {s.nx, s.ny, s.nz})
        d.add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(size)));
    for (const std::string* text : {&s.comment, &s.typeX, &s.typeY, &s.typeZ}) d.add(*text);
    d.add(s.monitor);
    d.add(static_cast<std::uint64_t>(s.expConds.size()));
    for (const expCond& c : s.expConds) {
        d.add(c.name);
        d.add(c.value);
    }
    return d.value();
}

} // namespace

void markSaved(const spectre& s) {
    s.savedNote = spectre::SavedNote{headerDigest(s), s.pointsGeneration(), std::nullopt};
}

bool changedSinceSaved(const spectre& s) {
    if (!s.savedNote || s.savedNote->header != headerDigest(s)) return true;
    if (s.pointsGeneration() == s.savedNote->pointsGeneration) return false;
    // Changed since, perhaps back to what the file holds.
    return !s.savedNote->points || *s.savedNote->points != s.pointsDigest();
}

std::vector<std::string> changedSpectra(const Workbench& wb) {
    std::vector<std::string> names;
    for (const spectlist* table : {&wb.spectres2D, &wb.spectres1D, &wb.spectres3D})
        for (int slot = 1; slot <= spectlist::slotCount; ++slot)
            if (const spectre* s = table->at(slot); s && changedSinceSaved(*s))
                names.push_back(s->name);
    return names;
}

} // namespace ombrelune
