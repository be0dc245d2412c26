#include "windowlogic/EditStepName.h"

#include <array>
#include <vector>

#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"
#include "tables/SoundLayout.h"
#include "windowlogic/NodeFrameLayout.h"

using namespace SoundLayout;

namespace {
struct Field {
    std::string value;   // "Detune"; empty when the field is the whole record
    std::string record;  // "Oscillator 2"
};

std::string Numbered(const char* text, int index) {
    return std::string(text) + " " + std::to_string(index + 1);
}

Field NodeField(int offset, const RawData& before, const RawData& after) {
    const int position = (offset - kNodeBase) / 2;
    const bool second = (offset - kNodeBase) % 2 == 1;
    const auto nodes = AlgorithmNodes(after[kAlgorithm] & 0xFF);
    if (position >= static_cast<int>(nodes.size()))
        return {"", "Nodes"};
    const int number = nodes[static_cast<size_t>(position)];
    const std::string record(NodeFrameLayout::Caption(number));
    if (NodeType(number) == kNodeWave)
        return {"Wave", record};
    if (!second)
        return {"Detune", record};
    const bool fixedChanged = ((before[offset] ^ after[offset]) & kFixedBit) != 0;
    return {fixedChanged ? "Fixed" : "Detone", record};
}

Field SoundField(int offset, const RawData& before, const RawData& after) {
    static constexpr std::array<const char*, 7> kModulationRows = {
        "Destination", "Key Break",  "Key Depth", "Velocity",
        "After Touch", "Controller", "Mod Wheel"};
    if (offset < kName + kNameBytes)
        return {"", "Name"};
    if (offset < kLfoBase) {
        const int envelope = (offset - kEnvelopeBase) / kEnvelopeStride;
        const int inRecord = (offset - kEnvelopeBase) % kEnvelopeStride;
        const std::string record = Numbered("Envelope", envelope);
        if (inRecord < kEnvelopeSlots) {
            return {Numbered(inRecord % 2 == 0 ? "Rate" : "Level", inRecord / 2), record};
        }
        const int slot = (inRecord - kEnvelopeSlots) / 2;
        return {Numbered(inRecord % 2 == 0 ? "Destination" : "Depth", slot), record};
    }
    if (offset < kModulationDestination) {
        const int lfo = (offset - kLfoBase) / kLfoStride;
        const int inRecord = (offset - kLfoBase) % kLfoStride;
        static constexpr std::array<const char*, 3> kNames = {"Wave", "Delay", "Rate"};
        const std::string record = Numbered("LFO", lfo);
        if (inRecord < kLfoSlots)
            return {kNames[static_cast<size_t>(inRecord)], record};
        const int slot = (inRecord - kLfoSlots) / 2;
        return {Numbered(inRecord % 2 == 1 ? "Destination" : "Depth", slot), record};
    }
    if (offset < kAlgorithm) {
        const int row = (offset - kModulationDestination) / kModulationCount;
        const int entry = (offset - kModulationDestination) % kModulationCount;
        return {kModulationRows[static_cast<size_t>(row)], Numbered("Modulation", entry)};
    }
    if (offset == kAlgorithm)
        return {"", "Algorithm"};
    if (offset == kTranspose)
        return {"", "Transpose"};
    return NodeField(offset, before, after);
}
}  // namespace

namespace EditStepName {
std::string ForSound(const RawData& before, const RawData& after) {
    if (before.size() < static_cast<size_t>(kSize) || after.size() < static_cast<size_t>(kSize))
        return "Sound";
    // The algorithm rebuilds every node, so it names the step on its own.
    if ((before[kAlgorithm] & 0xFF) != (after[kAlgorithm] & 0xFF))
        return "Algorithm";
    std::vector<Field> fields;
    for (int offset = 0; offset < kUsedSize; ++offset) {
        if ((before[offset] & 0xFF) == (after[offset] & 0xFF))
            continue;
        Field field = SoundField(offset, before, after);
        if (fields.empty() || fields.back().value != field.value ||
            fields.back().record != field.record) {
            fields.push_back(std::move(field));
        }
    }
    if (fields.empty())
        return "Sound";
    for (const Field& field : fields) {
        if (field.record != fields.front().record)
            return "Sound";
    }
    const Field& field = fields.front();
    if (fields.size() > 1 || field.value.empty())
        return field.record;
    return field.value + " of " + field.record;
}

std::string ForGroup(const RawData& before, const RawData& after) {
    constexpr int kNameOffset = 72;
    constexpr int kSize = 82;
    if (before.size() < static_cast<size_t>(kSize) || after.size() < static_cast<size_t>(kSize))
        return "Group";
    bool name = false;
    bool banks = false;
    for (int offset = 0; offset < kSize; ++offset) {
        if ((before[offset] & 0xFF) != (after[offset] & 0xFF))
            (offset >= kNameOffset ? name : banks) = true;
    }
    if (name && !banks)
        return "Name";
    return banks && !name ? "Banks" : "Group";
}
}  // namespace EditStepName
