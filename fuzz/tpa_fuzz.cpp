// Random bytes as a TPA frame: short files are refused with an error naming the file and
// nothing is made. An input starting with 0xFF is tiled up to a whole frame, whose every
// point must then hold the sum of its sixteen words.

#include "fuzz_support.hpp"

#include "proc2d/view_readers.hpp"
#include "store/errors.hpp"

#include <string>

using namespace ombrelune;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const bool whole = size > 1 && data[0] == 0xFF;
    if (whole) {
        std::string frame;
        frame.reserve(tpaFrameBytes);
        while (frame.size() < tpaFrameBytes) frame += bytes;
        bytes = frame;
    }
    const auto file =
        fuzz::inputAsFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    spectlist images;
    try {
        readTpaFile(images, file, "T");
        if (!whole) __builtin_trap();
        const spectre& t = *images.find("T");
        for (const spectrePoint& p : t.points)
            if (p.value < 0 || p.value > 16 * 65535.0) __builtin_trap();
    } catch (const EInOutError&) {
        if (whole || images.find("T")) __builtin_trap();
    }
    return 0;
}
