#include "store/spectrum_table.hpp"

#include "errors/errors.hpp"
#include "store/text_encoding.hpp"

namespace ombrelune {

int spectlist::indexOf(std::string_view name) const {
    for (int slot = 1; slot <= slotCount; ++slot) {
        const auto& s = slots_[slot - 1];
        if (s && equalsIgnoreAsciiCase(s->name, name)) return slot;
    }
    return -1;
}

int spectlist::freeSlotAfterRemoving(std::string_view name) {
    removeByName(name);
    for (int slot = 1; slot <= slotCount; ++slot)
        if (!slots_[slot - 1]) return slot;
    return -1;
}

int spectlist::create(const std::string& name, std::int64_t nx, std::int64_t ny, std::int64_t nz) {
    const std::int64_t count = checkedPointCount(nx, ny, nz);
    if (count < 0) return -1;
    const int slot = freeSlotAfterRemoving(name);
    if (slot < 0) return -1;
    auto s = std::make_unique<spectre>();
    s->name = name;
    const std::string what = name + " de " + std::to_string(nx) + " x " + std::to_string(ny) +
                             " x " + std::to_string(nz) + " points";
    allocating(what, static_cast<std::size_t>(count) * sizeof(spectrePoint), [&] {
        s->resize(static_cast<std::int32_t>(nx), static_cast<std::int32_t>(ny),
                  static_cast<std::int32_t>(nz));
    });
    s->clear();
    slots_[slot - 1] = std::move(s);
    return slot;
}

void spectlist::remove(int slot) {
    if (slot >= 1 && slot <= slotCount) slots_[slot - 1].reset();
}

void spectlist::removeByName(std::string_view name) { remove(indexOf(name)); }

void spectlist::clearByName(std::string_view name) {
    if (spectre* s = find(name)) s->clear();
}

void spectlist::addPoint(std::string_view name, double x, double y, double z, double value,
                         double mon) {
    spectre* s = find(name);
    if (!s) return;
    std::int32_t i = s->cursorI, j = s->cursorJ;
    const std::int32_t k = s->cursorK;
    if (i < s->nx - 1) {
        ++i;
    } else if (j < s->ny - 1) {
        ++j;
        i = 0;
    } else {
        return;
    }
    s->cursorI = i;
    s->cursorJ = j;
    if (!s->contains(i, j, k)) return; // a spectrum without points has nowhere to put it
    s->setPointAt(i, j, k, spectrePoint{mon, x, y, z, value});
}

int spectlist::storeCopy(const spectre& s) { return store(spectre(s)); }

int spectlist::store(spectre&& s) {
    const std::int64_t count = checkedPointCount(s.nx, s.ny, s.nz);
    if (count < 0 || static_cast<std::size_t>(count) != s.pointCount()) return -1;
    const int slot = freeSlotAfterRemoving(s.name);
    if (slot < 0) return -1;
    slots_[slot - 1] = std::make_unique<spectre>(std::move(s));
    return slot;
}

spectre* spectlist::at(int slot) {
    return slot >= 1 && slot <= slotCount ? slots_[slot - 1].get() : nullptr;
}

const spectre* spectlist::at(int slot) const {
    return slot >= 1 && slot <= slotCount ? slots_[slot - 1].get() : nullptr;
}

} // namespace ombrelune
