#include "store/instrument_files.hpp"

#include "errors/errors.hpp"
#include "store/atomic_file.hpp"
#include "store/binary_file.hpp"
#include "store/number_format.hpp"
#include "store/saved_spectra.hpp"
#include "store/text_encoding.hpp"
#include "store/text_file.hpp"

#include <cmath>
#include <cstring>

namespace ombrelune {
namespace {

// Right-aligned digits padded with "0", keeping only the last `width` digits.
std::string lastDigits(std::uint64_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() > width) digits.erase(0, digits.size() - width);
    return std::string(width - digits.size(), '0') + digits;
}

// Left-aligned Windows-1252 text padded with blanks and cut to `width` characters.
void putPadded(std::string& header, std::size_t offset, std::size_t width, std::string_view text) {
    std::string bytes = toCp1252(text);
    bytes.resize(width, ' ');
    header.replace(offset, width, bytes);
}

std::string field(std::string_view header, std::size_t offset, std::size_t width) {
    return fromCp1252(header.substr(offset, width));
}

} // namespace

std::filesystem::path kestraFileName(const std::string& prefix, long number) {
    return prefix + "XY" + lastDigits(static_cast<std::uint64_t>(std::labs(number)), 4) + ".dat";
}

std::filesystem::path writeKestraFile(const spectre& s, const std::string& prefix,
                                      const KestraHeader& h, long number, Journal& journal) {
    if (s.nx != kestraSide || s.ny != kestraSide || s.nz < 1)
        throw EInOutError(s.name + ": a KESTRA image is 128 x 128, not " + std::to_string(s.nx) +
                          " x " + std::to_string(s.ny));
    std::string bytes(kestraFileSize, '\0');
    std::memset(bytes.data(), '1', kestraHeaderSize);
    bytes.replace(0, 2, "XY");
    bytes.replace(2, 4, lastDigits(static_cast<std::uint64_t>(std::labs(number)), 4));
    putPadded(bytes, 6, 6, h.title);
    putPadded(bytes, 12, 12, h.name);
    putPadded(bytes, 24, 6, h.countingTime);
    bool clamped = false;
    double monitor = std::trunc(s.monitor);
    if (!(monitor >= 0) || monitor > 99999999) {
        clamped = true;
        monitor = monitor > 99999999 ? 99999999 : 0;
    }
    bytes.replace(30, 8, lastDigits(static_cast<std::uint64_t>(monitor), 8));
    putPadded(bytes, 38, 10, h.date);
    putPadded(bytes, 48, 8, h.hour);
    putPadded(bytes, 67, 189, s.comment);

    for (int r = 0; r < kestraSide; ++r)
        for (int c = 0; c < kestraSide; ++c) {
            double v = std::trunc(s.valueAt(c, kestraSide - 1 - r, 0));
            if (!(v >= 0) || v > 65535) {
                clamped = true;
                v = v > 65535 ? 65535 : 0;
            }
            const auto word = static_cast<std::uint16_t>(v);
            const std::size_t at = kestraHeaderSize + 2 * (std::size_t(kestraSide) * r + c);
            bytes[at] = static_cast<char>(word >> 8);
            bytes[at + 1] = static_cast<char>(word & 0xFF);
        }
    const std::filesystem::path file = kestraFileName(prefix, number);
    AtomicFile out(file);
    out.write(bytes);
    out.commit();
    markSaved(s);
    if (clamped)
        journal.appendLine("!! " + file.string() + " : valeurs ou moniteur de " + s.name +
                           " hors des limites KESTRA (0..65535, 0..99999999), ramenés aux bornes");
    return file;
}

KestraHeader readKestraFile(spectre& s, const std::filesystem::path& file) {
    if (!fileExists(file)) return {};
    BinaryFileReader in(file);
    // The format has one size; a longer file is something else, not an image with extras.
    if (in.size() != kestraFileSize)
        in.malformed("a KESTRA file holds " + std::to_string(kestraFileSize) + " bytes, not " +
                     std::to_string(in.size()));
    const std::string bytes = in.readAt(0, kestraFileSize);
    const std::string_view monitorText = std::string_view(bytes).substr(30, 8);
    const auto monitor = parseNumber(monitorText, '.');
    if (!monitor)
        in.malformed("byte 30: the monitor " + excerpt(monitorText) + " is not a number");

    KestraHeader h{field(bytes, 6, 6), field(bytes, 12, 12), field(bytes, 24, 6),
                   field(bytes, 38, 10), field(bytes, 48, 8)};
    s.resize(kestraSide, kestraSide, 1);
    s.monitor = *monitor;
    s.comment = field(bytes, 67, 189);
    for (int w = 0; w < kestraSide * kestraSide; ++w) {
        const auto hi = static_cast<unsigned char>(bytes[kestraHeaderSize + 2 * std::size_t(w)]);
        const auto lo = static_cast<unsigned char>(bytes[kestraHeaderSize + 2 * std::size_t(w) + 1]);
        s.setValueAt(w % kestraSide, kestraSide - 1 - w / kestraSide, 0, hi * 256 + lo);
    }
    // Raw axes show indexes; the stored coordinates agree with them.
    const std::vector<double> indexes = indexAxis(kestraSide);
    s.setXAlongI(indexes);
    s.setYAlongJ(indexes);
    s.typeX = "raw";
    s.typeY = "raw";
    markSaved(s);
    return h;
}

namespace {

// Counts that are not finite: how many, and the first one with its line.
struct NonFiniteCounts {
    std::size_t count = 0;
    std::size_t firstLine = 0;
    std::string firstText;

    void note(std::size_t line, std::string_view text) {
        if (count++ == 0) {
            firstLine = line;
            firstText = excerpt(text);
        }
    }
};

} // namespace

int readHadasFile(spectlist& images, const std::filesystem::path& file, char decimalSeparator,
                  Journal& journal) {
    const std::string data = readWholeFile(file);
    constexpr std::size_t pointCount = std::size_t(hadasSide) * hadasSide;
    std::vector<double> values(pointCount);
    NonFiniteCounts nonFinite;
    std::size_t start = 0;
    for (std::size_t r = 0; r < pointCount; ++r) {
        const std::size_t end = data.find('\n', start);
        const std::string lineNumber = std::to_string(r + 1);
        if (end == std::string::npos)
            throw EInOutError(file.string() + ", line " + lineNumber +
                              ": the file ends before the 65536 lines of a HADAS image");
        // At most 255 characters of a line count, as the instrument's own software read them.
        const std::string_view line(data.data() + start, std::min<std::size_t>(end - start, 255));
        const auto v = parseNumber(line, decimalSeparator);
        if (!v)
            throw EInOutError(file.string() + ", line " + lineNumber + ": " + excerpt(line) +
                              " is not a valid floating point value");
        if (!std::isfinite(*v)) nonFinite.note(r + 1, line);
        values[r] = *v;
        start = end + 1;
    }
    spectre s;
    s.name = file.filename().string();
    s.resize(hadasSide, hadasSide, 1);
    s.clear();
    for (int y = 0; y < hadasSide; ++y)
        for (int x = 0; x < hadasSide; ++x)
            s.setValueAt(x, y, 0, values[std::size_t(y) * hadasSide + x]);
    const std::vector<double> indexes = indexAxis(hadasSide);
    s.setXAlongI(indexes);
    s.setYAlongJ(indexes);
    s.typeX = "raw";
    s.typeY = "raw";
    markSaved(s);
    const int slot = images.store(std::move(s));
    // Readable, but no detector counts infinity or NaN: said once, with the first place.
    if (nonFinite.count > 0)
        journal.appendLine("!! " + file.string() + " : " + std::to_string(nonFinite.count) +
                           " comptage(s) non fini(s), le premier ligne " +
                           std::to_string(nonFinite.firstLine) + " : " + nonFinite.firstText);
    return slot;
}

} // namespace ombrelune
