// batch-overhead: what ombrelune-run itself costs per input of a batch, -j 1: 1000 tiny
// inputs with a one-line script, against one input, as a user starts it (quiet, journal on
// disk). The difference over 999 inputs is the runner's own cost per input: a fresh
// workbench with its default spectra, a fresh interpreter, the input's journal lines.

#include "bench_registry.hpp"

#include "store/number_format.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace ombrelune::bench {
namespace {

constexpr int inputCount = 1000;

double runnerSeconds(const std::filesystem::path& dir, const std::string& inputs) {
    const std::string command = "cd '" + dir.string() + "' && HOME='" + dir.string() +
                                "' XDG_CONFIG_HOME='" + dir.string() + "/config' " + OMBRELUNE_RUN +
                                " -q --home . --journal bench -i '" + inputs +
                                "' -e 'X=X+INPUT' >/dev/null 2>&1";
    return medianSeconds([&] { [[maybe_unused]] const int status = std::system(command.c_str()); },
                         3);
}

std::vector<BenchLine> run() {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("ombrelune-batch-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir / "in");
    for (int k = 1; k <= inputCount; ++k)
        std::ofstream(dir / "in" / ("run" + std::to_string(k) + ".dat")) << "x";
    const double one = runnerSeconds(dir, "in/run1.dat");
    const double all = runnerSeconds(dir, "in/*.dat");
    std::filesystem::remove_all(dir);
    const double perInput = (all - one) / (inputCount - 1);
    return {{"batch-overhead", std::to_string(inputCount) + " inputs", all,
             formatFixed(perInput * 1e3, 3) + " ms/input",
             "one input " + formatFixed(one * 1e3, 1) + " ms"}};
}

const bool registered = registerBench({"batch-overhead", run});

} // namespace
} // namespace ombrelune::bench
