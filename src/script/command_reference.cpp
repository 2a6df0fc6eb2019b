#include "script/command_reference.hpp"

#include <algorithm>

namespace ombrelune {

std::string_view kindName(ArgKind kind) {
    switch (kind) {
    case ArgKind::number:
        return "number";
    case ArgKind::variable:
        return "@variable";
    case ArgKind::text:
        break;
    }
    return "text";
}

namespace {

std::string positionedName(const CommandArgument& a, int position) {
    std::string name(a.name);
    if (a.lastPosition > position)
        name += " " + std::to_string(position) + " … " + std::to_string(a.lastPosition);
    return name;
}

// Positions advance past a run of like arguments.
template <typename Each> void forEachArgument(const CommandEntry& e, Each each) {
    int position = 1;
    for (const CommandArgument& a : e.arguments) {
        each(a, position);
        position = std::max(position, a.lastPosition) + 1;
    }
}

// Characters, not bytes: "…" takes one column.
std::size_t columns(const std::string& utf8) {
    std::size_t n = 0;
    for (const char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string details(const CommandArgument& a) {
    std::string out(kindName(a.kind));
    if (!a.unit.empty()) out += ", " + std::string(a.unit);
    if (a.optional) out += ", optional";
    return out;
}

std::string markdownEntry(const CommandEntry& e) {
    std::string out = "### " + std::string(e.name) + "\n\n`" + usageLine(e) + "`\n\n";
    if (!e.aliasOf.empty()) out += "Another name for `" + std::string(e.aliasOf) + "`. ";
    out += std::string(e.meaning) + "\n\n";
    if (e.arguments.empty()) return out;
    out += "| # | argument | kind | unit |\n|---|---|---|---|\n";
    forEachArgument(e, [&](const CommandArgument& a, int position) {
        out += "| " + std::to_string(position) + " | " + positionedName(a, position) + " | " +
               std::string(kindName(a.kind)) + (a.optional ? ", optional" : "") + " | " +
               std::string(a.unit) + " |\n";
    });
    return out + "\n";
}

} // namespace

std::string argumentLabel(const CommandArgument& a, int position) {
    return positionedName(a, position) + " (" + details(a) + ")";
}

std::vector<std::string> argumentLabels(const CommandEntry& e) {
    std::vector<std::string> labels;
    forEachArgument(e, [&](const CommandArgument& a, int position) {
        labels.push_back(argumentLabel(a, position));
    });
    return labels;
}

std::string argumentNames(const CommandEntry& e) {
    std::string out;
    forEachArgument(e, [&](const CommandArgument& a, int position) {
        if (!out.empty()) out += ", ";
        out += positionedName(a, position);
    });
    return out;
}

std::string usageLine(const CommandEntry& e) {
    return std::string(e.name) + "[" + argumentNames(e) + "]";
}

std::string commandReferenceText(const CommandEntry& e) {
    std::string out = usageLine(e) + "\n  " + std::string(e.meaning) + "\n";
    if (!e.aliasOf.empty()) out += "  Another name for " + std::string(e.aliasOf) + ".\n";
    forEachArgument(e, [&](const CommandArgument& a, int position) {
        const std::string line =
            "  " + std::to_string(position) + "  " + positionedName(a, position);
        out += line +
               std::string(std::max<std::size_t>(2, 24 - std::min<std::size_t>(24, columns(line))),
                           ' ') +
               details(a) + "\n";
    });
    return out;
}

std::string commandsMarkdown() {
    std::string out =
        "# Script commands\n\n"
        "Written from the command table by the build (`ombrelune-run --commands` shows the "
        "same). A call is `name[argument,argument,...];` with the name in any case. Arguments "
        "are read by position: a *text* is normally written in double quotes, a *number* is an "
        "expression, a *@variable* names a script variable (made on first use). A text argument "
        "`S$` gives the text of the script variable S, `T#5` element 5 of its array. A *list* "
        "selects the table: 1 curves, 2 images, 3 stacks. Commas separate arguments everywhere, "
        "so a text cannot hold one.\n\n"
        "Commands that cannot do their work write one journal line beginning \"!! \" and the "
        "script goes on.\n\n"
        "## Variables set by the runner for each input\n\n"
        "| variable | meaning |\n|---|---|\n";
    for (const InputVariable& v : inputVariables())
        out += "| `" + std::string(v.name) + "` | " + std::string(v.meaning) + " |\n";
    out += "\n## Commands\n\n";
    for (const CommandEntry& e : commandTable()) out += markdownEntry(e);
    return out;
}

const std::vector<InputVariable>& inputVariables() {
    static const std::vector<InputVariable> variables = {
        {"INPUT$", "the input's path, as given or as the pattern found it"},
        {"STEM$", "the input's file name without directory and extension"},
        {"INPUT", "the input's number, from 1, in natural order"},
        {"NINPUTS", "the number of inputs"},
    };
    return variables;
}

} // namespace ombrelune
