#include "store/saved_spectra.hpp"

#include "store/instrument_files.hpp"
#include "store/spectrum_files.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace ombrelune {
namespace {

using testing::TestBench;
using Names = std::vector<std::string>;

TEST(SavedSpectra, TheDefaultSpectraHaveNothingToLose) {
    TestBench tb;
    EXPECT_EQ(changedSpectra(*tb.wb), Names{});
    tb.wb->spectres1D.find("PH")->setValueAt(3, 0, 0, 2);
    tb.wb->spectres2D.create("NEW", 4, 4, 1);
    EXPECT_EQ(changedSpectra(*tb.wb), (Names{"NEW", "PH"}));
}

// Every part of the content counts; the name does not (the content is still on disk).
TEST(SavedSpectra, EveryPartOfTheContentCountsButTheName) {
    const std::pair<const char*, std::function<void(spectre&)>> changes[] = {
        {"value", [](spectre& s) { s.setValueAt(1, 2, 0, s.valueAt(1, 2, 0) + 1); }},
        {"x", [](spectre& s) { s.setXAt(0, 0, 0, 0.5); }},
        {"mon", [](spectre& s) { s.setMonAt(3, 3, 0, 2); }},
        {"negative zero", [](spectre& s) { s.setValueAt(2, 2, 0, -0.0); }},
        {"comment", [](spectre& s) { s.comment += "!"; }},
        {"typeX", [](spectre& s) { s.typeX = "qx"; }},
        {"typeZ", [](spectre& s) { s.typeZ = "lambda"; }},
        {"monitor", [](spectre& s) { s.monitor = 7; }},
        {"condition", [](spectre& s) { s.setExpCond("T", 20); }},
        {"sizes", [](spectre& s) { s.resize(4, 5, 1); }},
    };
    for (const auto& [what, change] : changes) {
        spectre s;
        s.resize(5, 4, 1);
        s.clear();
        markSaved(s);
        s.name = "renamed";
        EXPECT_FALSE(changedSinceSaved(s)) << what;
        change(s);
        EXPECT_TRUE(changedSinceSaved(s)) << what;
    }
}

TEST(SavedSpectra, WritingAndReadingFilesMarkTheContent) {
    TestBench tb;
    spectlist& curves = tb.wb->spectres1D;
    spectre& c = *curves.at(curves.create("C", 8, 1, 1));
    c.setValueAt(2, 0, 0, 3);
    ASSERT_TRUE(changedSinceSaved(c));
    const auto file = writeSpeFile(c, (tb.dir / "c").string(), tb.wb->journal);
    EXPECT_FALSE(changedSinceSaved(c));
    c.comment = "changed after";
    EXPECT_TRUE(changedSinceSaved(c));
    writeSpectreFile(c, tb.dir / "c.spectre", tb.wb->journal);
    EXPECT_FALSE(changedSinceSaved(c));

    spectre read;
    readSpeFile(read, file);
    read.name = "R";
    curves.storeCopy(read);
    EXPECT_FALSE(changedSinceSaved(*curves.find("R")));

    spectre image = *tb.wb->spectres2D.find("PROJ");
    image.setValueAt(0, 0, 0, 9);
    ASSERT_TRUE(changedSinceSaved(image));
    writeAsciiTable(image, tb.dir / "proj.txt", '.');
    EXPECT_FALSE(changedSinceSaved(image));
}

} // namespace
} // namespace ombrelune
