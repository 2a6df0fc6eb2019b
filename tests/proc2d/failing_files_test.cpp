// The failing-files table: every reader and writer the scripts and the 2D view reach, given
// a damaged file (or a hostile argument), ends in a named error or one "!! " warning, never
// a hang, an abort or a changed target.

#include "errors/errors.hpp"
#include "proc2d/all_commands.hpp"
#include "proc2d/view_readers.hpp"
#include "script/interpreter.hpp"
#include "store/binary_record.hpp"
#include "store/instrument_files.hpp"
#include "store/spectrum_files.hpp"

#include "fixtures.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrelune {
namespace {

namespace fs = std::filesystem;
using testing::makeImage;
using testing::readFile;
using testing::valuesOf;
using testing::writeFile;

class QuietHost : public ScriptHost {
public:
    void setStepTimer(bool on) override { timer = on; }
    bool stepTimer() const override { return timer; }
    void processEvents() override {
        if (onEvents) onEvents();
    }
    void showWarning(const std::string&) override {}
    void reportExpressionError(const std::string&) override {}
    void showImage(const std::string&) override {}

    bool timer = false;
    std::function<void()> onEvents;
};

struct Bench : testing::TestBench {
    QuietHost host;
    Interpreter interp{*wb, host};
    Bench() { bindAllCommands(interp.registry()); }

    fs::path file(const std::string& name) const { return dir / name; }
    // Where lectureFichierHADAS looks for its images.
    fs::path hadasFile(const std::string& name) const {
        fs::create_directories(wb->paths.temp());
        return wb->paths.temp() / name;
    }
    std::string path(const std::string& name) const { return file(name).string(); }
    // Runs a command line; the text of the error it raised, else of its last "!! " line.
    std::string outcome(const std::string& line) {
        try {
            interp.executeCommandBox(line);
        } catch (const OmbreluneError& e) {
            return e.what();
        }
        std::string last;
        for (const std::string& l : journalLines())
            if (l.rfind("!! ", 0) == 0) last = l;
        return last;
    }
};

// A target spectrum that a refused read must leave exactly as it was.
void makeTarget(spectlist& table, const std::string& name) {
    table.store(makeImage(name, 3, 2, [](int i, int j) { return 10 * i + j; }));
}

struct Row {
    const char* format;
    const char* damage;
    std::function<std::string(Bench&)> act; // prepares the damage and runs the reader
    const char* expected;                   // part of the error or warning text
};

std::string spectreFileBytes(Bench& b) {
    writeSpectreFile(makeImage(
                         "S", 4, 4, [](int i, int j) { return i + j; }, "q"),
                     b.file("good.dat"), b.wb->journal);
    return readFile(b.file("good.dat"));
}

std::string kestraBytes() {
    std::string bytes(kestraFileSize, '\0');
    bytes.replace(30, 8, "00001000");
    return bytes;
}

std::string hadasLines(const std::string& damaged, std::size_t at) {
    std::string text;
    for (std::size_t r = 0; r < 65536; ++r) text += (r == at ? damaged : std::string("5")) + "\n";
    return text;
}

std::string withFifo(Bench& b, const std::string& name, const std::string& line) {
    ::mkfifo(b.path(name).c_str(), 0600);
    return b.outcome(line);
}

const Row readerRows[] = {
    {"spectrum file", "directory",
     [](Bench& b) {
         fs::create_directory(b.file("d.dat"));
         return b.outcome("openspectre[2,\"" + b.path("d.dat") + "\",\"T\"]");
     },
     "d.dat: not a regular file"},
    {"spectrum file", "FIFO",
     [](Bench& b) {
         return withFifo(b, "f.dat", "openspectre[2,\"" + b.path("f.dat") + "\",\"T\"]");
     },
     "f.dat: not a regular file"},
    {"spectrum file", "device",
     [](Bench& b) { return b.outcome("openspectre[2,\"/dev/zero\",\"T\"]"); },
     "/dev/zero: not a regular file"},
    {"spectrum file", "cut short",
     [](Bench& b) {
         const std::string bytes = spectreFileBytes(b);
         writeFile(b.file("s.dat"), bytes.substr(0, bytes.size() - 3));
         return b.outcome("openspectre[2,\"" + b.path("s.dat") + "\",\"T\"]");
     },
     "s.dat: file is too short for its axes and values"},
    {"spectrum file", "0 x 0 x 0",
     [](Bench& b) {
         std::string bytes = spectreFileBytes(b);
         for (std::size_t at : {288, 292, 296}) putAt<std::int32_t>(bytes, at, 0);
         writeFile(b.file("z.dat"), bytes);
         return b.outcome("openspectre[2,\"" + b.path("z.dat") + "\",\"T\"]");
     },
     "z.dat: sizes 0 x 0 x 0 in the header hold no point"},
    {".spe file", "directory",
     [](Bench& b) {
         fs::create_directory(b.file("d.spe"));
         return b.outcome("readspectre2D[\"" + b.path("d.spe") + "\",\"T\"]");
     },
     "d.spe: not a regular file"},
    {".spe file", "FIFO",
     [](Bench& b) {
         return withFifo(b, "f.spe", "readspectre2D[\"" + b.path("f.spe") + "\",\"T\"]");
     },
     "f.spe: not a regular file"},
    {".spe file", "sizes beyond the data",
     [](Bench& b) {
         std::string header(speHeaderSize, '\0');
         putAt<std::int32_t>(header, 0, 2048);
         putAt<std::int32_t>(header, 4, 2048);
         writeFile(b.file("h.spe"), header);
         return b.outcome("readspectre2D[\"" + b.path("h.spe") + "\",\"T\"]");
     },
     "h.spe: file is too short for its points"},
    {"KESTRA", "40 000 bytes",
     [](Bench& b) {
         writeFile(b.file("kXY0001.dat"),
                   kestraBytes() + std::string(40000 - kestraFileSize, '\0'));
         return b.outcome("openKESTRA[\"" + b.path("k") + "\",1,\"T\"]");
     },
     "kXY0001.dat: a KESTRA file holds 33024 bytes, not 40000"},
    {"KESTRA", "cut short",
     [](Bench& b) {
         writeFile(b.file("kXY0002.dat"), kestraBytes().substr(0, 1000));
         return b.outcome("openKESTRA[\"" + b.path("k") + "\",2,\"T\"]");
     },
     "kXY0002.dat: a KESTRA file holds 33024 bytes, not 1000"},
    {"KESTRA", "binary monitor",
     [](Bench& b) {
         std::string bytes = kestraBytes();
         bytes.replace(30, 8, std::string("\x01\x02\xff\x00zz\x7f\n", 8));
         writeFile(b.file("kXY0003.dat"), bytes);
         return b.outcome("openKESTRA[\"" + b.path("k") + "\",3,\"T\"]");
     },
     "kXY0003.dat: byte 30: the monitor '\\x01\\x02\\xFF\\x00zz\\x7F\\x0A' is not a number"},
    {"KESTRA", "directory",
     [](Bench& b) {
         fs::create_directory(b.file("kXY0004.dat"));
         return b.outcome("openKESTRA[\"" + b.path("k") + "\",4,\"T\"]");
     },
     "kXY0004.dat: not a regular file"},
    {"HADAS", "binary line",
     [](Bench& b) {
         writeFile(b.hadasFile("h1.img"), hadasLines(std::string(300, '\x01'), 4));
         return b.outcome("lectureFichierHADAS[\"h\",1]");
     },
     "h1.img, line 5: '\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01"
     "\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01"
     "\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01'... is not a valid floating point value"},
    {"HADAS", "cut short",
     [](Bench& b) {
         std::string text = hadasLines("5", 0);
         writeFile(b.hadasFile("h2.img"), text.substr(0, text.size() - 4));
         return b.outcome("lectureFichierHADAS[\"h\",2]");
     },
     "h2.img, line 65535: the file ends before the 65536 lines of a HADAS image"},
    {"HADAS", "FIFO",
     [](Bench& b) {
         ::mkfifo(b.hadasFile("h3.img").c_str(), 0600);
         return b.outcome("lectureFichierHADAS[\"h\",3]");
     },
     "h3.img: not a regular file"},
    {"LAMP D17", "device", [](Bench& b) { return b.outcome("ReadLAMPD17[\"/dev/zero\",\"T\"]"); },
     "/dev/zero: not a regular file"},
    {"LAMP D17", "FIFO",
     [](Bench& b) {
         return withFifo(b, "f.d17", "ReadLAMPD17[\"" + b.path("f.d17") + "\",\"T\"]");
     },
     "f.d17: not a regular file"},
    {"LAMP D17", "no count line",
     [](Bench& b) {
         writeFile(b.file("n.d17"), std::string(5000, 'x'));
         return b.outcome("ReadLAMPD17[\"" + b.path("n.d17") + "\",\"T\"]");
     },
     "n.d17: no line starting with 143500 (not a LAMP D17 file)"},
    {"LAMP D17", "binary value",
     [](Bench& b) {
         writeFile(b.file("v.d17"), "143500\n1 2 3 \x80\x81 5 6 7 8 9 10\n");
         return b.outcome("ReadLAMPD17[\"" + b.path("v.d17") + "\",\"T\"]");
     },
     "v.d17, line 2: '\\x80\\x81' is not a valid integer value"},
    {"four columns", "no point",
     [](Bench& b) {
         writeFile(b.file("c.txt"), "comment\n0\n0\n0\n");
         try {
             readFourColumnFile(b.wb->spectres3D, b.file("c.txt"));
         } catch (const EInOutError& e) {
             return std::string(e.what());
         }
         return std::string("read");
     },
     "c.txt, line 4: sizes 0 x 0 x 0 hold no point"},
    {"TPA", "FIFO",
     [](Bench& b) {
         ::mkfifo(b.path("f.tpa").c_str(), 0600);
         try {
             readTpaFile(b.wb->spectres2D, b.file("f.tpa"), "T");
         } catch (const EInOutError& e) {
             return std::string(e.what());
         }
         return std::string("read");
     },
     "f.tpa: not a regular file"},
    {"script", "include is a directory",
     [](Bench& b) {
         fs::create_directories(b.wb->paths.sequences() / "sub.seq");
         try {
             b.interp.execute("inc=sub;\n");
         } catch (const OmbreluneError& e) {
             return std::string(e.what());
         }
         return std::string("run");
     },
     "sub.seq: not a regular file"},
};

TEST(FailingFiles, ReadersNameTheFileAndLeaveTheTarget) {
    for (const Row& row : readerRows) {
        Bench b;
        for (spectlist* table : {&b.wb->spectres2D, &b.wb->spectres3D}) makeTarget(*table, "T");
        makeTarget(b.wb->spectres2D, "h1.img");
        const std::vector<double> before = valuesOf(*b.wb->spectres2D.find("T"));
        const std::string text = row.act(b);
        EXPECT_NE(text.find(row.expected), std::string::npos)
            << row.format << " x " << row.damage << ": " << text;
        for (const char* name : {"T", "h1.img"}) {
            const spectre* target = b.wb->spectres2D.find(name);
            ASSERT_TRUE(target) << row.format << " x " << row.damage;
            EXPECT_EQ(valuesOf(*target), before) << row.format << " x " << row.damage;
        }
        EXPECT_EQ(valuesOf(*b.wb->spectres3D.find("T")), before)
            << row.format << " x " << row.damage;
    }
}

// Readable but suspicious: read as it is, with one warning that says how much and where.
TEST(FailingFiles, HadasNonFiniteCountsAreReadWithOneWarning) {
    Bench b;
    std::string text = hadasLines("5", 0);
    text.replace(text.find("5\n", 2 * 16), 1, "1e999");
    text.replace(text.rfind("5\n"), 1, "nan");
    writeFile(b.hadasFile("w7.img"), text);
    const std::size_t linesBefore = b.journalLines().size();
    b.interp.executeCommandBox("lectureFichierHADAS[\"w\",7]");
    const spectre& image = *b.wb->spectres2D.find("w7.img");
    EXPECT_TRUE(std::isinf(image.valueAt(16, 0)));
    EXPECT_TRUE(std::isnan(image.valueAt(255, 255)));
    const auto lines = b.journalLines();
    ASSERT_EQ(lines.size(), linesBefore + 2); // the warning and the read line
    EXPECT_EQ(lines[linesBefore],
              "!! " + (b.wb->paths.temp() / "w7.img").string() +
                  " : 2 comptage(s) non fini(s), le premier ligne 17 : '1e999'");
}

struct WriterRow {
    const char* damage;
    std::function<void(Bench&, const fs::path&)> prepare;
    const char* expected;
};

TEST(FailingFiles, WritersRefuseAndLeaveTheTarget) {
    const WriterRow rows[] = {
        {"other hard link",
         [](Bench&, const fs::path& target) {
             writeFile(target, "old");
             fs::create_hard_link(target, target.string() + ".link");
         },
         "out.dat: the file has 2 hard links"},
        {"directory in its place",
         [](Bench&, const fs::path& target) { fs::create_directory(target); },
         "out.dat: not a regular file"},
        {"spectrum without points",
         [](Bench& b, const fs::path& target) {
             writeFile(target, "old");
             b.wb->spectres1D.create("N2", 0, 1, 1);
         },
         "N2 n'a aucun point (0 x 1 x 1)"},
    };
    for (const WriterRow& row : rows) {
        Bench b;
        b.wb->spectres1D.store(testing::makeCurve("N2", {1, 2, 3}));
        const fs::path target = b.file("out.dat");
        row.prepare(b, target);
        const bool wasFile = fs::is_regular_file(target);
        const std::string text = b.outcome("SaveSpectre[1,\"" + target.string() + "\",\"N2\"]");
        EXPECT_NE(text.find(row.expected), std::string::npos) << row.damage << ": " << text;
        if (wasFile) {
            EXPECT_EQ(readFile(target), "old") << row.damage;
        }
        EXPECT_EQ(fs::is_directory(target), !wasFile) << row.damage;
        for (const auto& entry : fs::directory_iterator(b.dir.path()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
                << row.damage << ": " << entry.path();
    }
}

TEST(FailingFiles, HostileArgumentsAreRefusedByName) {
    const std::pair<const char*, const char*> rows[] = {
        {"delay[1/0]", "!! delay : durée INF refusée"},
        {"delay[-1]", "!! delay : durée -1 refusée"},
        {"delay[0/0]", "!! delay : durée NAN refusée"},
        {"addspectre[1,\"N2\",1e300,1,1]", "!! addspectre : taille 1E300 refusée pour N2"},
        {"addspectre[1,\"N2\",4,-2,1]", "!! addspectre : taille -2 refusée pour N2"},
    };
    for (const auto& [line, expected] : rows) {
        Bench b;
        const std::string text = b.outcome(line);
        EXPECT_EQ(text.rfind(expected, 0), 0u) << line << ": " << text;
        EXPECT_FALSE(b.wb->spectres1D.find("N2")) << line;
    }
}

// STOP pressed while a script waits ends the wait at once, however long it was.
TEST(FailingFiles, StopEndsAnyWait) {
    Bench b;
    int beats = 0;
    b.host.onEvents = [&] {
        if (++beats == 3) b.interp.stop();
    };
    b.interp.execute("delay[1e300];\n");
    b.interp.tick();
    EXPECT_EQ(beats, 3);
    EXPECT_FALSE(b.interp.running());
}

} // namespace
} // namespace ombrelune
