#include "model/ClassSounds.h"

#include <algorithm>

#include "midi/ModuleMIDI.h"
#include "tables/SoundLayout.h"

using SoundLayout::kAllSoundsSize;
using SoundLayout::kSize;

ClassSounds::ClassSounds(ModuleMIDI& midi) : midi_(midi) {}

std::shared_ptr<ClassSound> ClassSounds::Sound(int slot) const {
    return slot >= 0 && slot < kSounds ? sounds_[slot] : nullptr;
}

void ClassSounds::CreateSounds() {
    for (int i = 0; i < kSounds; ++i) {
        sounds_[i] = std::make_shared<ClassSound>(midi_);
        sounds_[i]->SetNumber(static_cast<int16_t>(i));
    }
}

void ClassSounds::DecodeAllSounds(const RawData& all) {
    for (int i = 0; i < kSounds; ++i) {
        const auto first = all.begin() + static_cast<ptrdiff_t>(i) * kSize;
        sounds_[i]->DecodeRawSound(RawData(first, first + kSize));
    }
}

bool ClassSounds::EncodeRaw(RawData& all) const {
    if (all.size() < static_cast<size_t>(kAllSoundsSize) || !sounds_[0])
        return false;
    for (int i = 0; i < kSounds; ++i) {
        const RawData raw = sounds_[i]->EncodeRawSound();
        std::copy(raw.begin(), raw.end(), all.begin() + static_cast<ptrdiff_t>(i) * kSize);
    }
    return true;
}

bool ClassSounds::GetSoundsFromSynth() {
    if (syncronised_)
        return true;
    RawData all;
    if (!midi_.RequestDump(ModuleMIDI::kAllSounds, -1, kAllSoundsSize, all))
        return false;
    CreateSounds();
    DecodeAllSounds(all);
    syncronised_ = true;
    return true;
}

bool ClassSounds::SendAllSoundsToSynth(const RawData& all) {
    if (all.size() < static_cast<size_t>(kAllSoundsSize))
        return false;
    midi_.SendData(all, ModuleMIDI::kAllSounds, -1);
    if (!midi_.WaitForMessage(true))
        return false;
    // Objects already in the slots stay, synchronised or not: editor windows hold them, and a
    // fresh set would leave those windows editing sounds the collection no longer has.
    if (!sounds_[0])
        CreateSounds();
    DecodeAllSounds(all);
    return true;
}
