#include "support/MemorySettingsStore.h"

std::string MemorySettingsStore::Read(const std::string& application, const std::string& section,
                                      const std::string& key, const std::string& defaultValue) {
    auto found = values_.find({application, section, key});
    return found == values_.end() ? defaultValue : found->second;
}

void MemorySettingsStore::Write(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) {
    values_[{application, section, key}] = value;
    writes_.push_back({application, section, key, value});
}
