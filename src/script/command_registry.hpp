#pragma once
// The command registry: the one table of the script commands, each with its arguments
// (kind, unit) and one line of meaning, and the routines bound to them. A module binds the
// routines of its own commands; a name whose routine is not bound is not callable (the
// engine then reports it like a name that is not in the registry). The help index,
// `ombrelune-run --commands` and docs/commands.md are all written from this table.

#include "script/command_args.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {

class Interpreter;

using CommandRoutine = std::function<void(Interpreter&, const CommandArgs&)>;

// How a command reads an argument: as text (argText, normally written in quotes), as a
// number (argNumber, an expression), or as the name of a script variable written "@name".
enum class ArgKind { text, number, variable };

struct CommandArgument {
    std::string_view name;
    ArgKind kind = ArgKind::text;
    std::string_view unit; // physical unit ("Å", "mm", "degrees", "s"); empty when none
    bool optional = false; // may be left out (a result then goes to the journal)
    int lastPosition = 0;  // a run of like arguments up to this position; 0 for one
};

struct CommandEntry {
    CommandEntry(std::string_view name, std::string_view meaning,
                 std::vector<CommandArgument> arguments, std::string_view aliasOf = {})
        : name(name), meaning(meaning), arguments(std::move(arguments)), aliasOf(aliasOf) {}

    std::string_view name;
    std::string_view meaning; // one line
    std::vector<CommandArgument> arguments;
    std::string_view aliasOf; // the command this name is another name for; empty for most
};

// Every command, in registry order. Aliases carry the meaning and arguments of the
// command they name.
const std::vector<CommandEntry>& commandTable();
// The entry of a name (ASCII case folded), or nullptr.
const CommandEntry* findCommandEntry(std::string_view name);

class CommandRegistry {
public:
    CommandRegistry();
    // Binds a routine to a name of the table (aliases are bound one by one); throws
    // std::logic_error for a name that is not in the table.
    void bind(std::string_view name, CommandRoutine routine);
    // The routine of a name (ASCII case folded, first match), or nullptr when the name is
    // unknown or not bound.
    const CommandRoutine* find(std::string_view name) const;
    bool isBound(std::string_view name) const { return find(name) != nullptr; }

private:
    struct Slot {
        std::string_view name;
        CommandRoutine routine;
    };
    std::vector<Slot> slots_;
};

} // namespace ombrelune
