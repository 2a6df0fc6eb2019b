// read-hadas, read-lamp-d17, read-tpa: the instrument readers on generated files of the
// instruments' sizes, in megabytes of file per second.

#include "bench_registry.hpp"

#include "proc2d/view_readers.hpp"
#include "store/instrument_files.hpp"
#include "store/number_format.hpp"
#include "store/settings_store.hpp"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace ombrelune::bench {
namespace {

std::filesystem::path writeTemporary(const std::string& name, const std::string& bytes) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("ombrelune-bench-" + std::to_string(::getpid()) + "-" + name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
    return path;
}

BenchLine timeRead(const std::string& bench, const std::string& name, const std::string& bytes,
                   const std::function<void(spectlist&, const std::filesystem::path&)>& read) {
    const auto path = writeTemporary(name, bytes);
    spectlist images;
    const double seconds = medianSeconds([&] { read(images, path); });
    std::filesystem::remove(path);
    return {bench, formatFixed(double(bytes.size()) / 1e6, 1) + " MB", seconds,
            megabytesPerSecond(double(bytes.size()), seconds), ""};
}

// Counts with the spread of a detector image: mostly small, some large.
int count(long n) {
    return int((n * 2654435761u) % 50000 % (n % 7 == 0 ? 50000 : 300));
}

std::string hadasText() {
    std::string text;
    for (long n = 0; n < long(hadasSide) * hadasSide; ++n)
        text += std::to_string(count(n)) + "\r\n";
    return text;
}

std::string lampD17Text() {
    std::string text = "ILL D17 LAMP\r\n  143500\r\n";
    for (long line = 0; line < 14350; ++line) {
        for (long f = 0; f < 10; ++f) {
            const std::string v = std::to_string(count(line * 10 + f));
            text += std::string(10 - v.size(), ' ') + v;
        }
        text += "\r\n";
    }
    return text;
}

std::string tpaFrame() {
    std::string bytes(tpaFrameBytes, '\0');
    for (std::size_t w = 0; w < tpaFrameBytes / 2; ++w) {
        const int v = count(long(w));
        bytes[2 * w] = char(v & 0xff);
        bytes[2 * w + 1] = char(v >> 8);
    }
    return bytes;
}

const bool registeredHadas = registerBench(
    {"read-hadas", [] {
         return std::vector{timeRead("read-hadas", "image.img", hadasText(),
                                     [](spectlist& t, const std::filesystem::path& p) {
                                         static MemorySettingsStore settings;
                                         static Journal journal(settings, p.parent_path());
                                         readHadasFile(t, p, '.', journal);
                                     })};
     }});

const bool registeredLamp = registerBench(
    {"read-lamp-d17", [] {
         return std::vector{timeRead(
             "read-lamp-d17", "d17.txt", lampD17Text(),
             [](spectlist& t, const std::filesystem::path& p) { readLampD17File(t, p, "D17"); })};
     }});

const bool registeredTpa = registerBench(
    {"read-tpa", [] {
         return std::vector{timeRead(
             "read-tpa", "frame.tpa", tpaFrame(),
             [](spectlist& t, const std::filesystem::path& p) { readTpaFile(t, p, "TPA"); })};
     }});

} // namespace
} // namespace ombrelune::bench
