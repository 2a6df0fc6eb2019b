#include "store/data_paths.hpp"

#include <cstdlib>
#include <system_error>

namespace ombrelune {

DataPaths DataPaths::fromEnvironment() {
    if (const char* home = std::getenv("OMBRELUNE_HOME"); home && *home) return {home};
    const char* user = std::getenv("HOME");
    return {std::filesystem::path(user && *user ? user : ".") / "Ombrelune"};
}

void DataPaths::ensure(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
}

} // namespace ombrelune
