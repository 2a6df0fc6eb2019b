#include "proc2d/remap_qxqz.hpp"

#include "proc2d/grid.hpp"
#include "errors/errors.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <cmath>
#include <numbers>
#include <vector>

namespace ombrelune {
namespace {

void checkGrid(double lambda, const QGrid& g) {
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (!positive(lambda)) throw ERefused("lambda " + formatGeneral(lambda) + " refusé");
    if (!positive(g.step1) || !positive(g.step2))
        throw ERefused("pas " + formatGeneral(g.step1) + ", " + formatGeneral(g.step2) +
                       " refusés (finis et > 0)");
    for (double bound : {g.min1, g.max1, g.min2, g.max2})
        if (!std::isfinite(bound)) throw ERefused("borne " + formatGeneral(bound) + " refusée");
}

struct SinCos {
    double angle = std::numeric_limits<double>::quiet_NaN();
    double sin = 0;
    double cos = 0;

    // The sine and cosine of an angle in degrees, recomputed only when the angle changes:
    // on a regular image α repeats along j and β along i.
    const SinCos& of(double degrees) {
        if (degrees != angle) {
            angle = degrees;
            const double r = degrees * std::numbers::pi / 180;
            sin = std::sin(r);
            cos = std::cos(r);
        }
        return *this;
    }
};

} // namespace

QxQzImage remapToQxQz(const spectre& source, double lambda, const QGrid& g,
                      const std::string& name) {
    checkGrid(lambda, g);
    imageGrid(source);
    const double size1 = roundHalfEven((g.max1 - g.min1) / g.step1);
    const double size2 = roundHalfEven((g.max2 - g.min2) / g.step2);
    if (!(size1 >= 1 && size2 >= 1))
        throw ERefused("grille sans cellule (" + sizeText(size1, size2) + ")");
    QxQzImage result{newSpectre(name, size1, size2, 1), 0};
    spectre& out = result.image;
    out.typeX = out.typeY = "raw";
    std::vector<double> xs = indexAxis(out.nx), ys = indexAxis(out.ny);
    for (double& x : xs) x = g.min1 + g.step1 * x;
    for (double& y : ys) y = g.min2 + g.step2 * y;
    out.setXAlongI(xs);
    out.setYAlongJ(ys);

    constexpr double pi = std::numbers::pi;
    const double W = 4 * pi / lambda;
    const double dAlpha = std::fabs(source.xAt(1, 0) - source.xAt(0, 0));
    const double dBeta = std::fabs(source.yAt(0, 1) - source.yAt(0, 0));
    SinCos alphaTrig;
    std::vector<SinCos> betaTrig(static_cast<std::size_t>(source.ny));
    for (int i = 0; i < source.nx; ++i)
        for (int j = 0; j < source.ny; ++j) {
            const spectrePoint p = source.pointAt(i, j, 0);
            const double alpha = p.x * pi / 180, beta = p.y * pi / 180;
            const double sigma = (alpha + beta) / 2, delta = (alpha - beta) / 2;
            const double sinSigma = std::sin(sigma);
            const double q1 = W * sinSigma * std::cos(delta);
            const double q2 = W * sinSigma * std::sin(delta);
            const double k1 = roundHalfEven((q1 - g.min1) / g.step1);
            const double k2 = roundHalfEven((q2 - g.min2) / g.step2);
            if (!(k1 >= 0 && k1 < size1 && k2 >= 0 && k2 < size2)) continue;
            const SinCos& a = alphaTrig.of(p.x);
            const SinCos& b = betaTrig[static_cast<std::size_t>(j)].of(p.y);
            const double J = std::fabs((W / 2) * (a.cos * dAlpha + b.cos * dBeta) *
                                       ((W / 2) * (a.sin * dAlpha - b.sin * dBeta)));
            if (J == 0 || !std::isfinite(J)) {
                ++result.skipped;
                continue;
            }
            const int c1 = static_cast<int>(k1), c2 = static_cast<int>(k2);
            out.setValueAt(c1, c2, 0, out.valueAt(c1, c2) + p.value / J);
        }
    return result;
}

} // namespace ombrelune
