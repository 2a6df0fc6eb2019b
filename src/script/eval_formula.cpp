#include "script/eval_formula.hpp"

#include "script/block_evaluator.hpp"
#include "store/number_format.hpp"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace ombrelune {
namespace {

constexpr std::size_t maxParticipants = 10;

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isIdentifier(std::string_view name) {
    return !name.empty() && !(name[0] >= '0' && name[0] <= '9') &&
           std::all_of(name.begin(), name.end(), isNameChar);
}

// The whole identifiers of the text, as written.
std::vector<std::string_view> identifiersOf(std::string_view text) {
    std::vector<std::string_view> words;
    for (std::size_t p = 0; p < text.size();) {
        if (!isNameChar(text[p])) {
            ++p;
            continue;
        }
        const std::size_t start = p;
        while (p < text.size() && isNameChar(text[p])) ++p;
        words.push_back(text.substr(start, p - start));
    }
    return words;
}

// What a varying variable holds at a point.
struct PointInput {
    enum Kind { indexI, indexJ, value, mon } kind;
    const spectre* spectrum = nullptr;

    double at(std::int32_t i, std::int32_t j) const {
        switch (kind) {
        case indexI:
            return i;
        case indexJ:
            return j;
        case value:
            return spectrum->valueAt(i, j, 0);
        default:
            return spectrum->monAt(i, j, 0);
        }
    }
};

// The formula's variables, in the order a point sets them; a name set twice (two spectra
// whose names differ only in case, a spectrum called "i") keeps the later input.
struct FormulaVariables {
    std::vector<double*> cells;
    std::vector<PointInput> inputs;

    void add(TParser& parser, const std::string& name, PointInput input) {
        double* cell = parser.variableCell(name);
        if (!cell) cell = parser.SetVariable(name, 0);
        const auto it = std::find(cells.begin(), cells.end(), cell);
        if (it != cells.end()) {
            inputs[static_cast<std::size_t>(it - cells.begin())] = input;
            return;
        }
        cells.push_back(cell);
        inputs.push_back(input);
    }
};

// Runs the formula over the points of one block and stores the results in the target.
class BlockRunner {
public:
    static constexpr std::size_t blockSize = BlockEvaluator::blockSize;

    BlockRunner(std::shared_ptr<CompiledExpression> compiled, const FormulaVariables& variables,
                spectre& target)
        : compiled_(std::move(compiled)), variables_(variables), target_(target),
          evaluator_(compiled_, {variables.cells.begin(), variables.cells.end()}) {}

    void add(std::int32_t i, std::int32_t j) {
        i_[count_] = i;
        j_[count_] = j;
        if (++count_ == blockSize) flush();
    }

    void flush() {
        if (count_ == 0) return;
        for (std::size_t v = 0; v < variables_.cells.size(); ++v)
            if (evaluator_.reads(v)) fill(evaluator_.input(v), variables_.inputs[v]);
        const auto results = evaluator_.run(count_);
        const std::span<double> out = target_.writableValues();
        for (std::size_t k = 0; k < count_; ++k) out[indexIn(target_, k)] = results[k];
        last_ = count_ - 1;
        count_ = 0;
    }

    // The variables keep the values of the last point computed, as point by point.
    void leaveLastPointSet() {
        if (last_) setVariables(*last_);
    }

private:
    void fill(double* lane, const PointInput& in) const {
        switch (in.kind) {
        case PointInput::indexI:
            std::copy_n(i_.begin(), count_, lane);
            break;
        case PointInput::indexJ:
            std::copy_n(j_.begin(), count_, lane);
            break;
        case PointInput::value:
        case PointInput::mon: {
            const spectre& s = *in.spectrum;
            if (in.kind == PointInput::value) {
                const std::span<const double> values = s.values();
                for (std::size_t k = 0; k < count_; ++k) lane[k] = values[indexIn(s, k)];
            } else {
                for (std::size_t k = 0; k < count_; ++k) lane[k] = s.monAt(i_[k], j_[k], 0);
            }
            break;
        }
        }
    }

    // Where point k of the block, (i, j, 0), sits in a spectrum's points.
    std::size_t indexIn(const spectre& s, std::size_t k) const {
        return (static_cast<std::size_t>(i_[k]) * static_cast<std::size_t>(s.ny) +
                static_cast<std::size_t>(j_[k])) *
               static_cast<std::size_t>(s.nz);
    }

    void setVariables(std::size_t k) {
        for (std::size_t v = 0; v < variables_.cells.size(); ++v)
            *variables_.cells[v] = variables_.inputs[v].at(i_[k], j_[k]);
    }

    std::shared_ptr<CompiledExpression> compiled_;
    const FormulaVariables& variables_;
    spectre& target_;
    BlockEvaluator evaluator_;
    std::array<std::int32_t, blockSize> i_{}, j_{};
    std::size_t count_ = 0;
    std::optional<std::size_t> last_; // index in i_ and j_ of the last point computed
};

// The spectra whose name or name + "mon" stands in the text as a whole identifier, in slot
// order. A name that is not an identifier could not be a variable and takes no part.
std::vector<const spectre*> participantsOf(const spectlist& table, const std::string& text) {
    const auto words = identifiersOf(text);
    auto named = [&](const std::string& word) {
        return std::find(words.begin(), words.end(), word) != words.end();
    };
    std::vector<const spectre*> participants;
    for (int slot = 1; slot <= spectlist::slotCount; ++slot) {
        const spectre* s = table.at(slot);
        if (s && isIdentifier(s->name) && (named(s->name) || named(s->name + "mon")))
            participants.push_back(s);
    }
    return participants;
}

// The results are computed into a copy of the target (or a new spectrum with the model's
// sizes and axis types), so that a formula that fails half way leaves the table as it was.
spectre scratchTarget(const spectlist& table, const std::string& name, const spectre& model) {
    if (const spectre* existing = table.find(name)) return *existing;
    spectre made;
    made.name = name;
    made.resize(model.nx, model.ny, model.nz);
    made.clear();
    made.typeX = model.typeX;
    made.typeY = model.typeY;
    return made;
}

// The extent of the points (i, j, 0) that the target and every participant have.
std::pair<std::int32_t, std::int32_t> commonExtent(const spectre& target,
                                                   const std::vector<const spectre*>& spectra,
                                                   std::int32_t nx, std::int32_t ny) {
    std::int32_t commonNx = std::min(nx, target.nx), commonNy = std::min(ny, target.ny);
    bool layerZero = target.nz > 0;
    for (const spectre* s : spectra) {
        commonNx = std::min(commonNx, s->nx);
        commonNy = std::min(commonNy, s->ny);
        layerZero = layerZero && s->nz > 0;
    }
    if (!layerZero) return {0, 0};
    return {commonNx, commonNy};
}

} // namespace

bool evalFormula(spectlist& table, const std::string& text, TParser& parser, Journal& journal) {
    const std::vector<const spectre*> participants = participantsOf(table, text);
    if (participants.size() > maxParticipants) {
        journal.appendLine("!! evalFormula: more than " + formatGeneral(maxParticipants) +
                           " spectra in " + text + ", nothing computed");
        return false;
    }
    const auto equals = text.find('=');
    if (equals == std::string::npos || participants.empty()) return true;
    const std::int32_t nx = participants.back()->nx, ny = participants.back()->ny;
    if (nx <= 0 || ny <= 0) return true;

    const std::string targetName = text.substr(0, equals);
    FormulaVariables variables;
    variables.add(parser, "i", {PointInput::indexI});
    variables.add(parser, "j", {PointInput::indexJ});
    for (const spectre* s : participants) {
        variables.add(parser, s->name, {PointInput::value, s});
        variables.add(parser, s->name + "mon", {PointInput::mon, s});
    }
    // Compiled (once its variables exist) before anything is made: a formula that does
    // not compile leaves no target.
    std::shared_ptr<CompiledExpression> compiled =
        parser.compile(std::string_view(text).substr(equals + 1));
    spectre target = scratchTarget(table, targetName, *participants.back());
    BlockRunner runner(std::move(compiled), variables, target);
    const auto [commonNx, commonNy] = commonExtent(target, participants, nx, ny);
    for (std::int32_t i = 0; i < commonNx; ++i)
        for (std::int32_t j = 0; j < commonNy; ++j) runner.add(i, j);
    runner.flush();
    runner.leaveLastPointSet();
    if (spectre* existing = table.find(targetName)) {
        *existing = std::move(target);
    } else if (table.store(std::move(target)) == -1) {
        journal.appendLine("!! evalFormula: cannot create " + targetName);
        return false;
    }
    const std::int64_t skipped = std::int64_t{nx} * ny - std::int64_t{commonNx} * commonNy;
    if (skipped > 0)
        journal.appendLine("!! evalFormula: " + formatGeneral(static_cast<double>(skipped)) +
                           " points of " + targetName +
                           " skipped, a spectrum of the formula does not have them");
    return true;
}

} // namespace ombrelune
