#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/SettingsStore.h"

// The user's settings store with some keys held for this run only: reads of a held key give
// the held value, writes to it change only that, and every other key goes to the store.
class SessionSettingsStore : public SettingsStore {
  public:
    explicit SessionSettingsStore(SettingsStore& store) : store_(store) {}

    void Hold(const std::string& application, const std::string& section, const std::string& key,
              const std::string& value);

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    SettingsStore& store_;
    std::map<std::tuple<std::string, std::string, std::string>, std::string> held_;
};
