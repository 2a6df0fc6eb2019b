// Random lines through the interpreter as the command box runs them, on the default
// spectra with files confined to a temporary data root and "delay" not waiting: no crash,
// no hang, every failure one of the program's own exceptions.

#include "fuzz_support.hpp"

#include "errors/errors.hpp"
#include "proc2d/all_commands.hpp"
#include "script/interpreter.hpp"
#include "script/null_script_host.hpp"
#include "store/settings_store.hpp"

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace ombrelune;

namespace {

struct World {
    std::filesystem::path root;
    MemorySettingsStore settings;
    std::unique_ptr<Workbench> wb;
    NullScriptHost host;
    std::unique_ptr<Interpreter> interp;

    World() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ombrelune-fuzz-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        // Relative file names in the lines land in the data root too.
        std::filesystem::current_path(root);
        reset();
    }
    void reset() {
        interp.reset();
        wb = std::make_unique<Workbench>(settings, DataPaths{root});
        wb->journal.start();
        createDefaultSpectra(*wb);
        interp = std::make_unique<Interpreter>(*wb, host);
        bindAllCommands(interp->registry());
        interp->registry().bind("delay", [](Interpreter&, const CommandArgs&) {});
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static World world;
    static int runs = 0;
    if (++runs % 1000 == 0) world.reset(); // keep the journal and the tables small
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        try {
            world.interp->executeCommandBox(text.substr(start, end - start));
        } catch (const OmbreluneError&) {
        }
        start = end + 1;
    }
    return 0;
}
