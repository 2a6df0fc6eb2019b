#include "plot/dot00_file.hpp"

#include "errors/errors.hpp"
#include "store/number_format.hpp"
#include "store/text_file.hpp"

#include <array>

namespace ombrelune {
namespace {

// The first two fields of a line (missing ones are empty).
std::array<std::string_view, 2> firstTwoFields(std::string_view line) {
    std::array<std::string_view, 2> fields{};
    for (std::string_view& field : fields) {
        const std::size_t cut = line.find_first_of("\t,");
        field = line.substr(0, cut);
        if (cut == std::string_view::npos) break;
        line.remove_prefix(cut + 1);
    }
    return fields;
}

double fieldValue(std::string_view field) {
    if (field.find_first_not_of(" \r") == std::string_view::npos) return 0;
    return strToFloat(field, '.');
}

} // namespace

std::vector<Dot00Point> readDot00File(const std::filesystem::path& file) {
    const std::vector<std::string> lines = readTextLines(file);
    std::vector<Dot00Point> points;
    for (std::size_t r = 1; r < lines.size(); ++r) {
        const std::string& line = lines[r];
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        const auto [x, value] = firstTwoFields(line);
        try {
            points.push_back({fieldValue(x), fieldValue(value)});
        } catch (const EConvertError& e) {
            throw EInOutError(file.string() + ", line " + std::to_string(r + 1) + ": " + e.what());
        }
    }
    return points;
}

int storeDot00Curve(spectlist& table, const std::string& name,
                    const std::vector<Dot00Point>& points) {
    if (checkedPointCount(static_cast<std::int64_t>(points.size()), 1, 1) < 0) return -1;
    const auto count = static_cast<std::int32_t>(points.size());
    int slot = table.indexOf(name);
    if (slot < 0) {
        slot = table.create(name, static_cast<std::int64_t>(points.size()), 1, 1);
        if (slot < 0) return -1;
    }
    spectre& curve = *table.at(slot);
    if (curve.nx != count || curve.ny != 1 || curve.nz != 1) curve.resize(count, 1, 1);
    for (std::int32_t r = 0; r < count; ++r) {
        curve.setXAt(r, 0, 0, points[static_cast<std::size_t>(r)].x);
        curve.setValueAt(r, 0, 0, points[static_cast<std::size_t>(r)].value);
    }
    return slot;
}

} // namespace ombrelune
