#pragma once
// The expression evaluator: a table of named variables, two tables of named functions and
// one compiled expression. Writing the expression compiles it once; reading the value runs
// the compiled steps, without parsing, lookup or allocation.
//
// Ownership: the evaluator owns its variable cells (they never move, so every compiled list
// that names a variable sees its current value without recompiling), its tables and its
// current list. Lists obtained from compile() share the evaluator's variable cells: they
// must not outlive the evaluator, and are run with evaluate() of the same evaluator.
// An evaluator is neither copied nor moved, since compiled lists point into it.

#include "errors/errors.hpp"
#include "script/expression_list.hpp"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ombrelune {

class TCustomParser2 {
public:
    using TParserExceptionEvent =
        std::function<void(TCustomParser2& sender, const EMathParserError& e)>;

    TCustomParser2() = default;
    virtual ~TCustomParser2() = default;
    TCustomParser2(const TCustomParser2&) = delete;
    TCustomParser2& operator=(const TCustomParser2&) = delete;

    // Called with each compile error of setExpression instead of raising it.
    TParserExceptionEvent OnParserError;
    // True: numbers are written with "." (every evaluator of the program); false: with the
    // decimal separator of the user's locale.
    bool PascalNumberformat = true;

    // Frees the current list and stores the text; a non-empty text is compiled. A compile
    // error leaves the list empty and goes to OnParserError when it is set, else it is
    // raised here.
    void setExpression(std::string text);
    const std::string& expression() const { return expression_; }
    // The value of the current list; 0 when it is empty. Raises ERangeError for an integer
    // power whose exponent does not fit 32 bits.
    double value();
    // The current list, or null.
    std::shared_ptr<CompiledExpression> compiledExpression() const { return compiled_; }

    // Compiles without touching the current expression and without OnParserError (errors
    // are raised). For callers that keep compiled texts of their own.
    std::shared_ptr<CompiledExpression> compile(std::string_view text) const;
    // Runs a list compiled by this evaluator.
    double evaluate(CompiledExpression& compiled);

    // Stores a value under a name (any case), adding the name when it is new; returns the
    // variable's cell, valid for the life of the evaluator. Raises EBadName (message: the
    // name) for a name that is not an identifier.
    double* SetVariable(std::string_view name, double value);
    // The value of a variable, 0 when there is none of that name.
    double GetVariable(std::string_view name) const;
    bool hasVariable(std::string_view name) const;
    // The cell of a variable, or null when there is none of that name.
    double* variableCell(std::string_view name) const;

    // Number of variables; it only grows, so a change tells that a name was added.
    std::size_t variableCount() const { return variables_.size(); }
    // Names in the tables' sorted order.
    std::vector<std::string> variableNames() const;
    std::vector<std::string> functionNames1() const;
    std::vector<std::string> functionNames2() const;

    // Registers a function (name in any case); a name already registered is a programming
    // error (std::logic_error).
    void addFunction1(std::string_view name, Function1Entry entry);
    void addFunction2(std::string_view name, Function2Entry entry);

    // The letters with a cell of their own: A-E and M-Z.
    static constexpr std::string_view predefinedLetters = "ABCDEMNOPQRSUVWZXYT";

protected:
    // Binds the 19 letters to their cells in the variable table.
    void registerPredefinedVariables();

private:
    double* predefinedCell(char letter);

    std::array<double, predefinedLetters.size()> predefined_{};
    std::deque<double> addedCells_; // a deque never moves its elements
    VariableTable variables_;
    Function1Table functions1_;
    Function2Table functions2_;
    std::string expression_;
    std::shared_ptr<CompiledExpression> compiled_; // declared last: released first
};

// The evaluator every window uses: the 19 predefined variables (all 0) and the library.
class TParser : public TCustomParser2 {
public:
    TParser();
};

} // namespace ombrelune
