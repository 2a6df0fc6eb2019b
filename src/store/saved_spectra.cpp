#include "store/saved_spectra.hpp"

#include "store/workbench.hpp"

#include <bit>
#include <utility>

namespace ombrelune {
namespace {

// Word by word: a multiply, rotate and multiply per word spreads every bit of it, so a
// change of one value anywhere changes the digest.
class Digest {
public:
    void add(std::uint64_t word) {
        h_ ^= word * 0xff51afd7ed558ccdULL;
        h_ = std::rotl(h_, 31) * 0xc4ceb9fe1a85ec53ULL;
    }
    void add(double v) { add(std::bit_cast<std::uint64_t>(v)); }
    void add(const std::string& text) {
        add(static_cast<std::uint64_t>(text.size()));
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < text.size(); ++k) {
            word = word << 8 | static_cast<unsigned char>(text[k]);
            if (k % 8 == 7) add(std::exchange(word, 0));
        }
        add(word);
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_ = 0x9e3779b97f4a7c15ULL;
};

} // namespace

std::uint64_t contentFingerprint(const spectre& s) {
    Digest d;
    for (const std::int32_t size : {s.nx, s.ny, s.nz})
        d.add(static_cast<std::uint64_t>(static_cast<std::uint32_t>(size)));
    for (const std::string* text : {&s.comment, &s.typeX, &s.typeY, &s.typeZ}) d.add(*text);
    d.add(s.monitor);
    d.add(static_cast<std::uint64_t>(s.expConds.size()));
    for (const expCond& c : s.expConds) {
        d.add(c.name);
        d.add(c.value);
    }
    const std::size_t count = s.pointCount();
    for (std::size_t k = 0; k < count; ++k) {
        const spectrePoint p = s.point(k);
        for (const double v : {p.mon, p.x, p.y, p.z, p.value}) d.add(v);
    }
    return d.value();
}

void markSaved(const spectre& s) {
    s.savedContent = contentFingerprint(s);
}

bool changedSinceSaved(const spectre& s) {
    return !s.savedContent || *s.savedContent != contentFingerprint(s);
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
