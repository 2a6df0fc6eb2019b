// Random bytes as a TPA frame. Inputs are far shorter than a frame (10 584 600 bytes), so
// every one must be refused with an error naming the file, and nothing may be made; whole
// frames are the unit tests' business.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "proc2d/view_readers.hpp"

#include <string>

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size);
    spectlist images;
    try {
        readTpaFile(images, file, "T");
        if (size < tpaFrameBytes) __builtin_trap();
    } catch (const EInOutError& e) {
        if (images.find("T") || std::string(e.what()).find(file.string()) == std::string::npos)
            __builtin_trap();
    }
    return 0;
}
