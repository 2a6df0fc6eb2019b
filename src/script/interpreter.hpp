#pragma once
// The script interpreter: the evaluator Parser1, the command registry, the script
// variables, the argument slots, the prepared script and the stepping state. One per
// program (the interpreter window's engine); it works on the workbench's tables.

#include "script/command_args.hpp"
#include "script/command_registry.hpp"
#include "script/parser.hpp"
#include "script/script_host.hpp"
#include "store/workbench.hpp"

#include <string>

namespace ombrelune {

class Interpreter {
public:
    Interpreter(Workbench& wb, ScriptHost& host);

    Workbench& wb() { return wb_; }
    ScriptHost& host() { return host_; }
    TParser& parser() { return Parser1; }
    CommandRegistry& registry() { return registry_; }

    // A command's number result: stored in the evaluator variable when a name is given,
    // else written to the journal as a line in the general number format.
    void reportNumber(double value, const std::string& variable);

    TParser Parser1;

private:
    Workbench& wb_;
    ScriptHost& host_;
    CommandRegistry registry_;
};

} // namespace ombrelune
