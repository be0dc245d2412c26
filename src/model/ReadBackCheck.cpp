#include "model/ReadBackCheck.h"

#include <algorithm>

#include "midi/MidiSettings.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassBank.h"
#include "model/ClassGroup.h"
#include "model/ClassSound.h"
#include "platform/SettingsStore.h"
#include "tables/ParameterTable.h"
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
        const std::vector<const ParameterEntry*> changed =
            records == Records::Sounds ? ParameterTable::ChangedInSound(got, want)
                                       : ParameterTable::ChangedInGroup(got, want);
        if (!changed.empty())
            differences.push_back({firstSlot + r, name, ParameterTable::Names(changed)});
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
        const bool first = &d == &outcome.differences.front();
        text += std::string("\n") + (sounds ? "Sound " : "Group ") + std::to_string(d.slot) + " (" +
                d.name + "): " + ParameterList(d.parameters, first ? 5 : 1);
    }
    return text;
}

std::string ReadBackCheck::ParameterList(const std::vector<std::string>& names, size_t shown) {
    std::string text;
    const size_t listed = std::min(names.size(), shown);
    for (size_t i = 0; i < listed; ++i) {
        if (i > 0)
            text += i + 1 == listed && listed == names.size() ? " and " : ", ";
        text += names[i];
    }
    if (names.size() > listed)
        text += " and " + std::to_string(names.size() - listed) + " more";
    return text;
}
