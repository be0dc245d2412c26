#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "SynthFixture.h"

using Bytes = std::vector<uint8_t>;
using Msg = RecordingMessageSink::Message;

namespace {
const char* const kTitle = "System Exclusive";
}  // namespace

class WaitForMessageTest : public SynthFixture {
  protected:
    // Puts a reply on the input and waits for it; returns the wait's result.
    bool Reply(const Bytes& message, bool allowSilence = false) {
        driver.Inject(message, 0.2);
        return midi.WaitForMessage(allowSilence);
    }
    std::vector<Msg> Only(const char* text, int flags) { return {{text, kTitle, flags}}; }
};

TEST_F(WaitForMessageTest, NoInputPortIsReportedAtOnce) {
    midi.OpenInPort(-1);
    const double start = clock.Now();
    EXPECT_FALSE(midi.WaitForMessage(false));
    EXPECT_EQ(messages.Messages(), Only("Invalid MIDI port. Check port settings.", 64));
    EXPECT_EQ(clock.Now(), start);
}

TEST_F(WaitForMessageTest, SilenceIsATimeOutAfterFiveSecondsUnlessAllowedForOne) {
    double start = clock.Now();
    EXPECT_FALSE(midi.WaitForMessage(false));
    EXPECT_NEAR(clock.Now() - start, 5.0, 0.01);
    EXPECT_EQ(messages.Messages(), Only("Timeout waiting for message from ZEL-1", 16));

    messages.Clear();
    start = clock.Now();
    EXPECT_TRUE(midi.WaitForMessage(true));
    EXPECT_NEAR(clock.Now() - start, 1.0, 0.01);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaitForMessageTest, AReplyEndsTheWaitAsSoonAsItArrivesOrAtOnceWhenAlreadyThere) {
    double start = clock.Now();
    EXPECT_TRUE(Reply(Frame(0x10, {5, 0, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
    EXPECT_NEAR(clock.Now() - start, 0.2, 0.01);
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(midi.MidiInFlag);

    // A message already waiting is taken without waiting.
    driver.Inject(Frame(0x10, {0}));
    midi.Delay(0.05);
    start = clock.Now();
    EXPECT_TRUE(midi.WaitForMessage(false));
    EXPECT_EQ(clock.Now(), start);
}

TEST_F(WaitForMessageTest, EachMalformedReplyFailsWithItsOwnMessage) {
    struct Case {
        Bytes reply;
        const char* text;
        int flags;
    };
    const std::vector<Case> cases = {
        {{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0xF7}, "Expected message is too short", 16},
        {{}, "Expected message is too short", 16},
        {{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x00},
         "Message is not system exclusive data",
         16},
        {{0xF1, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0xF7},
         "Message is not system exclusive data",
         16},
        {{0xF0, 0x00, 0x20, 0x09, 0x01, 0x10, 0x00, 0xF7},
         "Invalid manufacturer or product ID",
         16},
        {{0xF0, 0x00, 0x20, 0x08, 0x02, 0x10, 0x00, 0xF7},
         "Invalid manufacturer or product ID",
         16},
        {Frame(0x40, {0}), "Cannot write to ZEL-1 as memory protect is ON", 48},
        {Frame(0x40, {1}), "Checksum mismatch", 16},
        {Frame(0x4B, {0}), "Cannot write to ZEL-1 as memory protect is ON", 48},  // any channel
        {Frame(0x13, {0}), "Mismatching system channels", 48},
    };
    for (const Case& c : cases) {
        messages.Clear();
        EXPECT_FALSE(Reply(c.reply)) << c.text;
        EXPECT_EQ(messages.Messages(), Only(c.text, c.flags)) << c.text;
    }
    // The buffer went back to the driver after every one of them: a good reply still arrives,
    // and eight bytes are long enough.
    messages.Clear();
    EXPECT_TRUE(Reply(Frame(0x10, {0})));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(WaitForMessageTest, AReplyOnAnotherChannelIsRefused) {
    Synth().GetFaults().replyOnOtherChannel = true;
    midi.SendRequest(5, -1);
    EXPECT_FALSE(midi.WaitForMessage(false));
    EXPECT_EQ(messages.Messages(), Only("Mismatching system channels", 48));
}

TEST_F(WaitForMessageTest, AnOversizedMessageIsLostButTheBufferStaysArmed) {
    Bytes huge(ModuleMIDI::kBufferLength + 10, 0);
    huge.front() = 0xF0;
    huge.back() = 0xF7;
    EXPECT_FALSE(Reply(huge));
    EXPECT_EQ(messages.Messages(), Only("Timeout waiting for message from ZEL-1", 16));
    messages.Clear();
    EXPECT_TRUE(Reply(Frame(0x10, {0})));
}

TEST_F(WaitForMessageTest, ShortMessagesAreActivityButNoReply) {
    driver.InjectShort(0x403C90);
    midi.Delay(0.05);
    EXPECT_TRUE(midi.MidiInFlag);
    EXPECT_FALSE(midi.SysExReceivedFlag);
}

TEST_F(WaitForMessageTest, ReopeningTheInputLeavesNoStaleReplyBehind) {
    // The reset of the old port hands its empty buffer back; that must not count as a reply.
    EXPECT_TRUE(midi.OpenInPort(0));
    EXPECT_FALSE(midi.SysExReceivedFlag);
    EXPECT_EQ(Fetch(5, -1), Synth().Globals());
}

TEST_F(WaitForMessageTest, OpeningAHeldDeviceShowsTheDriversTextAndLeavesNoPort) {
    EmulatorMidiDriver& shared = driver;
    ModuleMIDI second(shared, messages, pump, clock);
    EXPECT_FALSE(second.OpenInPort(0));
    EXPECT_FALSE(second.OpenOutPort(0));
    EXPECT_EQ(second.MidiInHandle(), 0u);
    EXPECT_EQ(second.MidiOutHandle(), 0u);
    const std::string held =
        "The specified device is already in use. Wait until it is free, and then try again.";
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{held, "Open ZEL In Port", 48}, {held, "Open ZEL Out Port", 48}}));
}
