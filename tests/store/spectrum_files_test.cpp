#include "store/binary_record.hpp"
#include "errors/errors.hpp"
#include "store/spectrum_files.hpp"
#include "store/text_file.hpp"

#include "test_support.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace ombrelune {
namespace {

using testing::TestBench;

spectre image(int nx, int ny, int nz, const std::string& typeX) {
    spectre s;
    s.name = "IMG";
    s.comment = "réflectivité";
    s.typeX = typeX;
    s.typeY = "raw";
    s.typeZ = "lambda";
    s.monitor = 1234.5;
    s.resize(nx, ny, nz);
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k)
                s.setPointAt(i, j, k, {0.5, 0.1 * i, 2.0 * j, 3.0 + k, i * 100.0 + j * 10 + k});
    return s;
}

TEST(SpeFile, FreeNamesSizesAndJournalLine) {
    TestBench tb(false);
    const std::string base = (tb.dir / "run").string();
    testing::writeFile(tb.dir / "run.spe", "x");
    testing::writeFile(tb.dir / "run1.spe", "x");
    const spectre q = image(128, 128, 1, "q");
    EXPECT_EQ(writeSpeFile(q, base, tb.wb->journal), tb.dir / "run2.spe");
    EXPECT_EQ(std::filesystem::file_size(tb.dir / "run2.spe"), 663360u);
    testing::writeFile(tb.dir / "run.raw", "x");
    EXPECT_EQ(writeSpeFile(image(128, 128, 1, "raw"), base, tb.wb->journal), tb.dir / "run1.raw");
    EXPECT_EQ(std::filesystem::file_size(tb.dir / "run1.raw"), 132672u);
    EXPECT_EQ(tb.journalLines(),
              std::vector<std::string>{"sauvegarde sous " + (tb.dir / "run2.spe").string()});
}

TEST(SpeFile, ReadBackBothKinds) {
    TestBench tb(false);
    const spectre src = image(3, 2, 1, "q");
    const auto spe = writeSpeFile(src, (tb.dir / "a").string(), tb.wb->journal);
    spectre s;
    s.name = "keep";
    s.monitor = 7;
    s.setExpCond("T", 1);
    readSpeFile(s, spe);
    EXPECT_EQ(s.name, "keep");
    EXPECT_EQ(s.monitor, 7);
    EXPECT_EQ(s.comment, "réflectivité");
    EXPECT_EQ(s.nz, 1);
    EXPECT_EQ(s.valueAt(2, 1), 210);
    EXPECT_EQ(s.monAt(2, 1), 0.5);
    EXPECT_EQ(s.expCondCount(), 1);

    spectre raw = image(3, 2, 1, "raw");
    const auto rawFile = writeSpeFile(raw, (tb.dir / "a").string(), tb.wb->journal);
    spectre r;
    r.resize(1, 1, 1);
    r.setPointAt(0, 0, 0, {1, 0, 0, 0, 0});
    r.setExpCond("T", 1);
    readSpeFile(r, rawFile);
    EXPECT_EQ(r.typeX, "raw");
    EXPECT_EQ(r.valueAt(1, 1), 110);
    EXPECT_EQ(r.xAt(1, 1), 0);
    EXPECT_EQ(r.monAt(0, 0), 1); // surviving point keeps its monitor
    EXPECT_EQ(r.expCondCount(), 0);
}

TEST(SpectreFile, LayoutSizesAndRoundTrip) {
    TestBench tb(false);
    spectre curve = image(512, 1, 1, "reflec");
    const auto file = tb.dir / "c.dat";
    writeSpectreFile(curve, file, tb.wb->journal);
    EXPECT_EQ(std::filesystem::file_size(file), 8704u);

    spectre s = image(4, 3, 2, "q");
    for (int n = 0; n < 5; ++n) s.setExpCond("cond" + std::to_string(n), n * 1.5);
    writeSpectreFile(s, file, tb.wb->journal);
    const std::string bytes = testing::readFile(file);
    EXPECT_EQ(getAt<double>(bytes, 640), 0.0);
    EXPECT_EQ(getAt<double>(bytes, 648), 0.1);
    EXPECT_EQ(getAt<std::int32_t>(bytes, 300), 5);
    EXPECT_EQ(getShortText(bytes, 448 + 32, 20), "cond1");

    spectre back;
    back.name = "mine";
    back.resize(1, 1, 1);
    back.setMonAt(0, 0, 0, 1);
    readSpectreFile(back, file);
    EXPECT_EQ(back.name, "mine");
    EXPECT_EQ(back.comment, s.comment);
    EXPECT_EQ(back.monitor, s.monitor);
    EXPECT_EQ(back.typeZ, "lambda");
    ASSERT_EQ(back.expCondCount(), 5);
    EXPECT_EQ(back.expConds[4].value, 6);
    EXPECT_EQ(back.monAt(0, 0, 0), 1);
    EXPECT_EQ(back.monAt(3, 2, 1), 0);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(back.valueAt(i, j, k), s.valueAt(i, j, k));
                EXPECT_EQ(back.xAt(i, j, k), s.xAt(i, 0, 0));
                EXPECT_EQ(back.yAt(i, j, k), s.yAt(0, j, 0));
                EXPECT_EQ(back.zAt(i, j, k), s.zAt(0, 0, k));
            }
}

TEST(SpectreFile, DataOffsetRoundsHalvesToEven) {
    for (auto [c, d] : std::vector<std::pair<int, std::uint64_t>>{
             {0, 496}, {1, 528}, {5, 640}, {10, 792}, {15, 8 * (62 + 56)}, {21, 1120}, {25, 8 * (62 + 92)}})
        EXPECT_EQ(spectreDataOffset(c), d) << c;
}

TEST(SpectreFile, MoreThan21ConditionsKeepTheAxesIntactAndAreReported) {
    TestBench tb(false);
    spectre s = image(3, 1, 1, "q");
    for (int n = 0; n < 25; ++n) s.setExpCond("c" + std::to_string(n), n);
    const auto file = tb.dir / "many.dat";
    writeSpectreFile(s, file, tb.wb->journal);
    spectre back;
    readSpectreFile(back, file);
    EXPECT_EQ(back.expCondCount(), 21);
    EXPECT_EQ(back.xAt(2), s.xAt(2));
    EXPECT_EQ(back.valueAt(2), s.valueAt(2));
    const auto lines = tb.journalLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("!! ", 0), 0u);
}

// A spectrum of no point could not be read back: neither writer makes such a file.
TEST(SpectrumFiles, SpectrumWithoutPointsIsNotWritten) {
    TestBench tb(false);
    const spectre s = image(3, 0, 2, "q");
    const auto file = tb.dir / "z.dat";
    testing::writeFile(file, "old");
    EXPECT_THROW(writeSpectreFile(s, file, tb.wb->journal), ERefused);
    EXPECT_THROW(writeSpeFile(s, (tb.dir / "z").string(), tb.wb->journal), ERefused);
    EXPECT_EQ(testing::readFile(file), "old");
    EXPECT_FALSE(std::filesystem::exists(tb.dir / "z.spe"));
}

// Bad headers raise EInOutError naming the file and leave the spectrum as it was.
TEST(SpectrumFiles, MalformedFilesAreRefusedBeforeAllocation) {
    TestBench tb(false);
    const auto good = tb.dir / "good.dat";
    writeSpectreFile(image(4, 4, 1, "q"), good, tb.wb->journal);
    const std::string bytes = testing::readFile(good);
    struct Case {
        const char* what;
        std::string content;
        bool spe;
    };
    auto patched = [&](std::size_t at, std::int32_t v) {
        std::string b = bytes;
        putAt<std::int32_t>(b, at, v);
        return b;
    };
    std::string speHeader(152, '\0');
    putAt<std::int32_t>(speHeader, 0, 2048);
    putAt<std::int32_t>(speHeader, 4, 2048);
    std::string negativeSpe = speHeader;
    putAt<std::int32_t>(negativeSpe, 0, -3);
    const Case cases[] = {
        {"truncated", bytes.substr(0, bytes.size() - 1), false},
        {"short header", bytes.substr(0, 100), false},
        {"negative nx", patched(288, -1), false},
        {"absurd sizes", patched(292, 2000000000), false},
        {"huge product", patched(296, 65536), false},
        {"negative conditions", patched(300, -4), false},
        {"many conditions", patched(300, 100000000), false},
        {"empty", "", false},
        {"spe without data", speHeader, true},
        {"spe negative", negativeSpe, true},
        {"spe short", speHeader.substr(0, 20), true},
        {"no point", patched(288, 0), false},
    };
    for (const Case& c : cases) {
        const auto file = tb.dir / "bad.dat";
        testing::writeFile(file, c.content);
        spectre s = image(2, 2, 1, "q");
        const spectre before = s;
        try {
            c.spe ? readSpeFile(s, file) : readSpectreFile(s, file);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("bad.dat"), std::string::npos) << c.what;
        }
        EXPECT_EQ(s.nx, before.nx) << c.what;
        EXPECT_EQ(s.comment, before.comment) << c.what;
        EXPECT_EQ(s.pointCount(), before.pointCount()) << c.what;
    }
    spectre s;
    EXPECT_THROW(readSpectreFile(s, tb.dir / "missing.dat"), EInOutError);
}

TEST(TextExports, TableAndAsciiLayoutsWithTheLocaleSeparator) {
    TestBench tb(false);
    spectre c;
    c.comment = "curve";
    c.typeX = "reflec";
    c.typeY = "raw";
    c.typeZ = "raw";
    c.monitor = 2.5;
    c.resize(5, 1, 1);
    c.setXAt(3, 0, 0, 0.5);
    c.setValueAt(3, 0, 0, 12);
    writeAsciiTable(c, tb.dir / "t.txt", ',');
    auto lines = readTextLines(tb.dir / "t.txt");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "curve");
    EXPECT_EQ(lines[3], "1");
    EXPECT_EQ(lines[7], "0,5\t0\t0\t12");
    c.typeX = "raw";
    writeAsciiTable(c, tb.dir / "t.txt", ',');
    EXPECT_EQ(readTextLines(tb.dir / "t.txt")[7], "3\t0\t0\t12");
    EXPECT_NE(testing::readFile(tb.dir / "t.txt").find("curve\r\n5\r\n"), std::string::npos);

    writeAscii1D(c, tb.dir / "a1.txt", "head", ',');
    lines = readTextLines(tb.dir / "a1.txt");
    EXPECT_EQ(lines, (std::vector<std::string>{"head", "5", "1", "1", "0\t0", "0\t0", "0\t0",
                                               "0,5\t12", "0\t0"}));
    spectre img = image(128, 128, 1, "raw");
    img.monitor = 2.5;
    writeAscii2D(img, tb.dir / "a2.txt", "h2", ',');
    lines = readTextLines(tb.dir / "a2.txt");
    ASSERT_EQ(lines.size(), 2u + 16384u);
    EXPECT_EQ(lines[1], "2,5");
    EXPECT_EQ(lines[2 + 128 + 1], "110");
}

} // namespace
} // namespace ombrelune
