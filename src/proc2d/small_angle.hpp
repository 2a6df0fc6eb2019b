#pragma once
// The q-binned average of a small-angle scattering image (SommeDNPA).

#include "store/spectrum_table.hpp"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ombrelune {

// Where the beam meets the detector (indices), the wavelength λ, the pixel size δ and the
// sample-to-detector distance D (δ and D in one unit; q comes out in the inverse of λ's).
struct BeamGeometry {
    double X0 = 0;
    double Y0 = 0;
    double lambda = 0;
    double delta = 0;
    double distance = 0;
};

// Scattering vector of pixel (i, j) of an image nx wide. The detector plane faces the
// point (nx / 2, Y0); q = 12.56636 sin(2θ / 2) / λ with that five-decimal 4π.
double pixelQ(int nx, const BeamGeometry& g, int i, int j);

// The channel of every pixel for one geometry, kept between sums: a series of images
// reduced with the same centre, wavelength, pixel size, distance and channel count finds
// the channels once. The map is the one the sum computes without it, so the curves are
// the same either way. One per interpreter; it holds nx · ny channel numbers.
class ChannelMapCache {
public:
    // The map for these sizes and settings, recomputed row by row with fillRow(i, out) when
    // any of them changed.
    const std::int32_t* channels(int nx, int ny, const BeamGeometry& g, double channelCount,
                                 const std::function<void(int, std::int32_t*)>& fillRow);

private:
    struct Key {
        int nx = -1, ny = -1;
        BeamGeometry g;
        double channelCount = 0;
        bool operator==(const Key& o) const {
            return nx == o.nx && ny == o.ny && g.X0 == o.g.X0 && g.Y0 == o.g.Y0 &&
                   g.lambda == o.g.lambda && g.delta == o.g.delta && g.distance == o.g.distance &&
                   channelCount == o.channelCount;
        }
    };
    Key key_;
    std::vector<std::int32_t> map_;
};

struct SmallAngleSum {
    spectre curve;
    // Pixels that went into the curve; 0 when the centre is outside the image, the source's
    // typeX is not "raw" or the mask leaves out every pixel.
    std::int64_t pixelsUsed = 0;
};

// N channels between q = 0 and the largest corner q. A pixel counts when the mask (an
// image of `images` named maskName, if there is one) holds exactly 1.0 at its place. The
// curve has typeX "q", the comment and the conditions X0, Y0, "dist Ech/detect", "Masque"
// (the mask's slot, -1 without mask), "lambda", "delta", and as many points as the highest
// channel reached plus one (one point when the centre is outside the image).
// Raises ERefused unless N >= 1, λ, δ, D > 0, all finite, the image has points, its
// largest corner q is above 0, and a mask found has the image's sizes.
SmallAngleSum smallAngleSum(const spectre& source, const std::string& name, const spectlist& images,
                            const std::string& maskName, const BeamGeometry& g, double channels,
                            ChannelMapCache* cache = nullptr);

} // namespace ombrelune
