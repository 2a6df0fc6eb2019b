// Lines per second of the engine stepping a tight loop, as the headless runner does.

#include "bench_registry.hpp"

#include "script/interpreter.hpp"
#include "script/null_script_host.hpp"
#include "store/settings_store.hpp"

#include <filesystem>

namespace ombrelune::bench {
namespace {

std::vector<BenchLine> run() {
    constexpr int loops = 200000;
    MemorySettingsStore settings;
    Workbench wb(settings, DataPaths{std::filesystem::temp_directory_path()});
    NullScriptHost host;
    Interpreter interp(wb, host);
    long lines = 0;
    const double seconds = medianSeconds([&] {
        interp.execute("X=0;\nLA:X=X+1;\nif X<" + std::to_string(loops) + " then goto LA;");
        lines = 0;
        while (interp.running()) {
            interp.tick();
            ++lines;
        }
    });
    return {{"script-loop", std::to_string(lines) + " lines", seconds,
             perSecond(double(lines), seconds, "lines/s"), ""}};
}

const bool registered = registerBench({"script-loop", run});

} // namespace
} // namespace ombrelune::bench
