#include "proc2d/masks.hpp"

#include "proc2d/projections.hpp"
#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace ombrelune {
namespace {

spectre blankMask(const spectre& image, const std::string& name, double background) {
    spectre mask = newSpectre(name, image.nx, image.ny, 1);
    mask.typeX = image.typeX;
    mask.typeY = image.typeY;
    mask.fillValues(background);
    return mask;
}

spectre rectangleMask(const spectre& image, const std::string& name, double X1, double Y1,
                      double X2, double Y2, double inside) {
    spectre mask = blankMask(image, name, 1 - inside);
    const IndexRange is =
        clippedRange(std::trunc(std::min(X1, X2)), std::trunc(std::max(X1, X2)), mask.nx);
    const IndexRange js =
        clippedRange(std::trunc(std::min(Y1, Y2)), std::trunc(std::max(Y1, Y2)), mask.ny);
    for (int i = is.begin; i < is.end; ++i)
        for (int j = js.begin; j < js.end; ++j) mask.setValueAt(i, j, 0, inside);
    return mask;
}

spectre discMask(const spectre& image, const std::string& name, double X1, double Y1, double X2,
                 double Y2, double inside) {
    spectre mask = blankMask(image, name, 1 - inside);
    const double radius = std::sqrt((X2 - X1) * (X2 - X1) + (Y2 - Y1) * (Y2 - Y1));
    for (int i = 0; i < mask.nx; ++i)
        for (int j = 0; j < mask.ny; ++j)
            if (std::sqrt((i - X1) * (i - X1) + (j - Y1) * (j - Y1)) <= radius)
                mask.setValueAt(i, j, 0, inside);
    return mask;
}

} // namespace

spectre maskRectangleInside(const spectre& image, const std::string& name, double X1, double Y1,
                            double X2, double Y2) {
    return rectangleMask(image, name, X1, Y1, X2, Y2, 0);
}

spectre maskRectangleOutside(const spectre& image, const std::string& name, double X1, double Y1,
                             double X2, double Y2) {
    return rectangleMask(image, name, X1, Y1, X2, Y2, 1);
}

spectre maskDiscInside(const spectre& image, const std::string& name, double X1, double Y1,
                       double X2, double Y2) {
    return discMask(image, name, X1, Y1, X2, Y2, 0);
}

spectre maskDiscOutside(const spectre& image, const std::string& name, double X1, double Y1,
                        double X2, double Y2) {
    return discMask(image, name, X1, Y1, X2, Y2, 1);
}

std::optional<MaskBuilder> maskBuilderNamed(std::string_view typeText) {
    static constexpr std::array<std::pair<std::string_view, MaskBuilder>, 4> builders{{
        {"rectangulaire int.", maskRectangleInside},
        {"rectangulaire ext.", maskRectangleOutside},
        {"circulaire int.", maskDiscInside},
        {"circulaire ext.", maskDiscOutside},
    }};
    for (const auto& [text, builder] : builders)
        if (text == typeText) return builder;
    return std::nullopt;
}

bool storeMask(spectlist& images, spectre mask, const std::string& name) {
    const std::string older = name + "_Z";
    images.removeByName(older);
    spectre* previous = images.find(name);
    if (previous) previous->name = older;
    mask.name = name;
    if (images.store(std::move(mask)) < 0) {
        if (previous) previous->name = name;
        throw ERefused("table pleine, le masque " + name + " n'est pas stocké");
    }
    return previous && opMult(images, older, name, name);
}

void sectorMask(spectre& image, double X0, double Y0, double angle, double opening) {
    const auto wrap = [](double a) {
        if (a < 0) a += 360;
        if (a > 360) a -= 360;
        return a;
    };
    const double lo = wrap(angle - opening / 2), hi = wrap(angle + opening / 2);
    const int nx = image.pointCount() == 0 ? 0 : image.nx;
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < image.ny; ++j) {
            const double r2 = (i - X0) * (i - X0) + (j - Y0) * (j - Y0);
            if (r2 == 0) continue;
            const double r = std::sqrt(r2);
            const double cx = std::clamp((i - X0) / r, -1.0, 1.0), cy = (Y0 - j) / r;
            double phi = std::acos(cx);
            if (cy < 0) phi = -phi;
            double a = 90 - phi * 180 / 3.14159;
            if (a < 0) a += 360;
            const bool inSector =
                lo < hi ? lo <= a && a <= hi : (0 <= a && a <= hi) || (lo <= a && a <= 360);
            if (inSector) image.setValueAt(i, j, 0, 0);
        }
}

} // namespace ombrelune
