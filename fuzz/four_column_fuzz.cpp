// Random text as a four-column table: read or refused with an error naming the file and
// line, never an allocation beyond what the file holds, and a refused read leaves the
// stack "data3D" as it was.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "proc2d/view_readers.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size);
    fuzz::checkTableRead<EInOutError>(
        "data3D", 1, 2, 3, [&](spectlist& stacks) { readFourColumnFile(stacks, file); },
        [size](const spectre& s) { return s.pointCount() <= size; });
    return 0;
}
