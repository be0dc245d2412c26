#include "model/VariationField.h"

#include <cstdlib>

#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
using Field = VariationField;
using Kind = VariationField::Kind;
using Codec = VariationField::Codec;
using Group = VariationGroup;

constexpr int kDestinations = 16;

int Byte(const RawData& raw, int offset) {
    return raw[offset] & 0xFF;
}
int Signed(int byte) {
    return byte >= 128 ? byte - 256 : byte;
}

void AddEnvelope(std::vector<Field>& fields, int e) {
    const int base = EnvelopeBase(e);
    for (int i = 0; i < kEnvelopePoints; ++i) {
        fields.push_back({base + 2 * i, Codec::Low7, Kind::Number, Group::EnvelopeRates, 0, 127});
        fields.push_back(
            {base + 2 * i + 1, Codec::Low7, Kind::Number, Group::EnvelopeLevels, 0, 127});
    }
    for (int k = 0; k < kSlots; ++k) {
        const int slot = base + kEnvelopeSlots + 2 * k;
        fields.push_back(
            {slot, Codec::Byte, Kind::Choice, Group::Modulation, 0, kDestinations - 1});
        fields.push_back({slot + 1, Codec::Byte, Kind::Number, Group::Modulation, 0, 127});
    }
}

void AddLfo(std::vector<Field>& fields, int l) {
    const int base = LfoBase(l);
    fields.push_back({base + kLfoWave, Codec::Byte, Kind::Choice, Group::Lfos, 0, 8});
    fields.push_back({base + kLfoDelay, Codec::Signed, Kind::Number, Group::Lfos, -64, 63});
    fields.push_back({base + kLfoRate, Codec::Signed, Kind::Number, Group::Lfos, -64, 63});
    for (int k = 0; k < kSlots; ++k) {
        const int slot = base + kLfoSlots + 2 * k;
        fields.push_back({slot, Codec::Byte, Kind::Choice, Group::Lfos, 0, kDestinations - 1});
        fields.push_back({slot + 1, Codec::Byte, Kind::Number, Group::Lfos, 0, 127});
    }
}

void AddModulation(std::vector<Field>& fields) {
    for (int m = 0; m < kModulationCount; ++m) {
        fields.push_back({kModulationDestination + m, Codec::Byte, Kind::Choice, Group::Modulation,
                          0, kDestinations - 1});
    }
    for (int m = 0; m < kModulationCount; ++m) {
        fields.push_back(
            {kModulationKeyBreak + m, Codec::KeyBreak, Kind::Number, Group::Modulation, 0, 78});
        fields.push_back(
            {kModulationKeyBreak + m, Codec::KeyDirection, Kind::Flag, Group::Modulation, 0, 1});
    }
    for (int row : {kModulationKeyDepth, kModulationVelocity, kModulationAfterTouch,
                    kModulationController, kModulationModWheel}) {
        for (int m = 0; m < kModulationCount; ++m) {
            fields.push_back({row + m, Codec::Signed, Kind::Number, Group::Modulation, -128, 127});
        }
    }
}

void AddNodes(std::vector<Field>& fields, int algorithm) {
    const auto nodes = AlgorithmNodes(algorithm);
    for (size_t j = 0; j < nodes.size(); ++j) {
        const int first = NodeFirstByte(static_cast<int>(j));
        switch (NodeType(nodes[j])) {
            case kNodeTuned:
                fields.push_back({first, Codec::Signed, Kind::Number, Group::Tuning, -64, 63});
                fields.push_back({first + 1, Codec::Detone, Kind::Number, Group::Tuning, -64, 63});
                fields.push_back({first + 1, Codec::Bit7, Kind::Flag, Group::Tuning, 0, 1});
                break;
            case kNodeWave:
                fields.push_back({first, Codec::Byte, Kind::Choice, Group::Waves, 0, 31});
                break;
            default:
                break;
        }
    }
}
}  // namespace

int VariationField::Read(const RawData& raw) const {
    const int byte = Byte(raw, offset);
    switch (codec) {
        case Codec::Byte:
            return byte;
        case Codec::Signed:
            return Signed(byte);
        case Codec::Low7:
            return byte & kPointValueMask;
        case Codec::Detone:
            return (byte & kPointValueMask) - kDetoneBias;
        case Codec::Bit7:
            return (byte & kMarkerBit) != 0 ? 1 : 0;
        case Codec::KeyBreak:
            return std::abs(Signed(byte)) - kKeyBreakBias;
        case Codec::KeyDirection:
            return Signed(byte) < 0 ? 1 : 0;
    }
    return byte;
}

void VariationField::Write(RawData& raw, int value) const {
    const int byte = Byte(raw, offset);
    int result = byte;
    switch (codec) {
        case Codec::Byte:
        case Codec::Signed:
            result = value & 0xFF;
            break;
        case Codec::Low7:
            result = (byte & kMarkerBit) | (value & kPointValueMask);
            break;
        case Codec::Detone:
            result = (byte & kFixedBit) | ((value + kDetoneBias) & kPointValueMask);
            break;
        case Codec::Bit7:
            result = (byte & kPointValueMask) | (value != 0 ? kMarkerBit : 0);
            break;
        case Codec::KeyBreak: {
            const int magnitude = value + kKeyBreakBias;
            result = (Signed(byte) < 0 ? -magnitude : magnitude) & 0xFF;
            break;
        }
        case Codec::KeyDirection: {
            const int magnitude = std::abs(Signed(byte));
            result = (value != 0 ? -magnitude : magnitude) & 0xFF;
            break;
        }
    }
    raw[offset] = static_cast<int16_t>(result);
}

std::vector<VariationField> VariationField::ForAlgorithm(int algorithm) {
    std::vector<Field> fields;
    for (int e = 0; e < kEnvelopeCount; ++e)
        AddEnvelope(fields, e);
    for (int l = 0; l < kLfoCount; ++l)
        AddLfo(fields, l);
    AddModulation(fields);
    fields.push_back(
        {kAlgorithm, Codec::Byte, Kind::Choice, Group::Algorithm, 0, kAlgorithmCount - 1});
    fields.push_back({kTranspose, Codec::Signed, Kind::Number, Group::Tuning, -64, 63});
    AddNodes(fields, algorithm);
    return fields;
}
