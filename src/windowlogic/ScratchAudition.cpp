#include "windowlogic/ScratchAudition.h"

#include <string>

#include "midi/MidiSettings.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"
#include "platform/MessageSink.h"
#include "platform/SettingsStore.h"

namespace {
constexpr const char* kQuestion =
    "Audition plays a library sound from one of the ZEL-1's sound slots and puts that slot's own "
    "sound back when the library window closes. May Sound 20 serve for this?";
}

ScratchAudition::ScratchAudition(ClassSounds& sounds, SettingsStore& store, MessageSink& messages)
    : sounds_(sounds), store_(store), messages_(messages) {}

int ScratchAudition::SavedSlot(SettingsStore& store) {
    const std::string saved =
        store.Read(MidiSettings::kApplication, MidiSettings::kSection, kKeyScratchSlot, "");
    try {
        const int slot = saved.empty() ? -1 : std::stoi(saved);
        return slot >= 0 && slot < 20 ? slot : -1;
    } catch (const std::exception&) {
        return -1;
    }
}

void ScratchAudition::SaveSlot(SettingsStore& store, int slot) {
    store.Write(MidiSettings::kApplication, MidiSettings::kSection, kKeyScratchSlot,
                slot >= 0 && slot < 20 ? std::to_string(slot) : std::string());
}

int ScratchAudition::ScratchSlot() {
    if (const int slot = SavedSlot(store_); slot >= 0)
        return slot;
    if (messages_.Show(kQuestion, kTitle, MessageFlags::OkCancelQuestion) !=
        MessageFlags::ResultOk) {
        return -1;
    }
    SaveSlot(store_, kOfferedSlot);
    return kOfferedSlot;
}

bool ScratchAudition::Play(const RawData& record) {
    const int slot = slot_ >= 0 ? slot_ : ScratchSlot();
    // The slots exist once the sounds were read (no browser may have done so yet).
    if (slot < 0 || !sounds_.GetSoundsFromSynth())
        return false;
    const auto sound = sounds_.Sound(slot);
    if (!sound)
        return false;
    if (slot_ < 0) {
        // What the synth holds, not what the window last showed: it may have been edited on the
        // synth's own panel since.
        if (!sound->RequestSound())
            return false;
        held_ = sound->EncodeRawSound();
        slot_ = slot;
    }
    return sound->SendSound(record);
}

bool ScratchAudition::GiveBack() {
    if (slot_ < 0)
        return true;
    const auto sound = sounds_.Sound(slot_);
    const bool back = sound && sound->SendSound(held_);
    if (back)
        slot_ = -1;
    return back;
}
