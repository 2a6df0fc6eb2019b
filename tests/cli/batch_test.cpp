// Reducing a folder of files with one command: order, outputs, the failing input named,
// --stop-on-error, -j, --timeout and Ctrl-C.

#include "runner_fixture.hpp"

#include "store/spectrum_files.hpp"
#include "store/store_ops.hpp"
#include "store/text_file.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace ombrelune {
namespace {

using namespace testing;

const char* const reduce = "openspectre[1,INPUT$,\"A\"];\n"
                           "Setstring[@OUT,DIR$,STEM$,\".txt\"];\n"
                           "saveToASCII1D[\"A\",OUT$,\"input \",INPUT,\" of \",NINPUTS];\n";

// in/run1, run2, run3, run10.dat: the curve C1H plus the file's number; in/run5.dat is no
// spectrum file. The runner's journal is boite/night.txt.
struct Folder : TestBench {
    Folder() {
        std::filesystem::create_directories(dir / "in");
        for (int k : {1, 2, 3, 10}) {
            opScalAdd(wb->spectres1D, "C1H", "C", k);
            writeSpectreFile(*wb->spectres1D.find("C"),
                             dir / "in" / ("run" + std::to_string(k) + ".dat"), wb->journal);
        }
        writeFile(dir / "in" / "run5.dat", "not a spectrum");
        writeFile(dir / "reduce.seq", reduce);
        for (const char* out : {"out1", "out2"}) std::filesystem::create_directories(dir / out);
    }
    // Reduces every input into the folder out.
    RunResult reduceInto(const std::string& out, std::vector<std::string> more = {}) {
        std::vector<std::string> args = {"-q",
                                         "--journal",
                                         "night",
                                         "-i",
                                         "in/*.dat",
                                         "-e",
                                         "Setstring[@DIR,\"" + out + "/\"]",
                                         "reduce.seq"};
        args.insert(args.end(), more.begin(), more.end());
        return runner(dir, args);
    }
};

TEST(Batch, OneCommandReducesTheFolder) {
    Folder f;
    const RunResult r = f.reduceInto("out1");
    EXPECT_EQ(r.status, 1) << r.err;
    const auto lines = journal(f.dir, "night");
    std::vector<std::string> headers;
    for (const std::string& line : lines)
        if (line.rfind("-- entrée ", 0) == 0) headers.push_back(line);
    EXPECT_EQ(headers, (std::vector<std::string>{
                           "-- entrée 1/5 : in/run1.dat", "-- entrée 2/5 : in/run2.dat",
                           "-- entrée 3/5 : in/run3.dat", "-- entrée 4/5 : in/run5.dat",
                           "-- entrée 5/5 : in/run10.dat"}));
    EXPECT_EQ(readTextLines(f.dir / "out1" / "run10.txt").front(), "input 5 of 5");
    EXPECT_EQ(readTextLines(f.dir / "out1" / "run2.txt").front(), "input 2 of 5");
    EXPECT_EQ(readTextLines(f.dir / "out1" / "run2.txt")[4], "0\t2.00001");
    EXPECT_FALSE(std::filesystem::exists(f.dir / "out1" / "run5.txt"));

    EXPECT_EQ(countPrefixed(lines, "!! in/run5.dat : in/run5.dat: "), 1) << "named, with why";
    EXPECT_TRUE(contains(r.err, "\n!! in/run5.dat : in/run5.dat: ") ||
                r.err.rfind("!! in/run5.dat : ", 0) == 0)
        << r.err;
    EXPECT_TRUE(contains(r.err, "ombrelune-run: 5 inputs: 4 done, 1 failed (in/run5.dat); "))
        << r.err;
    EXPECT_TRUE(contains(r.err, " s per input\n")) << r.err;
}

TEST(Batch, StopOnErrorLeavesTheRest) {
    Folder f;
    const RunResult r = f.reduceInto("out1", {"--stop-on-error"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(std::filesystem::exists(f.dir / "out1" / "run3.txt"));
    EXPECT_FALSE(std::filesystem::exists(f.dir / "out1" / "run10.txt"));
    EXPECT_TRUE(contains(r.err, "3 done, 1 failed (in/run5.dat), 1 not run; ")) << r.err;
}

// Each input starts on a fresh workbench: what one input made, the next does not find.
TEST(Batch, RefusedCommandsGiveThreeAndEachInputStartsAfresh) {
    Folder f;
    const RunResult r =
        runner(f.dir, {"-q", "-i", "in/run1*.dat", "-i", "in/run2.dat", "-e",
                       "IntegraleSpectre1D[\"LEFT\",0,1]", "-e", "addspectre[1,\"LEFT\",2,1,1]"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_TRUE(contains(r.err, "3 inputs: 0 done, 3 with refused commands (in/run1.dat, "
                                "in/run2.dat, in/run10.dat); "))
        << r.err;
}

// -j 2 makes the same files as -j 1; each input's lines stay together in the main journal
// and each input also has a journal of its own.
TEST(Batch, ParallelWorkersGiveTheSameOutputs) {
    Folder f;
    EXPECT_EQ(f.reduceInto("out1").status, 1);
    std::filesystem::remove(f.dir / "boite" / "night.txt");
    const RunResult r = f.reduceInto("out2", {"-j", "2"});
    EXPECT_EQ(r.status, 1) << r.err;
    for (const char* name : {"run1.txt", "run2.txt", "run3.txt", "run10.txt"})
        EXPECT_EQ(readWholeFile(f.dir / "out1" / name), readWholeFile(f.dir / "out2" / name))
            << name;
    EXPECT_FALSE(std::filesystem::exists(f.dir / "out2" / "run5.txt"));
    EXPECT_TRUE(contains(r.err, "4 done, 1 failed (in/run5.dat)")) << r.err;

    const auto lines = journal(f.dir, "night");
    EXPECT_EQ(countPrefixed(lines, "-- entrée "), 5);
    EXPECT_EQ(countPrefixed(lines, "!! in/run5.dat : "), 1);
    for (std::size_t k = 1; k < lines.size(); ++k)
        if (lines[k].rfind("ouverture de : in/", 0) == 0) {
            const std::string input = lines[k].substr(15, lines[k].find(" dans") - 15);
            EXPECT_TRUE(lines[k - 1].rfind("-- entrée ", 0) == 0 && contains(lines[k - 1], input))
                << lines[k - 1] << " / " << lines[k];
        }
    const auto own = journal(f.dir, "night-run10");
    EXPECT_EQ(countPrefixed(own, "-- entrée 5/5 : in/run10.dat"), 1);
    EXPECT_EQ(countPrefixed(own, "sauvegarde de A sous out2/run10.txt"), 1);
    EXPECT_EQ(countPrefixed(journal(f.dir, "night-run5"), "!! in/run5.dat : "), 1);
}

TEST(Batch, TimeoutStopsAnEndlessLoop) {
    Folder f;
    writeFile(f.dir / "loop.seq", "LA:X=X+1;\ngoto LA;\n");
    const auto start = std::chrono::steady_clock::now();
    const RunResult single =
        runner(f.dir, {"-q", "--journal", "night", "--timeout", "0.5", "loop.seq"});
    EXPECT_EQ(single.status, 1);
    // Stopped between two lines of the loop, whichever was next.
    const std::string last = journal(f.dir, "night").back();
    EXPECT_TRUE(last == "!! loop.seq, ligne 0 : délai de 0.5 s dépassé" ||
                last == "!! loop.seq, ligne 1 : délai de 0.5 s dépassé")
        << last;
    for (const char* jobs : {"1", "2"}) {
        const RunResult batch = runner(f.dir, {"-q", "--journal", "night", "-j", jobs, "--timeout",
                                               "0.5", "-i", "in/run1*.dat", "loop.seq"});
        EXPECT_EQ(batch.status, 1) << jobs;
        EXPECT_TRUE(contains(batch.err, "!! in/run10.dat : délai de 0.5 s dépassé")) << batch.err;
        EXPECT_TRUE(contains(batch.err, "2 inputs: 0 done, 2 failed")) << batch.err;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

// The first Ctrl-C lets the inputs under way finish, then the summary and status 130.
TEST(Batch, InterruptFinishesTheInputsUnderWay) {
    for (const char* jobs : {"1", "2"}) {
        Folder f;
        const pid_t pid =
            startRunner(f.dir, {"-q", "--journal", "night", "-j", jobs, "-i", "in/*.dat", "-e",
                                "delay[0.6]", "-e", "addcomment[\"fin \",STEM$]"});
        ASSERT_GT(pid, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (countPrefixed(journal(f.dir, "night"), "-- entrée 1/5") == 0 &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ::kill(pid, SIGINT);
        EXPECT_EQ(waitRunner(pid), 130) << jobs;
        const auto lines = journal(f.dir, "night");
        const long started = countPrefixed(lines, "-- entrée ");
        EXPECT_GE(started, 1) << jobs;
        EXPECT_LT(started, 5) << jobs;
        EXPECT_EQ(countPrefixed(lines, "fin "), started) << jobs;
        EXPECT_TRUE(contains(runnerErrors(f.dir), " not run; ")) << runnerErrors(f.dir);
    }
}

// A single run stops at the first Ctrl-C, even inside a wait, and says so in the journal.
TEST(Batch, InterruptStopsASingleRun) {
    TempDir dir;
    const pid_t pid = startRunner(dir, {"-q", "-e", "delay[60]", "-e", "addcomment[\"after\"]"});
    ASSERT_GT(pid, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (countPrefixed(journal(dir), "ouverture de ") == 0 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // into the wait
    ::kill(pid, SIGINT);
    EXPECT_EQ(waitRunner(pid), 130);
    EXPECT_EQ(journal(dir).back(), "!! ligne de commande : interrompu (Ctrl-C)");
}

} // namespace
} // namespace ombrelune
