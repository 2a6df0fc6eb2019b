#pragma once
// The journal's two settings in a QSettings INI file at the XDG place
// (~/.config/Ombrelune/Ombrelune.conf), group "Ombrage".

#include "store/settings_store.hpp"

#include <memory>

class QSettings;

namespace ombrelune {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    bool openKey() override;
    std::string read(std::string_view name) override;
    void write(std::string_view name, std::string_view value) override;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace ombrelune
