#pragma once
// The data root and the fixed folders under it: scripts, the default journal
// directory, instrument images and the edit window's spectra.

#include <filesystem>
#include <string>

namespace ombrelune {

struct DataPaths {
    std::filesystem::path root;

    // $OMBRELUNE_HOME when set and not empty, else ~/Ombrelune.
    static DataPaths fromEnvironment();

    std::filesystem::path sequences() const { return root / "sequences"; }
    std::filesystem::path boite() const { return root / "boite"; }
    std::filesystem::path temp() const { return root / "temp"; }
    std::filesystem::path spe() const { return root / "spe"; }

    // Makes the folder (and the root) when missing; failures are left to the first use.
    static void ensure(const std::filesystem::path& folder);
};

// A path as the UTF-8 text the journal and messages show.
inline std::string pathText(const std::filesystem::path& p) { return p.string(); }

} // namespace ombrelune
