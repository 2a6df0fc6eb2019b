// Random text as a four-column table: read or refused with an error naming the file and
// line, never an allocation beyond what the file holds, and a refused read leaves the
// stack "data3D" as it was.

#include "fuzz_support.hpp"

#include "proc2d/view_readers.hpp"
#include "store/errors.hpp"

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = fuzz::inputAsFile(data, size);
    spectlist stacks;
    spectre before;
    before.name = "data3D";
    before.resize(1, 2, 3);
    stacks.storeCopy(before);
    try {
        readFourColumnFile(stacks, file);
        const spectre& s = *stacks.find("data3D");
        if (s.points.size() != std::size_t(s.nx) * std::size_t(s.ny) * std::size_t(s.nz) ||
            s.points.size() > size)
            __builtin_trap();
    } catch (const EInOutError&) {
        const spectre& s = *stacks.find("data3D");
        if (s.nx != 1 || s.ny != 2 || s.nz != 3) __builtin_trap();
    }
    return 0;
}
