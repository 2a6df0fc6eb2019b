#include "store/spectrum_table.hpp"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace ombrelune {
namespace {

TEST(Spectlist, IndexOfFoldsOnlyAsciiLettersAndNeedsEqualLengths) {
    spectlist t;
    ASSERT_EQ(t.create("ACUP", 1, 1, 1), 1);
    ASSERT_EQ(t.create("été", 1, 1, 1), 2);
    EXPECT_EQ(t.indexOf("acup"), 1);
    EXPECT_EQ(t.indexOf("ACUP "), -1);
    EXPECT_EQ(t.indexOf("été"), 2);
    EXPECT_EQ(t.indexOf("ÉTÉ"), -1);
    EXPECT_EQ(t.indexOf(""), -1);
}

TEST(Spectlist, CreateReplacesByNameIntoTheLowestFreeSlot) {
    spectlist t;
    t.create("A", 1, 1, 1);
    t.create("X", 1, 1, 1);
    t.create("B", 1, 1, 1);
    t.remove(2);
    EXPECT_EQ(t.create("b", 4, 1, 1), 2);
    EXPECT_EQ(t.at(3), nullptr);
    EXPECT_EQ(t.at(2)->name, "b");
    EXPECT_EQ(t.at(2)->nx, 4);
}

TEST(Spectlist, FullTableRefusesNewNamesButReusesAnExistingOne) {
    spectlist t;
    for (int n = 0; n < 30; ++n) ASSERT_EQ(t.create("S" + std::to_string(n), 1, 1, 1), n + 1);
    EXPECT_EQ(t.create("new", 1, 1, 1), -1);
    EXPECT_EQ(t.indexOf("new"), -1);
    EXPECT_EQ(t.create("S7", 2, 2, 1), 8);
    EXPECT_EQ(t.at(8)->nx, 2);
}

TEST(Spectlist, CreateRefusesSizesNoMemoryCanHold) {
    spectlist t;
    const std::int64_t big = std::int64_t{1} << 40;
    for (auto [nx, ny, nz] : std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t>>{
             {-1, 1, 1}, {1, -5, 1}, {big, 1, 1}, {100000, 100000, 100000}, {65536, 65536, 2}})
        EXPECT_EQ(t.create("X", nx, ny, nz), -1) << nx << " " << ny << " " << nz;
    EXPECT_EQ(t.indexOf("X"), -1);
}

TEST(Spectlist, SizeZeroGivesASpectrumWithoutPoints) {
    spectlist t;
    const int slot = t.create("E", 0, 5, 1);
    ASSERT_GT(slot, 0);
    EXPECT_TRUE(t.at(slot)->pointCount() == 0);
    t.clearByName("E");
    t.addPoint("E", 1, 2, 3, 4, 5); // nowhere to store it, and no crash
    EXPECT_TRUE(t.at(slot)->pointCount() == 0);
}

TEST(Spectlist, AddPointFillsAfterTheCursorAndDropsWhenFull) {
    struct Case {
        int nx, ny;
        std::vector<std::pair<int, int>> filled;
    };
    for (const Case& c : {Case{5, 1, {{1, 0}, {2, 0}, {3, 0}, {4, 0}}},
                          Case{3, 2, {{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}}}) {
        spectlist t;
        spectre& s = *t.at(t.create("C", c.nx, c.ny, 1));
        for (std::size_t n = 0; n <= c.filled.size(); ++n)
            t.addPoint("c", 10.0 + n, 0, 0, 100.0 + n, 7);
        for (std::size_t n = 0; n < c.filled.size(); ++n) {
            const auto [i, j] = c.filled[n];
            EXPECT_EQ(s.valueAt(i, j), 100.0 + n);
            EXPECT_EQ(s.xAt(i, j), 10.0 + n);
            EXPECT_EQ(s.monAt(i, j), 7);
        }
        EXPECT_EQ(s.monAt(0, 0), 1);
        EXPECT_EQ(s.valueAt(0, 0), 0);
        EXPECT_EQ(s.cursorI, c.nx - 1);
        EXPECT_EQ(s.cursorJ, c.ny - 1);
    }
}

TEST(Spectlist, SetExpCondMatchesExactlyAndComparesLongNamesCutTo20) {
    spectre s;
    s.setExpCond("lambda", 5);
    s.setExpCond("lambda", 6);
    s.setExpCond("Lambda", 7);
    const std::string longName(25, 'q');
    s.setExpCond(longName, 1);
    s.setExpCond(longName, 2);
    ASSERT_EQ(s.expCondCount(), 3);
    EXPECT_EQ(s.expConds[0].value, 6);
    EXPECT_EQ(s.expConds[2].name, std::string(20, 'q'));
    EXPECT_EQ(s.expConds[2].value, 2);
}

TEST(Spectlist, StoreCopyIsIndependentAndKeepsEverything) {
    spectlist t;
    spectre src;
    src.name = "K";
    src.resize(2, 1, 1);
    src.setPoint(0, {0.5, 1, 2, 3, 4});
    src.setPoint(1, {0.25, 5, 6, 7, 8});
    src.monitor = 42;
    src.comment = "c";
    src.setExpCond("T", 300);
    const int slot = t.storeCopy(src);
    ASSERT_GT(slot, 0);
    spectre& copy = *t.at(slot);
    copy.setValue(1, -1);
    EXPECT_EQ(src.value(1), 8);
    EXPECT_EQ(copy.mon(0), 0.5);
    EXPECT_EQ(copy.monitor, 42);
    EXPECT_EQ(copy.expConds.at(0).value, 300);
    // Storing a copy of a spectrum of the same table under its own name works too.
    EXPECT_GT(t.storeCopy(*t.at(slot)), 0);
    EXPECT_EQ(t.find("K")->z(0), 3);
}

TEST(Spectre, ResizeKeepsPointsWhereTheirIndexesSurvive) {
    spectre s;
    s.resize(2, 2, 1);
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) s.setValueAt(i, j, 0, 10 * i + j);
    s.resize(3, 1, 1);
    EXPECT_EQ(s.valueAt(0, 0), 0);
    EXPECT_EQ(s.valueAt(1, 0), 10);
    EXPECT_EQ(s.valueAt(2, 0), 0);
    EXPECT_EQ(s.monAt(2, 0), 0);
}

} // namespace
} // namespace ombrelune
