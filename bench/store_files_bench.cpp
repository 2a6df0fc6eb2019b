// Spectrum file write and read of a 2048 x 2048 image, through the page cache.

#include "bench_registry.hpp"

#include "store/settings_store.hpp"
#include "store/spectrum_files.hpp"
#include "store/workbench.hpp"

#include <filesystem>
#include <unistd.h>

namespace ombrelune::bench {
namespace {

constexpr int side = 2048;

struct FileBench {
    std::filesystem::path dir;
    MemorySettingsStore settings;
    Workbench wb{settings, DataPaths{std::filesystem::temp_directory_path()}};
    spectre image;
    std::filesystem::path file;

    FileBench() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ombrelune-bench-XXXXXX").string();
        dir = ::mkdtemp(pattern.data());
        file = dir / "image.dat";
        image.resize(side, side, 1);
        image.clear();
        image.setXAlongI(indexAxis(side));
        image.setYAlongJ(indexAxis(side));
        for (std::size_t p = 0; p < image.pointCount(); ++p) image.setValue(p, double(p % 977));
    }
    ~FileBench() { std::filesystem::remove_all(dir); }
};

std::vector<BenchLine> run(bool write) {
    FileBench fb;
    const double bytes = double(spectreDataOffset(0)) + 8.0 * (2 * side + 1 + double(side) * side);
    writeSpectreFile(fb.image, fb.file, fb.wb.journal);
    double seconds;
    if (write) {
        seconds = medianSeconds([&] { writeSpectreFile(fb.image, fb.file, fb.wb.journal); });
    } else {
        seconds = medianSeconds([&] {
            spectre s;
            readSpectreFile(s, fb.file);
        });
    }
    return {{write ? "spectre-file-write" : "spectre-file-read", "2048x2048", seconds,
             megabytesPerSecond(bytes, seconds), ""}};
}

const bool registered = registerBench({"spectre-file-write", [] { return run(true); }}) &&
                        registerBench({"spectre-file-read", [] { return run(false); }});

} // namespace
} // namespace ombrelune::bench
