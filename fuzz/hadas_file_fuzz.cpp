// Random text as a HADAS image: read, or refused with the program's own errors leaving the
// table as it was; never a hang on missing line ends.

#include "fuzz_support.hpp"

#include "store/errors.hpp"
#include "store/instrument_files.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size, ".img");
    spectlist images;
    images.create(file.filename().string(), 2, 2, 1);
    try {
        const int slot = readHadasFile(images, file, size % 2 ? ',' : '.');
        if (slot < 0 || images.at(slot)->nx != hadasSide) __builtin_trap();
    } catch (const OmbreluneError&) {
        if (images.at(1)->nx != 2) __builtin_trap();
    }
    return 0;
}
