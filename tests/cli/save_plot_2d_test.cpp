// SavePlot2D through ombrelune-run, without a display: the PNG holds exactly the view's
// colour of every point, zoom × zoom pixels each; SVG and PDF hold the picture with its
// colour scale; every refusal is one "!! " line and no file.

#include "runner_fixture.hpp"

#include "plot/colour_tables.hpp"
#include "plot/image_levels.hpp"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace ombrelune {
namespace {

using testing::Refusal;
using testing::RunResult;
using testing::expectRefusals;
using testing::TempDir;
using testing::runner;

TEST(SavePlot2D, PngHoldsEveryPointInItsLevelColour) {
    TempDir dir;
    const RunResult r = runner(dir, {"-e", "SavePlot2D[\"p.png\",\"PROJ\",\"Gris\",\"lin\",-1,1,3]",
                                  "-e", "SavePlot2D[\"q.PNG\",\"proj\",\" VIRIDIS \",\"log\",0.01,1,"
                                        "1]"});
    ASSERT_EQ(r.status, 0) << r.err;
    struct Expected {
        const char* file;
        int zoom;
        LevelScale scale;
        int palette;
    };
    // The start-up image PROJ is 32 × 32 with value sin(i + j).
    for (const Expected& e : {Expected{"p.png", 3, {-1, 1, false}, 0},
                              Expected{"q.PNG", 1, {0.01, 1, true}, 4}}) {
        EXPECT_NE(r.out.find(std::string("image 2D sauvegardée sous ") + e.file), std::string::npos);
        const QImage png(QString::fromStdString((dir / e.file).string()));
        ASSERT_EQ(png.size(), QSize(32 * e.zoom, 32 * e.zoom)) << e.file;
        const ColourTable colours = colourTable(e.palette);
        for (int x = 0; x < png.width(); ++x)
            for (int y = 0; y < png.height(); ++y) {
                const double v = std::sin(static_cast<double>(x / e.zoom + y / e.zoom));
                ASSERT_EQ(png.pixel(x, y), colours[levelOf(v, e.scale)])
                    << e.file << " at " << x << "," << y;
            }
    }
}

TEST(SavePlot2D, VectorFilesCarryTheColourScale) {
    TempDir dir;
    const RunResult r = runner(dir, {"-e", "SavePlot2D[\"a.svg\",\"ACUP\",\"magma\",\"lin\",0,1000,2]",
                                  "-e", "SavePlot2D[\"b.Pdf\",\"ACUP\",\"Rainbow\",\"LOG\",0,0,1]"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string svg = testing::readFile(dir / "a.svg");
    EXPECT_NE(svg.find("<image"), std::string::npos);
    for (const char* label : {">1E+003</text>", ">8E+002</text>", ">5E+002</text>",
                              ">2E+002</text>", ">0</text>"})
        EXPECT_NE(svg.find(label), std::string::npos) << label;
    EXPECT_EQ(testing::readFile(dir / "b.Pdf").substr(0, 5), "%PDF-");
}

TEST(SavePlot2D, RefusalsLeaveNoFile) {
    TempDir dir;
    const std::vector<Refusal> cases = {
        {"SavePlot2D[\"x.png\",\"NONE\",\"Gris\",\"lin\",0,0,1]", "!! SavePlot2D : image NONE"},
        {"SavePlot2D[\"x.png\",\"ACUP\",\"inferno\",\"lin\",0,0,1]",
         "!! SavePlot2D : palette \"inferno\" inconnue"},
        {"SavePlot2D[\"x.png\",\"ACUP\",\"Gris\",\"ln\",0,0,1]",
         "!! SavePlot2D : échelle \"ln\" inconnue (lin ou log)"},
        {"SavePlot2D[\"x.png\",\"ACUP\",\"Gris\",\"lin\",0,0,17]",
         "!! SavePlot2D : zoom 17 refusé (nombre entier de 1 à 16)"},
        {"SavePlot2D[\"x.png\",\"ACUP\",\"Gris\",\"lin\",0,0,1.5]",
         "!! SavePlot2D : zoom 1.5 refusé (nombre entier de 1 à 16)"},
        {"SavePlot2D[\"x.gif\",\"ACUP\",\"Gris\",\"lin\",0,0,1]",
         "!! SavePlot2D : format de x.gif inconnu (.png, .svg ou .pdf)"},
    };
    const RunResult r = expectRefusals(dir, {}, cases);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.gif"));
    EXPECT_EQ(r.out.find("sauvegardée"), std::string::npos);
}

} // namespace
} // namespace ombrelune
