#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "proc2d/text_lines.hpp"
#include "proc2d/view_readers.hpp"
#include "store/saved_spectra.hpp"

#include <charconv>
#include <limits>
#include <vector>

namespace ombrelune {
namespace {

constexpr int valuesPerLine = 10;
constexpr long long valueCount = 143500; // 287 × 500, the number on the header line
constexpr int storedColumns = 286;
constexpr int storedValues = storedColumns * lampD17Height;

// True when the line starts (after blanks) with the whole number 143500: "143500 values"
// counts, "1435001" does not.
bool isCountLine(std::string_view line) {
    std::size_t p = 0;
    while (p < line.size() && isBlank(line[p])) ++p;
    std::size_t end = p;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    unsigned long long v = 0;
    const auto [stop, ec] = std::from_chars(line.data() + p, line.data() + end, v);
    return end > p && ec == std::errc{} && v == valueCount;
}

// The first ten integers of a data line into out; blanks separate them.
void readDataLine(TextLineReader& in, std::string_view line, int* out) {
    int count = 0;
    std::size_t p = 0;
    while (count < valuesPerLine) {
        while (p < line.size() && isBlank(line[p])) ++p;
        if (p == line.size())
            in.fail(std::to_string(valuesPerLine) + " integers expected, " + std::to_string(count) +
                    " found");
        std::size_t end = p;
        while (end < line.size() && !isBlank(line[end])) ++end;
        const std::string_view token = line.substr(p, end - p);
        const auto v =
            parseInteger(token, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        if (!v) in.fail(excerpt(token) + " is not a valid integer value");
        out[count++] = static_cast<int>(*v);
        p = end;
    }
}

} // namespace

void readLampD17File(spectlist& images, const std::filesystem::path& file,
                     const std::string& name) {
    TextLineReader in(file);
    for (;;) {
        const auto line = in.next();
        if (!line)
            throw EInOutError(file.string() + ": no line starting with " +
                              std::to_string(valueCount) + " (not a LAMP D17 file)");
        if (isCountLine(*line)) break;
    }
    std::vector<int> values(static_cast<std::size_t>(valueCount));
    for (long long v = 0; v < valueCount; v += valuesPerLine)
        readDataLine(in, in.require("a line of " + std::to_string(valuesPerLine) + " integers"),
                     values.data() + v);

    spectre image = newSpectre(name, lampD17Width, lampD17Height, 1);
    image.typeX = image.typeY = "raw";
    // The last column is not stored in the file: its points keep x and y 0.
    std::vector<double> xs = indexAxis(lampD17Width);
    xs.back() = 0;
    image.setXAlongI(xs);
    for (int v = 0; v < storedValues; ++v) {
        const int i = v % storedColumns, j = v / storedColumns;
        image.setYAt(i, j, 0, j);
        image.setValueAt(i, j, 0, values[static_cast<std::size_t>(v)]);
    }
    markSaved(image);
    storeResult(images, std::move(image));
}

} // namespace ombrelune
