#pragma once

#include <optional>

#include "midi/RawData.h"

class ClassSound;
class ModuleMIDI;

// Puts one version of a sound after another into the synth's slot and the sound object, as
// fast as the cable takes them: a write that comes while an earlier one is still going out
// (events run during every send) only replaces what waits, so the latest version wins and the
// ones in between are never sent. Each version goes as parameter changes for the bytes that
// differ from what the synth holds, or as one dump when that is shorter on the cable.
class LiveSoundWriter {
  public:
    // Bytes on the cable: a parameter change, and a dump of one sound.
    static constexpr int kParameterChangeBytes = 10;
    static constexpr int kSoundDumpBytes = 287;
    // A version that changes more bytes than this goes as one dump.
    static constexpr int kMaxParameterChanges = kSoundDumpBytes / kParameterChangeBytes;

    LiveSoundWriter(ClassSound& sound, ModuleMIDI& midi);

    // Makes raw (138 elements, as the model encodes it) what the synth plays and the object
    // holds. Re-entered from the events of a send, it only keeps raw as the next to go.
    // False when a dump failed (the synth said so; the object keeps what it had).
    bool Write(const RawData& raw);
    // True while a write is going out.
    bool Busy() const { return busy_; }

  private:
    // Sends the bytes of target that the synth lacks; stops early when a newer version waits.
    bool SendDifferences(const RawData& target);

    ClassSound& sound_;
    ModuleMIDI& midi_;
    std::optional<RawData> waiting_;
    // What the synth's slot holds, byte for byte, while a write goes out.
    RawData synth_;
    bool busy_ = false;
};
