// Random text as a HADAS image: read, or refused with the program's own errors leaving the
// table as it was; never a hang on missing line ends.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "store/instrument_files.hpp"
#include "store/settings_store.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size, ".img");
    static MemorySettingsStore settings;
    static Journal journal(settings, file.parent_path());
    fuzz::checkTableRead(
        file.filename().string(), 2, 2, 1,
        [&](spectlist& images) {
            if (readHadasFile(images, file, size % 2 ? ',' : '.', journal) < 0) __builtin_trap();
        },
        [](const spectre& s) { return s.nx == hadasSide && s.ny == hadasSide; });
    return 0;
}
