// ombrelune-bench [CASE ...]: runs the named cases (all when none is named) and prints one
// tab-separated line per result: case, size, median seconds, throughput.

#include "bench_registry.hpp"

#include "store/number_format.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace ombrelune::bench;
    std::vector<std::string> wanted(argv + 1, argv + argc);
    auto cases = benchCases();
    std::sort(cases.begin(), cases.end(),
              [](const BenchCase& a, const BenchCase& b) { return a.name < b.name; });
    for (const auto& name : wanted) {
        if (name == "--list") {
            for (const auto& c : cases) std::printf("%s\n", c.name.c_str());
            return 0;
        }
        if (std::none_of(cases.begin(), cases.end(), [&](auto& c) { return c.name == name; })) {
            std::fprintf(stderr, "ombrelune-bench: no case named %s (try --list)\n", name.c_str());
            return 2;
        }
    }
    for (const auto& c : cases) {
        if (!wanted.empty() && std::find(wanted.begin(), wanted.end(), c.name) == wanted.end())
            continue;
        for (const BenchLine& line : c.run()) {
            std::string text = line.name + "\t" + line.size + "\t" +
                               ombrelune::formatScientific(line.seconds, 3, 2) + "\t" +
                               line.throughput;
            if (!line.extra.empty()) text += "\t" + line.extra;
            std::printf("%s\n", text.c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
