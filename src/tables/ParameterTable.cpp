#include "tables/ParameterTable.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "tables/AlgorithmTable.h"
#include "tables/DestinationTable.h"
#include "tables/NodeTable.h"
#include "tables/SoundLayout.h"
#include "tables/WaveTables.h"

using namespace SoundLayout;

namespace {
using Kind = ParameterKind;
using Family = ParameterGroup;
using Coding = ParameterCoding;

constexpr int kLowestCharacter = 32;
constexpr int kHighestCharacter = 126;
constexpr int kBanks = 8;
constexpr int kGroupNameOffset = 72;

std::string Numbered(std::string_view text, int index) {
    return std::string(text) + " " + std::to_string(index + 1);
}

template <typename Texts>
std::vector<std::string> Strings(const Texts& texts) {
    return std::vector<std::string>(texts.begin(), texts.end());
}

class Builder {
  public:
    ParameterEntry& Add(int offset, std::string field, std::string record, Kind kind, Family family,
                        int min, int max) {
        ParameterEntry p;
        p.offset = offset;
        p.field = std::move(field);
        p.record = std::move(record);
        p.kind = kind;
        p.group = family;
        p.min = min;
        p.max = max;
        list_.push_back(std::move(p));
        return list_.back();
    }
    ParameterEntry& Signed(int offset, std::string field, std::string record, Family family,
                           int min, int max) {
        ParameterEntry& p =
            Add(offset, std::move(field), std::move(record), Kind::Number, family, min, max);
        p.coding = Coding::Signed;
        return p;
    }
    ParameterEntry& Bits(ParameterEntry& p, int mask, int shift) {
        p.mask = mask;
        p.shift = shift;
        return p;
    }
    ParameterEntry& Choice(int offset, std::string field, std::string record, Family family,
                           std::vector<std::string> choices) {
        const int max = static_cast<int>(choices.size()) - 1;
        ParameterEntry& p =
            Add(offset, std::move(field), std::move(record), Kind::Choice, family, 0, max);
        p.choices = std::move(choices);
        return p;
    }
    std::vector<ParameterEntry> Take() {
        std::stable_sort(
            list_.begin(), list_.end(),
            [](const ParameterEntry& a, const ParameterEntry& b) { return a.offset < b.offset; });
        return std::move(list_);
    }

  private:
    std::vector<ParameterEntry> list_;
};

void AddName(Builder& b, int first) {
    for (int i = 0; i < kNameBytes; ++i) {
        b.Add(first + i, "", "Name", Kind::NameCharacter, Family::Name, kLowestCharacter,
              kHighestCharacter);
    }
}

// The destination lists of the editors: nodes by the names of the algorithm's nodes, "." where
// it has none; without a known algorithm, "Node 1" to "Node 10".
std::vector<std::string> DestinationChoices(int algorithm) {
    std::vector<std::string> texts = Strings(kDestinationNames);
    if (!IsAlgorithm(algorithm))
        return texts;
    const auto nodes = AlgorithmNodes(algorithm);
    for (int code = kFirstNodeDestination; code <= kLastNodeDestination; ++code) {
        const int position = DestinationNodePosition(code);
        texts[static_cast<size_t>(code)] =
            position < static_cast<int>(nodes.size())
                ? std::string(NodeName(nodes[static_cast<size_t>(position)]))
                : std::string(".");
    }
    return texts;
}

void AddSlots(Builder& b, int first, const std::string& record,
              const std::vector<std::string>& destinations) {
    for (int k = 0; k < kSlots; ++k) {
        b.Choice(first + 2 * k, Numbered("Destination", k), record, Family::Destinations,
                 destinations);
        b.Add(first + 2 * k + 1, Numbered("Depth", k), record, Kind::Number, Family::Destinations,
              0, 127);
    }
}

void AddEnvelopes(Builder& b, const std::vector<std::string>& destinations) {
    for (int e = 0; e < kEnvelopeCount; ++e) {
        const int base = EnvelopeBase(e);
        const std::string record = Numbered("Envelope", e);
        for (int i = 0; i < kEnvelopePoints; ++i) {
            const int rate = base + 2 * i;
            b.Bits(b.Add(rate, Numbered("Rate", i), record, Kind::Number, Family::EnvelopeRates, 0,
                         127),
                   kPointValueMask, 0);
            b.Bits(b.Add(rate, "Sustain", record, Kind::Flag, Family::EnvelopeMarkers, 0, 1),
                   kMarkerBit, 7);
            b.Bits(b.Add(rate + 1, Numbered("Level", i), record, Kind::Number,
                         Family::EnvelopeLevels, 0, 127),
                   kPointValueMask, 0);
            b.Bits(b.Add(rate + 1, "End", record, Kind::Flag, Family::EnvelopeMarkers, 0, 1),
                   kMarkerBit, 7);
        }
        AddSlots(b, base + kEnvelopeSlots, record, destinations);
    }
}

void AddLfos(Builder& b, const std::vector<std::string>& destinations) {
    for (int l = 0; l < kLfoCount; ++l) {
        const int base = LfoBase(l);
        const std::string record = Numbered("LFO", l);
        b.Choice(base + kLfoWave, "Wave", record, Family::Lfos, Strings(kLfoWaveNames));
        // Delay and speed are kept as their byte; the editor shows and sets them signed.
        b.Signed(base + kLfoDelay, "Delay", record, Family::Lfos, -64, 63);
        b.Signed(base + kLfoRate, "Speed", record, Family::Lfos, -64, 63);
        AddSlots(b, base + kLfoSlots, record, destinations);
    }
}

void AddModulation(Builder& b, const std::vector<std::string>& destinations) {
    struct Row {
        int first;
        const char* field;
    };
    static constexpr std::array<Row, 5> kDepths{{{kModulationKeyDepth, "Key Depth"},
                                                 {kModulationVelocity, "Velocity"},
                                                 {kModulationAfterTouch, "Aftertouch"},
                                                 {kModulationController, "Controller"},
                                                 {kModulationModWheel, "Mod Wheel"}}};
    for (int m = 0; m < kModulationCount; ++m) {
        const std::string record = Numbered("Modulation", m);
        b.Choice(kModulationDestination + m, "Destination", record, Family::Modulation,
                 destinations);
        b.Add(kModulationKeyBreak + m, "Key Break", record, Kind::Number, Family::Modulation, 0, 78)
            .coding = Coding::KeyBreak;
        b.Choice(kModulationKeyBreak + m, "Key Break Direction", record, Family::Modulation,
                 {"Left To Right", "Right To Left"})
            .coding = Coding::KeyDirection;
        for (const Row& row : kDepths)
            b.Signed(row.first + m, row.field, record, Family::Modulation, -128, 127);
    }
}

void AddNodes(Builder& b, int algorithm) {
    if (!IsAlgorithm(algorithm)) {
        for (int position = 0; position < kNodePositions; ++position) {
            const std::string record = Numbered("Node", position);
            for (int i = 0; i < 2; ++i) {
                b.Add(NodeFirstByte(position) + i, Numbered("Byte", i), record, Kind::Number,
                      Family::NodeBytes, 0, 255);
            }
        }
        return;
    }
    const auto nodes = AlgorithmNodes(algorithm);
    for (size_t position = 0; position < nodes.size(); ++position) {
        const int first = NodeFirstByte(static_cast<int>(position));
        const std::string record(NodeCaption(nodes[position]));
        switch (NodeType(nodes[position])) {
            case kNodeTuned: {
                // The byte holds -128..127; the editor offers -64..63.
                b.Signed(first, "Detune", record, Family::NodeTuning, -64, 63);
                ParameterEntry& detone = b.Bits(
                    b.Add(first + 1, "Detone", record, Kind::Number, Family::NodeTuning, -64, 63),
                    0x7F, 0);
                detone.coding = Coding::Biased;
                detone.bias = kDetoneBias;
                b.Bits(b.Add(first + 1, "Fixed", record, Kind::Flag, Family::NodeTuning, 0, 1),
                       kFixedBit, 7);
                break;
            }
            case kNodeWave:
                b.Choice(first, "Wave", record, Family::NodeWaves, Strings(kNodeWaveNames));
                break;
            default:
                break;
        }
    }
}

std::vector<ParameterEntry> BuildSound(int algorithm) {
    Builder b;
    const std::vector<std::string> destinations = DestinationChoices(algorithm);
    AddName(b, kName);
    AddEnvelopes(b, destinations);
    AddLfos(b, destinations);
    AddModulation(b, destinations);
    std::vector<std::string> algorithms;
    for (int a = 0; a < kAlgorithmCount; ++a)
        algorithms.emplace_back(AlgorithmName(a));
    b.Choice(kAlgorithm, "", "Algorithm", Family::Algorithm, std::move(algorithms));
    b.Signed(kTranspose, "", "Transpose", Family::Transpose, -64, 63);
    AddNodes(b, algorithm);
    return b.Take();
}

std::vector<ParameterEntry> BuildGroup() {
    static constexpr std::array<const char*, 6> kSwitches = {
        "Velocity", "Controller", "Mod Wheel", "Aftertouch", "Pitch Bend", "LFO"};
    std::vector<std::string> channels{"Omni"};
    for (int channel = 1; channel <= 16; ++channel)
        channels.push_back(std::to_string(channel));
    Builder b;
    for (int bank = 0; bank < kBanks; ++bank) {
        const std::string record = Numbered("Bank", bank);
        auto row = [bank](int p) { return kBanks * p + bank; };
        b.Add(row(0), "Sound", record, Kind::Number, Family::Bank, 0, 99);
        b.Choice(row(1), "Midi Channel", record, Family::Bank, channels);
        b.Add(row(2), "Volume", record, Kind::Number, Family::Bank, 0, 99);
        b.Signed(row(3), "Pan", record, Family::Bank, -7, 7);
        for (size_t bit = 0; bit < kSwitches.size(); ++bit) {
            b.Bits(b.Add(row(4), kSwitches[bit], record, Kind::Flag, Family::Bank, 0, 1), 1 << bit,
                   static_cast<int>(bit));
        }
        b.Signed(row(5), "Transpose", record, Family::Bank, -12, 12);
        b.Signed(row(6), "Detune", record, Family::Bank, -19, 19);
        b.Add(row(7), "Low Split", record, Kind::Number, Family::Bank, 24, 102);
        b.Add(row(8), "High Split", record, Kind::Number, Family::Bank, 24, 102);
    }
    AddName(b, kGroupNameOffset);
    return b.Take();
}

std::vector<const ParameterEntry*> Changed(const std::vector<ParameterEntry>& table,
                                           std::span<const int16_t> before,
                                           std::span<const int16_t> after, int bytes) {
    std::vector<const ParameterEntry*> changed;
    if (before.size() < static_cast<size_t>(bytes) || after.size() < static_cast<size_t>(bytes))
        return changed;
    for (const ParameterEntry& p : table) {
        const auto at = static_cast<size_t>(p.offset);
        if (p.Read(before[at]) != p.Read(after[at]))
            changed.push_back(&p);
    }
    return changed;
}
}  // namespace

namespace ParameterTable {
const std::vector<ParameterEntry>& Sound(int algorithm) {
    static const auto tables = [] {
        std::array<std::vector<ParameterEntry>, kAlgorithmCount + 1> built;
        for (int a = 0; a <= kAlgorithmCount; ++a)
            built[static_cast<size_t>(a)] = BuildSound(a < kAlgorithmCount ? a : -1);
        return built;
    }();
    return tables[static_cast<size_t>(IsAlgorithm(algorithm) ? algorithm : kAlgorithmCount)];
}

const std::vector<ParameterEntry>& Group() {
    static const std::vector<ParameterEntry> table = BuildGroup();
    return table;
}

int AlgorithmOf(std::span<const int16_t> raw) {
    return raw.size() > static_cast<size_t>(kAlgorithmOffset) ? raw[kAlgorithmOffset] & 0xFF : -1;
}

std::vector<const ParameterEntry*> ChangedInSound(std::span<const int16_t> before,
                                                  std::span<const int16_t> after) {
    return Changed(Sound(AlgorithmOf(after)), before, after, kSoundBytes);
}

std::vector<const ParameterEntry*> ChangedInGroup(std::span<const int16_t> before,
                                                  std::span<const int16_t> after) {
    return Changed(Group(), before, after, kGroupBytes);
}

std::vector<std::string> Names(const std::vector<const ParameterEntry*>& parameters) {
    std::vector<std::string> names;
    for (const ParameterEntry* p : parameters) {
        std::string name = p->Name();
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}
}  // namespace ParameterTable
