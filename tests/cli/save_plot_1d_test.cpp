// SavePlot1D through ombrelune-run, without a display: one file per format, and every
// refusal a "!! " line with no file.

#include "runner_fixture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace ombrelune {
namespace {

using testing::Refusal;
using testing::RunResult;
using testing::expectRefusals;
using testing::TempDir;
using testing::runner;

// A small-angle-like curve Q of 200 points, x named "q (1/A)".
const char* const makeCurve = "addspectre[1,\"Q\",200,1,1];\n"
                              "I=0;\n"
                              "LA:addpoint1D[\"Q\",0.005+I*0.001,1000/(1+I*I),1];\n"
                              "I=I+1;\n"
                              "if I<200 then goto LA;\n"
                              "setX1D[\"Q\",0.005,0.001,\"q (1/A)\"];\n";

TEST(SavePlot1D, WritesEachFormatAndNamesTheFile) {
    TempDir dir;
    testing::writeFile(dir / "curve.seq", makeCurve);
    const RunResult r = runner(dir, {"curve.seq", "-e", "SavePlot1D[\"a.png\",640,480,\"log\",\"Q\","
                                                     "\"\",\"\",\"\"]",
                                  "-e", "SavePlot1D[\"b.SVG\",800,600,\"lin\",\"Q\",\"C1H\",\"\","
                                        "\"\"]",
                                  "-e", "SavePlot1D[\"c.pdf\",200,10000,\"LOG\",\"\",\"\",\"\","
                                        "\"Q\"]"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* file : {"a.png", "b.SVG", "c.pdf"})
        EXPECT_NE(r.out.find(std::string("graphique 1D sauvegardé sous ") + file + "\n"),
                  std::string::npos)
            << r.out;
    EXPECT_EQ(testing::readFile(dir / "a.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
    const std::string svg = testing::readFile(dir / "b.SVG");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find(">q (1/A)</text>"), std::string::npos); // titles stay text
    EXPECT_NE(svg.find(">0.10</text>"), std::string::npos);     // and tick labels
    EXPECT_EQ(testing::readFile(dir / "c.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST(SavePlot1D, RefusalsLeaveNoFile) {
    TempDir dir;
    testing::writeFile(dir / "curve.seq", makeCurve);
    const std::vector<Refusal> cases = {
        {"SavePlot1D[\"x.png\",640,480,\"lin\",\"Q\",\"NONE\",\"\",\"\"]",
         "!! SavePlot1D : courbe NONE non trouvée"},
        {"SavePlot1D[\"x.png\",640,480,\"lin\",\"\",\"\",\"\",\"\"]",
         "!! SavePlot1D : aucune courbe à tracer"},
        {"SavePlot1D[\"x.png\",199,480,\"lin\",\"Q\",\"\",\"\",\"\"]",
         "!! SavePlot1D : taille 199 refusée (de 200 à 10000 pixels)"},
        {"SavePlot1D[\"x.png\",640,10001,\"lin\",\"Q\",\"\",\"\",\"\"]",
         "!! SavePlot1D : taille 10001 refusée (de 200 à 10000 pixels)"},
        {"SavePlot1D[\"x.png\",640,480,\"ln\",\"Q\",\"\",\"\",\"\"]",
         "!! SavePlot1D : échelle \"ln\" inconnue (lin ou log)"},
        {"SavePlot1D[\"x.gif\",640,480,\"lin\",\"Q\",\"\",\"\",\"\"]",
         "!! SavePlot1D : format de x.gif inconnu (.png, .svg ou .pdf)"},
        // A file where the directory should be: no place to write, even for root.
        {"SavePlot1D[\"curve.seq/x.png\",640,480,\"lin\",\"Q\",\"\",\"\",\"\"]",
         "!! SavePlot1D : "},
    };
    const RunResult r = expectRefusals(dir, {"curve.seq"}, cases);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.gif"));
    EXPECT_EQ(r.out.find("sauvegardé"), std::string::npos);
}

} // namespace
} // namespace ombrelune
