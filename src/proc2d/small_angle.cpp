#include "proc2d/small_angle.hpp"

#include "proc2d/refusal.hpp"
#include "proc2d/spectrum_builder.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ombrelune {
namespace {

// The parts of cos 2θ that depend on i alone, on j alone, or on neither, always computed
// in the same order so that the per-image loop and pixelQ give the same bits.
class CosineTerms {
public:
    CosineTerms(int nx, const BeamGeometry& g)
        : c_(nx / 2.0), dd_(g.delta * g.delta), DD_(g.distance * g.distance), bx_(g.X0 - c_),
          base_(std::sqrt(dd_ * bx_ * bx_ + DD_)), Y0_(g.Y0) {}

    double numerator(int i) const { return dd_ * (i - c_) * bx_ + DD_; }
    double rowTerm(int i) const {
        const double di = i - c_;
        return dd_ * di * di;
    }
    double columnTerm(int j) const {
        const double dj = j - Y0_;
        return dd_ * dj * dj;
    }
    double cos2Theta(double numerator, double rowTerm, double columnTerm) const {
        const double v = numerator / (base_ * std::sqrt(rowTerm + columnTerm + DD_));
        // Rounding can carry the cosine just past 1 (the beam pixel) or, for a pixel behind
        // the sample, past -1, where arccos has no value.
        return std::clamp(v, -1.0, 1.0);
    }

private:
    double c_, dd_, DD_, bx_, base_, Y0_;
};

double qFromCosine(double cos2Theta, double lambda) {
    return 12.56636 * std::sin(std::acos(cos2Theta) / 2) / lambda;
}

void checkSetup(const BeamGeometry& g, double channels) {
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (!(std::isfinite(channels) && channels >= 1))
        throw ERefused("nombre de canaux " + formatGeneral(channels) + " refusé (au moins 1)");
    if (!positive(g.lambda) || !positive(g.delta) || !positive(g.distance))
        throw ERefused("lambda, delta et distance doivent être finis et > 0 (" +
                       formatGeneral(g.lambda) + ", " + formatGeneral(g.delta) + ", " +
                       formatGeneral(g.distance) + ")");
}

const spectre* checkedMask(const spectre& source, const spectre* mask) {
    if (mask && (mask->nx != source.nx || mask->ny != source.ny || mask->nz < 1))
        throw ERefused("masque " + mask->name + " de taille " + sizeText(mask->nx, mask->ny) +
                       ", image " + sizeText(source.nx, source.ny));
    return mask;
}

// The channel round(q s) of a pixel. sin(acos(c) / 2) equals sqrt((1 - c) / 2), which is
// much cheaper; the two agree on the channel except when q s lies within rounding noise of
// a half-way point, and there the exact formula decides, so the result is that of pixelQ.
class ChannelFinder {
public:
    ChannelFinder(double lambda, double s)
        : lambda_(lambda), s_(s), scale_(12.56636 / lambda * s) {}

    double operator()(double cos2Theta) const {
        const double t = std::sqrt((1 - cos2Theta) * 0.5) * scale_;
        const double offHalf = std::fabs(t - std::floor(t) - 0.5);
        if (offHalf <= tieMargin * (1 + t))
            return roundHalfEven(qFromCosine(cos2Theta, lambda_) * s_);
        return std::nearbyint(t);
    }

private:
    // Far above the few units in the last place by which the two forms can differ.
    static constexpr double tieMargin = 1e-9;
    double lambda_, s_, scale_;
};

} // namespace

double pixelQ(int nx, const BeamGeometry& g, int i, int j) {
    const CosineTerms terms(nx, g);
    return qFromCosine(terms.cos2Theta(terms.numerator(i), terms.rowTerm(i), terms.columnTerm(j)),
                       g.lambda);
}

SmallAngleSum smallAngleSum(const spectre& source, const std::string& name, const spectlist& images,
                            const std::string& maskName, const BeamGeometry& g, double channels) {
    checkSetup(g, channels);
    const int nx = source.nx, ny = source.ny;
    if (source.points.empty()) throw ERefused("l'image " + source.name + " n'a pas de points");
    const double qmax = std::max({pixelQ(nx, g, 0, 0), pixelQ(nx, g, 0, ny - 1),
                                  pixelQ(nx, g, nx - 1, 0), pixelQ(nx, g, nx - 1, ny - 1)});
    if (!(std::isfinite(qmax) && qmax > 0))
        throw ERefused("qmax " + formatGeneral(qmax) + " : aucun q à répartir");
    const double s = channels / qmax;
    const int maskSlot = images.indexOf(maskName);
    const spectre* mask = checkedMask(source, images.at(maskSlot));

    const double capacity = roundHalfEven(qmax * s) + 2;
    SmallAngleSum result{newSpectre(name, capacity, 1, 1), 0};
    spectre& curve = result.curve;
    curve.typeX = "q";
    curve.comment = "Somme PA de : " + source.name + ", masque : " + maskName;
    curve.setExpCond("X0", g.X0);
    curve.setExpCond("Y0", g.Y0);
    curve.setExpCond("dist Ech/detect", g.distance);
    curve.setExpCond("Masque", maskSlot);
    curve.setExpCond("lambda", g.lambda);
    curve.setExpCond("delta", g.delta);

    int top = 1;
    if (0 <= g.X0 && g.X0 <= nx && 0 <= g.Y0 && g.Y0 <= ny) {
        std::vector<std::int64_t> hits(static_cast<std::size_t>(curve.nx));
        if (isRawAxis(source.typeX)) {
            const CosineTerms terms(nx, g);
            const ChannelFinder channelOf(g.lambda, s);
            std::vector<double> columnTerms(static_cast<std::size_t>(ny));
            for (int j = 0; j < ny; ++j)
                columnTerms[static_cast<std::size_t>(j)] = terms.columnTerm(j);
            const double lastChannel = curve.nx - 1;
            for (int i = 0; i < nx; ++i) {
                const double numerator = terms.numerator(i), rowTerm = terms.rowTerm(i);
                for (int j = 0; j < ny; ++j) {
                    if (mask && mask->at(i, j, 0).value != 1.0) continue;
                    const double cos2Theta = terms.cos2Theta(
                        numerator, rowTerm, columnTerms[static_cast<std::size_t>(j)]);
                    // The farthest pixel is a corner, so k stays below the capacity; the
                    // clamp only guards the array.
                    const int k =
                        static_cast<int>(std::clamp(channelOf(cos2Theta), 0.0, lastChannel));
                    top = std::max(top, k);
                    ++hits[static_cast<std::size_t>(k)];
                    curve.at(k).value += source.at(i, j, 0).value;
                }
            }
        }
        for (int k = 0; k <= top; ++k) {
            const std::int64_t n = hits[static_cast<std::size_t>(k)];
            if (n == 0) continue;
            result.pixelsUsed += n;
            curve.at(k).x = k / s;
            curve.at(k).value /= static_cast<double>(n);
        }
        ++top;
    }
    curve.resize(top, 1, 1);
    return result;
}

} // namespace ombrelune
