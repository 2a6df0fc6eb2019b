#include "proc2d/small_angle.hpp"

#include "errors/errors.hpp"
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
        const double atLeast = v < -1.0 ? -1.0 : v;
        return atLeast > 1.0 ? 1.0 : atLeast;
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

    // q s by the cheap form; c lies in -1 .. 1, so this is finite and at least 0.
    double estimate(double cos2Theta) const { return std::sqrt((1 - cos2Theta) * 0.5) * scale_; }

    // round(estimate), halves up; exact except within rounding noise of a half-way point.
    static double roundedEstimate(double estimate) {
        const double whole = std::trunc(estimate);
        return estimate - whole > 0.5 ? whole + 1 : whole;
    }
    bool nearHalf(double estimate) const {
        const double whole = std::trunc(estimate);
        return std::fabs(estimate - whole - 0.5) <= tieMargin * (1 + estimate);
    }
    // The channel by the exact formula, for the estimates near a half-way point.
    double exactChannel(double cos2Theta) const {
        return roundHalfEven(qFromCosine(cos2Theta, lambda_) * s_);
    }

private:
    // Far above the few units in the last place by which the two forms can differ.
    static constexpr double tieMargin = 1e-9;
    double lambda_, s_, scale_;
};

// cos 2θ, the cheap channel estimate and its rounding for every pixel of a row: the hot
// loop of the sum. The copies taken by value let the compiler see that the stores change
// none of the constants, so the row runs through vector lanes, four wide where the
// processor can (the same IEEE operations in every lane, so the result does not depend on
// the lane width).
__attribute__((target_clones("avx2", "default"))) void
estimateRow(const CosineTerms terms, const ChannelFinder finder, double numerator, double rowTerm,
            const double* columnTerms, std::size_t n, double lastChannel, double* cosines,
            double* estimates, double* channels) {
    for (std::size_t j = 0; j < n; ++j) {
        const double c = terms.cos2Theta(numerator, rowTerm, columnTerms[j]);
        const double e = finder.estimate(c);
        const double k = ChannelFinder::roundedEstimate(e);
        cosines[j] = c;
        estimates[j] = e;
        channels[j] = k > lastChannel ? lastChannel : k;
    }
}

// The channels of the pixels of one row i, clamped to the curve: the farthest pixel is a
// corner, so they stay below the capacity anyway and the clamp only guards the arrays.
class RowChannels {
public:
    RowChannels(int nx, int ny, const BeamGeometry& g, double s, std::int32_t lastChannel)
        : terms_(nx, g), finder_(g.lambda, s), lastChannel_(lastChannel),
          columnTerms_(static_cast<std::size_t>(ny)), cosines_(columnTerms_.size()),
          estimates_(columnTerms_.size()), channels_(columnTerms_.size()) {
        for (std::size_t j = 0; j < columnTerms_.size(); ++j)
            columnTerms_[j] = terms_.columnTerm(static_cast<int>(j));
    }

    void fill(int i, std::int32_t* out) {
        const double numerator = terms_.numerator(i), rowTerm = terms_.rowTerm(i);
        const std::size_t n = columnTerms_.size();
        const double last = lastChannel_;
        estimateRow(terms_, finder_, numerator, rowTerm, columnTerms_.data(), n, last,
                    cosines_.data(), estimates_.data(), channels_.data());
        for (std::size_t j = 0; j < n; ++j) {
            const double k = finder_.nearHalf(estimates_[j])
                                 ? std::clamp(finder_.exactChannel(cosines_[j]), 0.0, last)
                                 : channels_[j];
            out[j] = static_cast<std::int32_t>(k);
        }
    }

private:
    CosineTerms terms_;
    ChannelFinder finder_;
    std::int32_t lastChannel_;
    std::vector<double> columnTerms_, cosines_, estimates_, channels_;
};

// Adds every pixel the mask lets through into its channel, i outer and j inner; returns
// the highest channel reached (at least 1). channelsOfRow(i) gives row i's channels.
template <typename ChannelsOfRow>
int sumIntoChannels(const spectre& source, const spectre* mask, ChannelsOfRow channelsOfRow,
                    std::vector<std::int64_t>& hits, std::vector<double>& sums) {
    const auto columns = static_cast<std::size_t>(source.ny);
    const auto sourceStride = static_cast<std::size_t>(source.nz);
    const auto maskStride = mask ? static_cast<std::size_t>(mask->nz) : 0;
    const double* values = source.values().data();
    const double* maskValues = mask ? mask->values().data() : nullptr;
    std::int32_t top = 1;
    for (int i = 0; i < source.nx; ++i) {
        const std::int32_t* channels = channelsOfRow(i);
        const double* row = values + source.indexOf(i, 0, 0);
        const double* maskRow = mask ? maskValues + mask->indexOf(i, 0, 0) : nullptr;
        for (std::size_t j = 0; j < columns; ++j) {
            if (maskRow && maskRow[j * maskStride] != 1.0) continue;
            const std::int32_t k = channels[j];
            top = std::max(top, k);
            ++hits[static_cast<std::size_t>(k)];
            sums[static_cast<std::size_t>(k)] += row[j * sourceStride];
        }
    }
    return top;
}

// The cleared result curve with its comment and the conditions recording the settings.
spectre labelledCurve(const std::string& name, double capacity, const spectre& source,
                      const std::string& maskName, int maskSlot, const BeamGeometry& g) {
    spectre curve = newSpectre(name, capacity, 1, 1);
    curve.typeX = "q";
    curve.comment = "Somme PA de : " + source.name + ", masque : " + maskName;
    curve.setExpCond("X0", g.X0);
    curve.setExpCond("Y0", g.Y0);
    curve.setExpCond("dist Ech/detect", g.distance);
    curve.setExpCond("Masque", maskSlot);
    curve.setExpCond("lambda", g.lambda);
    curve.setExpCond("delta", g.delta);
    return curve;
}

} // namespace

const std::int32_t*
ChannelMapCache::channels(int nx, int ny, const BeamGeometry& g, double channelCount,
                          const std::function<void(int, std::int32_t*)>& fillRow) {
    const Key key{nx, ny, g, channelCount};
    if (!(key == key_)) {
        key_ = Key{};
        map_.assign(std::size_t(nx) * std::size_t(ny), 0);
        for (int i = 0; i < nx; ++i) fillRow(i, map_.data() + std::size_t(i) * std::size_t(ny));
        key_ = key;
    }
    return map_.data();
}

double pixelQ(int nx, const BeamGeometry& g, int i, int j) {
    const CosineTerms terms(nx, g);
    return qFromCosine(terms.cos2Theta(terms.numerator(i), terms.rowTerm(i), terms.columnTerm(j)),
                       g.lambda);
}

SmallAngleSum smallAngleSum(const spectre& source, const std::string& name, const spectlist& images,
                            const std::string& maskName, const BeamGeometry& g, double channels,
                            ChannelMapCache* cache) {
    checkSetup(g, channels);
    const int nx = source.nx, ny = source.ny;
    if (source.pointCount() == 0) throw ERefused("l'image " + source.name + " n'a pas de points");
    const double qmax = std::max({pixelQ(nx, g, 0, 0), pixelQ(nx, g, 0, ny - 1),
                                  pixelQ(nx, g, nx - 1, 0), pixelQ(nx, g, nx - 1, ny - 1)});
    if (!(std::isfinite(qmax) && qmax > 0))
        throw ERefused("qmax " + formatGeneral(qmax) + " : aucun q à répartir");
    const double s = channels / qmax;
    const int maskSlot = images.indexOf(maskName);
    const spectre* mask = checkedMask(source, images.at(maskSlot));

    SmallAngleSum result{
        labelledCurve(name, roundHalfEven(qmax * s) + 2, source, maskName, maskSlot, g), 0};
    spectre& curve = result.curve;

    int top = 1;
    if (0 <= g.X0 && g.X0 <= nx && 0 <= g.Y0 && g.Y0 <= ny) {
        const std::size_t channelCount = static_cast<std::size_t>(curve.nx);
        std::vector<std::int64_t> hits(channelCount);
        std::vector<double> sums(channelCount);
        if (isRawAxis(source.typeX)) {
            RowChannels rows(nx, ny, g, s, static_cast<std::int32_t>(channelCount - 1));
            if (cache) {
                const std::int32_t* map = cache->channels(
                    nx, ny, g, channels, [&](int i, std::int32_t* out) { rows.fill(i, out); });
                top = sumIntoChannels(
                    source, mask, [&](int i) { return map + std::size_t(i) * std::size_t(ny); },
                    hits, sums);
            } else {
                std::vector<std::int32_t> row(static_cast<std::size_t>(ny));
                top = sumIntoChannels(
                    source, mask,
                    [&](int i) {
                        rows.fill(i, row.data());
                        return row.data();
                    },
                    hits, sums);
            }
        }
        for (int k = 0; k <= top; ++k) {
            const std::int64_t n = hits[static_cast<std::size_t>(k)];
            if (n == 0) continue;
            result.pixelsUsed += n;
            curve.setXAt(k, 0, 0, k / s);
            curve.setValueAt(k, 0, 0, sums[static_cast<std::size_t>(k)] / static_cast<double>(n));
        }
        ++top;
    }
    curve.resize(top, 1, 1);
    return result;
}

} // namespace ombrelune
