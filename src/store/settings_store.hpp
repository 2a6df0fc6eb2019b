#pragma once
// The per-user settings the journal keeps between runs ("currentfile" and
// "RepertoireManip" under the key "Ombrage"). The core sees only this interface.

#include <map>
#include <string>
#include <string_view>

namespace ombrelune {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Opens the settings key, creating it when missing; false when it cannot be opened.
    virtual bool openKey() = 0;
    // The stored text, or empty text when missing or unreadable.
    virtual std::string read(std::string_view name) = 0;
    virtual void write(std::string_view name, std::string_view value) = 0;
};

// Settings held in memory: for tests, and for runs that must not touch the user's settings.
class MemorySettingsStore : public SettingsStore {
public:
    bool keyOpens = true;
    std::map<std::string, std::string, std::less<>> values;

    bool openKey() override { return keyOpens; }
    std::string read(std::string_view name) override {
        if (!keyOpens) return {};
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
    void write(std::string_view name, std::string_view value) override {
        if (keyOpens) values[std::string(name)] = std::string(value);
    }
};

inline constexpr std::string_view settingCurrentFile = "currentfile";
inline constexpr std::string_view settingExperimentDirectory = "RepertoireManip";

} // namespace ombrelune
