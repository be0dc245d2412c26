#pragma once

#include <cstdint>
#include <string_view>

#include "midi/RawData.h"

class ModuleMIDI;

// One node of a sound's algorithm. It owns the two raw-sound bytes of its node position and reads
// and writes them by its type; every setter sends the changed byte(s) to the synth at once.
// A sound creates its nodes anew whenever it is decoded or its algorithm changes.
class ClassNode {
  public:
    explicit ClassNode(ModuleMIDI& midi);

    // Sound number, node position (0..8) and node number (0..23). Sends nothing.
    void Initialise(int16_t soundNumber, int16_t position, int16_t nodeNumber);
    void SetSoundNumber(int16_t soundNumber) { soundNumber_ = soundNumber; }

    // Reads the node's properties from its two bytes; raw holds at least the node bytes.
    void DecodeRaw(const RawData& raw);
    void EncodeRaw(RawData& raw) const;
    // Resets the properties and sends the default bytes.
    void DefaultValue();

    int16_t NodeNumber() const { return nodeNumber_; }
    int16_t NodeType() const;
    std::string_view NodeName() const;
    int16_t Position() const { return position_; }
    int16_t SoundNumber() const { return soundNumber_; }

    int16_t Detune() const { return detune_; }
    void SetDetune(int16_t value);
    int16_t Detone() const { return detone_; }
    void SetDetone(int16_t value);
    bool Fixed() const { return fixed_; }
    void SetFixed(bool value);
    int16_t Wave() const { return wave_; }
    void SetWave(int16_t value);

  private:
    int FirstByte() const;
    int SecondByte() const { return FirstByte() + 1; }
    int16_t SecondByteValue() const;
    void Send(int offset, int value);

    ModuleMIDI& midi_;
    int16_t soundNumber_ = 0;
    int16_t position_ = 0;
    int16_t nodeNumber_ = 0;
    int16_t detune_ = 0;
    int16_t detone_ = 0;
    bool fixed_ = false;
    int16_t wave_ = 0;
};
