#pragma once

#include <QString>

#include "platform/SettingsStore.h"

// The per-user settings store on QSettings: one settings file per application (organisation and
// application name are both the application), sections as groups, every value text.
class QSettingsStore : public SettingsStore {
  public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;
};
