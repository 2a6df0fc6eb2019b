#include "recording_host.hpp"

#include "errors/errors.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

namespace ombrelune {
namespace {

using testing::ScriptBench;

TEST(Engine, LoopWithLabelAndCondition) {
    ScriptBench sb;
    sb.run("X=1;\nLB:X=X+1;\nif X<5 then goto LB;\n");
    EXPECT_EQ(sb.var("X"), 5);
    EXPECT_FALSE(sb.interp.running());
    EXPECT_FALSE(sb.host.timer);
    EXPECT_EQ(sb.host.caption, "pas de séquence en cours");
    EXPECT_FALSE(sb.host.runningShown);
}

TEST(Engine, ConditionsAndJumps) {
    const double nan = std::nan("");
    struct Case {
        const char* script;
        const char* variable;
        double expected;
    } cases[] = {
        {"X=2;\nif X>1+2 then goto LA;\nY=1;\nLA:Z=1;", "Y", 1},
        {"X=5;\nif X>=5 then Y=7;", "Y", 7},
        {"X=5;\nif X<>5 then Y=7;", "Y", 0},
        {"X=5;\nif X=5 then if X<6 then Y=8;", "Y", 8},
        {"X=1;\nif X then Y=1;", "Y", 0}, // no comparison: false
        {"N=N+1;\nif N<3 then goto LQ;\nY=N;", "Y", 3},  // an undefined label restarts at 0
        {"goto XY;\nY=4;", "Y", 4},                         // not a label name: no jump
        {"Y=1;\n;comment\nx;\n\nY=Y+1;", "Y", 2},
        {"x=5 ;", "x", 5},
        {"Y=0;\nla:Y=Y+1;\nif Y<3 then goto LA;", "Y", 3}, // label names ignore case
        {"Y=0;\nLA:Y=Y+1;\nif Y<3 then LA;", "Y", 3},       // a label right after "then"
    };
    for (const Case& c : cases) {
        ScriptBench sb;
        sb.run(c.script);
        EXPECT_EQ(sb.var(c.variable), c.expected) << c.script;
    }
    // NaN differences: true for "<=", "<" and "=", false for ">=", "<>" and ">".
    for (const auto& [op, expected] : std::vector<std::pair<std::string, double>>{
             {"<=", 1}, {"<", 1}, {"=", 1}, {">=", 0}, {"<>", 0}, {">", 0}}) {
        ScriptBench sb;
        sb.interp.parser().SetVariable("A", nan);
        sb.run("if A" + op + "B then Y=1;");
        EXPECT_EQ(sb.var("Y"), expected) << op;
    }
}

TEST(Engine, EngineErrorsCarryTheLineNumberAndKeepTheLine) {
    struct Case {
        const char* script;
        const char* message;
    } cases[] = {
        {"X=1;\nif X=1 goto LA;", "if sans then1:if X=1 goto LA;"},
        {"LA:", "fonction non valide à la ligne 0:;"},
        {"X=1;\nx = 5;", "variable non valide à la ligne 1:x = 5;"},
        {"=5;", "variable non valide à la ligne 0:=5;"},
        {"nothere[1];", "fonction non valide à la ligne 0:nothere[1];"},
        {"addcomment [\"a\"];", "fonction non valide à la ligne 0:addcomment [\"a\"];"},
        {"addcomment[\"x=\",X];", "variable non valide à la ligne 0:addcomment[\"x=\",X];"},
    };
    for (const Case& c : cases) {
        ScriptBench sb;
        sb.interp.execute(c.script);
        std::string message;
        for (int step = 0; step < 10 && sb.interp.running() && message.empty(); ++step) {
            try {
                sb.interp.tick();
            } catch (const EvarError& e) {
                message = e.what();
            }
        }
        EXPECT_EQ(message, c.message) << c.script;
        EXPECT_FALSE(sb.host.timer) << c.script;
        // The failing line stays current, so Continue runs it again.
        const int line = sb.interp.currentLine();
        sb.interp.continueScript();
        EXPECT_THROW(sb.interp.tick(), EvarError) << c.script;
        EXPECT_EQ(sb.interp.currentLine(), line);
    }
}

TEST(Engine, ExpressionErrorsReportAndCountAsZero) {
    ScriptBench sb;
    sb.run("Y=5;\nY=1 + 2;\nZ=nothing+1;\nW=3;");
    EXPECT_EQ(sb.var("Y"), 0);
    EXPECT_EQ(sb.var("W"), 3);
    ASSERT_EQ(sb.host.errors.size(), 2u);
    EXPECT_EQ(sb.host.errors[0], "Expression has blanks");
    EXPECT_EQ(sb.host.errors[1].rfind("Error parsing expression:\r", 0), 0u);
    // The cached failure fails again with the same message.
    sb.run("Z=nothing+1;");
    ASSERT_EQ(sb.host.errors.size(), 3u);
    EXPECT_EQ(sb.host.errors[2], sb.host.errors[1]);
    // Once the name exists the same text compiles.
    sb.run("nothing=1;\nZ=nothing+1;");
    EXPECT_EQ(sb.var("Z"), 2);
}

TEST(Engine, AnExpressionErrorInAnArgumentSkipsTheCommand) {
    ScriptBench sb;
    sb.run("addspectre[1,\"K\",1 0,1,1];\nY=1;");
    EXPECT_EQ(sb.wb().spectres1D.indexOf("K"), -1);
    EXPECT_EQ(sb.var("Y"), 1);
    EXPECT_EQ(sb.host.errors.size(), 1u);
}

TEST(Engine, StopAndContinue) {
    ScriptBench sb;
    sb.interp.execute("X=1;\nX=2;\nX=3;");
    sb.interp.tick();
    sb.interp.stop();
    EXPECT_EQ(sb.host.caption, "pas de séquence en cours");
    sb.interp.tick(); // stopped: nothing happens
    EXPECT_EQ(sb.var("X"), 1);
    sb.interp.continueScript();
    EXPECT_TRUE(sb.host.timer);
    EXPECT_TRUE(sb.host.runningShown); // the script runs again, and the window says so
    sb.interp.tick();
    EXPECT_EQ(sb.var("X"), 2);
    EXPECT_EQ(sb.host.caption, "séq : X=2;");
}

TEST(Engine, IncludesExpandPassByPass) {
    ScriptBench sb;
    const auto dir = sb.wb().paths.sequences();
    std::filesystem::create_directories(dir);
    testing::writeFile(dir / "outer.seq", "A=1;\ninc=inner;\n");
    testing::writeFile(dir / "inner.seq", "B=A+1; trailing comment\nLC:C=B+1;\n");
    sb.interp.prepareScript("inc=outer; comment\nD=C+1;");
    EXPECT_EQ(sb.interp.preparedLines(),
              (std::vector<std::string>{"A=1;", "B=A+1;", "LC:C=B+1;", "D=C+1;"}));
    EXPECT_EQ(sb.interp.labelPosition('C'), 2);
    // Included lines point at their "inc=" line; the lines after it, at themselves.
    const std::pair<int, int> origins[] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, -1}};
    for (const auto& [prepared, source] : origins)
        EXPECT_EQ(sb.interp.sourceLine(prepared), source) << prepared;
    sb.run("inc=outer;\nD=C+1;");
    EXPECT_EQ(sb.host.started, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(sb.var("D"), 4);

    testing::writeFile(dir / "self.seq", "inc=self;\n");
    try {
        sb.interp.prepareScript("inc=self;");
        FAIL();
    } catch (const EvarError& e) {
        EXPECT_NE(std::string(e.what()).find("inc=self"), std::string::npos);
    }
    testing::writeFile(dir / "twice.seq", "inc=twice;\ninc=twice;\n");
    EXPECT_THROW(sb.interp.prepareScript("inc=twice;"), EvarError);
    try {
        sb.interp.prepareScript("inc=missing;");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("missing.seq"), std::string::npos);
    }
}

TEST(Engine, CommandBoxAppendsASemicolonAndIgnoresJumps) {
    ScriptBench sb;
    EXPECT_EQ(sb.interp.executeCommandBox("A=3"), "A=3;");
    EXPECT_EQ(sb.var("A"), 3);
    sb.interp.prepareScript("LB:X=1;");
    EXPECT_EQ(sb.interp.executeCommandBox("goto LB;"), "goto LB;");
    try {
        sb.interp.executeCommandBox("x y");
        FAIL();
    } catch (const EvarError& e) {
        EXPECT_STREQ(e.what(), "fonction non valide à la ligne 1:x y;");
    }
}

} // namespace
} // namespace ombrelune

namespace ombrelune {
namespace {

using testing::ScriptBench;

// A command that fails halts the script on its line; Continue runs that line again.
TEST(Engine, AFailingCommandHaltsOnItsLine) {
    ScriptBench sb;
    int calls = 0;
    sb.interp.registry().bind("delay", [&](Interpreter&, const CommandArgs&) {
        ++calls;
        throw EInOutError("disk full");
    });
    sb.interp.execute("X=1;\ndelay[1];\nX=2;");
    sb.host.timer = true;
    sb.interp.tick();
    EXPECT_THROW(sb.interp.tick(), EInOutError);
    EXPECT_FALSE(sb.host.timer);
    EXPECT_EQ(sb.interp.currentLine(), 1);
    sb.interp.continueScript();
    EXPECT_THROW(sb.interp.tick(), EInOutError);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(sb.var("X"), 1);
}

// Every failure leaves exactly one journal line naming the script and the line, so a
// night's journal says what went wrong without the error boxes.
TEST(Engine, EveryFailureLeavesOneJournalLine) {
    struct Case {
        const char* script; // nullptr: the command box line below
        const char* line;
        const char* journal; // the whole line, or its beginning when it ends with "…"
    } cases[] = {
        {"X=1;\nnothere[1];", nullptr, "!! night.seq : fonction non valide à la ligne 1:nothere[1];"},
        {"X=1;\nif X=1 goto LA;", nullptr, "!! night.seq : if sans then1:if X=1 goto LA;"},
        {"X=1;\nY=1 + 2;", nullptr, "!! night.seq, ligne 1 : Expression has blanks"},
        {"X=1;\nX=2;\nZ=nothing+1;", nullptr, "!! night.seq, ligne 2 : Error parsing expression: …"},
        {"X=1;\ndelay[1];", nullptr, "!! night.seq, ligne 1 : delay : disk full"},
        {"inc=nothere;", nullptr, "!! night.seq : …"},
        {nullptr, "nothere[1]", "!! ligne de commande : fonction non valide à la ligne 1:nothere[1];"},
        {nullptr, "Y=1 + 2", "!! ligne de commande : Expression has blanks"},
    };
    for (const Case& c : cases) {
        ScriptBench sb;
        sb.interp.registry().bind("delay", [](Interpreter&, const CommandArgs&) {
            throw EInOutError("disk full");
        });
        sb.interp.setScriptName("night.seq");
        try {
            if (c.script)
                sb.run(c.script, 10);
            else
                sb.exec(c.line);
        } catch (const OmbreluneError&) {
        }
        const auto lines = sb.tb.journalLines();
        ASSERT_EQ(lines.size(), 1u) << (c.script ? c.script : c.line);
        const std::string expected = c.journal;
        const std::size_t ellipsis = expected.find("…");
        if (ellipsis == std::string::npos)
            EXPECT_EQ(lines[0], expected);
        else
            EXPECT_EQ(lines[0].substr(0, ellipsis), expected.substr(0, ellipsis)) << lines[0];
        EXPECT_EQ(lines[0].find_first_of("\r\n"), std::string::npos) << "one line";
    }
}

// Execute pressed while a command waits: the new script keeps its own current line.
TEST(Engine, AScriptStartedDuringACommandKeepsItsLine) {
    ScriptBench sb;
    sb.interp.registry().bind("delay", [&](Interpreter& in, const CommandArgs& args) {
        in.execute("Y=1;\nY=2;");
        EXPECT_EQ(args.number(1), 7); // the command's own copy of its arguments
    });
    sb.interp.execute("X=1;\nX=2;\nX=3;\ndelay[7];\nX=4;");
    for (int k = 0; k < 4; ++k) sb.interp.tick();
    EXPECT_EQ(sb.interp.currentLine(), 0);
    EXPECT_EQ(sb.interp.preparedLines().front(), "Y=1;");
    sb.run("Y=1;\nY=2;");
    EXPECT_EQ(sb.var("X"), 3);
}

} // namespace
} // namespace ombrelune
