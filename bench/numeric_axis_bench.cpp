// axis-ticks: scaling, ticks and labels of an automatic axis for 10 000 random data ranges,
// linear and logarithmic, as a chart redraw computes them.

#include "bench_registry.hpp"

#include "numeric/axis_scale.hpp"
#include "numeric/axis_ticks.hpp"
#include "store/number_format.hpp"

#include <cmath>
#include <random>

namespace ombrelune::bench {
namespace {

struct Range {
    double lo, hi;
};

std::vector<Range> randomRanges(int count, bool positive) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> exponent(-6, 6);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::vector<Range> ranges;
    for (int i = 0; i < count; ++i) {
        const double scale = std::pow(10.0, exponent(rng));
        double a = unit(rng) * scale;
        double b = a + std::fabs(unit(rng)) * scale * std::pow(10.0, exponent(rng) / 3);
        if (positive) {
            a = std::fabs(a) + scale * 1e-3;
            b = a * std::pow(10.0, std::fabs(exponent(rng)) / 2);
        }
        ranges.push_back({a, b});
    }
    return ranges;
}

BenchLine run(bool logScale) {
    const auto ranges = randomRanges(10000, logScale);
    std::size_t ticks = 0;
    const double seconds = medianSeconds([&] {
        ticks = 0;
        for (const Range& r : ranges) {
            AxisState axis;
            axis.AutoSizing = true;
            axis.AutoStepping = true;
            axis.LogScale = logScale;
            DataExtent extent;
            extent.include(r.lo);
            extent.include(r.hi);
            scaleAxis(axis, extent, AxisSteps{});
            ticks += axisTicks(axis, AxisSteps{}, '.').ticks.size();
        }
    });
    return {"axis-ticks", logScale ? "10000 log ranges" : "10000 linear ranges", seconds,
            perSecond(10000, seconds, "axes/s"),
            formatFixed(static_cast<double>(ticks) / 10000, 1) + " ticks/axis"};
}

const bool registered = registerBench({"axis-ticks", [] {
                                           return std::vector<BenchLine>{run(false), run(true)};
                                       }});

} // namespace
} // namespace ombrelune::bench
