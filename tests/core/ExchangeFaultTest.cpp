#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassGroup.h"
#include "model/ClassGroups.h"
#include "model/ClassSounds.h"

using Msg = RecordingMessageSink::Message;

namespace {
const Msg kProtected{"Cannot write to ZEL-1 as memory protect is ON", "System Exclusive", 48};
}  // namespace

// Exchanges with a synth that is slow, late or chatty: each must end in the truth.
class ExchangeFaultTest : public SynthFixture {
  protected:
    ExchangeFaultTest() {
        one.SetNumber(1);
        groupOne.SetGroupNumber(1);
    }
    ClassSounds sounds{midi};
    ClassGroups groups{midi};
    ClassSound one{midi};
    ClassGroup groupOne{midi};
};

TEST_F(ExchangeFaultTest, ALongDumpRefusedAtCableSpeedIsAFailure) {
    driver.SetCableSpeed(true);
    Synth().SetMemoryProtect(true);
    const RawData theirs = SynthSounds(Synth());
    RawData mine = theirs;
    mine[0] = 'X';
    EXPECT_FALSE(sounds.SendAllSoundsToSynth(mine));
    EXPECT_EQ(sounds.Sound(0), nullptr);  // nothing of the refused file was taken in
    EXPECT_FALSE(groups.SendAllGroupsToSynth(SynthGroups(Synth())));
    EXPECT_EQ(groups.Group(0), nullptr);
    EXPECT_EQ(messages.Messages(), (std::vector<Msg>{kProtected, kProtected}));
    EXPECT_EQ(SynthSounds(Synth()), theirs);

    // The refusals were the puts' own: the next exchange is not spoilt by them.
    messages.Clear();
    EXPECT_TRUE(one.RequestSound());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(ExchangeFaultTest, ADriverThatPacesItsSendsHasTheCableTimeCountedOnce) {
    driver.SetCableSpeed(true);
    driver.SetPacedSend(true);
    Synth().SetMemoryProtect(true);
    const RawData all = SynthSounds(Synth());
    EXPECT_FALSE(sounds.SendAllSoundsToSynth(all));
    EXPECT_EQ(messages.Messages(), std::vector<Msg>{kProtected});

    // Accepted: the silence is waited for from the moment the dump has gone, once.
    Synth().SetMemoryProtect(false);
    const double start = clock.Now();
    EXPECT_TRUE(sounds.SendAllSoundsToSynth(all));
    EXPECT_NEAR(clock.Now() - start, 5531 / 3125.0 + ModuleMIDI::kSendPause + 1.0, 0.01);
}

TEST_F(ExchangeFaultTest, AReplyNobodyWaitsForIsNeverTakenForTheNextRecord) {
    // Sound 0's reply comes 6.5 s late, after its exchange has given up.
    ClassSound zero(midi);
    Synth().GetFaults().silent = true;
    driver.Inject(DumpMessage(0, 0, Synth().Sound(0)), 6.5);
    EXPECT_FALSE(zero.RequestSound());
    clock.Advance(2);
    Synth().GetFaults().silent = false;
    ASSERT_NE(Synth().Sound(0), Synth().Sound(1));
    EXPECT_TRUE(one.RequestSound());
    EXPECT_EQ(one.EncodeRawSound(), Synth().Sound(1));

    // A dump of another record that arrives while a request waits is refused by name.
    Synth().GetFaults().silent = true;
    messages.Clear();
    driver.Inject(DumpMessage(0, 0, Synth().Sound(0)), 0.1);
    EXPECT_FALSE(one.RequestSound());
    EXPECT_EQ(one.EncodeRawSound(), Synth().Sound(1));
    driver.Inject(DumpMessage(2, 4, Synth().Group(4)), 0.1);
    EXPECT_FALSE(groupOne.RequestGroup());
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{"Received sound 0 instead of sound 1", "Extract Data", 16},
                                {"Received group 4 instead of group 1", "Extract Data", 16}}));
}

TEST_F(ExchangeFaultTest, RealTimeBytesAndACutOffMessageDoNotSpoilTheReply) {
    Synth().GetFaults().silent = true;
    WireMessage dump = DumpMessage(0, 1, Synth().Sound(1));
    WireMessage clocked = dump;
    clocked.insert(clocked.begin() + 40, 0xF8);   // timing clock
    clocked.insert(clocked.begin() + 100, 0xFE);  // active sensing
    driver.Inject(clocked, 0.1);
    EXPECT_TRUE(one.RequestSound());

    // A message cut off by the next start byte, joined to it as a driver hands them over.
    WireMessage glued{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x03, 0x02};
    for (uint8_t byte : dump)
        glued.push_back(byte);
    driver.Inject(glued, 0.1);
    EXPECT_TRUE(one.RequestSound());
    EXPECT_EQ(one.EncodeRawSound(), Synth().Sound(1));
    EXPECT_TRUE(messages.Messages().empty());
}
