#include "model/ReadBackCheck.h"

#include <algorithm>
#include <array>

#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "platform/SettingsStore.h"
#include "model/ClassBank.h"
#include "model/ClassGroup.h"
#include "model/ClassSound.h"
#include "tables/SoundLayout.h"

using namespace SoundLayout;

namespace {
constexpr int kRecords = 20;

int RecordBytes(ReadBackCheck::Records records) {
    return records == ReadBackCheck::Records::Sounds ? kSize : ClassGroup::kRawBytes;
}

RawData Slice(const RawData& all, int record, int bytes) {
    const auto begin = all.begin() + static_cast<std::ptrdiff_t>(record) * bytes;
    return RawData(begin, begin + bytes);
}

// The record as the model keeps it, and its name.
RawData Normalised(ModuleMIDI& midi, ReadBackCheck::Records records, const RawData& raw,
                   std::string& name) {
    RawData out(static_cast<size_t>(RecordBytes(records)), 0);
    if (records == ReadBackCheck::Records::Sounds) {
        ClassSound sound(midi);
        sound.DecodeRawSound(raw);
        sound.EncodeRawSound(out);
        name = sound.Name();
    } else {
        ClassGroup group(midi);
        group.DecodeRawGroup(raw);
        group.EncodeRawGroup(out);
        name = group.Name();
    }
    return out;
}

std::string Owned(const char* field, const std::string& owner, int number) {
    return std::string(field) + " of " + owner + " " + std::to_string(number);
}
}  // namespace

bool ReadBackCheck::Enabled(SettingsStore& store) {
    return store.Read(MidiSettings::kApplication, MidiSettings::kSection, kKeyVerify, "1") != "0";
}

void ReadBackCheck::SetEnabled(SettingsStore& store, bool on) {
    store.Write(MidiSettings::kApplication, MidiSettings::kSection, kKeyVerify, on ? "1" : "0");
}

ReadBackCheck::Outcome ReadBackCheck::Verify(ModuleMIDI& midi, Records records, int firstSlot,
                                             const RawData& sent) {
    const int bytes = RecordBytes(records);
    const bool all = sent.size() >= static_cast<size_t>(kRecords * bytes);
    const bool sounds = records == Records::Sounds;
    const int kind = sounds ? (all ? ModuleMIDI::kAllSounds : ModuleMIDI::kOneSound)
                            : (all ? ModuleMIDI::kAllGroups : ModuleMIDI::kOneGroup);
    const size_t length = all ? static_cast<size_t>(kRecords * bytes) : static_cast<size_t>(bytes);
    Outcome outcome;
    RawData held;
    if (sent.size() < length || !midi.RequestDump(kind, all ? -1 : firstSlot, length, held))
        return outcome;
    outcome.readBack = true;
    outcome.differences = Compare(midi, records, all ? 0 : firstSlot, sent, held);
    return outcome;
}

std::vector<ReadBackCheck::Difference> ReadBackCheck::Compare(ModuleMIDI& midi, Records records,
                                                              int firstSlot, const RawData& sent,
                                                              const RawData& held) {
    const int bytes = RecordBytes(records);
    const int count = static_cast<int>(std::min(sent.size(), held.size()) / bytes);
    std::vector<Difference> differences;
    for (int r = 0; r < count; ++r) {
        std::string name;
        std::string ignored;
        const RawData want = Normalised(midi, records, Slice(sent, r, bytes), name);
        const RawData got = Normalised(midi, records, Slice(held, r, bytes), ignored);
        const auto at = std::mismatch(want.begin(), want.end(), got.begin());
        if (at.first == want.end())
            continue;
        const int offset = static_cast<int>(at.first - want.begin());
        differences.push_back(
            {firstSlot + r, name,
             records == Records::Sounds ? SoundParameter(offset) : GroupParameter(offset)});
    }
    return differences;
}

std::string ReadBackCheck::Report(Records records, const Outcome& outcome) {
    const bool sounds = records == Records::Sounds;
    if (!outcome.readBack) {
        return std::string("The ZEL-1 did not send back the ") + (sounds ? "sounds" : "groups") +
               " written to it, so they could not be verified.";
    }
    std::string text = std::string("The ZEL-1 does not hold what was sent to it:");
    for (const Difference& d : outcome.differences) {
        text += std::string("\n") + (sounds ? "Sound " : "Group ") + std::to_string(d.slot) + " (" +
                d.name + "): " + d.parameter;
    }
    return text;
}

std::string ReadBackCheck::SoundParameter(int offset) {
    if (offset < kName + kNameBytes)
        return "the name";
    if (offset < kLfoBase) {
        const int at = offset - kEnvelopeBase;
        const int record = at % kEnvelopeStride;
        const std::string owner = "envelope";
        const int envelope = at / kEnvelopeStride + 1;
        if (record >= kEnvelopeSlots) {
            return Owned(
                (record - kEnvelopeSlots) % 2 == 0 ? "the destination" : "the depth",
                "slot " + std::to_string((record - kEnvelopeSlots) / 2 + 1) + " of " + owner,
                envelope);
        }
        return Owned(record % 2 == 0 ? "the rate" : "the level",
                     "point " + std::to_string(record / 2 + 1) + " of " + owner, envelope);
    }
    if (offset < kModulationDestination) {
        static const std::array<const char*, kLfoStride> kFields = {"the wave",
                                                                    "the delay",
                                                                    "the rate",
                                                                    "the destination of slot 1",
                                                                    "the depth of slot 1",
                                                                    "the destination of slot 2",
                                                                    "the depth of slot 2"};
        const int at = offset - kLfoBase;
        return Owned(kFields[at % kLfoStride], "LFO", at / kLfoStride + 1);
    }
    if (offset < kAlgorithm) {
        static const std::array<const char*, 7> kRows = {
            "the destination", "the key break",  "the key depth", "the velocity",
            "the aftertouch",  "the controller", "the mod wheel"};
        const int at = offset - kModulationDestination;
        return Owned(kRows[at / kModulationCount], "modulation", at % kModulationCount + 1);
    }
    if (offset == kAlgorithm)
        return "the algorithm";
    if (offset == kTranspose)
        return "the transpose";
    if (offset < kNodeBase + 2 * kNodePositions)
        return Owned("the values", "node", (offset - kNodeBase) / 2 + 1);
    return "byte " + std::to_string(offset);
}

std::string ReadBackCheck::GroupParameter(int offset) {
    if (offset >= ClassGroup::kNameOffset)
        return "the name";
    static const std::array<const char*, ClassBank::kParameterCount> kRows = {
        "the sound",     "the channel", "the volume",    "the pan",       "the switches",
        "the transpose", "the detune",  "the low split", "the high split"};
    return Owned(kRows[offset / ClassBank::kBankCount], "bank", offset % ClassBank::kBankCount + 1);
}
