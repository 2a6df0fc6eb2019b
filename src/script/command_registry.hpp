#pragma once
// The command registry: the one table of the 83 script command names with their
// arguments, and the routines bound to them. A module binds the routines of its own
// commands; a name whose routine is not bound is not callable (the engine then reports
// it like a name that is not in the registry).

#include "script/command_args.hpp"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {

class Interpreter;

using CommandRoutine = std::function<void(Interpreter&, const CommandArgs&)>;

struct CommandEntry {
    std::string_view name;
    std::string_view arguments; // what each position holds, for the help window
};

// All 83 names, in registry order.
const std::vector<CommandEntry>& commandTable();

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
        CommandEntry entry;
        CommandRoutine routine;
    };
    std::vector<Slot> slots_;
};

} // namespace ombrelune
