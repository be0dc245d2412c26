#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/SettingsStore.h"

// Settings kept in memory for one run. Remembers every write in order, so callers that must
// write their keys in a given order can be checked.
class MemorySettingsStore : public SettingsStore {
  public:
    struct Entry {
        std::string application;
        std::string section;
        std::string key;
        std::string value;
        bool operator==(const Entry&) const = default;
    };

    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    void Write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

    const std::vector<Entry>& Writes() const { return writes_; }
    void ClearWrites() { writes_.clear(); }

  private:
    std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
    std::vector<Entry> writes_;
};
