#pragma once
// The script interpreter: the evaluator Parser1, the command registry, the script
// variables, the argument slots, the prepared script and the stepping state. One per
// program (the interpreter window's engine); it works on the workbench's tables.
//
// Stepping: the host calls tick() on every beat of its step timer while running() is
// true; each tick executes one prepared line. Engine errors raise EvarError (the timer is
// then off and the current line is kept, so continueScript() runs it again); expression
// errors go to the host's reportExpressionError and the expression counts as 0.
//
// Every failure also leaves one journal line beginning "!! ", naming the script and the
// line where it happened: engine errors, expression errors, a script that cannot be
// prepared, and whatever escapes a command (a command's own refusals are its own lines).

#include "script/command_args.hpp"
#include "script/command_registry.hpp"
#include "script/compiled_cache.hpp"
#include "script/parser.hpp"
#include "script/script_host.hpp"
#include "script/script_variables.hpp"
#include "store/workbench.hpp"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ombrelune {

class Interpreter {
public:
    Interpreter(Workbench& wb, ScriptHost& host);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    Workbench& wb() { return wb_; }
    ScriptHost& host() { return host_; }
    TParser& parser() { return Parser1; }
    CommandRegistry& registry() { return registry_; }
    ScriptVariables& scriptVariables() { return variables_; }

    // Cuts statements at their first ";", expands "inc=name;" lines from the sequences
    // folder pass by pass and locates the labels "LA" .. "LZ".
    void prepareScript(const std::string& text);
    // Current line 0, running, timer on.
    void startScript();
    // Execute: prepareScript then startScript.
    void execute(const std::string& text);
    void stop();
    void continueScript();
    // One step: runs the current line, or ends the script when it is past the last line.
    void tick();
    // Executes one statement; returns the index of the next line.
    int executeLine(const std::string& line, int lineNumber);
    // The command box: appends ";" when the text has none (returned, as the box shows it)
    // and executes it as line 1; a jump does nothing.
    std::string executeCommandBox(std::string text);

    // Fills the argument slots from an argument list; false when an expression error was
    // reported while filling them.
    bool fillArguments(const std::string& list);
    // Registers a script variable; false (with a "!! " journal line) when all 201
    // descriptors are taken.
    bool registerScriptVariable(const std::string& name, long double initial,
                                ScriptVariables::ChangeRoutine routine, const std::string& help,
                                const std::array<std::int32_t, 5>& attributes);

    // The value of an expression text through the compiled-expression cache; an expression
    // error is reported and the value is 0.
    double evaluate(const std::string& text);

    // A command's number result: stored in the evaluator variable when a name is given,
    // else written to the journal as a line in the general number format.
    void reportNumber(double value, const std::string& variable);

    // The name failures are reported under (a script's file name); empty for none.
    void setScriptName(std::string name) { scriptName_ = std::move(name); }
    const std::string& scriptName() const { return scriptName_; }

    bool running() const { return running_; }
    // Counts stop() calls: a command that waits ends its wait when this changes.
    std::uint64_t stopCount() const { return stopCount_; }
    int currentLine() const { return currentLine_; }
    const std::vector<std::string>& preparedLines() const { return prepared_; }
    // The line of the prepared text a prepared line came from (an included line counts as
    // its "inc=" line), or -1 outside the prepared lines.
    int sourceLine(int preparedLine) const;
    // Line index of the label "L" + letter, 0 when unset.
    int labelPosition(char letter) const;
    const CommandArgs& argumentSlots() const { return slots_; }

    TParser Parser1;

private:
    void reportExpressionError(const EMathParserError& e);
    int labelAt(const std::string& text, std::size_t pos) const;
    bool condition(const std::string& text);
    int executeAssignment(const std::string& s, int n, int next);
    void executeCommand(const std::string& s, int n);
    [[noreturn]] void engineError(const std::string& message);
    // "<script>, ligne <n> : " (withLine) or "<script> : ", "ligne de commande : " for the
    // command box.
    std::string failurePlace(bool withLine) const;
    void journalFailure(const std::string& text);

    Workbench& wb_;
    ScriptHost& host_;
    CommandRegistry registry_;
    ScriptVariables variables_;
    CompiledCache cache_;
    CommandArgs slots_;
    std::vector<std::string> prepared_;
    std::vector<int> sourceLines_; // beside prepared_
    std::array<int, 26> labels_{};
    int currentLine_ = 0;
    bool running_ = false;
    std::uint64_t stopCount_ = 0;
    // Counts startScript() calls, so that a command that let the user start another
    // script while it waited does not move the new script's current line.
    std::uint64_t generation_ = 0;
    // Set by every expression error report; read around argument filling.
    bool expressionErrorSeen_ = false;
    std::string scriptName_;
    int lineInProgress_ = 0;
    bool inCommandBox_ = false;
};

} // namespace ombrelune
