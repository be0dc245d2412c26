// The exchange through the ALSA sequencer on a real kernel (run by run-vm.sh): a USB MIDI
// interface whose far end plays the ZEL-1, and a VirMIDI port that answers in bursts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"
#include "tests/vm/RawMidiPeer.h"

namespace {
constexpr const char* kCable = "ZEL Cable:";
constexpr const char* kVirMidi = "Virtual Raw MIDI 0-0:";
constexpr size_t kAllSoundsDump = 5531;

class AlsaVm : public ::testing::Test {
  protected:
    AlsaVm() : midi(driver, messages, pump, clock) {
        // ZEL_VM_WITHOUT_FIX=1 sends and receives as RtMidi alone does, to show what fails.
        if (const char* without = std::getenv("ZEL_VM_WITHOUT_FIX"); without && *without == '1')
            options = {false, false, AlsaSeqClient::kInputPool};
        driver.SetAlsaOptions(options);
    }

    static int Find(MidiDriver& driver, const std::string& prefix, bool input) {
        const uint32_t count = input ? driver.InGetNumDevs() : driver.OutGetNumDevs();
        for (uint32_t id = 0; id < count; ++id) {
            std::string name;
            if (input) {
                MidiInCaps caps;
                driver.InGetDevCaps(id, caps);
                name = caps.productName;
            } else {
                MidiOutCaps caps;
                driver.OutGetDevCaps(id, caps);
                name = caps.productName;
            }
            if (name.rfind(prefix, 0) == 0)
                return static_cast<int>(id);
        }
        return -1;
    }
    void Open(const std::string& prefix, bool output) {
        ASSERT_TRUE(midi.OpenInPort(Find(driver, prefix, true))) << prefix;
        if (output) {
            ASSERT_TRUE(midi.OpenOutPort(Find(driver, prefix, false))) << prefix;
        }
    }
    // User sounds made of the presets, so that they differ from what the synth holds.
    static RawData NewSounds() {
        VirtualZel1 source;
        RawData all;
        for (int n = 0; n < VirtualZel1::kUserSounds; ++n) {
            const RawData sound = source.Sound(VirtualZel1::kUserSounds + n);
            all.insert(all.end(), sound.begin(), sound.end());
        }
        return all;
    }
    static void SetUserSounds(VirtualZel1& synth, const RawData& sounds) {
        for (int n = 0; n < VirtualZel1::kUserSounds; ++n) {
            synth.SetSound(n, RawData(sounds.begin() + n * VirtualZel1::kSoundBytes,
                                      sounds.begin() + (n + 1) * VirtualZel1::kSoundBytes));
        }
    }
    static VirtualZel1::Message DumpOf(const RawData& sounds) {
        VirtualZel1 synth;
        SetUserSounds(synth, sounds);
        // The synth's answer to the request for all sounds on channel 1.
        return synth.Receive({0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x01, 0xF7}).at(0);
    }
    static RawData UserSounds(const VirtualZel1& synth) {
        RawData all;
        for (int n = 0; n < VirtualZel1::kUserSounds; ++n) {
            const RawData sound = synth.Sound(n);
            all.insert(all.end(), sound.begin(), sound.end());
        }
        return all;
    }

    RtMidiDriver::AlsaOptions options;
    SteadyClock clock;
    FunctionEventPump pump;
    RecordingMessageSink messages;
    RtMidiDriver driver{{"alsa"}};
    ModuleMIDI midi;
};

TEST_F(AlsaVm, AllSoundsCrossTheUsbCableWholeBothWays) {
    VirtualZel1 synth;
    RawMidiPeer far("ZELGadget", &synth);
    ASSERT_TRUE(far.IsOpen());
    Open(kCable, true);
    const RawData sounds = NewSounds();

    const double start = clock.Now();
    midi.SendData(sounds, ModuleMIDI::kAllSounds, -1);
    const double sent = clock.Now() - start;
    const std::vector<uint8_t> wire = far.Received(kAllSoundsDump, 1.0);
    std::printf("dump to the synth: %zu of %zu bytes arrived, sending took %.2f s\n", wire.size(),
                kAllSoundsDump, sent);
    EXPECT_EQ(wire.size(), kAllSoundsDump);
    EXPECT_EQ(UserSounds(synth), sounds);
    // The way back is tested whether or not the way there worked.
    SetUserSounds(synth, sounds);

    // Back from the synth, which answers as fast as USB takes it.
    midi.SendRequest(ModuleMIDI::kAllSounds, -1);
    ASSERT_TRUE(midi.WaitForMessage(false));
    std::printf("dump from the synth: %zu of %zu bytes arrived\n", midi.ReceivedMessage().size(),
                kAllSoundsDump);
    RawData back;
    EXPECT_EQ(midi.ExtractData(back), ModuleMIDI::kAllSounds);
    EXPECT_EQ(back, sounds);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(AlsaVm, ParameterChangesDuringADumpFollowIt) {
    VirtualZel1 synth;
    RawMidiPeer far("ZELGadget", &synth);
    ASSERT_TRUE(far.IsOpen());
    Open(kCable, true);
    // While the dump goes out, something (a timer, say) sends parameter changes; each waits
    // until it has gone, so the first queues behind the dump and the others follow it.
    int changes = 0;
    bool inside = false;
    pump.SetStep([&] {
        if (inside || changes == 3)
            return;
        inside = true;
        midi.SendParameter(1, 2, 30 + changes++);
        inside = false;
    });
    midi.SendData(NewSounds(), ModuleMIDI::kAllSounds, -1);
    // The pause after the dump lets the rest go.
    while (changes < 3)
        midi.ProcessEvents();
    pump.SetStep({});

    const std::vector<uint8_t> wire = far.Received(kAllSoundsDump + 3 * 11, 1.0);
    std::vector<size_t> lengths;
    size_t begin = 0;
    for (size_t i = 0; i < wire.size(); ++i) {
        if (wire[i] == 0xF0) {
            EXPECT_EQ(i, begin) << "a message starts inside another";
            begin = i;
        }
        if (wire[i] == 0xF7) {
            lengths.push_back(i + 1 - begin);
            begin = i + 1;
        }
    }
    EXPECT_EQ(lengths, (std::vector<size_t>{kAllSoundsDump, 11, 11, 11}));
}

TEST_F(AlsaVm, BurstAnswersOnVirMidiArriveWhole) {
    RawMidiPeer far("VirMIDI");
    ASSERT_TRUE(far.IsOpen());
    Open(kVirMidi, false);
    const VirtualZel1::Message dump = DumpOf(NewSounds());
    ASSERT_EQ(dump.size(), kAllSoundsDump);
    int whole = 0;
    for (int round = 0; round < 10; ++round) {
        ASSERT_TRUE(far.Write(dump));
        if (midi.WaitForMessage(false) && midi.ReceivedMessage() == dump)
            ++whole;
    }
    std::printf("burst answers: %d of 10 arrived whole\n", whole);
    EXPECT_EQ(whole, 10);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(AlsaVm, AnOverflowIsReportedAndTheNextAnswerArrivesWhole) {
    // Room for two pieces of 256 bytes (11 cells each): enough for one sound, but the dump's 22
    // pieces overflow it unless the reader takes each one at once.
    options.inputPool = 24;
    driver.SetAlsaOptions(options);
    RawMidiPeer far("VirMIDI");
    ASSERT_TRUE(far.IsOpen());
    Open(kVirMidi, false);

    ASSERT_TRUE(far.Write(DumpOf(NewSounds())));
    EXPECT_FALSE(midi.WaitForMessage(false));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text.rfind("MIDI input overflow", 0), 0u)
        << messages.Messages()[0].text;
    far.DropUnsent();

    VirtualZel1 synth;
    const VirtualZel1::Message one =
        synth.Receive({0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x00, 0x04, 0xF7}).at(0);
    ASSERT_TRUE(far.Write(one));
    EXPECT_TRUE(midi.WaitForMessage(false)) << messages.Messages().back().text;
    EXPECT_EQ(midi.ReceivedMessage(), one);
}
}  // namespace
