// The exchange through the ALSA sequencer on a real kernel (run by run-vm.sh): a USB MIDI
// interface whose far end plays the ZEL-1, and a VirMIDI port that answers in bursts.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include "midi/AuditionLink.h"
#include "midi/ModuleMIDI.h"
#include "platform/EventPump.h"
#include "platform/SteadyClock.h"
#include "rtmidi/RtMidiDriver.h"
#include "support/RecordingMessageSink.h"
#include "tests/vm/RawMidiPeer.h"
#include "tests/vm/SeqPeer.h"

namespace {
constexpr const char* kCable = "ZEL Cable:";
constexpr const char* kVirMidi = "Virtual Raw MIDI 0-0:";
constexpr size_t kAllSoundsDump = 5531;

// True when the descriptor becomes readable within the time.
bool Readable(int fd, int milliseconds) {
    pollfd watched{fd, POLLIN, 0};
    return poll(&watched, 1, milliseconds) == 1;
}

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

    std::vector<std::string> Names(bool input) {
        std::vector<std::string> names;
        const uint32_t count = input ? driver.InGetNumDevs() : driver.OutGetNumDevs();
        for (uint32_t id = 0; id < count; ++id) {
            if (input) {
                MidiInCaps caps;
                driver.InGetDevCaps(id, caps);
                names.push_back(caps.productName);
            } else {
                MidiOutCaps caps;
                driver.OutGetDevCaps(id, caps);
                names.push_back(caps.productName);
            }
        }
        return names;
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

TEST_F(AlsaVm, TheEditorIsOneClientWithItsPortsNamedAndListsPortsAsBefore) {
    if (options.ownInput == false)
        GTEST_SKIP() << "inputs are RtMidi clients of their own here";
    Open(kCable, true);
    AuditionLink audition(midi);
    ASSERT_TRUE(audition.OpenAuditionIn(Find(driver, kVirMidi, true)));

    SeqPeer peer;
    ASSERT_TRUE(peer.IsOpen());
    const auto clients = peer.Clients();
    ASSERT_EQ(clients.count(RtMidiDriver::kClientName), 1u);
    EXPECT_EQ(clients.find(RtMidiDriver::kClientName)->second,
              (std::set<std::string>{"ZEL-1 in", "ZEL-1 out", "audition in"}));

    // Saved settings hold the names RtMidi gave the ports: they are the same.
    std::vector<std::string> rtMidiIns;
    std::vector<std::string> rtMidiOuts;
    RtMidiIn in(RtMidi::LINUX_ALSA, "ZEL VM Lister");
    RtMidiOut out(RtMidi::LINUX_ALSA, "ZEL VM Lister");
    for (unsigned n = 0; n < in.getPortCount(); ++n) {
        if (in.getPortName(n).rfind(RtMidiDriver::kClientName, 0) != 0)
            rtMidiIns.push_back(in.getPortName(n));
    }
    for (unsigned n = 0; n < out.getPortCount(); ++n) {
        if (out.getPortName(n).rfind(RtMidiDriver::kClientName, 0) != 0)
            rtMidiOuts.push_back(out.getPortName(n));
    }
    driver.Refresh();
    EXPECT_EQ(Names(true), rtMidiIns);
    EXPECT_EQ(Names(false), rtMidiOuts);
    std::printf(
        "one client \"%s\" with %zu ports; %zu inputs, %zu outputs listed as RtMidi lists them\n",
        RtMidiDriver::kClientName, clients.find(RtMidiDriver::kClientName)->second.size(),
        rtMidiIns.size(), rtMidiOuts.size());
}

TEST_F(AlsaVm, PortsThatComeAndGoAreListedWithinASecondAndIdleMakesNoClients) {
    Open(kCable, true);
    SeqPeer peer;
    ASSERT_TRUE(peer.IsOpen());
    const int fd = driver.DeviceChangeDescriptor();
    ASSERT_GE(fd, 0);
    // The peer's own arrival is news too; it is taken before the port that matters comes.
    Readable(fd, 1000);
    driver.TakeDeviceChange();
    driver.Refresh();
    peer.Announced();

    const int port = peer.MakePort("keys");
    ASSERT_GE(port, 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Readable(fd, 1000));
    const double seen =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(driver.TakeDeviceChange());
    driver.Refresh();
    EXPECT_GE(Find(driver, "ZEL VM Peer:keys", true), 0);

    // Idle: the editor's look at the ports makes nothing that would be news again. A new port
    // may be announced more than once (started, then changed); that news is let settle first.
    for (int settle = 0; settle < 5 && Readable(fd, 100); ++settle)
        driver.TakeDeviceChange();
    peer.Announced();
    EXPECT_FALSE(Readable(fd, 2000));
    driver.Refresh();
    EXPECT_FALSE(Readable(fd, 200));
    EXPECT_EQ(peer.Announced(), std::make_pair(0, 0));

    peer.DeletePort(port);
    EXPECT_TRUE(Readable(fd, 1000));
    driver.TakeDeviceChange();
    driver.Refresh();
    EXPECT_EQ(Find(driver, "ZEL VM Peer:keys", true), -1);
    std::printf("a new port was news after %.3f s\n", seen);
}
}  // namespace
