#include "plot/graph2d_rules.hpp"
#include "plot/graph2d_state.hpp"

#include "proc2d/fixtures.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

using testing::makeImage;

class Graph2DStateTest : public ::testing::Test {
protected:
    Graph2DStateTest() : state(*bench.wb, chart) {
        bench.wb->spectres2D.storeCopy(
            makeImage("ACUP", 128, 128, [](int i, int j) { return i * 1000.0 + j; }));
    }
    const spectre* curve(const char* name) { return bench.wb->spectres1D.find(name); }

    testing::TestBench bench;
    ChartModel chart;
    Graph2DState state;
};

TEST_F(Graph2DStateTest, LeftClickFillsTheCutsOfCursorOne) {
    ASSERT_TRUE(state.placeCursor1({10.7, 3.2}));
    EXPECT_EQ(state.pixel(0), (Pixel{10, 3}));
    EXPECT_EQ(state.cuts.Series(rowCut1).size(), 128u);
    EXPECT_EQ(state.cuts.Series(rowCut1).pointAt(5).y, 5003);
    EXPECT_EQ(state.cuts.Series(columnCut1).size(), 128u);
    EXPECT_EQ(state.cuts.Series(columnCut1).pointAt(5).y, 10005);
    EXPECT_EQ(state.Zval1, 10003);
    ASSERT_TRUE(curve("C1H"));
    EXPECT_EQ(curve("C1H")->valueAt(7), 7003);
    EXPECT_EQ(curve("C1V")->valueAt(7), 10007);
    ASSERT_TRUE(curve("Circulaire"));
}

TEST_F(Graph2DStateTest, CursorOutsideEmptiesItsRowCutOnly) {
    state.placeCursor2({20, 30});
    state.placeCursor1({5, 5});
    state.placeCursor1({128, 5}); // the far edge selects nothing
    EXPECT_TRUE(state.cuts.Series(rowCut1).empty());
    EXPECT_EQ(state.cuts.Series(columnCut1).size(), 128u);
    EXPECT_EQ(state.Zval1, 5005);
    EXPECT_EQ(state.cursors[0], (CursorPosition{128, 5}));
    EXPECT_EQ(state.overlays()[1], (OverlayLine{{255, 0, 0}, 128.5, 0, 128.5, 128}));
}

TEST_F(Graph2DStateTest, KeysMoveTheCursors) {
    state.placeCursor1({4.5, 6.5});
    state.moveCursor1ByKey();
    EXPECT_EQ(state.cursors[0], (CursorPosition{5.5, 7.5}));
    state.moveCursor2ByKey();
    state.moveCursor2ByKey();
    EXPECT_EQ(state.cursors[1], (CursorPosition{4.5, 6.5}));
    EXPECT_EQ(state.Zval2, 4006);
}

TEST_F(Graph2DStateTest, CommonStepsProjectAndSumBetweenTheCursors) {
    state.placeCursor1({2, 2});
    state.placeCursor2({6, 4});
    state.setCutChartItem(diagonalX);
    state.commonSteps();
    EXPECT_EQ(state.somme, boxSum(*state.image(), {2, 2}, {6, 4}));
    ASSERT_TRUE(curve("PV"));
    EXPECT_EQ(curve("PV")->nx, 128);
    EXPECT_EQ(curve("PV")->valueAt(0), 2000 + 3000 + 4000 + 5000 + 6000);
    EXPECT_EQ(curve("PH")->nx, 128);
    EXPECT_EQ(curve("PH")->valueAt(1), 3 * 1000 + 2 + 3 + 4);
    EXPECT_EQ(state.cuts.Series(profileAlongI).size(), 5u);
    EXPECT_TRUE(state.cuts.Series(profileAlongI).settings().Active);
    EXPECT_FALSE(state.cuts.Series(rowCut1).settings().Active);
    ASSERT_EQ(state.overlays().size(), 5u);
    EXPECT_EQ(state.overlays()[4], (OverlayLine{{0, 127, 0}, 2.5, 2.5, 6.5, 4.5}));

    state.placeCursor2({-3, 4});
    state.commonSteps();
    EXPECT_EQ(state.somme, 0);
    EXPECT_TRUE(state.cuts.Series(profileAlongI).empty());
}

TEST_F(Graph2DStateTest, NoShownImageDoesNothing) {
    state.shownImage = "nothing";
    EXPECT_FALSE(state.placeCursor1({3, 3}));
    EXPECT_EQ(state.cursors[0], (CursorPosition{0, 0}));
    EXPECT_FALSE(state.averageAroundCentre());
}

TEST_F(Graph2DStateTest, AutoscaleAndMasks) {
    EXPECT_FALSE(state.autoscale()); // off
    state.autoScale = true;
    state.scale.logarithmic = true;
    ASSERT_TRUE(state.autoscale());
    EXPECT_EQ(state.scale.zmax, 127127);
    EXPECT_DOUBLE_EQ(state.scale.zmin, 1271.27);

    state.cursors = {CursorPosition{1, 1}, CursorPosition{2, 3}};
    ASSERT_TRUE(state.setMask(0, "M"));
    const spectre* mask = bench.wb->spectres2D.find("M");
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->valueAt(2, 3), 0);
    EXPECT_EQ(mask->valueAt(3, 3), 1);
}

TEST_F(Graph2DStateTest, StackProjectionAndSlices) {
    spectre stack = makeImage("data3D", 4, 4, [](int, int) { return 0.0; });
    stack.resize(4, 4, 3);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 3; ++k) {
                stack.setZAt(i, j, k, 10.0 * (k + 1));
                stack.setValueAt(i, j, k, k + 1);
            }
    stack.monitor = 9;
    bench.wb->spectres3D.storeCopy(stack);
    ASSERT_TRUE(state.selectSlice(2));
    EXPECT_DOUBLE_EQ(state.ranges.ltMin, 10.01);
    const spectre* image = state.image();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->nx, 4);
    EXPECT_EQ(image->valueAt(3, 3), 2);
    EXPECT_EQ(image->monitor, 9);
    EXPECT_FALSE(state.selectSlice(4));
    state.yProjection = StackAxis::X;
    EXPECT_FALSE(state.projectStack());
}

TEST(Graph2DRules, ColourRangeZoomAndFiles) {
    EXPECT_EQ(withScaleType({0, 500, false}, true), (LevelScale{5, 500, true}));
    EXPECT_EQ(withScaleType({2, 500, true}, false), (LevelScale{2, 500, false}));

    struct ZoomCase {
        const char* text;
        double zoom;
        const char* shown;
    };
    const ZoomCase zooms[] = {{"150 %", 1.5, "150%"}, {"3000%", 0.75, "75%"},
                              {"  25%", 0.25, "25%"}, {"abc", 0.75, "75%"}};
    for (const ZoomCase& z : zooms) {
        const auto choice = zoomFromText(z.text, 0.75);
        ASSERT_TRUE(choice);
        EXPECT_EQ(choice->zoom, z.zoom);
        EXPECT_EQ(choice->text, z.shown);
    }
    EXPECT_FALSE(zoomFromText(" % ", 1));
    EXPECT_DOUBLE_EQ(zoomFromSlider(-100), 0.1);
    EXPECT_EQ(stretchZoom(400, 300, 200, 100), 2);
    EXPECT_EQ(aspectRatioFromText("0,5", ','), 0.5);
    EXPECT_FALSE(aspectRatioFromText("-2", '.'));

    struct FileCase {
        const char* path;
        const char* name;
        SpectrumFileTable table;
    };
    const FileCase files[] = {
        {"/data/run12.2D", "run12", SpectrumFileTable::images},
        {"/data/run.3Dx", "run", SpectrumFileTable::stacks},
        {"/data/run.txt", "run", SpectrumFileTable::none},
        {"/data.2D/run", "run", SpectrumFileTable::none},
        {"a.b.2", "a.b", SpectrumFileTable::images},
    };
    for (const FileCase& f : files) {
        const SpectrumFileTarget t = spectrumFileTarget(f.path);
        EXPECT_EQ(t.name, f.name) << f.path;
        EXPECT_EQ(t.table, f.table) << f.path;
    }
    EXPECT_EQ(fileNameOf("/d/LAMP.txt"), "LAMP.txt");
}

} // namespace
} // namespace ombrelune
