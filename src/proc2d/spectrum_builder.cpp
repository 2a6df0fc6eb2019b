#include "proc2d/spectrum_builder.hpp"

#include "errors/errors.hpp"
#include "store/number_format.hpp"

#include <cmath>
#include <limits>

namespace ombrelune {

std::string sizeText(double nx, double ny) {
    return formatGeneral(nx) + " x " + formatGeneral(ny);
}

SpectrumSizes checkedSizes(const std::string& name, double nx, double ny, double nz) {
    constexpr double int32Max = std::numeric_limits<std::int32_t>::max();
    const auto fits = [](double n) { return std::isfinite(n) && n >= 0 && n <= int32Max; };
    const std::int64_t count =
        fits(nx) && fits(ny) && fits(nz)
            ? checkedPointCount(static_cast<std::int64_t>(nx), static_cast<std::int64_t>(ny),
                                static_cast<std::int64_t>(nz))
            : -1;
    if (count < 0)
        throw ERefused("taille refusée pour " + name + " : " + sizeText(nx, ny) + " x " +
                       formatGeneral(nz));
    return {static_cast<std::int32_t>(nx), static_cast<std::int32_t>(ny),
            static_cast<std::int32_t>(nz), static_cast<std::size_t>(count)};
}

spectre newSpectre(const std::string& name, double nx, double ny, double nz) {
    const SpectrumSizes sizes = checkedSizes(name, nx, ny, nz);
    spectre s;
    s.name = name;
    s.resize(sizes.nx, sizes.ny, sizes.nz);
    s.clear();
    return s;
}

void storeResult(spectlist& table, spectre&& result) {
    const std::string name = result.name;
    if (table.store(std::move(result)) < 0)
        throw ERefused("table pleine, " + name + " n'est pas stocké");
}

} // namespace ombrelune
