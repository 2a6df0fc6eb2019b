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

// What counts is the content, not the changes made to it nor the form it is kept in.
TEST(SavedSpectra, AContentChangedBackIsNotLost) {
    TestBench tb;
    const std::pair<const char*, std::function<void(spectre&)>> changes[] = {
        {"a value and back", [](spectre& s) {
             const double v = s.valueAt(3, 2, 0);
             s.setValueAt(3, 2, 0, v + 1);
             s.setValueAt(3, 2, 0, v);
         }},
        {"one x and back: the column is per point now", [](spectre& s) {
             const double x = s.xAt(1, 1, 0);
             s.setXAt(1, 1, 0, x + 0.5);
             s.setXAt(1, 1, 0, x);
         }},
        {"the values taken for writing, not changed", [](spectre& s) { s.writableValues(); }},
        {"every point written with what it holds", [](spectre& s) {
             for (std::size_t p = 0; p < s.pointCount(); ++p) s.setPoint(p, s.point(p));
         }},
    };
    spectre image = *tb.wb->spectres2D.find("ACUP");
    image.setXAlongI(indexAxis(image.nx));
    const auto file = tb.dir / "acup.spectre";
    writeSpectreFile(image, file, tb.wb->journal);
    for (const auto& [what, change] : changes) {
        spectre s;
        readSpectreFile(s, file);
        spectre copy = s;
        change(copy);
        EXPECT_FALSE(changedSinceSaved(copy)) << what;
        copy.setValueAt(0, 0, 0, copy.valueAt(0, 0, 0) + 1);
        EXPECT_TRUE(changedSinceSaved(copy)) << what;
        EXPECT_FALSE(changedSinceSaved(s)) << what << ": the spectrum copied from";
    }
}

} // namespace
} // namespace ombrelune
