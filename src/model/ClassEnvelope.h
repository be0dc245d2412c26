#pragma once

#include <array>
#include <cstdint>

#include "midi/RawData.h"
#include "model/DestinationSlots.h"

class ModuleMIDI;

// One of a sound's four envelopes: six points of rate and level, an optional sustain point and
// an end point (marked by bit 7 of a rate and of a level byte), and two destinations with a depth
// each. Every setter sends what it changed to the synth at once.
//
// Points are 0..5 in EnvelopeRate/EnvelopeLevel and 1..6 in SustainPoint/EndPoint (0 = none).
// A point, slot or marker outside its range is the caller's error: the getter returns 0 and the
// setter stores and sends nothing.
class ClassEnvelope {
  public:
    static constexpr int kPoints = 6;
    static constexpr int kSlots = DestinationSlots::kSlots;

    ClassEnvelope(ModuleMIDI& midi, int16_t index);

    // Stores the sound number and index and reads the record. Sends nothing.
    void DecodeRaw(const RawData& raw, int16_t soundNumber, int16_t index);
    void EncodeRaw(RawData& raw) const;
    // The default envelope, through the setters (each sends).
    void DefaultValue();

    int16_t Index() const { return index_; }
    int16_t SoundNumber() const { return soundNumber_; }
    void SetSoundNumber(int16_t soundNumber) { soundNumber_ = soundNumber; }

    int16_t SustainPoint() const { return sustainPoint_; }
    void SetSustainPoint(int16_t point);
    int16_t EndPoint() const { return endPoint_; }
    void SetEndPoint(int16_t point);
    int16_t EnvelopeRate(int point) const;
    void SetEnvelopeRate(int point, int16_t value);
    int16_t EnvelopeLevel(int point) const;
    void SetEnvelopeLevel(int point, int16_t value);
    int16_t DestinationNode(int slot) const;
    void SetDestinationNode(int slot, int16_t value);
    int16_t DestinationDepth(int slot) const;
    void SetDestinationDepth(int slot, int16_t value);

  private:
    int Base() const;
    int RateByte(int point) const;
    int LevelByte(int point) const;
    void Send(int offset, int value);
    DestinationSlots::Sender SlotSender();

    ModuleMIDI& midi_;
    int16_t soundNumber_ = 0;
    int16_t index_ = 0;
    int16_t sustainPoint_ = 0;
    int16_t endPoint_ = 0;
    std::array<int16_t, kPoints> rates_{};
    std::array<int16_t, kPoints> levels_{};
    DestinationSlots slots_;
};
