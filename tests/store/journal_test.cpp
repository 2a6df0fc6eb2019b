#include "store/errors.hpp"
#include "store/journal.hpp"
#include "store/text_file.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

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

} // namespace
} // namespace ombrelune
