#include "errors/errors.hpp"
#include "proc2d/view_readers.hpp"
#include "store/saved_spectra.hpp"
#include "store/spectrum_files.hpp"

#include "fixtures.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

#include <string>

namespace ombrelune {
namespace {

using testing::makeImage;
using testing::TempDir;
using testing::writeFile;

// A D17 file: the header, then value v = v mod 997 on lines of ten, with the given
// separator between values and text after the last line.
std::string lampD17Text(const std::string& header, const std::string& gap = "  ",
                        long lines = 14350) {
    std::string text = header;
    for (long line = 0; line < lines; ++line) {
        text += " ";
        for (long f = 0; f < 10; ++f) text += std::to_string((line * 10 + f) % 997) + gap;
        text += "\r\n";
    }
    return text;
}

// The error message of a read, or "" when it succeeded.
template <typename Read> std::string errorOf(Read read) {
    try {
        read();
    } catch (const OmbreluneError& e) {
        return e.what();
    }
    return "";
}

TEST(LampD17, ValuesFillColumnsOf286) {
    for (const char* header : {"143500\n", "LAMP\ndata 3\n  143500 values\n"}) {
        TempDir dir;
        writeFile(dir / "d17.txt", lampD17Text(header));
        spectlist images;
        readLampD17File(images, dir / "d17.txt", "D");
        const spectre& s = *images.find("D");
        ASSERT_EQ(s.nx, 287);
        ASSERT_EQ(s.ny, 500);
        EXPECT_EQ(s.typeX, "raw");
        EXPECT_EQ(s.valueAt(0, 1), 286);
        EXPECT_EQ(s.valueAt(285, 499), 142999 % 997);
        EXPECT_EQ(s.xAt(285, 499), 285);
        EXPECT_EQ(s.yAt(285, 499), 499);
        EXPECT_FALSE(changedSinceSaved(s)) << "what a file holds is not lost on quitting";
        EXPECT_EQ(s.valueAt(286, 0), 0);
        EXPECT_EQ(s.monAt(286, 0), 1);
    }
}

TEST(LampD17, MalformedFilesNameTheLineAndStoreNothing) {
    struct Case {
        std::string text;
        std::string message;
    } cases[] = {
        {lampD17Text("1435001\n"), "no line starting with 143500"},
        {lampD17Text("x\n143500\n", " ", 14349), "line 14352: end of file"},
        {lampD17Text("143500\n").replace(8, 1, "x"), "line 2: 'x"},
        {"143500\n1 2 3 4 5 6 7 8 9\n", "line 2: 10 integers expected, 9 found"},
        {"143500\n1 2 3 4 5 6 7 8 9 99999999999\n", "'99999999999' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeFile(dir / "d17.txt", c.text);
        spectlist images;
        images.storeCopy(makeImage("D", 2, 2, [](int, int) { return 4.0; }));
        const std::string message = errorOf([&] { readLampD17File(images, dir / "d17.txt", "D"); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_NE(message.find("d17.txt"), std::string::npos) << message;
        EXPECT_EQ(images.find("D")->nx, 2);
    }
}

TEST(Tpa, BlocksSumTheirSixteenWords) {
    TempDir dir;
    std::string frame(tpaFrameBytes + 10, '\0');
    const auto put = [&](std::size_t row, std::size_t col, unsigned v) {
        frame[(row * 2300 + col) * 2] = static_cast<char>(v & 0xff);
        frame[(row * 2300 + col) * 2 + 1] = static_cast<char>(v >> 8);
    };
    for (std::size_t r = 0; r < 2301; ++r)
        for (std::size_t c = 0; c < 2300; ++c) put(r, c, r == 0 ? 60000 : 1);
    put(2300, 2299, 65535);
    put(5, 4, 1001);
    writeFile(dir / "f.tpa", frame);
    spectlist images;
    readTpaFile(images, dir / "f.tpa", "T");
    const spectre& s = *images.find("T");
    ASSERT_EQ(s.nx, 575);
    ASSERT_EQ(s.ny, 575);
    EXPECT_EQ(s.valueAt(0, 0), 16); // row 0 is not used
    EXPECT_EQ(s.valueAt(574, 574), 15 + 65535);
    EXPECT_EQ(s.valueAt(1, 1), 15 + 1001);
    EXPECT_FALSE(changedSinceSaved(s));
    EXPECT_EQ(s.xAt(574, 3), 574);
    EXPECT_EQ(s.yAt(574, 3), 3);

    writeFile(dir / "short.tpa", std::string(tpaFrameBytes - 1, '\1'));
    const std::string message = errorOf([&] { readTpaFile(images, dir / "short.tpa", "S"); });
    EXPECT_NE(message.find("short.tpa"), std::string::npos);
    EXPECT_NE(message.find("10584600 bytes"), std::string::npos);
    EXPECT_EQ(images.find("S"), nullptr);
}

TEST(FourColumn, ReadsBackWhatTheTableWriterWrote) {
    TempDir dir;
    spectre stack;
    stack.name = "st";
    stack.resize(2, 3, 2);
    stack.clear();
    stack.comment = "pile réduite";
    stack.typeX = "mm";
    stack.typeY = "raw";
    stack.typeZ = "lambda";
    for (int n = 0; n < 12; ++n) stack.setPoint(n, {1, 0.5 * n, 0, 4.25 + n, n * 1e-7});
    writeAsciiTable(stack, dir / "t.txt", '.');
    spectlist stacks;
    readFourColumnFile(stacks, dir / "t.txt");
    const spectre& s = *stacks.find("data3D");
    ASSERT_EQ(s.nx, 2);
    ASSERT_EQ(s.ny, 3);
    ASSERT_EQ(s.nz, 2);
    EXPECT_EQ(s.comment, "pile réduite");
    EXPECT_FALSE(changedSinceSaved(s));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(s.xAt(i, j, k), stack.xAt(i, j, k));
                EXPECT_EQ(s.yAt(i, j, k), j); // a raw axis is written as the index
                EXPECT_EQ(s.zAt(i, j, k), stack.zAt(i, j, k));
                EXPECT_EQ(s.valueAt(i, j, k), stack.valueAt(i, j, k));
            }
}

TEST(FourColumn, SeparatorsAndErrors) {
    struct Case {
        std::string samples;
        std::string message; // "" when the file reads
    } cases[] = {
        {"1,2,3,4\n1\t2\t3\t4\n", ""},
        {"1,2,3,4\n1\t2\t3\t4\t\n", ""},
        {"1,2,3,4\n0,5\t2\t3\t4\n", "line 6: more than four values (a decimal comma?)"},
        {"1,2,3,4\n1\t2\tx\t4\n", "line 6: 'x' is not a valid floating point value"},
        {"1,2,3,4\n1\t2\t3\n", "line 6: four values x, y, z, value expected"},
        {"1,2,3,4\n", "2 sample lines announced, only 1 follow"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        writeFile(dir / "t.txt", "comment\n1\n2\n1\n" + c.samples);
        spectlist stacks;
        const std::string message = errorOf([&] { readFourColumnFile(stacks, dir / "t.txt"); });
        if (c.message.empty()) {
            EXPECT_EQ(message, "");
            ASSERT_NE(stacks.find("data3D"), nullptr);
            EXPECT_EQ(stacks.find("data3D")->valueAt(0, 1, 0), 4);
            EXPECT_EQ(stacks.find("data3D")->yAt(0, 1, 0), 2);
        } else {
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
            EXPECT_EQ(stacks.find("data3D"), nullptr);
        }
    }
}

TEST(FourColumn, SizesAreCheckedBeforeAllocating) {
    for (const std::string head :
         {"c\n100000\n100000\n1000\n", "c\n-1\n2\n1\n", "c\n2\n", "c\n1.5\n1\n1\n"}) {
        TempDir dir;
        writeFile(dir / "t.txt", head + "1,2,3,4\n");
        spectlist stacks;
        EXPECT_THROW(readFourColumnFile(stacks, dir / "t.txt"), EInOutError) << head;
    }
}

TEST(TwoImageText, FillsSlotsOneAndTwo) {
    TempDir dir;
    std::string text;
    for (int n = 0; n < 128 * 128 - 1; ++n)
        text += "p" + std::to_string(n) + "\t " + std::to_string(n) + ",5\t  " +
                std::to_string(-n) + "\r\n";
    writeFile(dir / "two.txt", text);
    spectlist images;
    images.storeCopy(makeImage("ACUP", 128, 128, [](int, int) { return 9.0; }));
    images.storeCopy(makeImage("ACDOWN", 130, 128, [](int, int) { return 9.0; }));
    readTwoImageText(images, dir / "two.txt", ',');
    const spectre& a = *images.at(1);
    const spectre& b = *images.at(2);
    EXPECT_EQ(a.valueAt(5, 2), 261.5); // line 2 · 128 + 5
    EXPECT_EQ(b.valueAt(5, 2), -261);
    EXPECT_EQ(a.valueAt(127, 127), 0);
    EXPECT_EQ(b.valueAt(127, 127), 0);
    EXPECT_EQ(b.valueAt(129, 0), 9);
    EXPECT_EQ(a.xAt(5, 2), 5);

    // Errors leave both images as they were.
    for (const std::string& bad :
         {text.substr(0, text.size() / 2), "a\t1,5\t2x\n" + text, "a 1,5 2\n" + text}) {
        writeFile(dir / "bad.txt", bad);
        images.at(1)->setValueAt(0, 0, 0, 7);
        EXPECT_THROW(readTwoImageText(images, dir / "bad.txt", ','), EInOutError);
        EXPECT_EQ(images.at(1)->valueAt(0, 0), 7);
    }
}

TEST(TwoImageText, RefusesMissingOrSmallImages) {
    TempDir dir;
    writeFile(dir / "two.txt", "");
    spectlist images;
    images.storeCopy(makeImage("ACUP", 128, 128, [](int, int) { return 9.0; }));
    EXPECT_THROW(readTwoImageText(images, dir / "two.txt", '.'), ERefused);
    images.storeCopy(makeImage("SMALL", 128, 127, [](int, int) { return 9.0; }));
    EXPECT_THROW(readTwoImageText(images, dir / "two.txt", '.'), ERefused);
}

} // namespace
} // namespace ombrelune
