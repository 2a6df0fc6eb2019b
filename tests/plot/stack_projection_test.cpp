#include "plot/stack_projection.hpp"

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

// A 3 × 2 stack of nz slices: x = 10 i, y = 100 j, z = zs[k], value = 1000^k-ish markers.
spectre makeStack(const std::vector<double>& zs) {
    spectre s;
    s.name = "S";
    s.resize(3, 2, static_cast<int>(zs.size()));
    s.clear();
    s.typeX = "mm";
    s.typeY = "raw";
    s.typeZ = "lt";
    s.monitor = 77;
    for (int i = 0; i < s.nx; ++i)
        for (int j = 0; j < s.ny; ++j)
            for (int k = 0; k < s.nz; ++k)
                s.setPointAt(i, j, k,
                             {1, 10.0 * i, 100.0 * j, zs[static_cast<std::size_t>(k)],
                              (k + 1) * 1000.0 + i * 10 + j});
    return s;
}

TEST(StackProjection, XYSumsTheSlicesInTheLtRange) {
    const spectre stack = makeStack({10, 20, 30, 40});
    const auto image = projectStack(stack, StackAxis::X, StackAxis::Y, {}, "P");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->nx, 3);
    EXPECT_EQ(image->ny, 2);
    EXPECT_EQ(image->monitor, 77);
    EXPECT_EQ(image->typeX, "mm");
    EXPECT_EQ(image->xAt(2, 1), 20);
    EXPECT_EQ(image->yAt(2, 1), 100);
    EXPECT_EQ(image->valueAt(2, 1), 1021 + 2021 + 3021);
}

TEST(StackProjection, EveryPairOfAxes) {
    const spectre stack = makeStack({10, 20, 30});
    ProjectionRanges r;
    r.xMin = 0;
    r.xMax = 10; // columns 0 and 1
    r.yMin = 0;
    r.yMax = 50; // row 0
    struct Case {
        StackAxis a, b;
        int nx, ny;
        int pa, pb; // a point of the projection
        double x, y, value;
    };
    const Case cases[] = {
        {StackAxis::Y, StackAxis::X, 2, 3, 1, 2, 100, 20, 1021 + 2021 + 3021},
        {StackAxis::X, StackAxis::Z, 3, 3, 2, 1, 20, 20, 2020},
        {StackAxis::Z, StackAxis::X, 3, 3, 1, 2, 20, 20, 2020},
        {StackAxis::Y, StackAxis::Z, 2, 3, 1, 2, 100, 30, 3001 + 3011},
        {StackAxis::Z, StackAxis::Y, 3, 2, 0, 1, 10, 100, 1001 + 1011},
    };
    for (const Case& c : cases) {
        const auto image = projectStack(stack, c.a, c.b, r, "P");
        ASSERT_TRUE(image);
        EXPECT_EQ(image->nx, c.nx);
        EXPECT_EQ(image->ny, c.ny);
        EXPECT_EQ(image->xAt(c.pa, c.pb), c.x);
        EXPECT_EQ(image->yAt(c.pa, c.pb), c.y);
        EXPECT_EQ(image->valueAt(c.pa, c.pb), c.value);
    }
    EXPECT_FALSE(projectStack(stack, StackAxis::Z, StackAxis::Z, r, "P"));
}

TEST(StackProjection, SliceRangeHoldsOneSlice) {
    const spectre stack = makeStack({10, 20, 30});
    const auto third = sliceRange(stack, 3);
    ASSERT_TRUE(third);
    EXPECT_DOUBLE_EQ(third->ltMin, 20.01);
    EXPECT_EQ(third->ltMax, 30);
    const auto first = sliceRange(stack, 1);
    EXPECT_EQ(first->ltMin, 0);
    EXPECT_EQ(first->ltMax, 10);
    EXPECT_FALSE(sliceRange(stack, 0));
    EXPECT_FALSE(sliceRange(stack, 4));

    ProjectionRanges r;
    r.ltMin = third->ltMin;
    r.ltMax = third->ltMax;
    EXPECT_EQ(projectStack(stack, StackAxis::X, StackAxis::Y, r, "P")->valueAt(1, 1), 3011);
}

} // namespace
} // namespace ombrelune
