#include "model/ClassGroups.h"

#include <algorithm>

#include "midi/ModuleMIDI.h"

namespace {
// A dump counts its nibbles in 14 bits; a longer payload would go out with a wrong count.
constexpr size_t kMaxDumpBytes = 0x3FFF / 2;
}  // namespace

ClassGroups::ClassGroups(ModuleMIDI& midi) : midi_(midi) {}

std::shared_ptr<ClassGroup> ClassGroups::Group(int slot) const {
    if (slot < 0 || slot >= kGroupCount)
        return nullptr;
    return groups_[slot];
}

bool ClassGroups::EncodeRaw(RawData& all) const {
    if (!groups_[0])
        return false;
    if (all.size() < static_cast<size_t>(kAllGroupsBytes))
        all.resize(kAllGroupsBytes);
    RawData raw(ClassGroup::kRawBytes);
    for (int i = 0; i < kGroupCount; ++i) {
        groups_[i]->EncodeRawGroup(raw);
        std::copy(raw.begin(), raw.end(), all.begin() + i * ClassGroup::kRawBytes);
    }
    return true;
}

bool ClassGroups::GetGroupsFromSynth() {
    if (syncronised_)
        return true;
    RawData all;
    if (!midi_.RequestDump(ModuleMIDI::kAllGroups, -1, kAllGroupsBytes, all))
        return false;
    CreateGroups();
    DecodeAllGroups(all);
    syncronised_ = true;
    return true;
}

bool ClassGroups::SendAllGroupsToSynth(const RawData& all) {
    if (all.size() < static_cast<size_t>(kAllGroupsBytes) || all.size() > kMaxDumpBytes) {
        return false;
    }
    midi_.SendData(all, ModuleMIDI::kAllGroups, -1);
    if (!midi_.WaitForMessage(true))
        return false;
    // Windows may hold the groups already there; they stay attached to them.
    if (!groups_[0])
        CreateGroups();
    DecodeAllGroups(all);
    return true;
}

void ClassGroups::CreateGroups() {
    for (int i = 0; i < kGroupCount; ++i) {
        groups_[i] = std::make_shared<ClassGroup>(midi_);
        groups_[i]->SetGroupNumber(static_cast<int16_t>(i));
    }
}

void ClassGroups::DecodeAllGroups(const RawData& all) {
    for (int i = 0; i < kGroupCount; ++i) {
        const auto first = all.begin() + i * ClassGroup::kRawBytes;
        groups_[i]->DecodeRawGroup(RawData(first, first + ClassGroup::kRawBytes));
    }
}
