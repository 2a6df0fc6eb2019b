#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "proc2d/text_lines.hpp"
#include "proc2d/view_readers.hpp"
#include "store/number_format.hpp"
#include "store/saved_spectra.hpp"
#include "store/text_encoding.hpp"

#include <array>
#include <limits>

namespace ombrelune {
namespace {

constexpr int fieldCount = 4;

long long readSize(TextLineReader& in, const char* axis) {
    const std::string_view line = in.require(std::string("the size ") + axis);
    const auto n = parseInteger(line, 0, std::numeric_limits<std::int32_t>::max());
    if (!n) in.fail(excerpt(line) + " is not a valid size " + axis);
    return *n;
}

// x, y, z and value of one sample line; fields are separated by tabs and commas.
std::array<double, fieldCount> readSample(TextLineReader& in, std::string_view line) {
    std::array<double, fieldCount> out{};
    int field = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(line.find_first_of("\t,", start), line.size());
        const std::string_view text = line.substr(start, end - start);
        if (field < fieldCount) {
            const auto v = parseNumber(text, '.');
            if (!v) in.fail(excerpt(text) + " is not a valid floating point value");
            out[static_cast<std::size_t>(field)] = *v;
        } else if (!trimBlanks(text).empty()) {
            in.fail("more than four values (a decimal comma?): " + excerpt(line));
        }
        ++field;
        if (end == line.size()) break;
        start = end + 1;
    }
    if (field < fieldCount) in.fail("four values x, y, z, value expected: " + excerpt(line));
    return out;
}

} // namespace

void readFourColumnFile(spectlist& stacks, const std::filesystem::path& file) {
    TextLineReader in(file);
    const std::string comment = decodeTextLine(in.require("the comment line"));
    const long long nx = readSize(in, "nx"), ny = readSize(in, "ny"), nz = readSize(in, "nz");
    const std::int64_t count = checkedPointCount(nx, ny, nz);
    const std::string sizes =
        std::to_string(nx) + " x " + std::to_string(ny) + " x " + std::to_string(nz);
    if (count < 0) in.fail("sizes " + sizes + " are too large");
    if (count == 0) in.fail("sizes " + sizes + " hold no point");
    if (in.remainingLines() < static_cast<std::size_t>(count))
        in.fail(std::to_string(count) + " sample lines announced, only " +
                std::to_string(in.remainingLines()) + " follow");

    spectre stack = newSpectre("data3D", static_cast<double>(nx), static_cast<double>(ny),
                               static_cast<double>(nz));
    stack.comment = comment;
    for (std::size_t p = 0; p < stack.pointCount(); ++p) {
        const auto [x, y, z, value] = readSample(in, in.require("a sample line"));
        stack.setPoint(p, spectrePoint{1, x, y, z, value});
    }
    stack.simplifyColumns();
    markSaved(stack);
    storeResult(stacks, std::move(stack));
}

} // namespace ombrelune
