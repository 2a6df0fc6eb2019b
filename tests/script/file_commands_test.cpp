#include "recording_host.hpp"

#include "store/binary_record.hpp"
#include "store/instrument_files.hpp"
#include "store/spectrum_files.hpp"
#include "store/text_file.hpp"

#include <gtest/gtest.h>

namespace ombrelune {
namespace {

using testing::ScriptBench;

TEST(FileCommands, SpectrumFilesRoundTrip) {
    ScriptBench sb;
    const std::string file = (sb.tb.dir / "acup.dat").string();
    sb.run("SaveSpectre[2,\"" + file + "\",\"ACUP\"];\nopenspectre[2.5,\"" + file +
           "\",\"BACK\"];\nopenspectre[4,\"" + file + "\",\"FOUR\"];");
    const spectre& back = *sb.wb().spectres2D.find("BACK");
    EXPECT_EQ(back.nx, 128);
    EXPECT_EQ(back.valueAt(64, 64), 100);
    EXPECT_EQ(back.comment, "spectre upup");
    // Every file read or written is named in the journal.
    EXPECT_EQ(sb.tb.journalLines(),
              (std::vector<std::string>{"sauvegarde de ACUP sous " + file,
                                        "ouverture de : " + file + " dans : BACK",
                                        "!! openspectre : liste 4 inconnue (1, 2 ou 3)"}));
    sb.host.timer = true;
    sb.exec("SaveSpectre[2,\"" + file + "\",\"PROJ\"];");
    EXPECT_TRUE(sb.host.timer); // switched off while working, on again at the end
}

TEST(FileCommands, MissingFilesAndUnknownSpectra) {
    ScriptBench sb;
    const std::string dir = sb.tb.dir.path().string() + "/";
    sb.run("readspectre2D[\"" + dir + "none.spe\",\"NEW\"];\nopenspectre[1,\"" + dir +
           "none.dat\",\"X\"];\nopenKESTRA[\"" + dir + "\",12345,\"K\"];\nSaveSpectre[1,\"" + dir +
           "x.dat\",\"none\"];\nsaveToASCII1D[\"none\",\"" + dir + "a.txt\"];");
    EXPECT_EQ(sb.tb.journalLines(),
              (std::vector<std::string>{"!! echec ouverture : " + dir + "none.spe n existe pas",
                                        "!! echec ouverture : " + dir + "none.dat n existe pas",
                                        "!! echec ouverture : " + dir + "XY2345.dat n existe pas",
                                        "!! SaveSpectre : courbe none non trouvée",
                                        "!! saveToASCII1D : courbe none non trouvée"}));
    const spectre* created = sb.wb().spectres2D.find("NEW");
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->pointCount(), 1u);
}

TEST(FileCommands, ABadFileLeavesTheSpectrumAsItWas) {
    ScriptBench sb;
    const auto file = sb.tb.dir / "bad.dat";
    testing::writeFile(file, std::string(400, '\x7f'));
    EXPECT_THROW(sb.exec("openspectre[2,\"" + file.string() + "\",\"ACUP\"];"), EInOutError);
    EXPECT_EQ(sb.wb().spectres2D.find("ACUP")->valueAt(64, 64), 100);
    EXPECT_FALSE(sb.host.timer); // whatever escapes a command halts the script
}

TEST(FileCommands, KestraAndHadas) {
    ScriptBench sb;
    spectre img = *sb.wb().spectres2D.find("ACUP");
    writeKestraFile(img, (sb.tb.dir / "c").string(), {}, 12, sb.wb().journal);
    sb.exec("openKESTRA[\"" + (sb.tb.dir / "c").string() + "\",12,\"K12\"];");
    const spectre* k = sb.wb().spectres2D.find("K12");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->nx, 128);
    EXPECT_EQ(k->valueAt(64, 64), 100);

    std::filesystem::create_directories(sb.wb().paths.temp());
    std::string hadas;
    for (int r = 0; r < 65536; ++r) hadas += std::to_string(r % 7) + "\n";
    testing::writeFile(sb.wb().paths.temp() / "run7.img", hadas);
    sb.exec("lectureFichierHADAS[\"run\",7.4];");
    const spectre* h = sb.wb().spectres2D.find("run7.img");
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->valueAt(3, 1), (256 + 3) % 7);
    const auto lines = sb.tb.journalLines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()),
              (std::vector<std::string>{
                  "ouverture de : " + (sb.tb.dir / "cXY0012.dat").string() + " dans : K12",
                  "ouverture de : " + (sb.wb().paths.temp() / "run7.img").string() +
                      " dans : run7.img"}));
}

TEST(FileCommands, AsciiExportsAndSpeReading) {
    ScriptBench sb;
    const std::string dir = sb.tb.dir.path().string() + "/";
    sb.run("saveToASCII2D[\"ACUP\",\"" + dir + "a2.txt\",\"head \",\"line\"];\nsaveToASCII1D[\"PH\",\"" +
           dir + "a1.txt\"];");
    const auto a2 = readTextLines(dir + "a2.txt");
    ASSERT_EQ(a2.size(), 16386u);
    EXPECT_EQ(a2[0], "head line");
    EXPECT_EQ(a2[1], "0");
    EXPECT_EQ(readTextLines(dir + "a1.txt")[4], "0\t1E-5");
    EXPECT_EQ(sb.tb.journalLines(),
              (std::vector<std::string>{"sauvegarde de ACUP sous " + dir + "a2.txt",
                                        "sauvegarde de PH sous " + dir + "a1.txt"}));

    const auto spe = writeSpeFile(*sb.wb().spectres2D.find("PROJ"), dir + "proj", sb.wb().journal);
    sb.exec("readspectre2D[\"" + spe.string() + "\",\"P2\"];");
    EXPECT_EQ(sb.wb().spectres2D.find("P2")->nx, 32);
    EXPECT_EQ(sb.tb.journalLines().back(), "ouverture de : " + spe.string() + " dans : P2");
}

} // namespace
} // namespace ombrelune
