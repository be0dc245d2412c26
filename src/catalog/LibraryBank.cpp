#include "catalog/LibraryBank.h"

#include "library/FileKinds.h"
#include "midi/ModuleMIDI.h"
#include "model/ClassSound.h"
#include "platform/EventPump.h"
#include "platform/MessageSink.h"
#include "platform/SteadyClock.h"
#include "synth/EmulatorMidiDriver.h"
#include "tables/SoundLayout.h"

namespace {
class NoMessages : public MessageSink {
  public:
    int Show(const std::string&, const std::string&, int) override {
        return MessageFlags::ResultOk;
    }
};
}  // namespace

RawData NewSoundRecord() {
    // A model that never opens a port: its parameter changes go nowhere.
    SteadyClock clock;
    EmulatorMidiDriver unopened(clock);
    NoMessages messages;
    FunctionEventPump pump;
    ModuleMIDI midi(unopened, messages, pump, clock);
    ClassSound sound(midi);
    sound.DefaultValues();
    return sound.EncodeRawSound();
}

RawData BankFromRecords(const std::vector<RawData>& records) {
    RawData bank(kAllSoundsFileBytes, 0);
    RawData filler;
    for (int slot = 0; slot < SoundLayout::kUserSounds; ++slot) {
        const bool given = slot < static_cast<int>(records.size()) &&
                           static_cast<int>(records[slot].size()) >= SoundLayout::kSize;
        if (!given && filler.empty())
            filler = NewSoundRecord();
        const RawData& sound = given ? records[slot] : filler;
        std::copy(sound.begin(), sound.begin() + SoundLayout::kSize,
                  bank.begin() + slot * SoundLayout::kSize);
    }
    return bank;
}
