#include "script/eval_formula.hpp"

#include "script/block_evaluator.hpp"
#include "store/number_format.hpp"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>
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
            return spectrum->at(i, j, 0).value;
        default:
            return spectrum->at(i, j, 0).mon;
        }
    }
};

struct Point {
    std::int32_t i, j;
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
    BlockRunner(std::shared_ptr<CompiledExpression> compiled, const FormulaVariables& variables,
                spectre& target)
        : compiled_(std::move(compiled)), variables_(variables), target_(target),
          evaluator_(compiled_, {variables.cells.begin(), variables.cells.end()}) {
        points_.reserve(BlockEvaluator::blockSize);
    }

    void add(Point p) {
        points_.push_back(p);
        if (points_.size() == BlockEvaluator::blockSize) flush();
    }

    void flush() {
        if (points_.empty()) return;
        for (std::size_t v = 0; v < variables_.cells.size(); ++v) {
            if (!evaluator_.reads(v)) continue;
            double* lane = evaluator_.input(v);
            const PointInput& in = variables_.inputs[v];
            for (std::size_t k = 0; k < points_.size(); ++k)
                lane[k] = in.at(points_[k].i, points_[k].j);
        }
        try {
            const auto results = evaluator_.run(points_.size());
            for (std::size_t k = 0; k < points_.size(); ++k)
                target_.at(points_[k].i, points_[k].j, 0).value = results[k];
        } catch (...) {
            // Point by point, the points before the failing one are stored before it raises.
            for (const Point& p : points_) {
                setVariables(p);
                target_.at(p.i, p.j, 0).value = compiled_->evaluate();
            }
            throw;
        }
        last_ = points_.back();
        points_.clear();
    }

    // The variables keep the values of the last point computed, as point by point.
    void leaveLastPointSet() {
        if (last_) setVariables(*last_);
    }

private:
    void setVariables(Point p) {
        for (std::size_t v = 0; v < variables_.cells.size(); ++v)
            *variables_.cells[v] = variables_.inputs[v].at(p.i, p.j);
    }

    std::shared_ptr<CompiledExpression> compiled_;
    const FormulaVariables& variables_;
    spectre& target_;
    BlockEvaluator evaluator_;
    std::vector<Point> points_;
    std::optional<Point> last_;
};

} // namespace

bool evalFormula(spectlist& table, const std::string& text, TParser& parser, Journal& journal) {
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
    if (participants.size() > maxParticipants) {
        journal.appendLine("!! evalFormula: more than " + formatGeneral(maxParticipants) +
                           " spectra in " + text + ", nothing computed");
        return false;
    }
    const auto equals = text.find('=');
    if (equals == std::string::npos || participants.empty()) return true;
    const spectre& model = *participants.back();
    const std::int32_t nx = model.nx, ny = model.ny, nz = model.nz;
    if (nx <= 0 || ny <= 0) return true;

    const std::string targetName = text.substr(0, equals);
    spectre* target = table.find(targetName);
    if (!target) {
        const std::string typeX = model.typeX, typeY = model.typeY;
        target = table.at(table.create(targetName, nx, ny, nz));
        if (!target) {
            journal.appendLine("!! evalFormula: cannot create " + targetName);
            return false;
        }
        target->typeX = typeX;
        target->typeY = typeY;
    }

    FormulaVariables variables;
    variables.add(parser, "i", {PointInput::indexI});
    variables.add(parser, "j", {PointInput::indexJ});
    for (const spectre* s : participants) {
        variables.add(parser, s->name, {PointInput::value, s});
        variables.add(parser, s->name + "mon", {PointInput::mon, s});
    }
    BlockRunner runner(parser.compile(std::string_view(text).substr(equals + 1)), variables,
                       *target);

    std::size_t skipped = 0;
    for (std::int32_t i = 0; i < nx; ++i) {
        for (std::int32_t j = 0; j < ny; ++j) {
            const bool everywhere =
                target->contains(i, j, 0) &&
                std::all_of(participants.begin(), participants.end(),
                            [&](const spectre* s) { return s->contains(i, j, 0); });
            if (everywhere)
                runner.add({i, j});
            else
                ++skipped;
        }
    }
    runner.flush();
    runner.leaveLastPointSet();
    if (skipped > 0)
        journal.appendLine("!! evalFormula: " + formatGeneral(static_cast<double>(skipped)) +
                           " points of " + targetName +
                           " skipped, a spectrum of the formula does not have them");
    return true;
}

} // namespace ombrelune
