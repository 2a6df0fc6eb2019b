// Random bytes as a KESTRA image: read or refused with the program's own errors, and a
// refused read leaves the image unchanged.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "store/instrument_files.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size);
    spectre s;
    s.resize(3, 3, 1);
    try {
        readKestraFile(s, file);
        if (s.nx != kestraSide || s.pointCount() != std::size_t(kestraSide) * kestraSide)
            __builtin_trap();
    } catch (const OmbreluneError&) {
        if (s.nx != 3 || s.pointCount() != 9) __builtin_trap();
    }
    return 0;
}
