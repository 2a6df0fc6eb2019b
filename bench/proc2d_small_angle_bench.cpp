// somme-dnpa: the q-binned average of a detector image with a beam-stop mask, 1000
// channels, as SommeDNPA computes it.

#include "bench_registry.hpp"

#include "proc2d/masks.hpp"
#include "proc2d/small_angle.hpp"

#include <cmath>

namespace ombrelune::bench {
namespace {

spectre detectorImage(int n) {
    spectre s;
    s.name = "ACUP";
    s.resize(n, n, 1);
    s.clear();
    s.typeX = s.typeY = "raw";
    s.setXAlongI(indexAxis(n));
    s.setYAlongJ(indexAxis(n));
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double r2 = (i - n / 2.0) * (i - n / 2.0) + (j - n / 2.0) * (j - n / 2.0);
            s.setValueAt(i, j, 0, std::floor(1e4 / (1 + r2 / 100)));
        }
    return s;
}

// With a cache, the channel map is found on the warm-up run and reused, as in a series of
// images reduced with one geometry.
BenchLine run(int n, bool cached) {
    const spectre image = detectorImage(n);
    spectlist images;
    const double c = n / 2.0;
    images.storeCopy(maskDiscInside(image, "M", c, c, c + n / 50.0, c));
    const BeamGeometry g{c + 0.3, c - 0.2, 6, 0.5, 5000};
    ChannelMapCache cache;
    const double seconds = medianSeconds([&] {
        const SmallAngleSum sum =
            smallAngleSum(image, "Q", images, "M", g, 1000, cached ? &cache : nullptr);
        if (sum.pixelsUsed == 0) std::abort();
    });
    const std::string side = std::to_string(n);
    return {"somme-dnpa", side + "x" + side + (cached ? " cached map" : ""), seconds,
            perSecond(double(n) * n / 1e6, seconds, "Mpixel/s"), ""};
}

const bool registered = registerBench(
    {"somme-dnpa", [] {
         return std::vector{run(2048, false), run(2048, true), run(1024, false), run(1024, true)};
     }});

} // namespace
} // namespace ombrelune::bench
