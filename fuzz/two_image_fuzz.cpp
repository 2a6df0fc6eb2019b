// Random text as the two-image table: read or refused with an error naming the file and
// line, and a refused read leaves both images as they were. An input whose first byte is
// odd is used as one line repeated for every point; bit 1 of that byte picks the decimal
// separator.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "proc2d/view_readers.hpp"

#include <string>

using namespace ombrelune;

namespace {

spectre image(const char* name) {
    spectre s;
    s.name = name;
    s.resize(twoImageSide, twoImageSide, 1);
    s.fillValues(3);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const char separator = size > 0 && (data[0] & 2) ? ',' : '.';
    if (size > 0 && (data[0] & 1)) {
        const std::string line = text.substr(1, 80);
        text.clear();
        for (int n = 0; n < twoImageSide * twoImageSide - 1; ++n) text += line + "\n";
    }
    const auto file =
        fuzz::inputAsFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    spectlist images;
    images.storeCopy(image("ACUP"));
    images.storeCopy(image("ACDOWN"));
    try {
        readTwoImageText(images, file, separator);
        if (images.at(1)->valueAt(127, 127) != 0 || images.at(2)->valueAt(127, 127) != 0)
            __builtin_trap();
    } catch (const EInOutError&) {
        for (int slot : {1, 2})
            for (std::size_t p = 0; p < images.at(slot)->pointCount(); ++p)
                if (images.at(slot)->value(p) != 3) __builtin_trap();
    }
    return 0;
}
