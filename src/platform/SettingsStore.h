#pragma once

#include <string>

// The per-user settings store: text values by application, section and key.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::string Read(const std::string& application, const std::string& section,
                             const std::string& key, const std::string& defaultValue) = 0;
    virtual void Write(const std::string& application, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};
