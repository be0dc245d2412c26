#include <string>

#include "synth/FactoryContent.h"

// Provisional content: bank b plays user sound b on channel b + 1 over the whole keyboard.
RawData FactoryContent::Group(int number) {
    RawData raw(kGroupBytes, 0);
    for (int b = 0; b < 8; ++b) {
        raw[b] = static_cast<int16_t>((number + b) % 20);
        raw[8 + b] = static_cast<int16_t>(b + 1);
        raw[16 + b] = 99;
        raw[32 + b] = 63;
        raw[56 + b] = 24;
        raw[64 + b] = 102;
    }
    std::string name = "Group " + std::to_string(number + 1);
    name.resize(10, ' ');
    for (int i = 0; i < 10; ++i)
        raw[72 + i] = static_cast<unsigned char>(name[i]);
    return raw;
}

RawData FactoryContent::Globals() {
    // Controller 1, system channel 1, memory unprotected, every kind of data accepted, no master
    // tune, pitch-bend range 2, last-note priority.
    return RawData{1, 1, 0, 0x3F, 0, 2, 0};
}
