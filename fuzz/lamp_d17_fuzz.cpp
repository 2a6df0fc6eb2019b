// Random text as a LAMP D17 file: read or refused with an error naming the file, never a
// crash or a hang, and a refused read leaves the image of that name as it was. An input
// whose first byte is odd is used as one data line repeated for the whole block, so that
// the parser of data lines sees every kind of token.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "proc2d/view_readers.hpp"

#include <algorithm>
#include <string>

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 0 && (data[0] & 1)) {
        const std::string line = text.substr(1, 80);
        text = "LAMP\n143500\n";
        for (int n = 0; n < 14350; ++n) text += line + "\n";
    }
    const auto file =
        fuzz::inputAsFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    fuzz::checkTableRead(
        "D", 2, 2, 1, [&](spectlist& images) { readLampD17File(images, file, "D"); },
        [](const spectre& d) {
            return d.nx == lampD17Width && d.ny == lampD17Height && d.nz == 1;
        });
    return 0;
}
