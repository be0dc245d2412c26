#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "midi/AuditionLink.h"
#include "platform/EventPump.h"
#include "midi/ModuleMIDI.h"
#include "support/RecordingMessageSink.h"
#include "support/VirtualClock.h"
#include "synth/EmulatorMidiDriver.h"

namespace {
// The virtual ZEL-1 (device 0) beside an external keyboard (device 1) whose keys the test plays
// on its own thread, as a driver's input thread would. It also notes whether a short message
// was ever handed over while a long one was still being taken.
class KeyboardStudio : public EmulatorMidiDriver {
  public:
    static constexpr MidiHandle kKeyboard = 0x700;

    using EmulatorMidiDriver::EmulatorMidiDriver;

    uint32_t InGetNumDevs() override { return 2; }
    MidiResult InGetDevCaps(uint32_t id, MidiInCaps& caps) override {
        if (id != 1)
            return EmulatorMidiDriver::InGetDevCaps(id, caps);
        caps.productName = "Keyboard";
        return MidiCode::NoError;
    }
    MidiResult InOpen(MidiHandle& handle, uint32_t id, MidiInProc callback,
                      uint32_t flags) override {
        if (id != 1)
            return EmulatorMidiDriver::InOpen(handle, id, callback, flags);
        keys_ = std::move(callback);
        handle = kKeyboard;
        return MidiCode::NoError;
    }
    MidiResult InStart(MidiHandle h) override {
        return Mine(h) ? 0 : EmulatorMidiDriver::InStart(h);
    }
    MidiResult InStop(MidiHandle h) override { return Mine(h) ? 0 : EmulatorMidiDriver::InStop(h); }
    MidiResult InReset(MidiHandle h) override {
        return Mine(h) ? 0 : EmulatorMidiDriver::InReset(h);
    }
    MidiResult InClose(MidiHandle h) override {
        if (!Mine(h))
            return EmulatorMidiDriver::InClose(h);
        keys_ = nullptr;
        return MidiCode::NoError;
    }
    MidiResult OutLongMsg(MidiHandle h, MidiHeader& header) override {
        ++inside_;
        // Long enough for a thru message to slip in if nothing kept it out.
        std::this_thread::sleep_for(std::chrono::microseconds(300));
        const MidiResult result = EmulatorMidiDriver::OutLongMsg(h, header);
        --inside_;
        return result;
    }
    MidiResult OutShortMsg(MidiHandle h, uint32_t message) override {
        if (inside_ != 0)
            ++overlaps;
        return EmulatorMidiDriver::OutShortMsg(h, message);
    }

    void Play(uint32_t message) { keys_(kKeyboard, MidiCode::InData, message, 0); }

    std::atomic<int> overlaps{0};

  private:
    static bool Mine(MidiHandle h) { return h == kKeyboard; }
    MidiInProc keys_;
    std::atomic<int> inside_{0};
};

uint32_t Pack(int status, int data1, int data2) {
    return static_cast<uint32_t>(status | (data1 << 8) | (data2 << 16));
}
}  // namespace

class AuditionThruTest : public ::testing::Test {
  protected:
    AuditionThruTest() : driver(clock), midi(driver, messages, pump, clock), link(midi) {
        midi.OpenInPort(0);
        midi.OpenOutPort(0);
    }

    // Waits (in real time: the forwarding thread is real) until the link has taken n messages.
    bool Taken(uint64_t n) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (link.Taken() < n) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    VirtualClock clock;
    FunctionEventPump pump;
    RecordingMessageSink messages;
    KeyboardStudio driver;
    ModuleMIDI midi;
    AuditionLink link;
};

TEST_F(AuditionThruTest, ForwardsTheInputChannelRemappedInArrivalOrder) {
    ASSERT_TRUE(link.OpenAuditionIn(1));
    link.SetInChannel(2);
    link.SetOutChannel(5);
    std::vector<uint32_t> expected;
    std::thread keyboard([&] {
        for (int i = 0; i < 50; ++i) {
            const int note = 40 + i / 2;
            // A quick note: the note-off follows its note-on at once.
            const uint32_t message = Pack(i % 2 == 0 ? 0x92 : 0x82, note, 100);
            driver.Play(message);
            expected.push_back((message & ~0x0Fu) | 5);
            driver.Play(Pack(0x93, note, 100));  // another channel
            driver.Play(0xF8);                   // clock
            driver.Play(0xFE);                   // active sensing
        }
    });
    keyboard.join();
    ASSERT_TRUE(Taken(200));
    EXPECT_EQ(driver.Synth().ShortMessages(), expected);
    EXPECT_EQ(link.Dropped(), 0u);

    // Unplugged: what the keyboard plays no longer arrives.
    link.CloseAuditionIn();
    EXPECT_EQ(link.AuditionInHandle(), 0u);
}

TEST_F(AuditionThruTest, NoteOffFollowsItsNoteAcrossAChannelChange) {
    ASSERT_TRUE(link.OpenAuditionIn(1));
    link.SetOutChannel(5);
    driver.Play(Pack(0x90, 60, 90));
    ASSERT_TRUE(Taken(1));
    link.SetOutChannel(7);
    driver.Play(Pack(0x90, 60, 0));
    driver.Play(Pack(0x90, 62, 90));
    ASSERT_TRUE(Taken(3));
    EXPECT_EQ(driver.Synth().ShortMessages(),
              (std::vector<uint32_t>{Pack(0x95, 60, 90), Pack(0x95, 60, 0), Pack(0x97, 62, 90)}));
}

TEST_F(AuditionThruTest, ThruNeverLandsInsideASysExMessage) {
    ASSERT_TRUE(link.OpenAuditionIn(1));
    std::atomic<bool> playing{true};
    uint64_t played = 0;
    std::thread keyboard([&] {
        for (; playing; ++played) {
            driver.Play(Pack(0x90, 60, played % 2 == 0 ? 100 : 0));
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    });
    for (int i = 0; i < 200; ++i)
        midi.SendParameter(0, 1, i % 100);
    playing = false;
    keyboard.join();
    // A machine busy elsewhere may leave the thread asleep long enough for the ring to fill;
    // what it dropped is counted, the rest goes out whole.
    ASSERT_TRUE(Taken(played - link.Dropped()));
    EXPECT_EQ(driver.overlaps, 0);
    EXPECT_EQ(driver.Synth().ShortMessages().size(), played - link.Dropped());
}

TEST_F(AuditionThruTest, OpenFailureShowsTheDriverText) {
    EXPECT_FALSE(link.OpenAuditionIn(7));
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].title, "Open Audition In Port");
    EXPECT_FALSE(messages.Messages()[0].text.empty());
    EXPECT_EQ(link.AuditionInHandle(), 0u);
}

TEST(ThruQueueTest, AFullQueueDropsTheNewestAndCountsIt) {
    ThruQueue queue;
    for (uint32_t i = 0; i < ThruQueue::kCapacity; ++i)
        ASSERT_TRUE(queue.Push(i));
    EXPECT_FALSE(queue.Push(9999));
    EXPECT_FALSE(queue.Push(9998));
    EXPECT_EQ(queue.Dropped(), 2u);
    uint32_t message = 0;
    for (uint32_t i = 0; i < ThruQueue::kCapacity; ++i) {
        ASSERT_TRUE(queue.Pop(message));
        EXPECT_EQ(message, i);
    }
    EXPECT_FALSE(queue.Pop(message));
    // Room again once taken.
    EXPECT_TRUE(queue.Push(7));
    EXPECT_TRUE(queue.Pop(message));
    EXPECT_EQ(message, 7u);
}
