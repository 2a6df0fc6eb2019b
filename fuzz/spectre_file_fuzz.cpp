// Random bytes as a spectrum file: read or refused with EInOutError, never a crash, never an
// allocation beyond what the file holds, and a refused read leaves the spectrum unchanged.

#include "fuzz_support.hpp"

#include "store/spectrum_files.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::checkSpectrumRead(data, size,
                                   [](spectre& s, const auto& file) { readSpectreFile(s, file); });
}
