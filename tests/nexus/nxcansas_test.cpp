// The curve an NXcanSAS file receives, and the command's refusals and failures. What the
// file holds is read back by h5py (nxcansas_roundtrip.py).

#include "nexus/nexus_commands.hpp"
#include "nexus/nxcansas.hpp"

#include "../script/recording_host.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ombrelune {
namespace {

using testing::ScriptBench;

spectre qCurve(std::vector<double> qs, std::vector<double> values) {
    spectre s;
    s.name = "Q";
    s.comment = "Somme PA de : ACUP, masque : M";
    s.typeX = "q";
    s.resize(static_cast<std::int32_t>(qs.size()), 1, 1);
    s.clear();
    for (std::int32_t i = 0; i < s.nx; ++i) {
        s.setXAt(i, 0, 0, qs[static_cast<std::size_t>(i)]);
        s.setValueAt(i, 0, 0, values[static_cast<std::size_t>(i)]);
    }
    return s;
}

TEST(NXcanSASCurve, PointsAtQZeroAreLeftOut) {
    // Channel 0 (the direct beam) and the empty channel 2 have Q = 0.
    const spectre s = qCurve({0, 0.01, 0, 0.03}, {7, 5, 0, 3});
    const NXcanSASCurve c = nxcansasCurve(s, {});
    EXPECT_EQ(c.q, (std::vector<double>{0.01, 0.03}));
    EXPECT_EQ(c.i, (std::vector<double>{5, 3}));
    EXPECT_TRUE(c.idev.empty());
    EXPECT_EQ(c.title, "Q");
    EXPECT_EQ(c.run, "Q");
    EXPECT_EQ(c.description, s.comment);
    EXPECT_EQ(c.qUnit, "1/angstrom");
    EXPECT_EQ(c.iUnit, "arbitrary");
    const NXcanSASCurve named = nxcansasCurve(s, {"Échantillon ω", "1/nm", "1/cm"});
    EXPECT_EQ(named.title, "Échantillon ω");
    EXPECT_EQ(named.run, "Q");
    EXPECT_EQ(named.qUnit, "1/nm");
    EXPECT_EQ(named.iUnit, "1/cm");
}

TEST(NXcanSASCurve, Refusals) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    spectre raw = qCurve({1, 2}, {1, 1});
    raw.typeX = "raw";
    const struct {
        spectre curve;
        NXcanSASLabels labels;
        std::string reason;
    } cases[] = {
        {raw, {}, "l'axe x de Q est \"raw\" : ce n'est pas |Q|"},
        {qCurve({0.1, -0.1}, {1, 1}),
         {},
         "Q négatif ou non fini au point 1 de Q : ce n'est pas |Q|"},
        {qCurve({nan}, {1}), {}, "Q négatif ou non fini au point 0 de Q : ce n'est pas |Q|"},
        {qCurve({inf}, {1}), {}, "Q négatif ou non fini au point 0 de Q : ce n'est pas |Q|"},
        {qCurve({0, 0}, {1, 1}), {}, "Q n'a aucun point de Q > 0"},
        {qCurve({0.1}, {1}),
         {"", "1/A", ""},
         "unité de Q \"1/A\" inconnue (1/angstrom, 1/nm ou 1/m)"},
        {qCurve({0.1}, {1}),
         {"", "", "cm-1"},
         "unité de I \"cm-1\" inconnue (arbitrary, 1/cm, 1/m, cm2/g ou m2/g)"},
    };
    for (const auto& c : cases) {
        try {
            nxcansasCurve(c.curve, c.labels);
            ADD_FAILURE() << "accepted: " << c.reason;
        } catch (const ERefused& e) {
            EXPECT_EQ(e.what(), c.reason);
        }
    }
}

struct NexusBench : ScriptBench {
    NexusBench() { bindNexusCommands(interp.registry()); }
};

TEST(SaveNXcanSAS, JournalLinesAndFiles) {
    if (!nxcansasAvailable()) GTEST_SKIP() << "built without HDF5";
    NexusBench sb;
    sb.wb().spectres1D.store(qCurve({0, 0.01, 0.02}, {9, 5, 4}));
    const std::string dir = sb.tb.dir.path().string() + "/";
    sb.run("SaveNXcanSAS[\"Q\",\"" + dir + "q.h5\"];\nSaveNXcanSAS[\"none\",\"" + dir +
           "n.h5\"];\nSaveNXcanSAS[\"Q\",\"" + dir + "missing/q.h5\"];\nSaveNXcanSAS[\"Q\",\"" +
           dir + "u.h5\",\"t\",\"1/nm\",\"counts\"];");
    const auto lines = sb.tb.journalLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "sauvegarde de Q sous " + dir + "q.h5");
    EXPECT_EQ(lines[1], "!! SaveNXcanSAS : courbe none non trouvée");
    EXPECT_EQ(lines[2], "!! SaveNXcanSAS : " + dir + "missing/q.h5: No such file or directory");
    EXPECT_EQ(lines[3], "!! SaveNXcanSAS : unité de I \"counts\" inconnue (arbitrary, 1/cm, 1/m, "
                        "cm2/g ou m2/g)");
    EXPECT_EQ(testing::readFile(dir + "q.h5").substr(0, 8), "\x89HDF\r\n\x1a\n");
    EXPECT_FALSE(std::filesystem::exists(dir + "u.h5"));
}

TEST(SaveNXcanSAS, ReplacesAFileWholeAndTheSameCurveGivesTheSameBytes) {
    if (!nxcansasAvailable()) GTEST_SKIP() << "built without HDF5";
    NexusBench sb;
    sb.wb().spectres1D.store(qCurve({0.01, 0.02}, {5, 4}));
    const auto file = sb.tb.dir / "q.h5";
    testing::writeFile(file, std::string(100000, 'x'));
    sb.run("SaveNXcanSAS[\"Q\",\"" + file.string() + "\"];");
    const std::string first = testing::readFile(file);
    EXPECT_EQ(first.substr(0, 4), "\x89HDF");
    EXPECT_LT(first.size(), 100000u);
    sb.run("SaveNXcanSAS[\"Q\",\"" + file.string() + "\"];");
    EXPECT_EQ(testing::readFile(file), first);
    for (const auto& entry : std::filesystem::directory_iterator(sb.tb.dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
}

} // namespace
} // namespace ombrelune
