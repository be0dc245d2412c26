#pragma once

#include <cstdint>
#include <string>

#include "midi/RawData.h"

class ModuleMIDI;

// One of the eight banks (parts) of a group: the sound it plays, its MIDI channel, level, pan,
// tuning, key range and modulation switches. It owns nine bytes of the raw group, which stores
// the banks by rows (byte 8p + b is parameter p of bank b), and sends every change to the synth
// at once as a bank parameter change (address 40 + bank, index p).
class ClassBank {
  public:
    static constexpr int kBankCount = 8;
    static constexpr int kParameterCount = 9;
    // The rows of the raw group; the row number is also the index of a parameter change.
    enum Parameter : int {
        kSoundNumber = 0,
        kChannel = 1,
        kVolume = 2,
        kPan = 3,
        kSwitches = 4,
        kTranspose = 5,
        kDetune = 6,
        kLowSplit = 7,
        kHighSplit = 8
    };
    // Bytes of the raw group the banks occupy (0..71).
    static constexpr int kRawBytes = kBankCount * kParameterCount;

    // The bank starts as bank `index` (0..7) with every value 0; DecodeRaw sets it again.
    ClassBank(ModuleMIDI& midi, int index);

    int Index() const { return index_; }
    bool HasChanged() const { return hasChanged_; }

    // Stores the index and reads the bank's nine bytes; clears HasChanged; sends nothing.
    // Refuses (false, nothing changed) an index outside 0..7 or raw data shorter than the banks.
    bool DecodeRaw(const RawData& raw, int index);
    // Writes the bank's nine bytes; refuses (false, nothing written) raw data that is too short.
    bool EncodeRaw(RawData& raw) const;
    // Bank b plays user sound b on channel b + 1 over keys 24..102 at volume 99 with every
    // modulation source on; sent as nine parameter changes.
    void DefaultValue();

    int16_t SoundNumber() const { return soundNumber_; }
    int16_t Channel() const { return channel_; }
    int16_t Volume() const { return volume_; }
    int16_t Pan() const { return pan_; }
    int16_t Transpose() const { return transpose_; }
    int16_t Detune() const { return detune_; }
    int16_t LowSplit() const { return lowSplit_; }
    int16_t HighSplit() const { return highSplit_; }
    void SetSoundNumber(int16_t value);
    void SetChannel(int16_t value);
    void SetVolume(int16_t value);
    void SetPan(int16_t value);
    void SetTranspose(int16_t value);
    void SetDetune(int16_t value);
    void SetLowSplit(int16_t value);
    void SetHighSplit(int16_t value);

    bool ModVelocity() const { return modVelocity_; }
    bool ModController() const { return modController_; }
    bool ModModWheel() const { return modModWheel_; }
    bool ModAftertouch() const { return modAftertouch_; }
    bool ModPitchBend() const { return modPitchBend_; }
    bool ModLfo() const { return modLfo_; }
    void SetModVelocity(bool on);
    void SetModController(bool on);
    void SetModModWheel(bool on);
    void SetModAftertouch(bool on);
    void SetModPitchBend(bool on);
    void SetModLfo(bool on);

    // The six switches as one byte: bit 0 velocity .. bit 5 LFO; bits 6 and 7 always 0.
    int16_t SwitchByte() const;

    // A split key as the note it plays, the same wherever a key range is shown: 24 (the lowest
    // key) reads C0, 60 reads C3, 102 reads F#6.
    static std::string KeyName(int key);

    // Takes every value of other that differs from this bank's, each sent as an edit is
    // (the switches as one byte); the bank is changed when any differed.
    void TakeValues(const ClassBank& other);

  private:
    // Stores, sends (index_, parameter, value) and marks the bank changed.
    void SetValue(int16_t& field, Parameter parameter, int16_t value);
    void SetSwitch(bool& field, bool on);
    void DecodeSwitches(int16_t byte);
    static int Offset(Parameter parameter, int bank) { return kBankCount * parameter + bank; }

    ModuleMIDI& midi_;
    int index_;
    bool hasChanged_ = false;
    int16_t soundNumber_ = 0;
    int16_t channel_ = 0;
    int16_t volume_ = 0;
    int16_t pan_ = 0;
    int16_t transpose_ = 0;
    int16_t detune_ = 0;
    int16_t lowSplit_ = 0;
    int16_t highSplit_ = 0;
    bool modVelocity_ = false;
    bool modController_ = false;
    bool modModWheel_ = false;
    bool modAftertouch_ = false;
    bool modPitchBend_ = false;
    bool modLfo_ = false;
};
