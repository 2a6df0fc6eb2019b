#include "script/parser.hpp"

#include "script/expression_compiler.hpp"
#include "script/function_library.hpp"
#include "store/number_format.hpp"
#include "store/text_encoding.hpp"

#include <stdexcept>

namespace ombrelune {
namespace {

bool isIdentifierStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isIdentifier(std::string_view name) {
    if (name.empty() || !isIdentifierStart(name[0])) return false;
    for (char c : name)
        if (!isIdentifierStart(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

template <typename Table> std::vector<std::string> namesOf(const Table& table) {
    std::vector<std::string> names;
    names.reserve(table.size());
    for (const auto& [name, entry] : table) names.push_back(name);
    return names;
}

template <typename Table, typename Entry>
void addUnique(Table& table, std::string_view name, Entry entry) {
    if (!table.emplace(asciiUpper(name), entry).second)
        throw std::logic_error("function registered twice: " + std::string(name));
}

} // namespace

void TCustomParser2::setExpression(std::string text) {
    compiled_.reset();
    expression_ = std::move(text);
    if (expression_.empty()) return;
    try {
        compiled_ = compile(expression_);
    } catch (const EMathParserError& e) {
        if (!OnParserError) throw;
        OnParserError(*this, e);
    }
}

double TCustomParser2::value() {
    return compiled_ ? compiled_->evaluate() : 0;
}

std::shared_ptr<CompiledExpression> TCustomParser2::compile(std::string_view text) const {
    const char separator = PascalNumberformat ? '.' : localeDecimalSeparator();
    return compileExpression(text, CompilerTables{variables_, functions1_, functions2_, separator});
}

double TCustomParser2::evaluate(CompiledExpression& compiled) {
    return compiled.evaluate();
}

double* TCustomParser2::SetVariable(std::string_view name, double value) {
    std::string key = asciiUpper(name);
    if (auto it = variables_.find(key); it != variables_.end()) {
        *it->second = value;
        return it->second;
    }
    double* cell = nullptr;
    if (key.size() == 1 && predefinedLetters.find(key[0]) != std::string_view::npos) {
        cell = predefinedCell(key[0]);
    } else {
        if (!isIdentifier(key)) throw EBadName(std::string(name));
        cell = &addedCells_.emplace_back(0);
    }
    *cell = value;
    variables_.emplace(std::move(key), cell);
    return cell;
}

double TCustomParser2::GetVariable(std::string_view name) const {
    const double* cell = variableCell(name);
    return cell ? *cell : 0;
}

bool TCustomParser2::hasVariable(std::string_view name) const {
    return variableCell(name) != nullptr;
}

double* TCustomParser2::variableCell(std::string_view name) const {
    const auto it = variables_.find(asciiUpper(name));
    return it == variables_.end() ? nullptr : it->second;
}

std::vector<std::string> TCustomParser2::variableNames() const {
    return namesOf(variables_);
}
std::vector<std::string> TCustomParser2::functionNames1() const {
    return namesOf(functions1_);
}
std::vector<std::string> TCustomParser2::functionNames2() const {
    return namesOf(functions2_);
}

void TCustomParser2::addFunction1(std::string_view name, Function1Entry entry) {
    addUnique(functions1_, name, entry);
}

void TCustomParser2::addFunction2(std::string_view name, Function2Entry entry) {
    addUnique(functions2_, name, entry);
}

double* TCustomParser2::predefinedCell(char letter) {
    return &predefined_[predefinedLetters.find(letter)];
}

void TCustomParser2::registerPredefinedVariables() {
    for (char letter : predefinedLetters)
        variables_.emplace(std::string(1, letter), predefinedCell(letter));
}

TParser::TParser() {
    registerPredefinedVariables();
    for (const auto& f : libraryFunctions1()) addFunction1(f.name, f.entry);
    for (const auto& f : libraryFunctions2()) addFunction2(f.name, f.entry);
}

} // namespace ombrelune
