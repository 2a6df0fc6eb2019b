#include "nexus/nxcansas.hpp"

#include "errors/errors.hpp"

#include <cmath>
#include <string_view>

namespace ombrelune {
namespace {

// The unit given, the first known one when none is, or ERefused.
template <std::size_t N>
std::string requireUnit(const std::string& given, const std::array<std::string_view, N>& known,
                        std::string_view quantity) {
    if (given.empty()) return std::string(known[0]);
    std::string choices;
    for (std::size_t k = 0; k < N; ++k) {
        if (given == known[k]) return given;
        choices += std::string(k == 0 ? "" : k + 1 == N ? " ou " : ", ") + std::string(known[k]);
    }
    throw ERefused("unité de " + std::string(quantity) + " \"" + given + "\" inconnue (" + choices +
                   ")");
}

} // namespace

NXcanSASCurve nxcansasCurve(const spectre& curve, const NXcanSASLabels& labels) {
    NXcanSASCurve out;
    out.qUnit = requireUnit(labels.qUnit, nxcansasQUnits, "Q");
    out.iUnit = requireUnit(labels.iUnit, nxcansasIUnits, "I");
    out.title = labels.title.empty() ? curve.name : labels.title;
    out.run = curve.name;
    out.description = curve.comment;
    if (isRawAxis(curve.typeX))
        throw ERefused("l'axe x de " + curve.name + " est \"raw\" : ce n'est pas |Q|");
    const std::int32_t count = curve.ny >= 1 && curve.nz >= 1 ? curve.nx : 0;
    for (std::int32_t i = 0; i < count; ++i) {
        const double q = curve.xAt(i);
        if (!(q >= 0) || std::isinf(q))
            throw ERefused("Q négatif ou non fini au point " + std::to_string(i) + " de " +
                           curve.name + " : ce n'est pas |Q|");
        if (q == 0) continue;
        out.q.push_back(q);
        out.i.push_back(curve.valueAt(i));
    }
    if (out.q.empty()) throw ERefused(curve.name + " n'a aucun point de Q > 0");
    return out;
}

} // namespace ombrelune
