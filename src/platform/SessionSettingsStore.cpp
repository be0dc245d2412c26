#include "platform/SessionSettingsStore.h"

void SessionSettingsStore::Hold(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) {
    held_[{application, section, key}] = value;
}

std::string SessionSettingsStore::Read(const std::string& application, const std::string& section,
                                       const std::string& key, const std::string& defaultValue) {
    const auto held = held_.find({application, section, key});
    if (held != held_.end())
        return held->second;
    return store_.Read(application, section, key, defaultValue);
}

void SessionSettingsStore::Write(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& value) {
    const auto held = held_.find({application, section, key});
    if (held != held_.end()) {
        held->second = value;
        return;
    }
    store_.Write(application, section, key, value);
}
