// smooth2d: boxcar smoothing of a 2048 x 2048 image, width 5 (and width 41, to show that
// the time does not grow with the width).

#include "bench_registry.hpp"

#include "proc2d/smoothing.hpp"
#include "store/number_format.hpp"

namespace ombrelune::bench {
namespace {

BenchLine run(int n, double width) {
    spectre image;
    image.name = "I";
    image.resize(n, n, 1);
    image.clear();
    image.typeX = image.typeY = "raw";
    for (std::size_t p = 0; p < image.pointCount(); ++p) image.setValue(p, double(p % 977));
    const double seconds = medianSeconds([&] {
        const spectre out = smoothImage(image, width, "S");
        if (out.pointCount() != image.pointCount()) std::abort();
    });
    const std::string side = std::to_string(n);
    return {"smooth2d", side + "x" + side + " width " + formatGeneral(width), seconds,
            perSecond(double(n) * n / 1e6, seconds, "Mpixel/s"), ""};
}

const bool registered = registerBench({"smooth2d", [] {
                                           return std::vector{run(2048, 5), run(2048, 41)};
                                       }});

} // namespace
} // namespace ombrelune::bench
