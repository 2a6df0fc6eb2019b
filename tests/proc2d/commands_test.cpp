// The processing commands as a script reaches them: through the interpreter's command
// lines, with a host that records what the commands asked of it.

#include "proc2d/beam_centre.hpp"
#include "proc2d/processing_commands.hpp"
#include "script/interpreter.hpp"
#include "store/spectrum_files.hpp"

#include "fixtures.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::makeCurve;
using testing::TestBench;
using testing::writeFile;

class RecordingHost : public ScriptHost {
public:
    void setStepTimer(bool on) override {
        timer = on;
        timerChanges.push_back(on);
    }
    bool stepTimer() const override { return timer; }
    void processEvents() override {}
    void showWarning(const std::string& text) override { warnings.push_back(text); }
    void reportExpressionError(const std::string& message) override { errors.push_back(message); }
    void showImage(const std::string& name) override { images.push_back(name); }

    bool timer = true;
    std::vector<bool> timerChanges;
    std::vector<std::string> warnings, errors, images;
};

struct CommandBench : TestBench {
    RecordingHost host;
    Interpreter interp{*wb, host};
    CommandBench() { bindProcessingCommands(interp.registry()); }
    void run(const std::string& line) { interp.executeCommandBox(line); }
    bool anywhere(const std::string& name) const {
        return wb->spectres1D.find(name) || wb->spectres2D.find(name) || wb->spectres3D.find(name);
    }
};

TEST(ProcessingCommands, EveryCommandOfTheseModulesIsBound) {
    CommandBench b;
    for (const char* name : {"Smooth1D",
                             "Smooth2D",
                             "NormMoniSpectre2D",
                             "ProjectionHSpectre2D",
                             "ProjectionVSpectre2D",
                             "IntegraleSpectre2D",
                             "SommeCirculaireSpectre2D",
                             "SommeDNPA",
                             "MasqueSecteur",
                             "Barycentre2D",
                             "concat1D",
                             "concat2D",
                             "extract2D",
                             "Convert1Dto2Drow",
                             "Convert1Dto2Dcol",
                             "appendCol",
                             "appendRow",
                             "setX1D",
                             "setX2D",
                             "setY2D",
                             "remap2DtoQxQz",
                             "del3D",
                             "add3D",
                             "IntegraleSpectre3D",
                             "ReadMoni3D",
                             "Spectre3DTo2D",
                             "ReadLAMPD17"})
        EXPECT_TRUE(b.interp.registry().isBound(name)) << name;
}

// A refused command makes nothing, writes one "!! " line and the script goes on.
TEST(ProcessingCommands, RefusalsWriteOneLineAndMakeNothing) {
    struct Case {
        std::string line;
        std::string journal;
    } cases[] = {
        {R"(Smooth1D["NONE",3,"S"])", "!! Smooth1D : courbe NONE non trouvée"},
        {R"(Smooth1D["C1H",0,"S"])", "!! Smooth1D : largeur 0 refusée (au moins 1)"},
        {R"(Smooth2D["ACUP",0.5,"S"])", "!! Smooth2D : largeur 0.5 refusée (au moins 1)"},
        {R"(ProjectionHSpectre2D["NONE",0,3,"S"])",
         "!! ProjectionHSpectre2D : image NONE non trouvée"},
        {R"(IntegraleSpectre2D["NONE",0,0,3,3,"v"])",
         "!! IntegraleSpectre2D : image NONE non trouvée"},
        {R"(IntegraleSpectre3D["NONE"])", "!! IntegraleSpectre3D : pile NONE non trouvée"},
        {R"(ReadMoni3D["NONE"])", "!! ReadMoni3D : pile NONE non trouvée"},
        {R"(Spectre3DTo2D["data3D","S",9,""])", "!! Spectre3DTo2D : tranche 9 hors de 1 .. 8"},
        {R"(add3D["data3D","NONE","S"])", "!! add3D : pile NONE non trouvée"},
        {R"(del3D["NONE"])", "!! del3D : pile NONE non trouvée"},
        {R"(NormMoniSpectre2D[1E6,"NONE","S"])", "!! echec normalisation :NONE non trouvé"},
        {R"(NormMoniSpectre2D[1E6,"ACUP","S"])", "!! echec normalisation :ACUP moniteur nul"},
        {R"(SommeDNPA["NONE","S","M",64,64,100,6,0.5,500])",
         "!! echec Somme DNPA : NONE non trouvé"},
        {R"(SommeDNPA["ACUP","S","",64,64,0,6,0.5,500])",
         "!! echec Somme DNPA : nombre de canaux 0 refusé (au moins 1)"},
        {R"(SommeDNPA["ACUP","S","",64,64,100,0,0.5,500])",
         "!! echec Somme DNPA : lambda, delta et distance doivent être finis et > 0 (0, 0.5, 500)"},
        {R"(SommeDNPA["ACUP","S","",200,64,100,6,0.5,500])",
         "!! echec Somme DNPA : centre (200, 64) hors de l'image ACUP"},
        {R"(SommeDNPA["ACUP","S","PROJ",64,64,100,6,0.5,500])",
         "!! echec Somme DNPA : masque PROJ de taille 32 x 32, image 128 x 128"},
        {R"(MasqueSecteur["NONE",1,1,0,90])", "!! MasqueSecteur : image NONE non trouvée"},
        {R"(Barycentre2D["NONE"])", "!! Barycentre2D : image NONE non trouvée"},
        {R"(concat2D["ACUP","NONE","S"])", "!! concat2D : image NONE non trouvée"},
        {R"(extract2D["ACUP",5,5,1,1,"S"])", "!! extract2D : rectangle (5, 5) - (1, 1) refusé"},
        {R"(Convert1Dto2Drow["NONE"])", "!! Convert1Dto2Drow : courbe NONE non trouvée"},
        {R"(appendCol["ACUP","NONE"])", "!! appendCol : courbe NONE non trouvée"},
        {R"(setX2D["NONE",0,1,"mm"])", "!! setX2D : image NONE non trouvée"},
        {R"(remap2DtoQxQz["ACUP",5,0,0,1,0,0.001,1,"S"])",
         "!! remap2DtoQxQz : pas 0, 0.001 refusés (finis et > 0)"},
        {R"(concat1D["/nowhere/","run",1,1,3,".sp","S"])",
         "!! concat1D : premier fichier /nowhere/run1.sp n'existe pas"},
        {R"(concat1D["/nowhere/","run",1,0.4,3,".sp","S"])",
         "!! concat1D : pas 0.4 refusé (au moins 1)"},
    };
    for (const Case& c : cases) {
        CommandBench b;
        b.run(c.line);
        EXPECT_EQ(b.journalLines(), std::vector<std::string>{c.journal}) << c.line;
        EXPECT_FALSE(b.anywhere("S")) << c.line;
        EXPECT_TRUE(b.host.errors.empty()) << c.line;
    }
}

TEST(ProcessingCommands, SommeDNPAWorkedExample) {
    CommandBench b;
    b.run(R"(SommeDNPA["ACUP","Q","M",64,64,100,6,0.5,500])");
    EXPECT_EQ(b.journalLines(), (std::vector<std::string>{"Somme DNPA :ACUP dans Q",
                                                          "!!ATTENTION : masque M non trouvé "}));
    ASSERT_NE(b.wb->spectres1D.find("Q"), nullptr);
    EXPECT_EQ(b.wb->spectres1D.find("Q")->nx, 101);
    EXPECT_EQ(b.host.timerChanges, (std::vector<bool>{false, true}));

    // With a mask of ones the same curve comes out, and the second run reuses the map.
    spectre& mask = *b.wb->spectres2D.at(b.wb->spectres2D.create("M", 128, 128, 1));
    mask.fillValues(1);
    const spectre first = *b.wb->spectres1D.find("Q");
    b.run(R"(SommeDNPA["ACUP","Q2","M",64,64,100,6,0.5,500])");
    ASSERT_NE(b.wb->spectres1D.find("Q2"), nullptr);
    EXPECT_EQ(testing::valuesOf(*b.wb->spectres1D.find("Q2")), testing::valuesOf(first));
}

TEST(ProcessingCommands, SmoothingIntoItsOwnSource) {
    CommandBench b;
    spectre& c1h = *b.wb->spectres1D.find("C1H");
    for (int i = 0; i < c1h.nx; ++i) c1h.setValueAt(i, 0, 0, i % 3 == 0 ? 3 : 0);
    b.run(R"(Smooth1D["C1H",3,"C1H"])");
    const spectre& out = *b.wb->spectres1D.find("C1H");
    for (int i = 1; i + 1 < out.nx; ++i) EXPECT_EQ(out.valueAt(i), 1) << i;
    EXPECT_TRUE(b.journalLines().empty());
}

TEST(ProcessingCommands, NumbersGoToVariablesOrTheJournal) {
    CommandBench b;
    b.wb->spectres3D.find("data3D")->monitor = 1250;
    b.run(R"(ReadMoni3D["data3D","M3"])");
    EXPECT_EQ(b.interp.parser().GetVariable("M3"), 1250);
    b.run(R"(ReadMoni3D["data3D"])");
    b.run(R"(IntegraleSpectre2D["PROJ",0.9,0,2.9,0])");
    b.run(R"(Barycentre2D["ACUP"])");
    const double s = std::sin(0.0) + std::sin(1.0) + std::sin(2.0);
    const ImagePosition c = barycentre(*b.wb->spectres2D.find("ACUP"));
    EXPECT_EQ(b.journalLines(),
              (std::vector<std::string>{"1250", b.wb->number(s),
                                        "barycentre ACUP : X0=" + b.wb->number(c.X0) +
                                            " Y0=" + b.wb->number(c.Y0)}));
}

TEST(ProcessingCommands, WarningsGoToTheHost) {
    CommandBench b;
    b.run(R"(appendCol["ACUP","PH"])");
    EXPECT_EQ(b.host.warnings, std::vector<std::string>{"Spectra sizes are not compatible!"});
    ASSERT_EQ(b.wb->spectres2D.find("ACUP")->nx, 129);
    b.run(R"(setX2D["PROJ",0,2,"mm"])");
    b.run(R"(concat2D["ACDOWN","PROJ","C"])");
    EXPECT_EQ(b.host.warnings.back(), "X step sizes not compatible");
    EXPECT_NE(b.wb->spectres2D.find("C"), nullptr);
    EXPECT_TRUE(b.journalLines().empty());
}

TEST(ProcessingCommands, ReadLampD17ShowsTheImage) {
    CommandBench b;
    std::string text = "143500\n";
    for (int line = 0; line < 14350; ++line) text += "1 2 3 4 5 6 7 8 9 10\n";
    writeFile(b.dir / "run.d17", text);
    b.run("ReadLAMPD17[\"" + (b.dir / "run.d17").string() + "\",\"D17\"]");
    ASSERT_NE(b.wb->spectres2D.find("D17"), nullptr);
    EXPECT_EQ(b.host.images, std::vector<std::string>{"D17"});
    EXPECT_EQ(b.journalLines(), std::vector<std::string>{"ouverture de : " +
                                                         (b.dir / "run.d17").string() +
                                                         " dans : D17"});
}

TEST(ProcessingCommands, Concat1DNamesTheSeriesItRead) {
    CommandBench b;
    for (int n = 1; n <= 2; ++n)
        writeSpectreFile(makeCurve("c", {1, 2, 3}), b.dir / ("run" + std::to_string(n) + ".sp"),
                         b.wb->journal);
    const std::string dir = b.dir.path().string() + "/";
    b.run("concat1D[\"" + dir + "\",\"run\",1,1,2,\".sp\",\"S\"]");
    ASSERT_NE(b.wb->spectres2D.find("S"), nullptr);
    EXPECT_EQ(b.journalLines(), std::vector<std::string>{"ouverture de : " + dir + "run1.sp .. " +
                                                         dir + "run2.sp dans : S"});
}

TEST(ProcessingCommands, RemapReportsSkippedSpecularPoints) {
    CommandBench b;
    b.run(R"(setX2D["PROJ",1,0.2,"deg"])");
    b.run(R"(setY2D["PROJ",1,0.2,"deg"])");
    b.run(R"(remap2DtoQxQz["PROJ",5,0,0.001,1,-0.5,0.001,0.5,"QQ"])");
    ASSERT_NE(b.wb->spectres2D.find("QQ"), nullptr);
    EXPECT_EQ(b.wb->spectres2D.find("QQ")->nx, 1000);
    EXPECT_EQ(b.journalLines(), std::vector<std::string>{
                                    "!! remap2DtoQxQz : 32 points de PROJ ignorés (élément d'aire "
                                    "nul ou non fini)"});
}

} // namespace
} // namespace ombrelune
