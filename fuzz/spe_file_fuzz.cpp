// Random bytes as a header-and-records (.spe or .raw) file: read or refused with EInOutError, never a crash, never an
// allocation beyond what the file holds, and a refused read leaves the spectrum unchanged.

#include "fuzz_support.hpp"

#include "store/errors.hpp"
#include "store/spectrum_files.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size);
    spectre s;
    s.resize(2, 2, 1);
    try {
        readSpeFile(s, file);
        if (s.points.size() != std::size_t(s.nx) * std::size_t(s.ny) * std::size_t(s.nz))
            __builtin_trap();
    } catch (const EInOutError&) {
        if (s.nx != 2 || s.points.size() != 4) __builtin_trap();
    }
    return 0;
}
