#include "tables/ParameterEntry.h"

#include <cstdlib>

namespace {
constexpr int kKeyBreakBias = 24;

int SignedByte(int byte) {
    byte &= 0xFF;
    return byte >= 128 ? byte - 256 : byte;
}

// The width of the mask's field, as the value one above its largest.
int FieldSpan(int mask, int shift) {
    return (mask >> shift) + 1;
}
}  // namespace

std::string ParameterEntry::Name() const {
    return field.empty() ? record : field + " of " + record;
}

int ParameterEntry::Read(int byte) const {
    const int bits = (byte & mask) >> shift;
    switch (coding) {
        case ParameterCoding::Plain:
            return bits;
        case ParameterCoding::Signed: {
            const int span = FieldSpan(mask, shift);
            return bits >= span / 2 ? bits - span : bits;
        }
        case ParameterCoding::Biased:
            return bits - bias;
        case ParameterCoding::KeyBreak:
            return std::abs(SignedByte(byte)) - kKeyBreakBias;
        case ParameterCoding::KeyDirection:
            return SignedByte(byte) < 0 ? 1 : 0;
    }
    return bits;
}

int ParameterEntry::Write(int byte, int value) const {
    byte &= 0xFF;
    int bits = value;
    switch (coding) {
        case ParameterCoding::Plain:
        case ParameterCoding::Signed:
            break;
        case ParameterCoding::Biased:
            bits = value + bias;
            break;
        case ParameterCoding::KeyBreak: {
            const int magnitude = value + kKeyBreakBias;
            return (SignedByte(byte) < 0 ? 256 - magnitude : magnitude) & 0xFF;
        }
        case ParameterCoding::KeyDirection: {
            const int magnitude = std::abs(SignedByte(byte));
            return (value != 0 ? 256 - magnitude : magnitude) & 0xFF;
        }
    }
    return (byte & ~mask & 0xFF) | ((bits << shift) & mask);
}

std::string ParameterEntry::ValueText(int value) const {
    const int index = value - min;
    if (kind == ParameterKind::Choice && index >= 0 && index < static_cast<int>(choices.size()))
        return choices[static_cast<size_t>(index)];
    return std::to_string(value);
}
