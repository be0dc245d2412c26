#pragma once

#include <cstdint>
#include <vector>

#include "midi/RawData.h"

// Wire bytes of the group exchanges as the synth sees them, for the group model's tests.
namespace GroupWire {
using Bytes = std::vector<uint8_t>;

// A parameter change (type 0) on system channel 0.
inline Bytes Parameter(int address, int index, int value) {
    return {0xF0,
            0x00,
            0x20,
            0x08,
            0x01,
            0x00,
            static_cast<uint8_t>(address),
            static_cast<uint8_t>(index),
            static_cast<uint8_t>(value >> 4),
            static_cast<uint8_t>(value & 0x0F),
            0xF7};
}

// A dump (type 1) on system channel 0; number < 0 leaves the number byte out.
inline Bytes Dump(int kind, int number, const RawData& payload) {
    const size_t count = payload.size() * 2;
    Bytes m{0xF0,
            0x00,
            0x20,
            0x08,
            0x01,
            0x10,
            static_cast<uint8_t>(kind),
            static_cast<uint8_t>(count / 128),
            static_cast<uint8_t>(count % 128)};
    if (number >= 0)
        m.push_back(static_cast<uint8_t>(number));
    int sum = 0;
    for (int16_t byte : payload) {
        m.push_back(static_cast<uint8_t>(byte >> 4));
        m.push_back(static_cast<uint8_t>(byte & 0x0F));
        sum += byte;
    }
    m.push_back(static_cast<uint8_t>(sum & 0x7F));
    m.push_back(0xF7);
    return m;
}
}  // namespace GroupWire
