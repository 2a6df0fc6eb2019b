#pragma once
// A table of 30 numbered slots (1..30), each empty or owning one spectrum.

#include "store/spectre.hpp"

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace ombrelune {

class spectlist {
public:
    static constexpr int slotCount = 30;

    // Slot number 1..30 of the first spectrum of that name (ASCII case folded), or -1.
    int indexOf(std::string_view name) const;
    // Removes any spectrum of that name, then makes a cleared one in the lowest free slot.
    // Returns the slot, or -1 when the table is full or the sizes are refused
    // (negative, beyond 32 bits, or too many points to hold). Raises EOutOfMemory naming the
    // spectrum and the size when the memory cannot be had.
    int create(const std::string& name, std::int64_t nx, std::int64_t ny, std::int64_t nz);
    void remove(int slot);
    void removeByName(std::string_view name);
    void clearByName(std::string_view name);
    void addPoint(std::string_view name, double x, double y, double z, double value, double mon);
    // Stores an independent copy under s.name; returns the slot or -1.
    int storeCopy(const spectre& s);
    // Moves a spectrum made outside the table into it under its own name; returns the slot
    // or -1 (then the spectrum is dropped). The cheap form of storeCopy for fresh results.
    int store(spectre&& s);

    // The spectrum in a slot, or nullptr for an empty slot or a number outside 1..30.
    spectre* at(int slot);
    const spectre* at(int slot) const;
    // The spectrum of that name, or nullptr.
    spectre* find(std::string_view name) { return at(indexOf(name)); }
    const spectre* find(std::string_view name) const { return at(indexOf(name)); }

private:
    int freeSlotAfterRemoving(std::string_view name);

    std::array<std::unique_ptr<spectre>, slotCount> slots_;
};

} // namespace ombrelune
