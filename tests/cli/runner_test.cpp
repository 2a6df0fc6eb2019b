// The headless runner as a user meets it: its output, exit statuses and files.

#include "run_program.hpp"
#include "test_support.hpp"

#include "store/text_file.hpp"

#include <gtest/gtest.h>

#include <string>

namespace ombrelune {
namespace {

using testing::Result;
using testing::TempDir;
using testing::runner;

TEST(Runner, ListsTheDefaultSpectra) {
    TempDir dir;
    const Result r = runner(dir, {"-q", "--list"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("1D\t1\tC1H\t512\t1\t1\t0\tcurseur 1, coupe horizontale\n"), std::string::npos);
    EXPECT_NE(r.out.find("3D\t1\tdata3D\t32\t64\t8\t0\tspectre updown\n"), std::string::npos);
    EXPECT_EQ(r.out.find("ouverture de"), std::string::npos);
}

TEST(Runner, EchoesTheJournalAndKeepsTheUserSettings) {
    TempDir dir;
    const Result r = runner(dir, {"-e", "addcomment[\"hello\"]", "--decimal-separator", ",",
                                  "-e", "addcomment[0.5]"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("ouverture de " + (dir / "boite" / "journal.txt").string() + "\nhello\n0,5\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(readTextLines(dir / "boite" / "journal.txt").back(), "0,5");
    EXPECT_FALSE(std::filesystem::exists(dir / "config" / "Ombrelune"));
}

TEST(Runner, ScriptsAndLinesRunInTheOrderGiven) {
    TempDir dir;
    testing::writeFile(dir / "a.seq", "X=X+1;\naddcomment[\"a \",X];\n");
    const Result r = runner(dir, {"-q", "-e", "X=5", "a.seq", "--exec=X=X*10", "a.seq",
                                  "--journal", "run", "--journal-dir", (dir / "j").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    const auto lines = readTextLines(dir / "j" / "run.txt");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{"a 6", "a 61"}));
}

TEST(Runner, ExitStatuses) {
    TempDir dir;
    testing::writeFile(dir / "stop.seq", "Y=1;\nY=1 + 2;\naddcomment[\"after\"];\n");
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;
        bool after;
    } cases[] = {
        {{"-e", "x y"}, 1, "error: fonction non valide à la ligne 1:x y;\n", false},
        {{"stop.seq"}, 1, "erreur: Expression has blanks\n", false},
        {{"--keep-going", "stop.seq"}, 0, "erreur: Expression has blanks\n", true},
        {{"-e", "openspectre[1,\"/nonexistent/dir/\",\"X\"]"}, 0, "", false},
        {{"missing.seq"}, 2, "", false},
        {{"--no-such-option"}, 2, "", false},
        {{"--decimal-separator", "ab"}, 2, "", false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"-q"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Result r = runner(dir, args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << "\n" << r.err;
        if (*c.err) {
            EXPECT_EQ(r.err, c.err) << c.args.back();
        }
        const auto journal = dir / "boite" / "journal.txt";
        const auto lines = std::filesystem::exists(journal) ? readTextLines(journal)
                                                            : std::vector<std::string>{};
        EXPECT_EQ(!lines.empty() && lines.back() == "after", c.after) << c.args.back();
        std::filesystem::remove(journal);
    }
}

TEST(Runner, TheDemoRuns) {
    TempDir dir;
    const Result r = runner(dir, {"--list", std::string(OMBRELUNE_EXAMPLES) + "/demo.seq"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(std::filesystem::exists(dir / "half.dat"));
    EXPECT_TRUE(std::filesystem::exists(dir / "phn.txt"));
    EXPECT_NE(r.out.find("the loop ran 3 times"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2D\t6\tBACK\t128\t128\t1"), std::string::npos) << r.out;
}

} // namespace
} // namespace ombrelune
