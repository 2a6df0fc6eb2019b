#include "plot/series_columns.hpp"

#include "store/number_format.hpp"

#include <algorithm>

namespace ombrelune {

std::string seriesColumnsText(const std::vector<NamedSeries>& shown, char decimalSeparator) {
    std::string out;
    std::size_t rows = 0;
    for (const NamedSeries& s : shown) {
        out += (&s == shown.data() ? "" : "\t") + s.name + " x\t" + s.name;
        rows = std::max(rows, s.series->size());
    }
    out += '\n';
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t k = 0; k < shown.size(); ++k) {
            if (k > 0) out += '\t';
            const TSeries& s = *shown[k].series;
            if (r >= s.size()) {
                out += '\t';
                continue;
            }
            const SeriesPoint p = s.pointAt(r);
            out += formatGeneral(p.x, decimalSeparator) + '\t' +
                   formatGeneral(p.y, decimalSeparator);
        }
        out += '\n';
    }
    return out;
}

} // namespace ombrelune
