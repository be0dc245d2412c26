#include <gtest/gtest.h>

#include "midi/CompositeMidiDriver.h"
#include "platform/EventPump.h"
#include "platform/MessageSink.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "synth/EmulatorMidiDriver.h"

namespace {
// An emulator pair whose output refuses to open with a failure code and text of its own.
class RefusingDriver : public EmulatorMidiDriver {
  public:
    static constexpr MidiResult kRefused = 0x2001;
    using EmulatorMidiDriver::EmulatorMidiDriver;
    MidiResult OutOpen(MidiHandle&, uint32_t) override { return kRefused; }
    MidiResult OutGetErrorText(MidiResult code, std::string& text, size_t size) override {
        if (code != kRefused)
            return EmulatorMidiDriver::OutGetErrorText(code, text, size);
        text = std::string("Port held by another program").substr(0, size - 1);
        return MidiCode::NoError;
    }
};

struct Notification {
    MidiHandle handle;
    uint32_t message;
    uintptr_t param1;
};
}  // namespace

class CompositeMidiDriverTest : public ::testing::Test {
  protected:
    CompositeMidiDriverTest() {
        auto a = std::make_unique<EmulatorMidiDriver>(clock);
        auto b = std::make_unique<EmulatorMidiDriver>(clock);
        first = a.get();
        second = b.get();
        composite.Add(std::move(a));
        composite.Add(std::move(b));
    }

    VirtualClock clock;
    FunctionEventPump pump;
    RecordingMessageSink messages;
    CompositeMidiDriver composite;
    EmulatorMidiDriver* first = nullptr;
    EmulatorMidiDriver* second = nullptr;
};

TEST_F(CompositeMidiDriverTest, ListsDevicesInOrderAndRoutesAnExchangeToTheChosenOne) {
    ASSERT_EQ(composite.InGetNumDevs(), 2u);
    ASSERT_EQ(composite.OutGetNumDevs(), 2u);
    MidiOutCaps caps;
    EXPECT_EQ(composite.OutGetDevCaps(1, caps), MidiCode::NoError);
    EXPECT_EQ(caps.productName, "ZEL-1 Emulator");
    EXPECT_EQ(composite.OutGetDevCaps(2, caps), MidiCode::BadDeviceId);

    RawData sound = second->Synth().Sound(5);
    sound[20] = 0x5A;
    second->Synth().SetSound(5, sound);

    ModuleMIDI midi(composite, messages, pump, clock);
    ASSERT_TRUE(midi.OpenInPort(1));
    ASSERT_TRUE(midi.OpenOutPort(1));
    EXPECT_NE(midi.MidiInHandle(), midi.MidiOutHandle());
    midi.SendRequest(0, 5);
    ASSERT_TRUE(midi.WaitForMessage(false));
    RawData received;
    EXPECT_EQ(midi.ExtractData(received), 0);
    EXPECT_EQ(received, sound);
    EXPECT_TRUE(first->Synth().Received().empty());
    EXPECT_EQ(second->Synth().Received().size(), 1u);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(CompositeMidiDriverTest, CallbacksCarryTheCompositeHandleUntilClosed) {
    std::vector<Notification> seen;
    MidiHandle handle = 0;
    ASSERT_EQ(composite.InOpen(
                  handle, 1,
                  [&](MidiHandle h, uint32_t m, uintptr_t p1, uintptr_t) {
                      seen.push_back({h, m, p1});
                  },
                  MidiCode::CallbackFunction),
              MidiCode::NoError);
    ASSERT_NE(handle, 0u);
    ASSERT_EQ(composite.InStart(handle), MidiCode::NoError);
    second->InjectShort(0x643C90);
    first->InjectShort(0x111111);  // the first driver's port is not open: lost
    composite.Service();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].handle, handle);
    EXPECT_EQ(seen[0].message, MidiCode::InOpen);
    EXPECT_EQ(seen[1].handle, handle);
    EXPECT_EQ(seen[1].message, MidiCode::InData);
    EXPECT_EQ(seen[1].param1, 0x643C90u);

    ASSERT_EQ(composite.InClose(handle), MidiCode::NoError);
    EXPECT_EQ(composite.InStart(handle), MidiCode::InvalidHandle);
    // The device is free again.
    MidiHandle again = 0;
    EXPECT_EQ(composite.InOpen(again, 1, nullptr, 0), MidiCode::NoError);
    EXPECT_NE(again, handle);
}

TEST_F(CompositeMidiDriverTest, ErrorTextsComeFromTheDriverThatFailed) {
    auto refusing = std::make_unique<RefusingDriver>(clock);
    composite.Add(std::move(refusing));
    ModuleMIDI midi(composite, messages, pump, clock);
    EXPECT_FALSE(midi.OpenOutPort(2));
    EXPECT_FALSE(midi.OpenOutPort(3));
    std::string text;
    EXPECT_EQ(composite.OutGetErrorText(RefusingDriver::kRefused, text, 10), MidiCode::NoError);
    EXPECT_EQ(text, "Port held");
    EXPECT_EQ(messages.Messages(),
              (std::vector<RecordingMessageSink::Message>{
                  {"Port held by another program", "Open ZEL Out Port", MessageFlags::Exclamation},
                  {"A device ID has been used that is out of range for your system.",
                   "Open ZEL Out Port", MessageFlags::Exclamation},
              }));
    EXPECT_EQ(midi.MidiOutHandle(), 0u);
    EXPECT_NE(composite.InGetErrorText(0x7777, text, 128), MidiCode::NoError);
}

// The editor calls Service() only while something waits, so it must hear when work arrives and
// see when it is done: a reply on its way at cable speed, then nothing.
TEST_F(CompositeMidiDriverTest, SaysWhenRepliesAreOnTheirWayAndWhenAllAreDelivered) {
    int notices = 0;
    composite.SetWorkNotice([&] { ++notices; });
    second->SetCableSpeed(true);
    ModuleMIDI midi(composite, messages, pump, clock);
    ASSERT_TRUE(midi.OpenInPort(1));
    ASSERT_TRUE(midi.OpenOutPort(1));
    EXPECT_FALSE(composite.ServicePending());

    midi.SendRequest(0, 5);
    midi.SendRequest(0, 6);
    EXPECT_TRUE(composite.ServicePending());
    EXPECT_EQ(notices, 1);  // once, when work came after none
    composite.Service();
    EXPECT_TRUE(composite.ServicePending());  // the replies take their time on the cable

    clock.Advance(2.0);
    composite.Service();
    EXPECT_FALSE(composite.ServicePending());
    second->InjectShort(0x643C90);
    EXPECT_EQ(notices, 2);
}
