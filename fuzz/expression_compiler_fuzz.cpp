// Random texts through the expression compiler, against an evaluator with a few variables.
// Every text must compile or raise an EMathParserError, within 100 ms of processor time.
// A compiled text is then evaluated point by point and in bulk over a few values of X,
// which must agree bit for bit (or both raise). Short texts are also compiled with ","
// as decimal separator, the mode where every candidate operator is tried.

#include "script/block_evaluator.hpp"
#include "script/expression_compiler.hpp"
#include "script/parser.hpp"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

using namespace ombrelune;

TParser& evaluator() {
    static TParser parser;
    static const bool ready = [] {
        parser.SetVariable("X", 0);
        parser.SetVariable("Y", -2.5);
        parser.SetVariable("ALPHA", 0.5);
        parser.SetVariable("X_1", 1e300);
        parser.SetVariable("E", 3);
        return true;
    }();
    (void)ready;
    return parser;
}

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

[[noreturn]] void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
    std::abort();
}

constexpr double inputs[] = {0,     -0.0,   1,        -1,        0.5, 3,     1e-310,
                             1e300, -1e300, INFINITY, -INFINITY, NAN, 20000, 2147483648.0};

void compareBulkWithPoints(TParser& p, const std::shared_ptr<CompiledExpression>& list,
                           const std::string& text) {
    double* x = p.variableCell("X");
    constexpr std::size_t n = sizeof inputs / sizeof inputs[0];
    double expected[n];
    bool pointRaised = false;
    for (std::size_t k = 0; k < n; ++k) {
        *x = inputs[k];
        try {
            expected[k] = p.evaluate(*list);
        } catch (const ERangeError&) {
            pointRaised = true;
        }
    }
    *x = 0;
    BlockEvaluator block(list, {x});
    std::memcpy(block.input(0), inputs, sizeof inputs);
    try {
        const auto got = block.run(n);
        if (pointRaised) fail("bulk evaluation did not raise", text);
        if (list->usesRandom()) return;
        for (std::size_t k = 0; k < n; ++k)
            if (std::memcmp(&got[k], &expected[k], sizeof(double)) != 0 &&
                !(std::isnan(got[k]) && std::isnan(expected[k])))
                fail("bulk and point evaluation differ", text);
    } catch (const ERangeError&) {
        if (!pointRaised) fail("bulk evaluation raised alone", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TParser& p = evaluator();
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double start = cpuSeconds();
    std::shared_ptr<CompiledExpression> list;
    try {
        list = p.compile(text);
    } catch (const EMathParserError&) {
    }
    if (cpuSeconds() - start > 0.1) fail("compilation took more than 100 ms", text);
    if (list) compareBulkWithPoints(p, list, text);
    if (size <= 64) {
        VariableTable variables = {{"X", p.variableCell("X")}, {"Y", p.variableCell("Y")}};
        Function1Table functions1 = {{"SIN", {[](double v) { return std::sin(v); }}}};
        Function2Table functions2 = {{"MAX", {[](double a, double b) { return a < b ? b : a; }}}};
        try {
            compileExpression(text, CompilerTables{variables, functions1, functions2, ','})
                ->evaluate();
        } catch (const EMathParserError&) {
        }
    }
    return 0;
}
