#include "test_support.hpp"

#include "store/text_file.hpp"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace ombrelune::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ombrelune-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    ::setenv("OMBRELUNE_HOME", path_.c_str(), 1);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

TestBench::TestBench(bool withDefaults, char decimalSeparator) {
    wb = std::make_unique<Workbench>(settings, DataPaths{dir.path()}, decimalSeparator);
    wb->journal.setClock([] { return std::string("01/02/2026  10:00:00"); });
    wb->journal.start();
    if (withDefaults) createDefaultSpectra(*wb);
}

std::vector<std::string> TestBench::journalLines() const {
    auto lines = readTextLines(wb->journal.path());
    lines.erase(lines.begin(), lines.begin() + std::min<std::size_t>(2, lines.size()));
    return lines;
}

std::string readFile(const std::filesystem::path& p) { return readWholeFile(p); }

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace ombrelune::testing
