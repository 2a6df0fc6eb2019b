// The headless runner as a user meets it: its output, exit statuses and files.

#include "runner_fixture.hpp"

#include "store/text_file.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace ombrelune {
namespace {

using testing::contains;
using testing::journal;
using testing::runner;
using testing::RunResult;
using testing::TempDir;

TEST(Runner, ListsTheDefaultSpectra) {
    TempDir dir;
    const RunResult r = runner(dir, {"-q", "--list"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("1D\t1\tC1H\t512\t1\t1\t0\tcurseur 1, coupe horizontale\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("3D\t1\tdata3D\t32\t64\t8\t0\tspectre updown\n"), std::string::npos);
    EXPECT_EQ(r.out.find("ouverture de"), std::string::npos);
}

TEST(Runner, EchoesTheJournalAndKeepsTheUserSettings) {
    TempDir dir;
    const RunResult r = runner(
        dir, {"-e", "addcomment[\"hello\"]", "--decimal-separator", ",", "-e", "addcomment[0.5]"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(
        r.out.find("ouverture de " + (dir / "boite" / "journal.txt").string() + "\nhello\n0,5\n"),
        std::string::npos)
        << r.out;
    EXPECT_EQ(journal(dir).back(), "0,5");
    EXPECT_FALSE(std::filesystem::exists(dir / "config" / "Ombrelune"));
}

TEST(Runner, ScriptsAndLinesRunInTheOrderGiven) {
    TempDir dir;
    testing::writeFile(dir / "a.seq", "X=X+1;\naddcomment[\"a \",X];\n");
    const RunResult r = runner(dir, {"-q", "-e", "X=5", "a.seq", "--exec=X=X*10", "a.seq",
                                     "--journal", "run", "--journal-dir", (dir / "j").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = readTextLines(dir / "j" / "run.txt");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"a 6", "a 61"}));
}

// 0 all ran, 1 an error stopped the run, 2 nothing ran, 3 all ran with refusals; every
// failure and refusal is one "!! " journal line.
TEST(Runner, ExitStatuses) {
    TempDir dir;
    testing::writeFile(dir / "stop.seq", "Y=1;\nY=1 + 2;\naddcomment[\"after\"];\n");
    testing::writeFile(dir / "good.dat", "");
    std::filesystem::create_directory(dir / "folder.seq");
    ::mkfifo((dir / "pipe.seq").c_str(), 0600);
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;     // the whole standard error, when given
        const char* journal; // the last journal line, when given
    } cases[] = {
        {{"-e", "addcomment[\"fine\"]"}, 0, "", "fine"},
        {{"-e", "x y"},
         1,
         "error: fonction non valide à la ligne 1:x y;\n",
         "!! ligne de commande : fonction non valide à la ligne 1:x y;"},
        {{"stop.seq"},
         1,
         "erreur: Expression has blanks\n",
         "!! stop.seq, ligne 1 : Expression has blanks"},
        {{"--keep-going", "stop.seq"}, 3, "erreur: Expression has blanks\n", "after"},
        {{"-e", "openspectre[1,\"/nonexistent/dir/\",\"X\"]"},
         3,
         "",
         "!! echec ouverture : /nonexistent/dir/ n existe pas"},
        {{"-e", "SaveSpectre[1,\"x.dat\",\"NOPE\"]", "-e", "addcomment[\"after\"]"},
         3,
         "",
         "after"},
        {{"-e", "NormMoniSpectre2D[1e6,\"ACUP\",\"N\"]"},
         3,
         "",
         "!! echec normalisation :ACUP moniteur nul"},
        {{"-e", "SetMonitor[2,\"ACUP\",2e5]", "-e", "NormMoniSpectre2D[1e6,\"ACUP\",\"N\"]"},
         0,
         "",
         "ouverture de "},
        {{"missing.seq"}, 2, nullptr, nullptr},
        {{"folder.seq"}, 2, "ombrelune-run: folder.seq: not a regular file\n", nullptr},
        {{"pipe.seq"}, 2, "ombrelune-run: pipe.seq: not a regular file\n", nullptr},
        {{"/dev/zero"}, 2, "ombrelune-run: /dev/zero: not a regular file\n", nullptr},
        {{"--timeout", "0.3", "-e", "delay[1e300]"},
         1,
         nullptr,
         "!! ligne de commande : délai de 0.3 s dépassé"},
        {{"--no-such-option"}, 2, nullptr, nullptr},
        {{"--decimal-separator", "ab"}, 2, nullptr, nullptr},
        {{"-i", "missing.dat", "-e", "X=1"},
         2,
         "ombrelune-run: the input missing.dat does not exist\n",
         nullptr},
        {{"-i", "none/*.dat", "-e", "X=1"},
         2,
         "ombrelune-run: no file matches the input none/*.dat\n",
         nullptr},
        {{"-i", "good.dat"}, 2, nullptr, nullptr},
        {{"-j", "0", "-e", "X=1"}, 2, nullptr, nullptr},
        {{"--timeout", "soon", "-e", "X=1"}, 2, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-q"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = runner(dir, args);
        const std::string what = c.args.back();
        EXPECT_EQ(r.status, c.status) << what << "\n" << r.err;
        if (c.err) {
            EXPECT_EQ(r.err, c.err) << what;
        }
        const auto lines = journal(dir);
        if (!c.journal) {
            EXPECT_TRUE(lines.empty()) << what << ": nothing runs after a usage error";
        } else {
            ASSERT_FALSE(lines.empty()) << what;
            EXPECT_EQ(lines.back().rfind(c.journal, 0), 0u) << what << "\n" << lines.back();
        }
        std::filesystem::remove(dir / "boite" / "journal.txt");
    }
}

// Evaluator messages hold carriage returns: a terminal gets line breaks, the journal one line.
TEST(Runner, MessagesAreReadable) {
    TempDir dir;
    const RunResult r = runner(dir, {"-q", "-e", "X=1+*2"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.find('\r'), std::string::npos);
    EXPECT_TRUE(contains(r.err, "erreur: Error parsing expression:\n  ")) << r.err;
    EXPECT_EQ(journal(dir).back().rfind("!! ligne de commande : Error parsing expression: ", 0),
              0u);
}

TEST(Runner, CommandReference) {
    TempDir dir;
    const RunResult one = runner(dir, {"--commands", "sommednpa"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out.rfind("SommeDNPA[image, curve, mask, X0, Y0, channels, wavelength, ", 0), 0u);
    EXPECT_TRUE(contains(one.out, "  7  wavelength         number, Å\n")) << one.out;
    const RunResult all = runner(dir, {"--commands"});
    EXPECT_TRUE(contains(all.out, "\nSetMonitor[list, name, monitor]\n"));
    EXPECT_EQ(runner(dir, {"--commands", "nope"}).status, 2);
    const RunResult help = runner(dir, {"--help"});
    for (const char* v : {"INPUT$", "STEM$", "INPUT ", "NINPUTS"})
        EXPECT_TRUE(contains(help.out, v)) << v;
}

TEST(Runner, TheDemoRuns) {
    TempDir dir;
    const RunResult r = runner(dir, {"--list", std::string(OMBRELUNE_EXAMPLES) + "/demo.seq"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(std::filesystem::exists(dir / "half.dat"));
    EXPECT_TRUE(std::filesystem::exists(dir / "phn.txt"));
    EXPECT_NE(r.out.find("the loop ran 3 times"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2D\t6\tBACK\t128\t128\t1"), std::string::npos) << r.out;
}

} // namespace
} // namespace ombrelune
