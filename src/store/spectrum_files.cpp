#include "store/spectrum_files.hpp"

#include "errors/errors.hpp"
#include "store/atomic_file.hpp"
#include "store/binary_file.hpp"
#include "store/binary_record.hpp"
#include "store/number_format.hpp"
#include "store/saved_spectra.hpp"
#include "store/text_file.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace ombrelune {
namespace {

// Points per buffer when a file's records are gathered from the columns: large writes,
// a few megabytes of memory.
constexpr std::size_t chunkPoints = 1 << 16;
constexpr std::size_t recordDoubles = sizeof(spectrePoint) / sizeof(double);

bool pointExists(const spectre& s, int i, int j, int k) { return s.contains(i, j, k); }

std::filesystem::path freeSpeName(const std::string& base, const std::string& ext) {
    std::filesystem::path candidate = base + ext;
    for (long n = 1; pathExists(candidate); ++n) candidate = base + std::to_string(n) + ext;
    return candidate;
}

std::string speHeader(const spectre& s) {
    std::string h(speHeaderSize, '\0');
    putAt<std::int32_t>(h, 0, s.nx);
    putAt<std::int32_t>(h, 4, s.ny);
    putShortText(h, 8, 20, s.name);
    putShortText(h, 29, 100, s.comment);
    putShortText(h, 130, 6, s.typeX);
    putShortText(h, 137, 6, s.typeY);
    putAt<std::int32_t>(h, 144, s.cursorI);
    putAt<std::int32_t>(h, 148, s.cursorJ);
    return h;
}

// Sizes read from a header, checked for sign, for at least one point and for what one
// spectrum may hold.
std::int64_t checkedSizes(BinaryFileReader& in, std::int32_t nx, std::int32_t ny,
                          std::int32_t nz) {
    const std::int64_t count = checkedPointCount(nx, ny, nz);
    const std::string sizes =
        std::to_string(nx) + " x " + std::to_string(ny) + " x " + std::to_string(nz);
    if (count < 0) in.malformed("impossible sizes " + sizes + " in the header");
    // The writers never make such a file: a spectrum has at least one point.
    if (count == 0) in.malformed("sizes " + sizes + " in the header hold no point");
    return count;
}

// A file that its reader would refuse (no point) is not written: refused before anything
// is written. count is what the file would hold.
void requirePoints(const spectre& s, std::int64_t count) {
    if (count == 0)
        throw ERefused(s.name + " n'a aucun point (" + std::to_string(s.nx) + " x " +
                       std::to_string(s.ny) + " x " + std::to_string(s.nz) + ")");
}

// Writes the points (i, j, 0) in file order (i outer, j inner), `fields` doubles each, through
// a buffer: fill(i, jFrom, jTo, out) gives the run of points (i, jFrom .. jTo - 1).
template <typename Fill>
void writeLayerZero(AtomicFile& out, const spectre& s, std::size_t fields, const Fill& fill) {
    const auto nx = static_cast<std::size_t>(std::max(0, s.nx));
    const auto ny = static_cast<std::size_t>(std::max(0, s.ny));
    std::vector<double> buffer(std::min(chunkPoints, nx * ny) * fields);
    std::size_t used = 0; // points in the buffer
    const auto flush = [&] {
        out.write(buffer.data(), used * fields * sizeof(double));
        used = 0;
    };
    for (std::size_t i = 0; i < nx; ++i)
        for (std::size_t jFrom = 0, run = 0; jFrom < ny; jFrom += run) {
            run = std::min(chunkPoints - used, ny - jFrom);
            fill(int(i), int(jFrom), int(jFrom + run), buffer.data() + used * fields);
            used += run;
            if (used == chunkPoints) flush();
        }
    if (used > 0) flush();
}

// The values of the points (i, jFrom .. jTo - 1, 0) into out[n * stride]; zeros for a
// spectrum without points.
void layerZeroValues(const spectre& s, int i, int jFrom, int jTo, double* out,
                     std::size_t stride) {
    const bool has = s.nz >= 1;
    const double* v = has ? s.values().data() + s.indexOf(i, jFrom, 0) : nullptr;
    const auto nz = static_cast<std::size_t>(s.nz);
    for (int j = jFrom; j < jTo; ++j, out += stride) *out = has ? v[std::size_t(j - jFrom) * nz] : 0;
}

void writeRawValues(AtomicFile& out, const spectre& s) {
    // One layer: the values are already in file order.
    if (s.nz == 1) return out.write(s.values().data(), s.pointCount() * sizeof(double));
    writeLayerZero(out, s, 1, [&](int i, int jFrom, int jTo, double* o) {
        layerZeroValues(s, i, jFrom, jTo, o, 1);
    });
}

void writeSpeRecords(AtomicFile& out, const spectre& s) {
    const Extent e = s.extent();
    writeLayerZero(out, s, recordDoubles, [&](int i, int jFrom, int jTo, double* o) {
        if (s.nz < 1) {
            std::fill_n(o, std::size_t(jTo - jFrom) * recordDoubles, 0.0);
            return;
        }
        // mon, x, y, z, value: the order of the record.
        int field = 0;
        for (const CoordinateColumn* c :
             {&s.monColumn(), &s.xColumn(), &s.yColumn(), &s.zColumn()})
            c->gatherRun(e, i, 0, jFrom, jTo, o + field++, recordDoubles);
        layerZeroValues(s, i, jFrom, jTo, o + field, recordDoubles);
    });
}

// The .spe records of count points (i outer, j inner), read in chunks into the five fields
// of every point, each in its simplest form.
struct SpeFields {
    AlignedDoubles values;
    std::array<CoordinateColumn, 4> columns{CoordinateColumn(noAxis), CoordinateColumn(0),
                                            CoordinateColumn(1), CoordinateColumn(2)};
};

SpeFields readSpeRecords(BinaryFileReader& in, std::uint64_t start, const Extent& e) {
    const std::size_t count = e.count();
    std::array<AlignedDoubles, recordDoubles> fields;
    for (AlignedDoubles& f : fields) f = AlignedDoubles::uninitialised(count);
    std::vector<double> buffer(std::min(chunkPoints, count) * recordDoubles);
    for (std::size_t first = 0; first < count; first += chunkPoints) {
        const std::size_t n = std::min(chunkPoints, count - first);
        in.readAt(start + first * sizeof(spectrePoint), buffer.data(), n * sizeof(spectrePoint));
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t f = 0; f < recordDoubles; ++f)
                fields[f][first + p] = buffer[p * recordDoubles + f];
    }
    SpeFields read;
    for (std::size_t f = 0; f < 4; ++f)
        read.columns[f] =
            CoordinateColumn::fromPoints(read.columns[f].axis(), e, std::move(fields[f]));
    read.values = std::move(fields[4]);
    return read;
}

} // namespace

std::filesystem::path writeSpeFile(const spectre& s, const std::string& base, Journal& journal) {
    requirePoints(s, std::int64_t(std::max(0, s.nx)) * std::max(0, s.ny));
    const bool raw = isRawAxis(s.typeX);
    const std::filesystem::path file = freeSpeName(base, raw ? ".raw" : ".spe");
    AtomicFile out(file, false);

    std::string head;
    if (raw) {
        head.assign(rawDataStart, '\0');
    } else {
        head.reserve(speDataStart);
        const spectrePoint filler{1.0, 0, 0, 0, 0};
        for (std::size_t r = 0; r < speDataStart / sizeof filler; ++r)
            head.append(reinterpret_cast<const char*>(&filler), sizeof filler);
    }
    head.replace(0, speHeaderSize, speHeader(s));
    const std::uint64_t records =
        std::uint64_t(std::max(0, s.nx)) * std::uint64_t(std::max(0, s.ny));
    out.reserve(head.size() + records * (raw ? sizeof(double) : sizeof(spectrePoint)));
    out.write(head);
    if (raw)
        writeRawValues(out, s);
    else
        writeSpeRecords(out, s);
    out.commit();
    markSaved(s);
    if (!raw) journal.appendLine("sauvegarde sous " + file.string());
    return file;
}

void readSpeFile(spectre& s, const std::filesystem::path& file) {
    BinaryFileReader in(file);
    const std::string h = in.readAt(0, speHeaderSize);
    const auto nx = getAt<std::int32_t>(h, 0), ny = getAt<std::int32_t>(h, 4);
    const std::uint64_t count = static_cast<std::uint64_t>(checkedSizes(in, nx, ny, 1));
    const std::string typeX = getShortText(h, 130, 6);
    const bool raw = isRawAxis(typeX);
    const std::uint64_t start = raw ? rawDataStart : speDataStart;
    const std::uint64_t recordSize = raw ? sizeof(double) : sizeof(spectrePoint);
    in.requireRange(start, count * recordSize, "points");

    // Read everything before touching the spectrum, so a failure leaves it unchanged.
    const Extent e{{nx, ny, 1}};
    AlignedDoubles values;
    SpeFields fields;
    if (raw) {
        values = AlignedDoubles::uninitialised(count);
        in.readAt(start, values.data(), count * sizeof(double));
    } else {
        fields = readSpeRecords(in, start, e);
        values = std::move(fields.values);
    }

    s.comment = getShortText(h, 29, 100);
    s.typeX = typeX;
    s.typeY = getShortText(h, 137, 6);
    s.cursorI = getAt<std::int32_t>(h, 144);
    s.cursorJ = getAt<std::int32_t>(h, 148);
    s.resize(nx, ny, 1, std::move(values));
    if (raw) {
        s.expConds.clear();
    } else {
        s.setMonColumn(std::move(fields.columns[0]));
        s.setXColumn(std::move(fields.columns[1]));
        s.setYColumn(std::move(fields.columns[2]));
        s.setZColumn(std::move(fields.columns[3]));
    }
    markSaved(s);
}

void saveAllSpe(const spectlist& table, Journal& journal) {
    for (int slot = 1; slot <= spectlist::slotCount; ++slot)
        if (const spectre* s = table.at(slot)) writeSpeFile(*s, s->name, journal);
}

std::uint64_t spectreDataOffset(int c) {
    // R = 3.7 c rounded half to even, in integers so that 18.5 is exactly a half.
    const std::int64_t tenths = 37 * static_cast<std::int64_t>(c);
    std::int64_t r = tenths / 10;
    const std::int64_t rest = tenths % 10;
    if (rest > 5 || (rest == 5 && r % 2 != 0)) ++r;
    return static_cast<std::uint64_t>(8 * (62 + r));
}

void writeSpectreFile(const spectre& s, const std::filesystem::path& file, Journal& journal) {
    requirePoints(s, std::int64_t(s.pointCount()));
    const int c = std::min(s.expCondCount(), spectreMaxConditions);
    const std::uint64_t d = spectreDataOffset(c);
    std::string head(d, '\0');
    putShortText(head, 0, 20, s.name);
    putShortText(head, 21, 255, s.comment);
    putAt<double>(head, 280, s.monitor);
    putAt<std::int32_t>(head, 288, s.nx);
    putAt<std::int32_t>(head, 292, s.ny);
    putAt<std::int32_t>(head, 296, s.nz);
    putAt<std::int32_t>(head, 300, c);
    putShortText(head, 304, 6, s.typeX);
    putShortText(head, 311, 6, s.typeY);
    putShortText(head, 318, 6, s.typeZ);
    for (int n = 0; n < c; ++n) {
        const std::size_t at = spectreConditionsStart + 32 * static_cast<std::size_t>(n);
        putShortText(head, at, 20, s.expConds[n].name);
        putAt<double>(head, at + 24, s.expConds[n].value);
    }

    // Axis values that have no point to come from (a size 0 elsewhere) are written as 0.
    const auto axisValue = [&](int i, int j, int k, double (spectre::*field)(int, int, int) const) {
        return pointExists(s, i, j, k) ? (s.*field)(i, j, k) : 0.0;
    };
    std::vector<double> axes;
    for (int i = 0; i < s.nx; ++i) axes.push_back(axisValue(i, 0, 0, &spectre::xAt));
    for (int j = 0; j < s.ny; ++j) axes.push_back(axisValue(0, j, 0, &spectre::yAt));
    for (int k = 0; k < s.nz; ++k) axes.push_back(axisValue(0, 0, k, &spectre::zAt));
    head.append(reinterpret_cast<const char*>(axes.data()), axes.size() * sizeof(double));

    AtomicFile out(file);
    out.reserve(head.size() + s.pointCount() * sizeof(double));
    out.write(head);
    out.write(s.values().data(), s.pointCount() * sizeof(double));
    out.commit();
    markSaved(s);
    if (s.expCondCount() > spectreMaxConditions)
        journal.appendLine("!! " + file.string() + " : " + std::to_string(s.expCondCount()) +
                           " conditions pour " + s.name + ", seules les " +
                           std::to_string(spectreMaxConditions) + " premières sont écrites");
}

void readSpectreFile(spectre& s, const std::filesystem::path& file) {
    BinaryFileReader in(file);
    const std::string h = in.readAt(0, spectreHeaderSize);
    const auto nx = getAt<std::int32_t>(h, 288), ny = getAt<std::int32_t>(h, 292),
               nz = getAt<std::int32_t>(h, 296), c = getAt<std::int32_t>(h, 300);
    const std::uint64_t count = static_cast<std::uint64_t>(checkedSizes(in, nx, ny, nz));
    if (c < 0) in.malformed("negative condition count " + std::to_string(c));
    in.requireRange(spectreConditionsStart, 32 * static_cast<std::uint64_t>(c), "conditions");
    const std::uint64_t d = spectreDataOffset(c);
    const std::uint64_t axisCount = std::uint64_t(nx) + std::uint64_t(ny) + std::uint64_t(nz);
    in.requireRange(d, (axisCount + count) * sizeof(double), "axes and values");

    // Everything is read before the spectrum changes.
    std::vector<double> axes(axisCount);
    in.readAt(d, axes.data(), axisCount * sizeof(double));
    const std::string conds = in.readAt(spectreConditionsStart, 32 * static_cast<std::size_t>(c));
    // The values in one read, straight into the spectrum's own column.
    AlignedDoubles values = AlignedDoubles::uninitialised(count);
    in.readAt(d + axisCount * sizeof(double), values.data(), count * sizeof(double));
    const std::span<const double> xs(axes.data(), std::size_t(nx));
    const std::span<const double> ys(xs.data() + nx, std::size_t(ny));
    const std::span<const double> zs(ys.data() + ny, std::size_t(nz));

    s.comment = getShortText(h, 21, 255);
    s.monitor = getAt<double>(h, 280);
    s.typeX = getShortText(h, 304, 6);
    s.typeY = getShortText(h, 311, 6);
    s.typeZ = getShortText(h, 318, 6);
    s.expConds.clear();
    for (int n = 0; n < c; ++n)
        s.expConds.push_back(expCond{getShortText(conds, 32 * std::size_t(n), 20),
                                     getAt<double>(conds, 32 * std::size_t(n) + 24)});
    s.resize(nx, ny, nz, std::move(values));
    s.setXAlongI(xs);
    s.setYAlongJ(ys);
    s.setZAlongK(zs);
    markSaved(s);
}

void writeAsciiTable(const spectre& s, const std::filesystem::path& file, char sep) {
    AtomicFile out(file);
    out.writeLine(s.comment);
    out.writeLine(std::to_string(s.nx));
    out.writeLine(std::to_string(s.ny));
    out.writeLine(std::to_string(s.nz));
    const bool rawX = isRawAxis(s.typeX), rawY = isRawAxis(s.typeY), rawZ = isRawAxis(s.typeZ);
    auto coordinate = [&](bool raw, int index, double stored) {
        return raw ? std::to_string(index) : formatGeneral(stored, sep);
    };
    std::string line;
    for (int i = 0; i < s.nx; ++i)
        for (int j = 0; j < s.ny; ++j)
            for (int k = 0; k < s.nz; ++k) {
                const spectrePoint p = s.pointAt(i, j, k);
                line = coordinate(rawX, i, p.x);
                line += '\t';
                line += coordinate(rawY, j, p.y);
                line += '\t';
                line += coordinate(rawZ, k, p.z);
                line += '\t';
                line += formatGeneral(p.value, sep);
                out.writeLine(line);
            }
    out.commit();
    markSaved(s);
}

void writeAscii1D(const spectre& s, const std::filesystem::path& file, const std::string& header,
                  char sep) {
    AtomicFile out(file);
    out.writeLine(header);
    out.writeLine(std::to_string(s.nx));
    out.writeLine(std::to_string(s.ny));
    out.writeLine(std::to_string(s.nz));
    for (int i = 0; i < s.nx && pointExists(s, i, 0, 0); ++i)
        out.writeLine(formatGeneral(s.xAt(i), sep) + "\t" + formatGeneral(s.valueAt(i), sep));
    out.commit();
    markSaved(s);
}

void writeAscii2D(const spectre& s, const std::filesystem::path& file, const std::string& header,
                  char sep) {
    AtomicFile out(file);
    out.writeLine(header);
    out.writeLine(formatGeneral(s.monitor, sep));
    for (int i = 0; i < s.nx; ++i)
        for (int j = 0; j < s.ny && pointExists(s, i, j, 0); ++j)
            out.writeLine(formatGeneral(s.valueAt(i, j, 0), sep));
    out.commit();
    markSaved(s);
}

} // namespace ombrelune
