// Runs a fuzz target's entry point over saved inputs, without libFuzzer, so that the seed
// corpus and every input that once found a fault are replayed by the normal test suite.
// Arguments are files or directories (every regular file inside, in name order); a missing
// directory is skipped, since a target may have no regressions yet. A fault ends the
// process as it would under the fuzzer (trap, sanitizer report or uncaught exception).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& arg) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(arg)) {
        for (const auto& entry : std::filesystem::directory_iterator(arg))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
    } else if (std::filesystem::is_regular_file(arg)) {
        files.push_back(arg);
    }
    return files;
}

} // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int a = 1; a < argc; ++a) {
        for (const auto& file : inputsOf(argv[a])) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
            std::fprintf(stderr, "%s\n", file.c_str());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    std::fprintf(stderr, "%zu inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
