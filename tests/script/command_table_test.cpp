// The command table is the one source of the help index, `--commands` and
// docs/commands.md: every row must be complete and sound.

#include "script/command_reference.hpp"
#include "script/command_registry.hpp"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace ombrelune {
namespace {

std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

TEST(CommandTable, EveryRowIsComplete) {
    std::set<std::string> names;
    for (const CommandEntry& e : commandTable()) {
        SCOPED_TRACE(std::string(e.name));
        EXPECT_TRUE(names.insert(folded(e.name)).second) << "listed twice";
        EXPECT_FALSE(e.meaning.empty());
        EXPECT_EQ(e.meaning.find('\n'), std::string_view::npos) << "a meaning is one line";
        int position = 0;
        bool optionalSeen = false;
        for (const CommandArgument& a : e.arguments) {
            ++position;
            EXPECT_FALSE(a.name.empty()) << "argument " << position;
            if (!a.unit.empty()) {
                EXPECT_EQ(a.kind, ArgKind::number) << a.name;
            }
            EXPECT_TRUE(a.optional || !optionalSeen) << a.name << " follows an optional argument";
            optionalSeen = optionalSeen || a.optional;
            if (a.lastPosition != 0) {
                EXPECT_GT(a.lastPosition, position) << a.name;
                position = a.lastPosition;
            }
        }
        EXPECT_LE(position, CommandArgs::slotCount);
        if (!e.aliasOf.empty()) {
            const CommandEntry* target = findCommandEntry(e.aliasOf);
            ASSERT_NE(target, nullptr);
            EXPECT_TRUE(target->aliasOf.empty());
            EXPECT_EQ(argumentNames(*target), argumentNames(e));
        }
    }
}

TEST(CommandTable, ReferenceShowsKindsUnitsAndMeaning) {
    const CommandEntry* somme = findCommandEntry("sommednpa");
    ASSERT_NE(somme, nullptr);
    EXPECT_EQ(usageLine(*somme), "SommeDNPA[image, curve, mask, X0, Y0, channels, wavelength, "
                                 "pixel size, distance]");
    const std::string text = commandReferenceText(*somme);
    EXPECT_NE(text.find("\n  Small-angle average"), std::string::npos) << text;
    EXPECT_NE(text.find("\n  7  wavelength         number, Å\n"), std::string::npos) << text;
    EXPECT_EQ(argumentLabels(*findCommandEntry("addcomment")),
              std::vector<std::string>{"text 1 … 10 (text, optional)"});
    EXPECT_EQ(argumentLabels(*findCommandEntry("Settab")),
              (std::vector<std::string>{"variable (@variable)", "first index (number)",
                                        "value 3 … 10 (number, optional)"}));
    EXPECT_EQ(argumentLabels(*findCommandEntry("MasqueSecteur"))[3], "angle (number, degrees)");
    EXPECT_NE(
        commandReferenceText(*findCommandEntry("ADD1D")).find("Another name for addSpectre1D"),
        std::string::npos);

    const std::string markdown = commandsMarkdown();
    for (const CommandEntry& e : commandTable())
        EXPECT_NE(markdown.find("### " + std::string(e.name) + "\n\n`" + usageLine(e) + "`"),
                  std::string::npos)
            << e.name;
    for (const InputVariable& v : inputVariables())
        EXPECT_NE(markdown.find("`" + std::string(v.name) + "`"), std::string::npos) << v.name;
}

TEST(CommandTable, ARoutineNeedsItsRow) {
    CommandRegistry registry;
    EXPECT_THROW(registry.bind("NoSuchCommand", [](Interpreter&, const CommandArgs&) {}),
                 std::logic_error);
    EXPECT_FALSE(registry.isBound("addpt")); // a row without its routine is not callable
    registry.bind("addpt", [](Interpreter&, const CommandArgs&) {});
    EXPECT_TRUE(registry.isBound("ADDPT"));
}

} // namespace
} // namespace ombrelune
