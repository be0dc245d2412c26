#pragma once

#include "midi/RawData.h"

class ClassSounds;
class MessageSink;
class SettingsStore;

// Hearing a library sound before it replaces anything: the sound goes to a scratch slot of the
// synth chosen once by the user, and what that slot held is read from the synth first and put
// back by GiveBack (when the library window closes). Later auditions reuse the slot and keep
// the first remembered sound, so the slot's own sound is never lost to a second audition.
class ScratchAudition {
  public:
    static constexpr const char* kKeyScratchSlot = "LibraryScratchSlot";
    static constexpr int kOfferedSlot = 19;
    static constexpr const char* kTitle = "Audition";

    ScratchAudition(ClassSounds& sounds, SettingsStore& store, MessageSink& messages);

    // The slot chosen in the settings, or -1 when none is (or the value is not a slot).
    static int SavedSlot(SettingsStore& store);
    // -1 clears the choice, so that the next audition asks.
    static void SaveSlot(SettingsStore& store, int slot);

    // The slot 0..19 from the settings; when none is chosen yet, asks once whether Sound 20 may
    // serve and keeps the answer. -1 when the user declines.
    int ScratchSlot();
    // Sends record to the scratch slot; false (after a message) when nothing could be sent.
    bool Play(const RawData& record);
    // Puts back what the slot held before the first audition; true when nothing was held.
    bool GiveBack();
    bool Holding() const { return slot_ >= 0; }

  private:
    ClassSounds& sounds_;
    SettingsStore& store_;
    MessageSink& messages_;
    int slot_ = -1;  // the slot whose own sound is held, or -1
    RawData held_;
};
