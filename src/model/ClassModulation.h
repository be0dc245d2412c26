#pragma once

#include <cstdint>

#include "midi/RawData.h"

class ModuleMIDI;

// One of a sound's four modulation-matrix entries: a destination driven by key position (with a
// break key and a direction), velocity, after touch, a controller and the mod wheel, each with a
// signed depth. The matrix is stored by rows, so the entry's bytes are 88 + m, 92 + m, ... 112 + m.
// Every setter sends its byte to the synth at once.
class ClassModulation {
  public:
    ClassModulation(ModuleMIDI& midi, int16_t index);

    // Stores the sound number and index and reads the seven bytes. Sends nothing.
    void DecodeRaw(const RawData& raw, int16_t soundNumber, int16_t index);
    void EncodeRaw(RawData& raw) const;
    // Everything 0 / left to right, through the setters (each sends).
    void DefaultValue();

    int16_t Index() const { return index_; }
    int16_t SoundNumber() const { return soundNumber_; }
    void SetSoundNumber(int16_t soundNumber) { soundNumber_ = soundNumber; }

    int16_t Destination() const { return destination_; }
    void SetDestination(int16_t value);
    int16_t KeyBreak() const { return keyBreak_; }
    void SetKeyBreak(int16_t value);
    bool KeyRightToLeft() const { return keyRightToLeft_; }
    void SetKeyRightToLeft(bool value);
    int16_t KeyDepth() const { return keyDepth_; }
    void SetKeyDepth(int16_t value);
    int16_t Velocity() const { return velocity_; }
    void SetVelocity(int16_t value);
    int16_t AfterTouch() const { return afterTouch_; }
    void SetAfterTouch(int16_t value);
    int16_t Controller() const { return controller_; }
    void SetController(int16_t value);
    int16_t ModWheel() const { return modWheel_; }
    void SetModWheel(int16_t value);

  private:
    // The key break byte: magnitude key break + 24, negative for right to left.
    int KeyBreakByte() const;
    void Send(int row, int value);

    ModuleMIDI& midi_;
    int16_t soundNumber_ = 0;
    int16_t index_ = 0;
    int16_t destination_ = 0;
    int16_t keyBreak_ = 0;
    bool keyRightToLeft_ = false;
    int16_t keyDepth_ = 0;
    int16_t velocity_ = 0;
    int16_t afterTouch_ = 0;
    int16_t controller_ = 0;
    int16_t modWheel_ = 0;
};
