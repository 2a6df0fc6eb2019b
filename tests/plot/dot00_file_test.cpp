// "Read From .00" files: fields at tabs and commas, empty fields 0, the curve stored.

#include "test_support.hpp"

#include "errors/errors.hpp"
#include "plot/dot00_file.hpp"

#include <gtest/gtest.h>

using namespace ombrelune;
using namespace ombrelune::testing;

namespace {

TEST(Dot00File, ReadsXAndValueFromEachLineAfterTheFirst) {
    TempDir dir;
    writeFile(dir / "a.00", "header, anything\n0.1\t5,7\n0.2,,9\n\n,3\r\n0.4\n");
    const auto points = readDot00File(dir / "a.00");
    ASSERT_EQ(points.size(), 4u);
    const double expected[][2] = {{0.1, 5}, {0.2, 0}, {0, 3}, {0.4, 0}};
    for (std::size_t r = 0; r < points.size(); ++r) {
        EXPECT_EQ(points[r].x, expected[r][0]) << r;
        EXPECT_EQ(points[r].value, expected[r][1]) << r;
    }
}

TEST(Dot00File, AFieldThatIsNoNumberIsAnError) {
    TempDir dir;
    writeFile(dir / "b.00", "h\n1\tabc\n");
    EXPECT_THROW(readDot00File(dir / "b.00"), EInOutError);
    EXPECT_THROW(readDot00File(dir / "missing.00"), EInOutError);
}

TEST(Dot00File, StoresIntoANewOrAnExistingCurve) {
    spectlist table;
    const std::vector<Dot00Point> three{{1, 10}, {2, 20}, {3, 30}};
    const int slot = storeDot00Curve(table, "m", three);
    ASSERT_EQ(slot, 1);
    EXPECT_EQ(table.at(1)->nx, 3);
    EXPECT_EQ(table.at(1)->valueAt(2), 30);
    table.at(1)->comment = "kept";
    // A longer file grows the curve instead of writing past its end.
    std::vector<Dot00Point> five(5, {7, 70});
    EXPECT_EQ(storeDot00Curve(table, "M", five), 1);
    EXPECT_EQ(table.at(1)->nx, 5);
    EXPECT_EQ(table.at(1)->xAt(4), 7);
    EXPECT_EQ(table.at(1)->comment, "kept");
}

} // namespace
