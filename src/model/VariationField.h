#pragma once

#include <vector>

#include "midi/RawData.h"
#include "model/VariationGroup.h"

// One value of a sound as the variations see it: where it lies in the raw sound, how its byte
// holds it, its range, whether it is a number (moved by steps) or a choice or flag (picked),
// and the group that locks it. Several values may share a byte (a level and the end marker, a
// detone and the fixed flag); each reads and writes only its own bits.
struct VariationField {
    enum class Kind { Number, Choice, Flag };
    enum class Codec {
        Byte,          // the byte as it is
        Signed,        // the byte as a two's-complement value
        Low7,          // bits 0-6
        Detone,        // bits 0-6 less 64
        Bit7,          // bit 7 as 0 or 1
        KeyBreak,      // the magnitude of a signed byte less 24
        KeyDirection,  // 1 when the signed byte is negative
    };

    int offset;
    Codec codec;
    Kind kind;
    VariationGroup group;
    int min;
    int max;

    int Read(const RawData& raw) const;
    // Stores value (within min..max) into its bits, leaving the byte's other bits as they are.
    void Write(RawData& raw, int value) const;

    // Every value of a sound built by algorithm that a variation may change, in offset order:
    // the envelope markers and the name are not among them.
    static std::vector<VariationField> ForAlgorithm(int algorithm);
};
