// FitSpectre as scripts meet it: in the interpreter for its results, through ombrelune-run
// for its refusals.

#include "cli/runner_fixture.hpp"
#include "fit_bench.hpp"
#include "nist_strd.hpp"

#include "proc2d/fixtures.hpp"
#include "store/number_format.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::FitBench;

// A peak on a flat background with a deterministic scatter, x = 0 .. 59.
spectre peakCurve() {
    std::vector<double> x, y;
    for (int i = 0; i < 60; ++i) {
        x.push_back(i);
        y.push_back(200 * std::exp(-(i - 31.5) * (i - 31.5) / 40) + 12 + 3 * std::sin(5.0 * i));
    }
    return testing::curveAt("G", x, y);
}

TEST(FitSpectre, FitsWritesBackAndJournals) {
    FitBench fb;
    fb.wb().spectres1D.store(peakCurve());
    const double start[5] = {150, 30, 30, 10, 77};
    for (int i = 0; i < 5; ++i) fb.setVariable(fitParameterName(i), start[i]);
    fb.exec("FitSpectre[1,\"g\",\"A*exp(-sqr(X-B)/C)+D\",\"Marquardt\",100,1e-10,\"DG\",@R,\"\"]");

    const std::vector<double> r = fb.array("R");
    ASSERT_EQ(r.size(), 13u) << fb.tb.journalLines().back();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(fb.var(fitParameterName(i)), r[i]) << i;
    EXPECT_NEAR(r[0], 200, 3);
    EXPECT_NEAR(r[1], 31.5, 0.1);
    EXPECT_NEAR(r[2], 40, 1.5);
    EXPECT_NEAR(r[3], 12, 0.5);
    EXPECT_EQ(r[4], 77); // E is not in the model: fixed, no error
    for (int i = 5; i < 9; ++i) EXPECT_GT(r[i], 0) << i;
    EXPECT_EQ(r[9], 0);
    EXPECT_EQ(r[11], 56);
    EXPECT_GT(r[12], 0);

    const spectre* diff = fb.wb().spectres1D.find("DG");
    ASSERT_NE(diff, nullptr);
    ASSERT_EQ(diff->nx, 60);
    double sum = 0;
    const spectre& data = *fb.wb().spectres1D.find("G");
    for (int i = 0; i < 60; ++i) {
        const double model = r[0] * std::exp(-(i - r[1]) * (i - r[1]) / r[2]) + r[3];
        EXPECT_NEAR(diff->valueAt(i), data.valueAt(i) - model, 1e-9);
        EXPECT_EQ(diff->xAt(i), i);
        sum += diff->valueAt(i) * diff->valueAt(i);
    }
    EXPECT_NEAR(r[10], sum, 1e-9 * sum);

    const std::string line = fb.tb.journalLines().back();
    EXPECT_EQ(line.rfind("FitSpectre G (marquardt, " + formatGeneral(r[12]) +
                             " itérations) : A = " + formatGeneral(r[0]) + " ± ",
                         0),
              0u)
        << line;
    EXPECT_NE(line.find(" ; D = "), std::string::npos);
    EXPECT_EQ(line.find("E = "), std::string::npos);
    EXPECT_NE(line.find("somme des carrés = " + formatGeneral(r[10]) + " ; chi² réduit = "),
              std::string::npos);
}

TEST(FitSpectre, ImagesStacksMethodsAndWeights) {
    struct Case {
        int dimension;
        const char* method;
        const char* weighting;
    };
    const Case cases[] = {
        {2, "simplex", "poisson"}, {2, "BFGS", "none"}, {3, "marquardt", "Poisson"}};
    for (const Case& c : cases) {
        FitBench fb;
        // 20 + 3 x - 2 y (+ z in the stack), x, y, z the indexes.
        spectlist& table = c.dimension == 2 ? fb.wb().spectres2D : fb.wb().spectres3D;
        spectre s;
        s.name = "P";
        s.resize(6, 5, c.dimension == 3 ? 4 : 1);
        for (int i = 0; i < s.nx; ++i)
            for (int j = 0; j < s.ny; ++j)
                for (int k = 0; k < s.nz; ++k)
                    s.setPointAt(
                        i, j, k,
                        spectrePoint{1, double(i), double(j), double(k), 20.0 + 3 * i - 2 * j + k});
        table.store(std::move(s));
        fb.setVariable("A", 10);
        fb.setVariable("B", 1);
        fb.setVariable("C", -1);
        fb.exec("FitSpectre[" + std::to_string(c.dimension) + ",\"P\",\"A+B*X+C*Y+Z\",\"" +
                c.method + "\",5000,1e-12,\"Q\",@R,\"" + c.weighting + "\"]");
        const std::vector<double> r = fb.array("R");
        ASSERT_EQ(r.size(), 13u) << c.method << ": " << fb.tb.journalLines().back();
        EXPECT_NEAR(r[0], 20, 1e-5) << c.method;
        EXPECT_NEAR(r[1], 3, 1e-5) << c.method;
        EXPECT_NEAR(r[2], -2, 1e-5) << c.method;
        // A stack has no difference spectrum, whatever name is given.
        EXPECT_EQ(fb.wb().spectres2D.find("Q") != nullptr, c.dimension == 2) << c.method;
        EXPECT_EQ(fb.wb().spectres3D.find("Q"), nullptr);
    }
}

TEST(FitSpectre, RefusalsThroughTheRunnerWriteNothing) {
    struct Case {
        const char* call;
        const char* reason;
    };
    const Case cases[] = {
        {"FitSpectre[1,\"NOPE\",\"A*X\",\"marquardt\",100,1e-8,\"DIFF\",@R,\"\"]",
         "courbe NOPE non trouvée"},
        {"FitSpectre[4,\"PH\",\"A*X\",\"marquardt\",100,1e-8,\"DIFF\",@R,\"\"]",
         "dimension 4 inconnue (1, 2 ou 3)"},
        {"FitSpectre[1,\"EMPTY\",\"A*X\",\"marquardt\",100,1e-8,\"DIFF\",@R,\"\"]",
         "EMPTY n'a aucun point"},
        {"FitSpectre[1,\"TWO\",\"A+B*X\",\"marquardt\",100,1e-8,\"DIFF\",@R,\"\"]",
         "TWO a 2 points pour 2 paramètres"},
        {"FitSpectre[1,\"PH\",\"A*X\",\"newton\",100,1e-8,\"DIFF\",@R,\"\"]",
         "méthode inconnue \"newton\" (simplex, marquardt ou bfgs)"},
        {"FitSpectre[1,\"PH\",\"A*X\",\"simplex\",100,1e-8,\"DIFF\",@R,\"gauss\"]",
         "pondération inconnue \"gauss\" (none ou poisson)"},
        {"FitSpectre[1,\"PH\",\"A*(X+\",\"simplex\",100,1e-8,\"DIFF\",@R,\"\"]",
         "modèle \"A*(X+\" incorrect : "},
        {"FitSpectre[1,\"PH\",\"sin(X)+exp(X)\",\"simplex\",100,1e-8,\"DIFF\",@R,\"\"]",
         "le modèle \"sin(X)+exp(X)\" n'utilise aucun des paramètres A à E"},
        {"FitSpectre[1,\"PH\",\"sqrt(A-2)+X\",\"simplex\",100,1e-8,\"DIFF\",@R,\"\"]",
         "la somme des carrés aux valeurs de départ vaut NAN"},
        {"FitSpectre[1,\"PH\",\"A*X\",\"simplex\",100,1e-8,\"ph\",@R,\"\"]",
         "la différence ph remplacerait PH"},
        {"FitSpectre[1,\"PH\",\"A*X\",\"simplex\",100,1e-8,\"DIFF\",\"RES\",\"\"]",
         "RES n'est pas une variable de script (écrire @RES)"},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        testing::writeFile(dir / "refuse.seq",
                           "addspectre[1,\"EMPTY\",0,1,1];\naddspectre[1,\"TWO\",2,1,1];\n"
                           "A=1.5;\nB=2;\nC=3;\nD=4;\nE=5;\nSettab[@R,0,9];\n" +
                               std::string(c.call) +
                               ";\naddcomment[\"after \",A,\" \",B,\" \",C,\" \",D];\n"
                               "addcomment[E,\" \",R#0,\" \",R#1];\n");
        const auto r = testing::runner(dir, {"--list", "refuse.seq"});
        EXPECT_EQ(r.status, 3) << c.call << "\n" << r.err; // ran to the end, with a refusal
        const std::string refusal = "!! FitSpectre : " + std::string(c.reason);
        const std::size_t at = r.out.find(refusal);
        EXPECT_NE(at, std::string::npos) << c.call << "\n" << r.out;
        EXPECT_EQ(r.out.find("!! ", at + 1), std::string::npos) << c.call;
        EXPECT_NE(r.out.find("\nafter 1.5 2 3 4\n5 9 0\n"), std::string::npos) << c.call << "\n"
                                                                               << r.out;
        EXPECT_EQ(r.out.find("\tDIFF\t"), std::string::npos) << c.call;
    }
}

} // namespace
} // namespace ombrelune
