#pragma once
// The command reference, written from the registry table: one command's usage and
// arguments for a terminal or the help index, and the whole reference as Markdown
// (docs/commands.md). Also the script variables the runner sets for each input, so that
// the runner, the help index and the reference describe them from one list.

#include "script/command_registry.hpp"

#include <string>
#include <vector>

namespace ombrelune {

// "text", "number" or "@variable".
std::string_view kindName(ArgKind kind);
// "X0 (number, pixel)", "text 3 … 10 (text, optional)": an argument at its position.
std::string argumentLabel(const CommandArgument& a, int position);
// argumentLabel of every argument, in order.
std::vector<std::string> argumentLabels(const CommandEntry& e);
// The argument names in order, as a call shows them: "image, X0, …, text 3 … 10".
std::string argumentNames(const CommandEntry& e);
// name[arguments]
std::string usageLine(const CommandEntry& e);
// Usage, meaning and one line per argument (position, name, kind, unit), for a terminal.
std::string commandReferenceText(const CommandEntry& e);
// The whole reference as Markdown.
std::string commandsMarkdown();

struct InputVariable {
    std::string_view name; // as a script writes it: "INPUT$"
    std::string_view meaning;
};
// INPUT$, STEM$, INPUT and NINPUTS.
const std::vector<InputVariable>& inputVariables();

} // namespace ombrelune
