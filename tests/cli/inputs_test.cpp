// The runner's inputs (natural order, names of their journals) and the commands it offers.

#include "cli/inputs.hpp"
#include "cli/script_run.hpp"
#include "render/save_plot_1d.hpp"
#include "script/command_registry.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace ombrelune {
namespace {

TEST(Inputs, NaturalOrder) {
    std::vector<std::string> names = {
        "run10.dat", "run2.dat",   "b/run1.dat", "run002.dat",
        "run1.dat",  "a/run9.dat", "run1a.dat",  "run9999999999999999999.dat"};
    std::sort(names.begin(), names.end(), naturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"a/run9.dat", "b/run1.dat", "run1.dat", "run1a.dat",
                                               "run002.dat", "run2.dat", "run10.dat",
                                               "run9999999999999999999.dat"}));
}

TEST(Inputs, JournalNamesAddTheNumberWhenStemsMeet) {
    EXPECT_EQ(journalSuffixes({"a/run1.dat", "a/run2.dat", "b/run1.spe"}),
              (std::vector<std::string>{"run1-1", "run2", "run1-3"}));
    EXPECT_EQ(inputStem("data/run3.spe"), "run3");
}

// A row of the command table without its routine in the runner is a command the
// reference lists and no script can call.
TEST(RunnerCommands, EveryCommandOfTheTableIsBound) {
    CommandRegistry registry;
    bindRunnerCommands(registry, bindPlotCommands); // as the program binds them
    for (const CommandEntry& entry : commandTable())
        EXPECT_TRUE(registry.isBound(entry.name)) << entry.name;
}

} // namespace
} // namespace ombrelune
