// remap-qxqz: a 1024 x 1024 image in incidence and exit angles onto 500 x 500 Qx/Qz cells.

#include "bench_registry.hpp"

#include "proc2d/remap_qxqz.hpp"

namespace ombrelune::bench {
namespace {

BenchLine run() {
    const int n = 1024;
    spectre image;
    image.name = "ANG";
    image.resize(n, n, 1);
    image.clear();
    image.typeX = image.typeY = "deg";
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            image.setPointAt(
                i, j, 0, {1, 0.1 + i * 0.002, 0.05 + j * 0.0025, 0, double((i * 31 + j) % 101)});
    // α and β up to about 2 and 2.6 degrees at λ = 5.5 Å.
    const QGrid grid{0, 0.0002, 0.1, -0.005, 0.00002, 0.005};
    const double seconds = medianSeconds([&] {
        const QxQzImage out = remapToQxQz(image, 5.5, grid, "Q");
        if (out.image.nx != 500 || out.image.ny != 500) std::abort();
    });
    return {"remap-qxqz", "1024x1024 -> 500x500", seconds,
            perSecond(double(n) * n / 1e6, seconds, "Mpoint/s"), ""};
}

const bool registered = registerBench({"remap-qxqz", [] { return std::vector{run()}; }});

} // namespace
} // namespace ombrelune::bench
