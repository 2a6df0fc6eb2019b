#include "errors/errors.hpp"
#include "store/journal.hpp"
#include "store/text_file.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace ombrelune {
namespace {

using testing::TempDir;

struct Recorder : JournalListener {
    std::vector<std::string> shown;
    std::string caption;
    void journalOpened(const std::string& path, const std::string&,
                       const std::vector<std::string>& earlier) override {
        shown = earlier;
        caption = path;
    }
    void journalLineAppended(const std::string& text) override { shown.push_back(text); }
    std::size_t earlierLinesWanted() const override { return wanted; }
    std::size_t wanted = 1000;
};

std::string clock() { return "10/12/2026  12:00:00"; }

TEST(Journal, EmptySettingsUseTheDefaultDirectoryAndName) {
    TempDir dir;
    MemorySettingsStore settings;
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.start();
    const auto path = dir / "boite" / "journal.txt";
    EXPECT_EQ(journal.path(), path);
    EXPECT_EQ(settings.values["currentfile"], "journal");
    EXPECT_EQ(readTextLines(path), (std::vector<std::string>{
                                       "10/12/2026  12:00:00", "ouverture de " + path.string()}));
    EXPECT_EQ(testing::readFile(path).substr(0, 22), "10/12/2026  12:00:00\r\n");
}

TEST(Journal, SecondStartShowsTheFirstRunsLinesAndContinuesTheFile) {
    TempDir dir;
    MemorySettingsStore settings;
    settings.values["RepertoireManip"] = (dir / "manip").string();
    settings.values["currentfile"] = "run3";
    {
        Journal first(settings, dir / "boite");
        first.setClock(clock);
        first.start();
        first.appendLine("essai");
    }
    Recorder recorder;
    Journal second(settings, dir / "boite");
    second.setClock(clock);
    second.setListener(&recorder);
    second.start();
    const std::string opened = "ouverture de " + (dir / "manip" / "run3.txt").string();
    const std::vector<std::string> expected = {clock(), opened, "essai", clock(), opened};
    EXPECT_EQ(recorder.shown, expected);
    EXPECT_EQ(readTextLines(dir / "manip" / "run3.txt"), expected);
    EXPECT_EQ(recorder.caption, (dir / "manip" / "run3.txt").string());
}

TEST(Journal, UnopenableKeyUsesToto) {
    TempDir dir;
    MemorySettingsStore settings;
    settings.keyOpens = false;
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.start();
    EXPECT_EQ(journal.path(), dir / "boite" / "toto.txt");
}

TEST(Journal, OpenJournalKeepsAnExtensionTheUserTyped) {
    TempDir dir;
    MemorySettingsStore settings;
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.start();
    journal.openJournal("run1.txt");
    EXPECT_EQ(journal.path().filename(), "run1.txt.txt");
    EXPECT_EQ(settings.values["currentfile"], "run1.txt");
}

TEST(Journal, UnwritableFileRaisesAndTheLineIsNotShown) {
    if (::geteuid() == 0) GTEST_SKIP() << "root can write anywhere";
    TempDir dir;
    MemorySettingsStore settings;
    settings.values["RepertoireManip"] = (dir / "ro").string();
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.start();
    ::chmod((dir / "ro").c_str(), 0555);
    ::chmod(journal.path().c_str(), 0444);
    Recorder recorder;
    journal.setListener(&recorder);
    EXPECT_THROW(journal.appendLine("lost"), EInOutError);
    EXPECT_TRUE(recorder.shown.empty());
    ::chmod((dir / "ro").c_str(), 0755);
}

TEST(Journal, MissingDirectoryMakesEveryLineFail) {
    TempDir dir;
    MemorySettingsStore settings;
    // A directory whose parent is a file cannot be made: the failure shows at the first line.
    testing::writeFile(dir / "file", "x");
    settings.values["RepertoireManip"] = (dir / "file" / "sub").string();
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    try {
        journal.start();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("journal.txt"), std::string::npos);
    }
    EXPECT_THROW(journal.appendLine("again"), EInOutError);
}

TEST(Journal, OnlyWholeLinesReachTheFile) {
    TempDir dir;
    MemorySettingsStore settings;
    settings.values["RepertoireManip"] = dir.path().string();
    settings.values["currentfile"] = "j";
    const auto path = dir / "j.txt";
    // Left by a run that stopped in the middle of a line.
    testing::writeFile(path, "ancienne ligne\r\ncoup");
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.start();
    EXPECT_EQ(readTextLines(path),
              (std::vector<std::string>{"ancienne ligne", "coup", clock(),
                                        "ouverture de " + path.string()}));
}

TEST(Journal, AShortWriteIsCutBackToTheLastWholeLine) {
    TempDir dir;
    MemorySettingsStore settings;
    settings.values["RepertoireManip"] = dir.path().string();
    settings.values["currentfile"] = "j";
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.start();
    const std::string before = testing::readFile(dir / "j.txt");
    // A file-size limit a few bytes past the end stands for a disk that fills up.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = before.size() + 5;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    EXPECT_THROW(journal.appendLine("une ligne bien plus longue que cinq octets"), EInOutError);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(testing::readFile(dir / "j.txt"), before);
    journal.appendLine("suite");
    EXPECT_EQ(testing::readFile(dir / "j.txt"), before + "suite\r\n");
}

TEST(Journal, OpeningReadsOnlyTheTailTheListenerWants) {
    TempDir dir;
    MemorySettingsStore settings;
    settings.values["RepertoireManip"] = dir.path().string();
    settings.values["currentfile"] = "j";
    std::string earlier;
    for (int i = 0; i < 50; ++i) earlier += "ligne " + std::to_string(i) + "\r\n";
    testing::writeFile(dir / "j.txt", earlier);
    Recorder recorder;
    recorder.wanted = 3;
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    journal.setListener(&recorder);
    journal.start();
    EXPECT_EQ(recorder.shown,
              (std::vector<std::string>{"ligne 47", "ligne 48", "ligne 49", clock(),
                                        "ouverture de " + (dir / "j.txt").string()}));
    // A tail cut inside a line starts at the next whole one.
    const std::string lastLine = "ouverture de " + (dir / "j.txt").string();
    EXPECT_EQ(readLastLines(dir / "j.txt", 100, lastLine.size() + 2 + 3),
              (std::vector<std::string>{lastLine}));
}

TEST(Journal, SomethingOtherThanAFileInItsPlaceIsRefusedAtOnce) {
    TempDir dir;
    MemorySettingsStore settings;
    settings.values["RepertoireManip"] = dir.path().string();
    settings.values["currentfile"] = "j";
    ASSERT_EQ(::mkfifo((dir / "j.txt").c_str(), 0600), 0);
    Journal journal(settings, dir / "boite");
    journal.setClock(clock);
    try {
        journal.start();
        FAIL() << "a FIFO was taken as the journal";
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos);
    }
}

} // namespace
} // namespace ombrelune
