#include "script/interpreter.hpp"

#include "errors/errors.hpp"
#include "script/statement_text.hpp"
#include "store/number_format.hpp"
#include "store/store_ops.hpp"
#include "store/text_file.hpp"

#include <cmath>
#include <map>
#include <numeric>

namespace ombrelune {
namespace {

constexpr int maxIncludePasses = 32;
constexpr std::size_t maxPreparedLines = 1000000;
const char* const noScriptCaption = "pas de séquence en cours";

bool isComment(const std::string& s) { return charAt(s, 0) == ';' || charAt(s, 1) == ';'; }

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

// Sets a value for the life of a scope, whatever leaves it.
template <typename T> class ScopedValue {
public:
    ScopedValue(T& target, T value) : target_(target), saved_(target) { target_ = value; }
    ~ScopedValue() { target_ = saved_; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& target_;
    T saved_;
};

} // namespace

Interpreter::Interpreter(Workbench& wb, ScriptHost& host) : wb_(wb), host_(host) {
    Parser1.SetVariable("X", 10);
    Parser1.OnParserError = [this](TCustomParser2&, const EMathParserError& e) {
        reportExpressionError(e);
    };
}

void Interpreter::reportExpressionError(const EMathParserError& e) {
    host_.setStepTimer(false);
    expressionErrorSeen_ = true;
    journalFailure(failurePlace(true) + e.what());
    host_.reportExpressionError(e.what());
}

void Interpreter::engineError(const std::string& message) {
    host_.setStepTimer(false);
    journalFailure(failurePlace(false) + message);
    throw EvarError(message);
}

std::string Interpreter::failurePlace(bool withLine) const {
    if (inCommandBox_) return "ligne de commande : ";
    std::string place = scriptName_;
    if (!withLine) return place.empty() ? place : place + " : ";
    if (!place.empty()) place += ", ";
    return place + "ligne " + std::to_string(lineInProgress_) + " : ";
}

void Interpreter::journalFailure(const std::string& text) {
    try {
        wb_.journal.appendLine("!! " + oneLine(text));
    } catch (const std::exception&) {
        // A journal that cannot be written fails again at the next line; the failure being
        // reported matters more here.
    }
}

void Interpreter::prepareScript(const std::string& text) {
    labels_.fill(0);
    std::vector<std::string> source = splitLines(text);
    std::vector<int> sourceLines(source.size());
    std::iota(sourceLines.begin(), sourceLines.end(), 0);
    std::vector<std::string> prepared;
    std::vector<int> preparedSourceLines;
    // Each include file is read once per preparation, however often it is named.
    std::map<std::string, std::vector<std::string>> files;
    for (int pass = 0;; ++pass) {
        bool expanded = false;
        prepared.clear();
        preparedSourceLines.clear();
        for (std::size_t n = 0; n < source.size(); ++n) {
            std::string line = std::move(source[n]);
            if (line.find(';') == std::string::npos) line += ';';
            line.erase(line.find(';') + 1);
            if (line.rfind("inc=", 0) != 0) {
                prepared.push_back(std::move(line));
                preparedSourceLines.push_back(sourceLines[n]);
                continue;
            }
            const std::string name = line.substr(4, line.size() - 5);
            // A file that includes itself would expand for ever.
            if (pass >= maxIncludePasses)
                throw EvarError("inclusion trop profonde (plus de " +
                                std::to_string(maxIncludePasses) + " niveaux) : inc=" + name);
            auto file = files.find(name);
            if (file == files.end())
                file = files.emplace(name, readTextLines(wb_.paths.sequences() / (name + ".seq")))
                           .first;
            prepared.insert(prepared.end(), file->second.begin(), file->second.end());
            preparedSourceLines.insert(preparedSourceLines.end(), file->second.size(),
                                       sourceLines[n]);
            if (prepared.size() > maxPreparedLines)
                throw EvarError("séquence trop longue (plus de " + std::to_string(maxPreparedLines) +
                                " lignes) après inc=" + name);
            expanded = true;
        }
        if (!expanded) break;
        source = std::move(prepared);
        sourceLines = std::move(preparedSourceLines);
        prepared = {};
        preparedSourceLines = {};
    }
    prepared_ = std::move(prepared);
    sourceLines_ = std::move(preparedSourceLines);
    for (std::size_t n = 0; n < prepared_.size(); ++n) {
        const std::string& line = prepared_[n];
        if (charAt(line, 2) != ':') continue;
        const int label = labelIndex(line);
        if (label >= 0) labels_[static_cast<std::size_t>(label)] = static_cast<int>(n);
    }
}

void Interpreter::startScript() {
    ++generation_;
    currentLine_ = 0;
    running_ = true;
    host_.setStepTimer(true);
    host_.showRunning(true);
}

void Interpreter::execute(const std::string& text) {
    try {
        prepareScript(text);
    } catch (const std::exception& e) {
        journalFailure(failurePlace(false) + e.what());
        throw;
    }
    startScript();
}

void Interpreter::stop() {
    ++stopCount_;
    running_ = false;
    host_.setStepTimer(false);
    host_.showCaption(noScriptCaption);
    host_.showRunning(false);
}

void Interpreter::continueScript() {
    running_ = true;
    host_.setStepTimer(true);
    host_.showRunning(true);
}

void Interpreter::tick() {
    if (!running_) return;
    const int count = static_cast<int>(prepared_.size());
    if (currentLine_ < 0 || currentLine_ >= count) {
        stop();
        return;
    }
    while (isComment(prepared_[static_cast<std::size_t>(currentLine_)]) && currentLine_ < count - 1)
        ++currentLine_;
    const std::string line = prepared_[static_cast<std::size_t>(currentLine_)];
    host_.showCaption("séq : " + line);
    host_.lineStarted(currentLine_);
    const std::uint64_t generation = generation_;
    // A script started while a command-box line waits is a script again.
    ScopedValue<bool> script(inCommandBox_, false);
    const int next = executeLine(line, currentLine_);
    if (generation == generation_) currentLine_ = next;
    host_.lineExecuted();
}

std::string Interpreter::executeCommandBox(std::string text) {
    if (text.find(';') == std::string::npos) text += ';';
    ScopedValue<bool> box(inCommandBox_, true);
    executeLine(text, 1);
    host_.lineExecuted();
    return text;
}

int Interpreter::sourceLine(int preparedLine) const {
    if (preparedLine < 0 || preparedLine >= static_cast<int>(sourceLines_.size())) return -1;
    return sourceLines_[static_cast<std::size_t>(preparedLine)];
}

int Interpreter::labelPosition(char letter) const {
    const int label = labelIndex(std::string("L") + letter);
    return label < 0 ? 0 : labels_[static_cast<std::size_t>(label)];
}

int Interpreter::labelAt(const std::string& text, std::size_t pos) const {
    if (pos >= text.size()) return -1;
    const int label = labelIndex(std::string_view(text).substr(pos, 2));
    return label < 0 ? -1 : labels_[static_cast<std::size_t>(label)];
}

bool Interpreter::condition(const std::string& text) {
    static const char* const operators[] = {">=", "<>", "<=", "=", "<", ">"};
    for (const char* op : operators) {
        const std::size_t pos = text.find(op);
        if (pos == std::string::npos) continue;
        const std::string_view o(op);
        const double v = evaluate(text.substr(0, pos) + "-(" + text.substr(pos + o.size()) + ")");
        // An undefined difference counts as below, equal and at most zero at once.
        if (std::isnan(v)) return o == "<=" || o == "<" || o == "=";
        if (o == ">=") return v >= 0;
        if (o == "<>") return v != 0;
        if (o == "<=") return v <= 0;
        if (o == "=") return v == 0;
        if (o == "<") return v < 0;
        return v > 0;
    }
    return false;
}

int Interpreter::executeLine(const std::string& line, int n) {
    ScopedValue<int> inProgress(lineInProgress_, n);
    const int next = n + 1;
    std::string s = line;
    for (;;) {
        if (isComment(s)) return next;
        if (charAt(s, 2) == ':' && labelIndex(s) >= 0) s.erase(0, 3);
        if (s.rfind("if", 0) != 0) break;
        const std::size_t then = s.find("then");
        if (then == std::string::npos) engineError("if sans then" + std::to_string(n) + ":" + s);
        if (!condition(between(s, 3, then - 1))) return next;
        const int target = labelAt(s, then + 5);
        if (target >= 0) return target;
        s = then + 5 < s.size() ? s.substr(then + 5) : std::string();
    }
    if (s.rfind("goto", 0) == 0) {
        const int target = labelAt(s, 5);
        return target >= 0 ? target : next;
    }
    if (s.find('=') != std::string::npos) return executeAssignment(s, n, next);
    executeCommand(s, n);
    return next;
}

int Interpreter::executeAssignment(const std::string& s, int n, int next) {
    const std::size_t eq = s.find('=');
    const std::string name = s.substr(0, eq);
    const std::string invalid = "variable non valide à la ligne " + std::to_string(n) + ":" + s;
    if (name.empty()) engineError(invalid);
    const std::size_t semicolon = s.find(';');
    const double value =
        evaluate(semicolon == std::string::npos ? s.substr(eq + 1) : between(s, eq + 1, semicolon));
    if (!isIdentifier(name)) engineError(invalid);
    try {
        if (const auto p = variables_.find(name)) {
            variables_.descriptor(*p).number = value;
            if (const auto& routine = variables_.routine(*p)) routine(name);
        }
        Parser1.SetVariable(name, value);
    } catch (const std::exception&) {
        engineError(invalid);
    }
    return next;
}

void Interpreter::executeCommand(const std::string& s, int n) {
    std::string name, list;
    if (const std::size_t open = s.find('['); open != std::string::npos) {
        name = s.substr(0, open);
        const std::size_t close = s.find(']');
        list = close == std::string::npos ? std::string() : between(s, open + 1, close);
    } else {
        name = s.substr(0, s.find(';'));
    }
    const CommandRoutine* routine = registry_.find(name);
    if (!routine) engineError("fonction non valide à la ligne " + std::to_string(n) + ":" + s);
    // A command whose arguments did not evaluate is not called: it would work on zeros.
    if (!fillArguments(list)) return;
    CommandArgs args = slots_;
    args.command = name;
    const CommandRoutine call = *routine;
    // Whatever escapes a command halts the script on this line, like an engine error.
    try {
        try {
            call(*this, args);
        } catch (const std::bad_alloc&) {
            // An allocation of a size the command did not check itself.
            throw EOutOfMemory("cette commande", 0);
        }
    } catch (const std::exception& e) {
        host_.setStepTimer(false);
        journalFailure(failurePlace(true) + name + " : " + e.what());
        throw;
    } catch (...) {
        host_.setStepTimer(false);
        throw;
    }
}

bool Interpreter::fillArguments(const std::string& list) {
    slots_.clear();
    expressionErrorSeen_ = false;
    if (list.empty()) return true;
    std::vector<std::string> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        pieces.push_back(list.substr(start, comma == std::string::npos ? std::string::npos
                                                                        : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (pieces.size() > CommandArgs::slotCount) {
        wb_.journal.appendLine("!! plus de 10 arguments, les suivants sont ignorés : " + list);
        pieces.resize(CommandArgs::slotCount);
    }
    for (std::size_t k = 1; k <= pieces.size(); ++k) {
        const std::string& piece = pieces[k - 1];
        std::string& text = slots_.argText[k];
        long double& number = slots_.argNumber[k];
        text = piece;
        if (piece.find('"') != std::string::npos) {
            text = piece.size() >= 2 ? piece.substr(1, piece.size() - 2) : std::string();
            continue;
        }
        if (piece.find_first_of("@$#") == std::string::npos) {
            const double v = evaluate(piece);
            number = v;
            text = wb_.number(v);
            continue;
        }
        if (const std::size_t dollar = text.find('$'); dollar != std::string::npos && dollar > 0)
            if (const auto p = variables_.find(text.substr(0, dollar)))
                text = variables_.descriptor(*p).text;
        if (charAt(text, 0) == '@') {
            text.erase(0, 1);
            if (!variables_.find(text)) registerScriptVariable(text, 0, nullptr, "", {});
        }
        if (const std::size_t hash = text.find('#'); hash != std::string::npos && hash > 0) {
            const double index = evaluate(text.substr(hash + 1));
            if (const auto p = variables_.find(text.substr(0, hash))) {
                const std::vector<double>& values = variables_.descriptor(*p).values;
                const double i = roundHalfEven(index);
                // An index outside the array reads 0.
                const double v = i >= 0 && i < double(values.size()) ? values[std::size_t(i)] : 0.0;
                number = v;
                text = wb_.number(v);
            }
        }
    }
    return !expressionErrorSeen_;
}

bool Interpreter::registerScriptVariable(const std::string& name, long double initial,
                                         ScriptVariables::ChangeRoutine routine,
                                         const std::string& help,
                                         const std::array<std::int32_t, 5>& attributes) {
    if (variables_.size() >= ScriptVariables::descriptorCount) {
        wb_.journal.appendLine("!! " + name + " : plus de " +
                               std::to_string(ScriptVariables::descriptorCount) +
                               " variables de script, celle-ci n'est pas créée");
        return false;
    }
    Parser1.SetVariable(name, static_cast<double>(initial));
    variables_.add(name, std::move(routine), help, attributes);
    return true;
}

double Interpreter::evaluate(const std::string& text) {
    if (text.empty()) return 0; // an empty expression has an empty list
    CompiledCache::Entry& entry = cache_.lookup(Parser1, text);
    if (entry.error) {
        try {
            std::rethrow_exception(entry.error);
        } catch (const EMathParserError& e) {
            reportExpressionError(e);
        }
        return 0;
    }
    return Parser1.evaluate(*entry.compiled);
}

void Interpreter::reportNumber(double value, const std::string& variable) {
    if (variable.empty()) {
        wb_.journal.appendLine(wb_.number(value));
    } else {
        Parser1.SetVariable(variable, value);
    }
}

} // namespace ombrelune
