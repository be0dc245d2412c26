#include "windowlogic/BankEntries.h"

#include <cstdio>

#include "model/ClassBank.h"
#include "tables/PresetNames.h"

namespace BankEntries {

std::string UserSoundEntry(int number, const std::string& name) {
    char numeral[16];
    std::snprintf(numeral, sizeof numeral, "%5d", number);
    return name.empty() ? std::string(numeral) : std::string(numeral) + "  " + name;
}

std::vector<std::string> SoundEntries(const UserSoundName& userName) {
    std::vector<std::string> entries;
    entries.reserve(kSoundEntries);
    for (int number = 0; number < kUserSounds; ++number)
        entries.push_back(UserSoundEntry(number, userName ? userName(number) : std::string()));
    for (int number = kUserSounds; number < kSoundEntries; ++number)
        entries.push_back(std::to_string(number) + " " + std::string(PresetSoundName(number)));
    return entries;
}

std::vector<std::string> ChannelEntries() {
    std::vector<std::string> entries{"Omni"};
    for (int channel = 1; channel < kChannelEntries; ++channel)
        entries.push_back((channel < 10 ? " " : "") + std::to_string(channel));
    return entries;
}

std::string SplitText(int key) {
    return ClassBank::KeyName(key);
}

}  // namespace BankEntries
