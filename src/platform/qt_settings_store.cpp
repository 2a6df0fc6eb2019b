#include "platform/qt_settings_store.hpp"

#include <QSettings>
#include <QString>

namespace ombrelune {

namespace {
QString key(std::string_view name) {
    return QStringLiteral("Ombrage/") + QString::fromUtf8(name.data(), qsizetype(name.size()));
}
} // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Ombrelune"),
                                            QStringLiteral("Ombrelune"))) {}

QtSettingsStore::~QtSettingsStore() = default;

bool QtSettingsStore::openKey() { return settings_->status() == QSettings::NoError; }

std::string QtSettingsStore::read(std::string_view name) {
    return settings_->value(key(name)).toString().toStdString();
}

void QtSettingsStore::write(std::string_view name, std::string_view value) {
    settings_->setValue(key(name), QString::fromUtf8(value.data(), qsizetype(value.size())));
    settings_->sync();
}

} // namespace ombrelune
