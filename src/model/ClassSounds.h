#pragma once

#include <array>
#include <memory>

#include "midi/RawData.h"
#include "model/ClassSound.h"

class ModuleMIDI;

// The synth's 20 user sounds, slot i holding the sound whose Number is i. It fetches them all in
// one exchange, packs them into one all-sounds array (20 raw sounds back to back) and sends such
// an array back. Sounds are shared with the windows that show them; once filled, sending new
// data keeps the objects in place so that those windows stay attached.
class ClassSounds {
  public:
    static constexpr int kSounds = 20;
    static constexpr int kAllSoundsBytes = 2760;

    explicit ClassSounds(ModuleMIDI& midi);

    // The sound in slot 0..19; nullptr before the slots were filled or for another index.
    std::shared_ptr<ClassSound> Sound(int slot) const;
    bool Syncronised() const { return syncronised_; }

    // Writes all 20 sounds into elements 0..2,759; later elements are left as they are. False
    // (nothing written) for a shorter array or before the slots were filled.
    bool EncodeRaw(RawData& all) const;
    // Reads all sounds from the synth unless that was done already.
    bool GetSoundsFromSynth();
    // Sends every element of the array as the dump's payload, then loads its first 2,760
    // elements into the sounds, keeping the objects already in the slots. False (nothing sent
    // or changed) for a shorter array.
    bool SendAllSoundsToSynth(const RawData& all);

  private:
    void CreateSounds();
    void DecodeAllSounds(const RawData& all);

    ModuleMIDI& midi_;
    std::array<std::shared_ptr<ClassSound>, kSounds> sounds_;
    bool syncronised_ = false;
};
