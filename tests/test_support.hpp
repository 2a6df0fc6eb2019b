#pragma once
// Shared test helpers: a fresh temporary data root per test, and a workbench on it.

#include "store/settings_store.hpp"
#include "store/workbench.hpp"

#include <filesystem>
#include <memory>
#include <string>

namespace ombrelune::testing {

// A fresh directory removed at the end of the test; sets OMBRELUNE_HOME to it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// A workbench on a temporary data root with in-memory settings and a fixed clock; the
// journal is open (with its two opening lines) and the default spectra exist.
struct TestBench {
    TempDir dir;
    MemorySettingsStore settings;
    std::unique_ptr<Workbench> wb;

    explicit TestBench(bool withDefaults = true, char decimalSeparator = '.');
    // The journal file's lines after the two opening lines.
    std::vector<std::string> journalLines() const;
};

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& bytes);

} // namespace ombrelune::testing
