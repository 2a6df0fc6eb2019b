#include "errors/errors.hpp"
#include "proc2d/concat_files.hpp"
#include "store/spectrum_files.hpp"

#include "fixtures.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ombrelune {
namespace {

using testing::makeCurve;
using testing::TestBench;

// Writes run<n>.sp with `points` values n * 100 + i.
void writeRun(TestBench& tb, int n, int points) {
    std::vector<double> values;
    for (int i = 0; i < points; ++i) values.push_back(n * 100 + i);
    writeSpectreFile(makeCurve("c", values), tb.dir / ("run" + std::to_string(n) + ".sp"),
                     tb.wb->journal);
}

TEST(ConcatCurveFiles, RowsFollowTheRoundedStep) {
    struct Case {
        double first, step, last;
        int rows;
        std::vector<int> files; // file read into each row, -1 for a cleared row
    } cases[] = {
        {10, 2, 15, 3, {10, 12, 14}},    // round(5 / 2) = 2 (halves to even), + 1
        {10, 2.4, 15, 3, {10, 12, 14}},  // the rounded step numbers the rows too
        {10, 1.5, 14, 3, {10, 12, 14}},  // 1.5 rounds to 2
        {9.5, 3, 15.5, 3, {10, 13, 16}}, // 9.5 -> 10, 15.5 -> 16
        {10, 4, 13, 2, {10, -1}},        // round(3 / 4) + 1 rows, one file
    };
    for (const Case& c : cases) {
        TestBench tb;
        for (int n = 10; n <= 16; ++n) writeRun(tb, n, 4);
        const std::string dir = tb.dir.path().string() + "/";
        const spectre image =
            concatCurveFiles(dir, "run", c.first, c.step, c.last, ".sp", "IM", tb.wb->journal);
        ASSERT_EQ(image.nx, c.rows) << c.step;
        ASSERT_EQ(image.ny, 4);
        EXPECT_EQ(image.typeX, "raw");
        EXPECT_EQ(image.typeY, "raw");
        for (int row = 0; row < c.rows; ++row) {
            const int n = c.files[static_cast<std::size_t>(row)];
            EXPECT_EQ(image.valueAt(row, 3), n < 0 ? 0 : n * 100 + 3) << row;
            EXPECT_EQ(image.xAt(row, 3), n < 0 ? 0 : n - c.files[0]);
            EXPECT_EQ(image.yAt(row, 3), n < 0 ? 0 : 3);
        }
        EXPECT_TRUE(tb.journalLines().empty());
        EXPECT_EQ(tb.wb->spectres1D.find("run10.sp"), nullptr);
    }
}

TEST(ConcatCurveFiles, MissingLaterFileLeavesItsRowAndWritesALine) {
    TestBench tb;
    writeRun(tb, 1, 3);
    writeRun(tb, 3, 5); // longer files are cut to the first file's points
    const std::string dir = tb.dir.path().string() + "/";
    const spectre image = concatCurveFiles(dir, "run", 1, 1, 3, ".sp", "IM", tb.wb->journal);
    ASSERT_EQ(image.nx, 3);
    ASSERT_EQ(image.ny, 3);
    EXPECT_EQ(image.valueAt(1, 2), 0);
    EXPECT_EQ(image.valueAt(2, 2), 302);
    EXPECT_EQ(tb.journalLines(),
              std::vector<std::string>{"!! echec ouverture : " + dir + "run2.sp n'existe pas"});
}

TEST(ConcatCurveFiles, Refusals) {
    struct Case {
        double first, step, last;
    } cases[] = {
        {1, 0.4, 3}, // step rounds to 0: the loop would never end
        {1, -1, 3},  // nor with a negative step
        {3, 1, 1},   // last before first
        {4, 1, 9},   // first file missing
        {1, 1, 2},   // file 2 shorter than file 1
        {1, NAN, 3}, {1e300, 1, 1e301},
    };
    for (const Case& c : cases) {
        TestBench tb;
        writeRun(tb, 1, 3);
        writeRun(tb, 2, 2);
        const std::string dir = tb.dir.path().string() + "/";
        EXPECT_THROW(
            concatCurveFiles(dir, "run", c.first, c.step, c.last, ".sp", "IM", tb.wb->journal),
            ERefused)
            << c.first << " " << c.step << " " << c.last;
    }
}

} // namespace
} // namespace ombrelune
