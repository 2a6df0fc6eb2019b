#include "plot/stack_projection.hpp"

#include "proc2d/spectrum_builder.hpp"

namespace ombrelune {
namespace {

using Index3 = std::array<int, 3>;

double coordinate(const spectrePoint& p, int axis) {
    return axis == 0 ? p.x : (axis == 1 ? p.y : p.z);
}

} // namespace

std::optional<spectre> projectStack(const spectre& stack, StackAxis abscissa, StackAxis ordinate,
                                    const ProjectionRanges& ranges, const std::string& name) {
    if (abscissa == ordinate || stack.pointCount() == 0) return std::nullopt;
    const int a = static_cast<int>(abscissa), b = static_cast<int>(ordinate), c = 3 - a - b;
    const Index3 sizes{stack.nx, stack.ny, stack.nz};
    const std::array<double, 3> lows{ranges.xMin, ranges.yMin, ranges.ltMin};
    const std::array<double, 3> highs{ranges.xMax, ranges.yMax, ranges.ltMax};
    const double low = lows[static_cast<std::size_t>(c)], high = highs[static_cast<std::size_t>(c)];
    auto sample = [&](const Index3& at) { return stack.pointAt(at[0], at[1], at[2]); };
    spectre image = spectreFrom(name, sizes[static_cast<std::size_t>(a)],
                                sizes[static_cast<std::size_t>(b)], 1, [&](int ia, int ib, int) {
        Index3 at{};
        at[static_cast<std::size_t>(a)] = ia;
        at[static_cast<std::size_t>(b)] = ib;
        const spectrePoint first = sample(at);
        spectrePoint p;
        p.mon = 1;
        p.x = coordinate(first, a);
        p.y = coordinate(first, b);
        for (int k = 0; k < sizes[static_cast<std::size_t>(c)]; ++k) {
            at[static_cast<std::size_t>(c)] = k;
            const spectrePoint s = sample(at);
            const double t = coordinate(s, c);
            if (low <= t && t <= high) p.value += s.value;
        }
        return p;
    });
    const std::array<const std::string*, 3> types{&stack.typeX, &stack.typeY, &stack.typeZ};
    image.typeX = *types[static_cast<std::size_t>(a)];
    image.typeY = *types[static_cast<std::size_t>(b)];
    image.comment = stack.comment;
    image.monitor = stack.monitor;
    return image;
}

std::optional<SliceRange> sliceRange(const spectre& stack, int slice) {
    if (stack.pointCount() == 0 || slice < 1 || slice > stack.nz) return std::nullopt;
    return SliceRange{slice <= 1 ? 0.0 : stack.zAt(0, 0, slice - 2) + 0.01,
                      stack.zAt(0, 0, slice - 1)};
}

} // namespace ombrelune
