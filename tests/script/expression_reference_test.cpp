// The compiler against a word-for-word reading of the splitting rules: every candidate
// operator tried left to right, every acceptance test recomputed from scratch, the operand
// fields written as each attempt goes. Exponential, so only for short texts, but it shares
// none of the compiler's shortcuts; on random texts both must give the same value or the
// same error and message.

#include "errors/errors.hpp"
#include "script/expression_compiler.hpp"
#include "script/expression_number.hpp"
#include "script/expression_steps.hpp"
#include "script/function_library.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace ombrelune {
namespace {

using Text = std::string;

enum Kind {
    number,
    variable,
    bracketed,
    negation,
    sum,
    difference,
    product,
    quotient,
    power,
    call1,
    call2
};

int balance(const Text& t) {
    int b = 0;
    for (char c : t) b += (c == '(') - (c == ')');
    return b;
}

struct Fields {
    Text left = " ", right = " ";
};

class Reference {
public:
    explicit Reference(const CompilerTables& t) : t_(t) {}

    // The value of the prepared text, or raises like the compiler (limits aside: the texts
    // are too short to reach them).
    double value(const Text& prepared) {
        Text whole = prepared;
        while (auto inside = stripBrackets(whole)) whole = *inside;
        return evaluate(whole);
    }

private:
    using Set = std::vector<Kind>;

    std::optional<Text> accept(const Set& set, const Text& s) {
        if (s.empty()) return std::nullopt;
        for (Kind k : set) {
            if (k == bracketed) {
                if (auto inside = stripBrackets(s)) return inside;
            } else if (test(k, s, nullptr)) {
                return s;
            }
        }
        return std::nullopt;
    }
    std::optional<Text> isTerm(const Text& s) {
        return accept({number, variable, negation, sum, difference, product, quotient, power, call1,
                       call2, bracketed},
                      s);
    }
    std::optional<Text> stripBrackets(const Text& s) {
        if (s.size() < 2 || s.front() != '(' || s.back() != ')') return std::nullopt;
        return isTerm(s.substr(1, s.size() - 2));
    }

    struct Split {
        Text left, right, rawRight;
    };
    std::optional<Split> split(const Text& t, char op, std::size_t from, const Set& left,
                               const Set& right, Fields* w, bool rightWrittenFirst) {
        for (std::size_t p = t.find(op, from); p != Text::npos; p = t.find(op, p + 1)) {
            if (p == 0 || p == t.size() - 1) return std::nullopt;
            const Text l = t.substr(0, p), r = t.substr(p + 1);
            const bool balanced = balance(l) == 0 && balance(r) == 0;
            if (w && rightWrittenFirst) {
                w->right = r;
                if (balanced) w->left = l;
            } else if (w) {
                w->left = l;
                w->right = r;
            }
            if (!balanced) continue;
            auto la = accept(left, l);
            auto ra = la ? accept(right, r) : std::nullopt;
            if (la && ra) return Split{*la, *ra, r};
        }
        return std::nullopt;
    }

    const Set atoms{number, variable, bracketed, call1, call2};
    Set with(Set s, std::initializer_list<Kind> more) {
        s.insert(s.end(), more);
        return s;
    }

    std::optional<Split> match(Kind k, const Text& t, Fields* w) {
        switch (k) {
        case negation: {
            if (t.empty() || t[0] != '-') return std::nullopt;
            if (w) w->left = t.substr(1);
            auto rest = accept({bracketed, variable, power, call1, call2}, t.substr(1));
            if (rest) return Split{*rest, "", ""};
            return std::nullopt;
        }
        case sum:
            return split(t, '+', 0, with(atoms, {negation, difference, product, quotient, power}),
                         with(atoms, {sum, difference, product, quotient, power}), w, true);
        case difference:
            return split(t, '-', 1, with(atoms, {negation, difference, product, quotient, power}),
                         with(atoms, {product, quotient, power}), w, false);
        case product:
            return split(t, '*', 0, with(atoms, {negation, quotient, power}),
                         with(atoms, {product, quotient, power}), w, false);
        case quotient:
            return split(t, '/', 0, with(atoms, {negation, quotient, power}), with(atoms, {power}),
                         w, false);
        case power:
            return split(t, '^', 0, atoms, atoms, w, false);
        case call1: {
            const auto q = t.find('(');
            if (q == Text::npos || q == 0) return std::nullopt;
            if (!t_.functions1.count(t.substr(0, q))) return std::nullopt;
            if (w) w->left = t.size() >= q + 2 ? t.substr(q + 1, t.size() - q - 2) : "";
            if (auto inside = stripBrackets(t.substr(q))) return Split{*inside, "", ""};
            return std::nullopt;
        }
        case call2: {
            const auto q = t.find('(');
            if (q == Text::npos || q == 0 || t.back() != ')') return std::nullopt;
            if (!t_.functions2.count(t.substr(0, q))) return std::nullopt;
            const Text inside = t.substr(q + 1, t.size() - q - 2);
            for (auto c = inside.find(','); c != Text::npos; c = inside.find(',', c + 1)) {
                if (c == 0 || c == inside.size() - 1) return std::nullopt;
                if (w) w->left = inside.substr(0, c);
                auto l = isTerm(inside.substr(0, c));
                if (!l) continue;
                if (w) w->right = inside.substr(c + 1);
                if (auto r = isTerm(inside.substr(c + 1))) return Split{*l, *r, ""};
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
        }
    }

    bool test(Kind k, const Text& s, Fields* w) {
        if (k == number) return isExpressionNumber(s, t_.decimalSeparator);
        if (k == variable) return t_.variables.count(s) != 0;
        return match(k, s, w).has_value();
    }

    double evaluate(const Text& t) {
        if (isExpressionNumber(t, t_.decimalSeparator))
            return *expressionNumberValue(t, t_.decimalSeparator);
        if (auto it = t_.variables.find(t); it != t_.variables.end()) return *it->second;
        Fields w;
        for (Kind k : {negation, sum, difference, product, quotient, power, call1, call2}) {
            const auto m = match(k, t, &w);
            if (!m) continue;
            const double a = evaluate(m->left);
            switch (k) {
            case negation:
                return steps::negate(a);
            case sum:
                return steps::add(a, evaluate(m->right));
            case difference:
                return steps::subtract(a, evaluate(m->right));
            case product:
                return steps::multiply(a, evaluate(m->right));
            case quotient:
                return steps::divide(a, evaluate(m->right));
            case power:
                return powerOf(a, *m);
            case call1:
                return t_.functions1.at(t.substr(0, t.find('('))).routine(a);
            default:
                return t_.functions2.at(t.substr(0, t.find('('))).routine(a, evaluate(m->right));
            }
        }
        const Text head = "Error parsing expression:\r";
        if (w.left == " " && w.right == " ") throw ESyntaxError(head + t);
        throw ESyntaxError(head + w.left + "\r" + w.right);
    }

    double powerOf(double a, const Split& m) {
        if (!isExpressionNumber(m.rawRight, t_.decimalSeparator))
            return steps::power(a, evaluate(m.right));
        const double e = *expressionNumberValue(m.rawRight, t_.decimalSeparator);
        if (std::trunc(e) != e) return steps::power(a, e);
        switch (steps::exponentOf(e)) {
        case 2:
            return steps::square(a);
        case 3:
            return steps::cube(a);
        case 4:
            return steps::fourth(a);
        default:
            return steps::intPower(a, e);
        }
    }

    const CompilerTables& t_;
};

struct Outcome {
    bool ok = false;
    double value = 0;
    std::string message;
    bool operator==(const Outcome& o) const {
        if (ok != o.ok) return false;
        if (!ok) return message == o.message;
        return std::memcmp(&value, &o.value, sizeof value) == 0 ||
               (std::isnan(value) && std::isnan(o.value));
    }
};

template <typename F> Outcome outcomeOf(F f) {
    try {
        return {true, f(), {}};
    } catch (const EMathParserError& e) {
        return {false, 0, e.what()};
    }
}

class ReferenceTest : public ::testing::TestWithParam<char> {
protected:
    ReferenceTest() {
        for (const char* name : {"X", "Y", "E", "AB", "I"}) {
            cells_.push_back(0);
            variables_[name] = &cells_.back();
        }
        *variables_["X"] = 3;
        *variables_["Y"] = -0.5;
        *variables_["E"] = 2;
        *variables_["AB"] = 10;
        for (const auto& f : libraryFunctions1())
            if (!f.entry.random) functions1_[f.name] = f.entry;
        for (const auto& f : libraryFunctions2()) functions2_[f.name] = f.entry;
    }

    std::deque<double> cells_;
    VariableTable variables_;
    Function1Table functions1_;
    Function2Table functions2_;
};

TEST_P(ReferenceTest, SameValueOrErrorAsTheReference) {
    const char separator = GetParam();
    const CompilerTables tables{variables_, functions1_, functions2_, separator};
    Reference reference(tables);
    const std::vector<std::string> pieces = {
        "X",  "Y", "E",  "AB", "I",  "1",    "2",    "0",    ".5", "2E",  "1E-",   "E+",
        "PI", "+", "-",  "-",  "*",  "/",    "^",    "^",    "(",  "(",   ")",     ")",
        ",",  ",", ",5", "1,", ",E", "SIN(", "MAX(", "MIN(", "I(", "LN(", "POWER("};
    // Signs next to commas and exponents, where a "," separator makes them ambiguous.
    std::vector<std::string> texts = {"MAX(1,E-2)",  "MAX(1,E+2)", "MAX(1,E-X)", "1,E-2",
                                      "SIN(1,E-2)",  "MAX(1,-2)",  "1,-2",       "X,-2",
                                      "MAX(X,-2)",   "MAX(1,E)",   "MAX(2E,1)",  "1,5E-1*2",
                                      "MAX(1,5E-1)", "2.E-1",      "X-1E-1-E",   "MAX(E,-E)"};
    std::mt19937 random(12345);
    for (int n = 0; n < 60000; ++n) {
        std::string text;
        const int count = 1 + static_cast<int>(random() % 9);
        for (int k = 0; k < count; ++k) text += pieces[random() % pieces.size()];
        if (balance(text) > 0) text += ")";
        if (balance(text) < 0) text = "(" + text;
        if (balance(text) == 0) texts.push_back(text);
    }
    int compiled = 0;
    for (const std::string& text : texts) {
        const Outcome mine = outcomeOf([&] {
            auto list = compileExpression(text, tables);
            return list->evaluate();
        });
        const Outcome theirs = outcomeOf([&] { return reference.value(text); });
        ASSERT_EQ(mine, theirs) << text << "\nmine: " << (mine.ok ? "" : mine.message) << mine.value
                                << "\nreference: " << (theirs.ok ? "" : theirs.message)
                                << theirs.value;
        compiled += mine.ok;
    }
    EXPECT_GT(compiled, 2000) << "the random texts should often be valid";
}

// "." is the program's separator; "," is a locale's, where a comma can also be a decimal
// point and the compiler tries every candidate operator.
INSTANTIATE_TEST_SUITE_P(Separators, ReferenceTest, ::testing::Values('.', ','));

} // namespace
} // namespace ombrelune
