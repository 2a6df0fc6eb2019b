#include "proc2d/concat_files.hpp"

#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/spectrum_files.hpp"
#include "store/store_ops.hpp"

#include <cmath>
#include <optional>
#include <unistd.h>

namespace ombrelune {
namespace {

// Opening is left to the reader, which refuses a FIFO or device at once instead of
// waiting on it.
bool openableForReading(const std::string& path) {
    return ::access(path.c_str(), R_OK) == 0;
}

// File numbers are printed as whole numbers and counted exactly in a double.
constexpr double largestFileNumber = 1e15;

} // namespace

spectre concatCurveFiles(const std::string& directory, const std::string& prefix, double first,
                         double step, double last, const std::string& suffix,
                         const std::string& name, Journal& journal) {
    first = roundHalfEven(first);
    last = roundHalfEven(last);
    // The rounded step numbers both the files and the rows, so no two files share a row.
    const double rowStep = roundHalfEven(step);
    if (!(std::fabs(first) <= largestFileNumber && std::fabs(last) <= largestFileNumber))
        throw ERefused("numéros de fichiers " + formatGeneral(first) + " à " + formatGeneral(last) +
                       " refusés");
    if (last < first)
        throw ERefused("dernier numéro " + formatGeneral(last) + " avant le premier " +
                       formatGeneral(first));
    if (!(rowStep >= 1)) throw ERefused("pas " + formatGeneral(step) + " refusé (au moins 1)");

    const auto pathOf = [&](double n) { return directory + prefix + formatGeneral(n) + suffix; };
    const auto readCurve = [&](double n) -> std::optional<spectre> {
        const std::string path = pathOf(n);
        if (!openableForReading(path)) return std::nullopt;
        spectre curve = newSpectre(prefix + formatGeneral(n) + suffix, 1, 1, 1);
        readSpectreFile(curve, path);
        return curve;
    };

    const std::optional<spectre> firstCurve = readCurve(first);
    if (!firstCurve) throw ERefused("premier fichier " + pathOf(first) + " n'existe pas");
    const int P = curveLength(*firstCurve);
    if (P == 0) throw ERefused("premier fichier " + pathOf(first) + " sans points");
    spectre image = newSpectre(name, roundHalfEven((last - first) / rowStep) + 1, P, 1);
    image.typeX = image.typeY = "raw";
    int row = 0;
    for (double n = first; n <= last; n += rowStep, ++row) {
        const std::optional<spectre> curve = n == first ? firstCurve : readCurve(n);
        if (!curve) {
            journal.appendLine("!! echec ouverture : " + pathOf(n) + " n'existe pas");
            continue;
        }
        if (curveLength(*curve) < P)
            throw ERefused("le fichier " + pathOf(n) + " a " + std::to_string(curveLength(*curve)) +
                           " points, le premier en a " + std::to_string(P));
        for (int i = 0; i < P; ++i)
            image.setPointAt(row, i, 0,
                             spectrePoint{1, n - first, double(i), 0, curve->valueAt(i)});
    }
    image.simplifyColumns();
    return image;
}

} // namespace ombrelune
