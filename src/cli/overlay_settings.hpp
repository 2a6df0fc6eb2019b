#pragma once
// The runner's view of the user's settings: it reads them, lets command-line options
// override them, and never writes them back.

#include "store/settings_store.hpp"

#include <map>
#include <string>

namespace ombrelune {

class OverlaySettingsStore : public SettingsStore {
public:
    explicit OverlaySettingsStore(SettingsStore& base) : base_(base) {}
    void override(std::string_view name, std::string value) {
        overrides_[std::string(name)] = std::move(value);
    }

    bool openKey() override { return base_.openKey() || !overrides_.empty(); }
    std::string read(std::string_view name) override {
        auto it = overrides_.find(name);
        return it != overrides_.end() ? it->second : base_.read(name);
    }
    void write(std::string_view, std::string_view) override {}

private:
    SettingsStore& base_;
    std::map<std::string, std::string, std::less<>> overrides_;
};

} // namespace ombrelune
