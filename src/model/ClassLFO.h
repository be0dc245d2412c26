#pragma once

#include <array>
#include <cstdint>

#include "midi/RawData.h"
#include "model/DestinationSlots.h"

class ModuleMIDI;

// One of a sound's two LFOs: wave, delay, rate and two destinations with a depth each. Each
// property is its raw byte unchanged; every setter sends its byte to the synth at once.
//
// Delay and rate keep the stored byte 0..255 as their value, so decoding and encoding are each
// other's inverse for every byte. A negative value given to their setters (the editor offers
// -64..63) is stored and sent as its two's-complement byte: Delay := -1 reads back as 255.
// A slot outside 0..1 is the caller's error: the getter returns 0, the setter does nothing.
class ClassLFO {
  public:
    static constexpr int kSlots = DestinationSlots::kSlots;

    ClassLFO(ModuleMIDI& midi, int16_t index);

    // Stores the sound number and index and copies the seven bytes. Sends nothing.
    void DecodeRaw(const RawData& raw, int16_t soundNumber, int16_t index);
    void EncodeRaw(RawData& raw) const;
    // A sine that modulates nothing, through the setters (each sends).
    void DefaultValue();

    int16_t Index() const { return index_; }
    int16_t SoundNumber() const { return soundNumber_; }
    void SetSoundNumber(int16_t soundNumber) { soundNumber_ = soundNumber; }

    int16_t Wave() const { return wave_; }
    void SetWave(int16_t value);
    int16_t Delay() const { return delay_; }
    void SetDelay(int16_t value);
    int16_t Rate() const { return rate_; }
    void SetRate(int16_t value);
    int16_t DestinationNode(int slot) const;
    void SetDestinationNode(int slot, int16_t value);
    int16_t DestinationDepth(int slot) const;
    void SetDestinationDepth(int slot, int16_t value);

  private:
    int Base() const;
    void Send(int offset, int value);
    DestinationSlots::Sender SlotSender();

    ModuleMIDI& midi_;
    int16_t soundNumber_ = 0;
    int16_t index_ = 0;
    int16_t wave_ = 0;
    int16_t delay_ = 0;
    int16_t rate_ = 0;
    DestinationSlots slots_;
};
