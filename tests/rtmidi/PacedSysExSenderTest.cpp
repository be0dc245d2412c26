#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "rtmidi/PacedSysExSender.h"

namespace {
using Clock = std::chrono::steady_clock;

// What reached the port, and when.
struct Port {
    struct Event {
        std::vector<uint8_t> bytes;
        double at = 0;
    };
    std::mutex mutex;
    std::vector<Event> events;
    Clock::time_point start = Clock::now();

    PacedSysExSender::Send Sender() {
        return [this](const std::vector<uint8_t>& bytes) {
            std::lock_guard<std::mutex> lock(mutex);
            events.push_back({bytes, std::chrono::duration<double>(Clock::now() - start).count()});
            return std::string();
        };
    }
    std::vector<Event> Events() {
        std::lock_guard<std::mutex> lock(mutex);
        return events;
    }
};

std::vector<uint8_t> SysEx(size_t length) {
    std::vector<uint8_t> bytes(length, 0x05);
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}

void WaitWhileQueued(const MidiHeader& header) {
    for (int i = 0; i < 400 && (header.flags & MidiCode::HeaderInQueue) != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

TEST(PacedSysExSender, LongSysExGoesInPacedPiecesAndShortMessagesWaitBehindIt) {
    Port port;
    PacedSysExSender sender(port.Sender());
    std::vector<uint8_t> message = SysEx(1000);
    MidiHeader header;
    header.data = message.data();
    header.bufferLength = static_cast<uint32_t>(message.size());

    const Clock::time_point before = Clock::now();
    EXPECT_EQ(sender.SendLong(header), "");
    EXPECT_LT(Clock::now() - before, std::chrono::milliseconds(50));
    EXPECT_EQ(header.flags & MidiCode::HeaderInQueue, MidiCode::HeaderInQueue);
    // The caller may change its copy at once.
    message.assign(message.size(), 0);
    EXPECT_EQ(sender.SendShort({0xB0, 7, 100}), "");

    WaitWhileQueued(header);
    EXPECT_EQ(header.flags, MidiCode::HeaderDone);
    for (int i = 0; i < 100 && port.Events().size() < 5; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::vector<Port::Event> events = port.Events();
    ASSERT_EQ(events.size(), 5u);
    std::vector<uint8_t> joined;
    size_t before_piece = 0;
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_LE(events[i].bytes.size(), PacedSysExSender::kPieceSize);
        // A piece leaves once the cable has carried the ones before it.
        EXPECT_GE(events[i].at - events[0].at,
                  before_piece / PacedSysExSender::kWireBytesPerSecond - 0.002);
        before_piece += events[i].bytes.size();
        joined.insert(joined.end(), events[i].bytes.begin(), events[i].bytes.end());
    }
    EXPECT_EQ(joined, SysEx(1000));
    EXPECT_EQ(events[4].bytes, (std::vector<uint8_t>{0xB0, 7, 100}));
}

TEST(PacedSysExSender, ResetDropsTheRestAndHandsTheHeaderBack) {
    Port port;
    PacedSysExSender sender(port.Sender());
    std::vector<uint8_t> message = SysEx(5531);
    MidiHeader header;
    header.data = message.data();
    header.bufferLength = static_cast<uint32_t>(message.size());
    sender.SendLong(header);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sender.Reset();
    EXPECT_EQ(header.flags, MidiCode::HeaderDone);

    // Nothing waits any more: a short message goes out at once.
    EXPECT_EQ(sender.SendShort({0xB0, 123, 0}), "");
    const std::vector<Port::Event> events = port.Events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_LT(events.size(), 5u);
    EXPECT_EQ(events.back().bytes, (std::vector<uint8_t>{0xB0, 123, 0}));
}
}  // namespace
