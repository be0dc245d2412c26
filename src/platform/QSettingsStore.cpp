#include "platform/QSettingsStore.h"

#include <QSettings>

namespace {
QString Path(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(key);
}

QString Name(const std::string& application) {
    return QString::fromStdString(application);
}
}  // namespace

std::string QSettingsStore::Read(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) {
    QSettings settings(QSettings::UserScope, Name(application), Name(application));
    const QVariant value = settings.value(Path(section, key));
    if (!value.isValid())
        return defaultValue;
    return value.toString().toStdString();
}

void QSettingsStore::Write(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& value) {
    QSettings settings(QSettings::UserScope, Name(application), Name(application));
    settings.setValue(Path(section, key), QString::fromStdString(value));
}
