#include "library/ParameterNames.h"

#include <array>

#include "model/ClassBank.h"
#include "model/ClassGroup.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
std::string Slot(int record, const std::string& owner) {
    const int slot = record / 2 + 1;
    return std::string(record % 2 == 0 ? "the destination" : "the depth") + " of slot " +
           std::to_string(slot) + " of " + owner;
}
}  // namespace

std::string SoundParameterName(int offset) {
    if (offset < kName + kNameBytes)
        return "the name";
    if (offset < kLfoBase) {
        const int at = offset - kEnvelopeBase;
        const std::string owner = "envelope " + std::to_string(at / kEnvelopeStride + 1);
        const int record = at % kEnvelopeStride;
        if (record >= kEnvelopeSlots)
            return Slot(record - kEnvelopeSlots, owner);
        return std::string(record % 2 == 0 ? "the rate" : "the level") + " of point " +
               std::to_string(record / 2 + 1) + " of " + owner;
    }
    if (offset < kModulationDestination) {
        const int at = offset - kLfoBase;
        const std::string owner = "LFO " + std::to_string(at / kLfoStride + 1);
        const int record = at % kLfoStride;
        static const std::array<const char*, 3> kFields = {"the wave", "the delay", "the speed"};
        if (record >= kLfoSlots)
            return Slot(record - kLfoSlots, owner);
        return std::string(kFields[record]) + " of " + owner;
    }
    if (offset < kAlgorithm) {
        static const std::array<const char*, 7> kRows = {
            "the destination", "the key break",  "the key depth", "the velocity",
            "the aftertouch",  "the controller", "the mod wheel"};
        const int at = offset - kModulationDestination;
        return std::string(kRows[at / kModulationCount]) + " of modulation " +
               std::to_string(at % kModulationCount + 1);
    }
    if (offset == kAlgorithm)
        return "the algorithm";
    if (offset == kTranspose)
        return "the transpose";
    if (offset < NodeFirstByte(kNodePositions)) {
        const int at = offset - kNodeBase;
        return "byte " + std::to_string(at % 2 + 1) + " of node " + std::to_string(at / 2 + 1);
    }
    return "unused byte " + std::to_string(offset);
}

std::string GroupParameterName(int offset) {
    if (offset >= ClassGroup::kNameOffset)
        return "the name";
    static const std::array<const char*, ClassBank::kParameterCount> kRows = {
        "the sound",     "the channel", "the volume",    "the pan",       "the switches",
        "the transpose", "the detune",  "the low split", "the high split"};
    return std::string(kRows[offset / ClassBank::kBankCount]) + " of bank " +
           std::to_string(offset % ClassBank::kBankCount + 1);
}
