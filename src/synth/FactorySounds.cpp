#include <string>

#include "synth/FactoryContent.h"
#include "tables/PresetNames.h"

// Provisional content: a name and a plain pattern of parameter bytes.
RawData FactoryContent::Sound(int number) {
    RawData raw(kSoundBytes, 0);
    std::string name = number >= kFirstPresetSound ? std::string(PresetSoundName(number))
                                                   : "User " + std::to_string(number);
    name.resize(10, ' ');
    for (int i = 0; i < 10; ++i)
        raw[i] = static_cast<unsigned char>(name[i]);
    for (int i = 10; i < kSoundBytes; ++i)
        raw[i] = static_cast<int16_t>((number * 7 + i) % 100);
    return raw;
}
