#include "errors/errors.hpp"
#include "store/instrument_files.hpp"
#include "store/text_file.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace ombrelune {
namespace {

using testing::TestBench;

spectre kestraImage() {
    spectre s;
    s.name = "K";
    s.resize(128, 128, 1);
    s.comment = "échantillon";
    s.monitor = 123456.7;
    s.setValueAt(5, 127, 0, 300.9); // top row, column 5
    s.setValueAt(0, 0, 0, 65535);
    return s;
}

TEST(Kestra, HeaderAndWordsAtTheirOffsets) {
    TestBench tb(false);
    const KestraHeader h{"titre", "nom", "600", "10/12/2026", "12:00:00"};
    const auto file = writeKestraFile(kestraImage(), (tb.dir / "run").string(), h, 12, tb.wb->journal);
    EXPECT_EQ(file, tb.dir / "runXY0012.dat");
    const std::string b = testing::readFile(file);
    ASSERT_EQ(b.size(), 33024u);
    EXPECT_EQ(b.substr(0, 12), "XY0012titre ");
    EXPECT_EQ(b.substr(12, 12), "nom         ");
    EXPECT_EQ(b.substr(30, 8), "00123456");
    EXPECT_EQ(b.substr(56, 11), "11111111111");
    EXPECT_EQ(b.substr(67, 12), "\xE9" "chantillon ");
    EXPECT_EQ(static_cast<unsigned char>(b[256 + 10]), 1);
    EXPECT_EQ(static_cast<unsigned char>(b[256 + 11]), 44);
    EXPECT_EQ(static_cast<unsigned char>(b[256 + 2 * 127 * 128]), 255);
    EXPECT_EQ(kestraFileName("p", 12345), "pXY2345.dat");
    EXPECT_TRUE(tb.journalLines().empty());
}

TEST(Kestra, ReadBackIntoAnImageOfAnotherSize) {
    TestBench tb(false);
    const auto file = writeKestraFile(kestraImage(), (tb.dir / "r").string(),
                                      {"t", "n", "60", "d", "h"}, 7, tb.wb->journal);
    spectre s;
    s.resize(4, 4, 1);
    const KestraHeader h = readKestraFile(s, file);
    EXPECT_EQ(h.title, "t     ");
    EXPECT_EQ(h.hour, "h       ");
    EXPECT_EQ(s.nx, 128);
    EXPECT_EQ(s.monitor, 123456);
    EXPECT_EQ(s.valueAt(5, 127), 300);
    EXPECT_EQ(s.valueAt(0, 0), 65535);
    EXPECT_EQ(s.comment.size(), 190u); // 189 characters, é taking two bytes
    EXPECT_EQ(s.typeX, "raw");
    // A missing file changes nothing.
    spectre untouched;
    readKestraFile(untouched, tb.dir / "none.dat");
    EXPECT_EQ(untouched.nx, 0);
}

TEST(Kestra, OutOfRangeValuesAreClampedAndReported) {
    TestBench tb(false);
    spectre s = kestraImage();
    s.setValueAt(1, 127, 0, -5);
    s.setValueAt(2, 127, 0, 70000);
    s.setValueAt(3, 127, 0, std::nan(""));
    s.monitor = 1e12;
    const auto file = writeKestraFile(s, (tb.dir / "c").string(), {}, 1, tb.wb->journal);
    spectre back;
    readKestraFile(back, file);
    EXPECT_EQ(back.valueAt(1, 127), 0);
    EXPECT_EQ(back.valueAt(2, 127), 65535);
    EXPECT_EQ(back.valueAt(3, 127), 0);
    EXPECT_EQ(back.monitor, 99999999);
    ASSERT_EQ(tb.journalLines().size(), 1u);
    EXPECT_EQ(tb.journalLines()[0].rfind("!! ", 0), 0u);
}

TEST(Kestra, BadFilesRaiseAndLeaveTheImage) {
    TestBench tb(false);
    const auto file = tb.dir / "bad.dat";
    spectre s;
    s.resize(2, 2, 1);
    testing::writeFile(file, std::string(100, '1'));
    EXPECT_THROW(readKestraFile(s, file), EInOutError);
    std::string bytes(33024, '\0');
    bytes.replace(30, 8, "12a45678");
    testing::writeFile(file, bytes);
    EXPECT_THROW(readKestraFile(s, file), EInOutError);
    EXPECT_EQ(s.nx, 2);
}

std::string hadasText(std::size_t lines, char sep) {
    std::string text;
    for (std::size_t r = 0; r < lines; ++r)
        text += std::to_string(r % 1000) + sep + "5\n";
    return text;
}

TEST(Hadas, ReadsRowByRowUnderTheFileName) {
    TestBench tb;
    const auto file = tb.dir / "run12.img";
    testing::writeFile(file, hadasText(65536, ','));
    const int slot = readHadasFile(tb.wb->spectres2D, file, ',', tb.wb->journal);
    ASSERT_GT(slot, 0);
    const spectre& s = *tb.wb->spectres2D.at(slot);
    EXPECT_EQ(s.name, "run12.img");
    EXPECT_EQ(s.nx, 256);
    EXPECT_EQ(s.valueAt(3, 0), 3.5);
    EXPECT_EQ(s.valueAt(0, 1), 256.5);
    EXPECT_EQ(s.xAt(7, 2), 7);
    EXPECT_EQ(s.yAt(7, 2), 2);
    EXPECT_EQ(s.monAt(7, 2), 1);
}

TEST(Hadas, ShortOrBadFilesRaiseAndKeepTheOldImage) {
    TestBench tb;
    const auto file = tb.dir / "ACUP";
    testing::writeFile(file, hadasText(65535, '.'));
    try {
        readHadasFile(tb.wb->spectres2D, file, '.', tb.wb->journal);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_NE(std::string(e.what()).find("line 65536"), std::string::npos) << e.what();
    }
    std::string text = hadasText(65536, '.');
    text.replace(text.find("7.5"), 3, "7x5");
    testing::writeFile(file, text);
    EXPECT_THROW(readHadasFile(tb.wb->spectres2D, file, '.', tb.wb->journal), EInOutError);
    testing::writeFile(file, std::string(65536, '\r'));
    EXPECT_THROW(readHadasFile(tb.wb->spectres2D, file, '.', tb.wb->journal), EInOutError);
    EXPECT_EQ(tb.wb->spectres2D.find("ACUP")->nx, 128);
}

} // namespace
} // namespace ombrelune
