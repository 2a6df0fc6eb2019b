// expr-compile: compile times of three formulas of about 20, 60 and 150 characters.
// eval-formula: C=A*2+SIN(B)/(A+1) over two 2048 x 2048 images with evalFormula, and its
// ratio to eval-formula-native, a hand-written double loop over the same images.

#include "bench_registry.hpp"

#include "script/eval_formula.hpp"
#include "store/number_format.hpp"
#include "store/settings_store.hpp"

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace ombrelune::bench {
namespace {

BenchLine compileLine(const std::string& text) {
    TParser parser;
    constexpr int repeats = 200;
    const double seconds = medianSeconds([&] {
                               for (int k = 0; k < repeats; ++k)
                                   if (!parser.compile(text)) std::abort();
                           }) /
                           repeats;
    return {"expr-compile", std::to_string(text.size()) + " chars", seconds,
            perSecond(1, seconds, "compiles/s"), text};
}

std::vector<BenchLine> compileCase() {
    return {compileLine("SIN(X)*(A+B)/(C-2.5)"),
            compileLine("MAX(SIN(X*PI/180),COS(Y))*(A+B*(C-D))/(1+EXP(-(X-A)^2/B))-N*M"),
            compileLine("(A*EXP(-((X-B)/C)^2/2)+D*EXP(-((X-E)/M)^2/2))/(1+N*SQRT(ABS(X-O)))"
                        "+P*SIN(2*PI*X/Q+R)*COS(PI*Y/S)-MAX(T,MIN(U,V*LN(1+W*X^2)))"
                        "+ATAN((Y-Z)/(1+T^2))*0.5")};
}

constexpr int side = 2048;
const std::string formula = "C=A*2+SIN(B)/(A+1)";

// Two images A and B with varied values, and the result C already made, in one table.
struct Images {
    spectlist table;
    Images() {
        for (const char* name : {"A", "B", "C"}) table.create(name, side, side, 1);
        spectre& a = *table.find("A");
        spectre& b = *table.find("B");
        for (std::size_t p = 0; p < a.pointCount(); ++p) {
            a.setValue(p, static_cast<double>(p % 1009) * 0.01);
            b.setValue(p, static_cast<double>(p % 997) * 0.006 - 3);
        }
    }
};

double nativeSeconds(Images& images) {
    return medianSeconds([&] {
        const spectre& a = *images.table.find("A");
        const spectre& b = *images.table.find("B");
        spectre& c = *images.table.find("C");
        for (std::int32_t i = 0; i < side; ++i)
            for (std::int32_t j = 0; j < side; ++j) {
                const double av = a.valueAt(i, j, 0);
                c.setValueAt(i, j, 0, av * 2 + std::sin(b.valueAt(i, j, 0)) / (av + 1));
            }
    });
}

std::string sizeText() {
    return std::to_string(side) + "x" + std::to_string(side);
}
std::string pointRate(double seconds) {
    return perSecond(double(side) * side / 1e6, seconds, "Mpoint/s");
}

std::vector<BenchLine> nativeCase() {
    Images images;
    const double seconds = nativeSeconds(images);
    return {{"eval-formula-native", sizeText(), seconds, pointRate(seconds), ""}};
}

std::vector<BenchLine> formulaCase() {
    Images images;
    MemorySettingsStore settings;
    Journal journal(settings, std::filesystem::temp_directory_path());
    TParser parser;
    const double seconds = medianSeconds([&] {
        if (!evalFormula(images.table, formula, parser, journal)) std::abort();
    });
    const double native = nativeSeconds(images);
    return {{"eval-formula", sizeText(), seconds, pointRate(seconds),
             "ratio to native " + formatFixed(seconds / native, 2)}};
}

const bool compileRegistered = registerBench({"expr-compile", compileCase});
const bool formulaRegistered = registerBench({"eval-formula", formulaCase});
const bool nativeRegistered = registerBench({"eval-formula-native", nativeCase});

} // namespace
} // namespace ombrelune::bench
