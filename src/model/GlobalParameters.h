#pragma once

#include "midi/RawData.h"

class ModuleMIDI;

// The synth's seven global parameters as one record. It keeps the bytes as the synth sent them:
// a getter reads its byte, a setter changes only its own byte (or bit), so a byte that no setter
// touched goes back to the synth exactly as it came, even one outside its control's range.
// Nothing is sent until SendToSynth.
class GlobalParameters {
  public:
    static constexpr int kRawBytes = 7;
    static constexpr int kControllerMax = 121;
    static constexpr int kTuneMin = -19;
    static constexpr int kTuneMax = 19;
    static constexpr int kPitchBendMax = 12;
    static constexpr int kOmni = 0;
    static constexpr int kChannelEntries = 17;  // omni, then channels 1 to 16
    static constexpr int kKeyModes = 5;

    // The kinds of incoming MIDI data the synth accepts, by bit of their byte.
    enum Accept : int {
        kVelocity = 0,
        kProgramChange = 1,
        kControllers = 2,
        kAftertouch = 3,
        kPitchBend = 4,
        kSystemExclusive = 5
    };

    GlobalParameters();

    // False (and the record unchanged) unless raw holds seven bytes.
    bool DecodeRaw(const RawData& raw);
    RawData EncodeRaw() const;

    int Controller() const;
    void SetController(int value);
    // 0 = omni, 1..16 = channel 1..16.
    int SystemChannel() const;
    void SetSystemChannel(int value);
    // On only for 255; any other byte reads as off.
    bool MemoryProtect() const;
    void SetMemoryProtect(bool on);
    bool Accepts(Accept kind) const;
    void SetAccepts(Accept kind, bool on);
    int Tune() const;
    void SetTune(int value);
    int PitchBendRange() const;
    void SetPitchBendRange(int value);
    int KeyMode() const;
    void SetKeyMode(int value);

    // Requests the record and waits for it; false (after the exchange's message) when the reply
    // is missing, refused, or not a global-parameter dump, and the record stays as it was.
    bool GetFromSynth(ModuleMIDI& midi);
    // Sends the record as a dump and waits for a possible error reply; false when one came.
    bool SendToSynth(ModuleMIDI& midi) const;

  private:
    enum Byte : int {
        kByteController = 0,
        kByteChannel = 1,
        kByteProtect = 2,
        kByteAccept = 3,
        kByteTune = 4,
        kBytePitchBend = 5,
        kByteKeyMode = 6
    };

    RawData raw_;
};
