#include "recording_host.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace ombrelune {
namespace {

using testing::ScriptBench;

std::vector<std::string> lastLines(ScriptBench& sb, std::size_t n) {
    const auto lines = sb.tb.journalLines();
    return {lines.end() - static_cast<long>(std::min(n, lines.size())), lines.end()};
}

TEST(BasicCommands, JournalVariablesAndArrays) {
    ScriptBench sb;
    sb.run("X=2.5;\naddcomment[\"X is \",X];\nSetstring[@S,\"ab\",\"cd\"];\naddcomment[S$];\n"
           "Settab[@T,3,1,\"\",5];\naddcomment[T#3];");
    EXPECT_EQ(lastLines(sb, 3), (std::vector<std::string>{"X is 2.5", "abcd", "1"}));
    const auto p = sb.interp.scriptVariables().find("t");
    ASSERT_TRUE(p);
    EXPECT_EQ(sb.interp.scriptVariables().descriptor(*p).values,
              (std::vector<double>{0, 0, 0, 1, 0, 5}));
    ASSERT_TRUE(sb.interp.fillArguments("T#5,T#4,T#2+3,T#99,T#-1"));
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(sb.interp.argumentSlots().number(k), k == 1 || k == 3 ? 5 : 0) << k;
    EXPECT_EQ(sb.interp.argumentSlots().text(1), "5");
}

TEST(BasicCommands, ArgumentSlots) {
    ScriptBench sb;
    sb.exec("X=4;");
    ASSERT_TRUE(sb.interp.fillArguments(" \"C1H\",X*2,@X,,\"\""));
    const CommandArgs& a = sb.interp.argumentSlots();
    EXPECT_EQ(a.text(1), "\"C1H");
    EXPECT_EQ(a.text(2), "8");
    EXPECT_EQ(a.number(2), 8);
    EXPECT_EQ(a.text(3), "X");
    EXPECT_EQ(sb.var("X"), 0); // registering resets the evaluator variable
    EXPECT_EQ(a.text(4), "0");
    EXPECT_EQ(a.text(5), "");
    EXPECT_EQ(a.text(6), "");
    EXPECT_EQ(a.number(7), 0);
    // A name that is no script variable keeps its raw text.
    ASSERT_TRUE(sb.interp.fillArguments("U$,V#2"));
    EXPECT_EQ(sb.interp.argumentSlots().text(1), "U$");
    EXPECT_EQ(sb.interp.argumentSlots().text(2), "V#2");
    // The decimal separator of numbers in texts is the user's.
    ScriptBench fr;
    fr.wb().decimalSeparator = ',';
    fr.exec("addcomment[0.5];");
    EXPECT_EQ(lastLines(fr, 1), std::vector<std::string>{"0,5"});
}

TEST(BasicCommands, SpectraByScript) {
    ScriptBench sb;
    sb.run("addspectre[1,\"C\",10,1,1];\naddpoint1D[\"C\",1.5,7,1];\n"
           "addpt[1,\"C\",2,0,0,9,0.5];\nSetExpCond[1,\"C\",\"lambda\",5];\n"
           "SetComment[1,\"C\",\"a\",\"b\"];\nIntegraleSpectre1D[\"C\",0,10];\n"
           "IntegraleSpectre1D[\"C\",0,10,\"R\"];");
    const spectre& c = *sb.wb().spectres1D.find("C");
    EXPECT_EQ(c.xAt(1), 1.5);
    EXPECT_EQ(c.valueAt(1), 7);
    EXPECT_EQ(c.monAt(2), 0.5);
    EXPECT_EQ(c.expConds.at(0).value, 5);
    EXPECT_EQ(c.comment, "ab");
    EXPECT_EQ(lastLines(sb, 1), std::vector<std::string>{"16"});
    EXPECT_EQ(sb.var("R"), 16);
    sb.run("clearspectre[1,\"C\"];\ndel1D[\"C\"];");
    EXPECT_EQ(sb.wb().spectres1D.indexOf("C"), -1);
}

// A made image gets a monitor count, so that normalisation can use it.
TEST(BasicCommands, SetMonitor) {
    ScriptBench sb;
    sb.run("addspectre[2,\"I\",4,4,1];\nSetMonitor[2,\"I\",2.5E5];\nSetMonitor[3,\"data3D\",7];");
    EXPECT_EQ(sb.wb().spectres2D.find("I")->monitor, 2.5e5);
    EXPECT_EQ(sb.wb().spectres3D.find("data3D")->monitor, 7);
    EXPECT_TRUE(sb.tb.journalLines().empty());
    sb.exec("SetMonitor[2,\"I\",0];");
    EXPECT_EQ(sb.wb().spectres2D.find("I")->monitor, 2.5e5); // a refusal changes nothing
}

TEST(BasicCommands, Arithmetic) {
    ScriptBench sb;
    sb.run("add2D[\"ACUP\",\"ACUP\",\"D\"];\nscalMultSpectre2D[0.5,\"D\",\"H\"];\n"
           "sub2D[\"H\",\"ACUP\",\"Z\"];\nscalAdd1D[1,\"PH\",\"P1\"];\nsqrt1D[\"P1\",\"Q\"];");
    EXPECT_EQ(sb.wb().spectres2D.find("H")->valueAt(64, 64), 100);
    EXPECT_EQ(sb.wb().spectres2D.find("Z")->valueAt(3, 9), 0);
    EXPECT_DOUBLE_EQ(sb.wb().spectres1D.find("Q")->valueAt(0), std::sqrt(1.00001));
    EXPECT_TRUE(sb.tb.journalLines().empty());
}

// Commands that cannot do their work say so in one line and the script goes on.
TEST(BasicCommands, RefusalsWriteOneLineEach) {
    struct Case {
        const char* line;
        const char* journal;
    } cases[] = {
        {"clearspectre[4,\"C1H\"];", "!! clearspectre : liste 4 inconnue (1, 2 ou 3)"},
        {"clearspectre[1,\"none\"];", "!! clearspectre : courbe none non trouvée"},
        {"add2D[\"ACUP\",\"PROJ\",\"R\"];", "!! add2D : ACUP et PROJ n'ont pas les mêmes tailles"},
        {"scalMult2D[0,\"ACUP\",\"R\"];", "!! scalMult2D : facteur nul refusé"},
        {"sqrt1D[\"none\",\"R\"];", "!! sqrt1D : courbe none non trouvée"},
        {"IntegraleSpectre1D[\"none\",0,1];", "!! IntegraleSpectre1D : courbe none non trouvée"},
        {"Setstring[\"S\",\"a\"];", "!! Setstring : S n'est pas une variable de script (écrire @S)"},
        {"Settab[@T,-1,5];", "!! Settab : indice -1 hors de 0..1000000 pour T"},
        {"Settab[@T,2000000,5];", "!! Settab : indice 2000000 hors de 0..1000000 pour T"},
        {"addspectre[1,\"Z\",-1,1,1];",
         "!! addspectre : taille -1 refusée pour Z (un entier de 0 à 2147483647)"},
        {"addspectre[1,\"Z\",1E10,1,1];",
         "!! addspectre : taille 10000000000 refusée pour Z (un entier de 0 à 2147483647)"},
        {"SetMonitor[2,\"ACUP\",0];",
         "!! SetMonitor : moniteur 0 refusé pour ACUP (un nombre fini au-dessus de 0)"},
        {"SetMonitor[2,\"ACUP\",-1/0];",
         "!! SetMonitor : moniteur -INF refusé pour ACUP (un nombre fini au-dessus de 0)"},
        {"SetMonitor[2,\"ACUP\",sqrt(-1)];",
         "!! SetMonitor : moniteur NAN refusé pour ACUP (un nombre fini au-dessus de 0)"},
        {"SetMonitor[1,\"ACUP\",1];", "!! SetMonitor : courbe ACUP non trouvée"},
        {"addspectre[1,\"Z\",65536,65536,65536];",
         "!! addspectre : impossible de créer Z de 65536 x 65536 x 65536 points (tailles refusées "
         "ou table pleine)"},
    };
    for (const Case& c : cases) {
        ScriptBench sb;
        sb.exec(c.line);
        EXPECT_EQ(sb.tb.journalLines(), std::vector<std::string>{c.journal}) << c.line;
        EXPECT_EQ(sb.wb().spectres2D.indexOf("R"), -1);
        EXPECT_EQ(sb.wb().spectres1D.indexOf("Z"), -1);
    }
}

TEST(BasicCommands, TooManyScriptVariables) {
    ScriptBench sb;
    for (int n = 0; n < 201; ++n) sb.exec("Setstring[@V" + std::to_string(n) + ",\"x\"];");
    EXPECT_TRUE(sb.tb.journalLines().empty());
    sb.exec("Setstring[@W,\"x\"];");
    const auto lines = sb.tb.journalLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "!! W : plus de 201 variables de script, celle-ci n'est pas créée");
    EXPECT_EQ(lines[1].rfind("!! Setstring : W", 0), 0u);
}

TEST(BasicCommands, DelayWaitsWithTheTimerOff) {
    ScriptBench sb;
    sb.host.timer = true;
    const auto start = std::chrono::steady_clock::now();
    sb.exec("delay[0.05];");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_GT(sb.host.eventsProcessed, 0);
    EXPECT_TRUE(sb.host.timer);
    for (const char* line : {"delay[0];", "delay[-1];", "delay[SQRT(-1)];"}) {
        sb.host.eventsProcessed = 0;
        sb.exec(line);
        EXPECT_EQ(sb.host.eventsProcessed, 0) << line;
    }
}

} // namespace
} // namespace ombrelune
