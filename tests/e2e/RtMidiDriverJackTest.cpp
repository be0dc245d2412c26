#include <gtest/gtest.h>

#include <RtMidi.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "E2eLink.h"
#include "rtmidi/RtMidiDriver.h"

namespace {
using Bytes = std::vector<uint8_t>;
constexpr auto kPatience = std::chrono::seconds(3);

Bytes SysEx(size_t length, uint8_t fill) {
    Bytes message(length, fill);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

// What the driver's input callback reported, in order; waits for it on real time.
class Notifications {
  public:
    struct Entry {
        MidiHandle handle;
        uint32_t message;
        uintptr_t param1;
        Bytes bytes;  // the filled buffer, for InLongData
    };

    MidiInProc Callback() {
        return [this](MidiHandle handle, uint32_t message, uintptr_t param1, uintptr_t) {
            Entry entry{handle, message, param1, {}};
            if (message == MidiCode::InLongData && param1 != 0) {
                auto* header = reinterpret_cast<MidiHeader*>(param1);
                entry.bytes.assign(header->data, header->data + header->bytesRecorded);
            }
            std::lock_guard<std::mutex> lock(mutex_);
            entries_.push_back(std::move(entry));
            changed_.notify_all();
        };
    }

    // Waits until count entries are there and takes them.
    std::vector<Entry> Take(size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, kPatience, [&] { return entries_.size() >= count; });
        std::vector<Entry> taken;
        taken.swap(entries_);
        return taken;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> entries_;
};

// A port of the test's own on the JACK graph that records what reaches it.
class Listener {
  public:
    Listener() : in_(RtMidi::UNIX_JACK, "ZEL-1 E2E Listener") {
        in_.ignoreTypes(false, true, true);
        in_.setCallback(&Listener::OnMessage, this);
        in_.openVirtualPort("in");
    }

    std::vector<Bytes> Take(size_t count) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, kPatience, [&] { return received_.size() >= count; });
        std::vector<Bytes> taken;
        taken.swap(received_);
        return taken;
    }

  private:
    static void OnMessage(double, std::vector<unsigned char>* message, void* self) {
        auto* listener = static_cast<Listener*>(self);
        std::lock_guard<std::mutex> lock(listener->mutex_);
        listener->received_.emplace_back(message->begin(), message->end());
        listener->changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Bytes> received_;
    RtMidiIn in_;
};

int FindDevice(RtMidiDriver& driver, bool input, const std::string& name) {
    const uint32_t count = input ? driver.InGetNumDevs() : driver.OutGetNumDevs();
    for (uint32_t id = 0; id < count; ++id) {
        std::string shown;
        if (input) {
            MidiInCaps caps;
            driver.InGetDevCaps(id, caps);
            shown = caps.productName;
        } else {
            MidiOutCaps caps;
            driver.OutGetDevCaps(id, caps);
            shown = caps.productName;
        }
        if (shown == name)
            return static_cast<int>(id);
    }
    return -1;
}
}  // namespace

class RtMidiDriverJackTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (E2eLink::EmulatorName("ZEL_E2E_JACK_NAME").empty()) {
            GTEST_SKIP() << "run through run-e2e.sh: no JACK server of the tests is running";
        }
        injector = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, "ZEL-1 E2E Injector");
        injector->openVirtualPort("out");
        listener = std::make_unique<Listener>();
        driver = std::make_unique<RtMidiDriver>(std::vector<std::string>{"jack"});
    }

    void Inject(const Bytes& message) { injector->sendMessage(&message); }

    std::unique_ptr<RtMidiOut> injector;
    std::unique_ptr<Listener> listener;
    std::unique_ptr<RtMidiDriver> driver;
    Notifications notes;
};

TEST_F(RtMidiDriverJackTest, FillsArmedBuffersAndReportsWhatDoesNotFit) {
    const int device = FindDevice(*driver, true, "ZEL-1 E2E Injector:out");
    ASSERT_GE(device, 0);
    MidiHandle handle = 0;
    ASSERT_EQ(driver->InOpen(handle, device, notes.Callback(), MidiCode::CallbackFunction),
              MidiCode::NoError);
    ASSERT_EQ(notes.Take(1).at(0).message, MidiCode::InOpen);
    ASSERT_EQ(driver->InStart(handle), MidiCode::NoError);

    // A note, and a SysEx message with no buffer armed.
    Inject({0x90, 0x3C, 0x64});
    Inject(SysEx(12, 0x11));
    auto seen = notes.Take(2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, MidiCode::InData);
    EXPECT_EQ(seen[0].param1, 0x643C90u);
    EXPECT_EQ(seen[0].handle, handle);
    EXPECT_EQ(seen[1].message, MidiCode::InLongError);

    // Too long for the armed buffer: reported, and the buffer stays armed for the next one.
    uint8_t small[16] = {};
    MidiHeader header;
    header.data = small;
    header.bufferLength = sizeof small;
    ASSERT_EQ(driver->InPrepareHeader(handle, header), MidiCode::NoError);
    ASSERT_EQ(driver->InAddBuffer(handle, header), MidiCode::NoError);
    Inject(SysEx(20, 0x22));
    Inject(SysEx(10, 0x33));
    seen = notes.Take(2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, MidiCode::InLongError);
    EXPECT_EQ(seen[1].message, MidiCode::InLongData);
    EXPECT_EQ(seen[1].param1, reinterpret_cast<uintptr_t>(&header));
    EXPECT_EQ(seen[1].bytes, SysEx(10, 0x33));
    EXPECT_EQ(driver->InUnprepareHeader(handle, header), MidiCode::NoError);

    // An all-sounds dump arrives whole in the editor's 50,000-byte buffer.
    std::vector<uint8_t> large(50000);
    MidiHeader big;
    big.data = large.data();
    big.bufferLength = 50000;
    ASSERT_EQ(driver->InAddBuffer(handle, big), MidiCode::NoError);
    Bytes dump = SysEx(5531, 0x0A);
    dump[2760] = 0x05;
    Inject(dump);
    seen = notes.Take(1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, MidiCode::InLongData);
    EXPECT_EQ(seen[0].bytes, dump);

    // Closing needs the buffers back; the reset hands them back unfilled.
    ASSERT_EQ(driver->InAddBuffer(handle, big), MidiCode::NoError);
    EXPECT_EQ(driver->InUnprepareHeader(handle, big), MidiCode::StillPlaying);
    EXPECT_EQ(driver->InClose(handle), MidiCode::StillPlaying);
    EXPECT_EQ(driver->InStop(handle), MidiCode::NoError);
    EXPECT_EQ(driver->InReset(handle), MidiCode::NoError);
    EXPECT_EQ(driver->InClose(handle), MidiCode::NoError);
    seen = notes.Take(2);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, MidiCode::InLongData);
    EXPECT_EQ(seen[0].param1, reinterpret_cast<uintptr_t>(&big));
    EXPECT_TRUE(seen[0].bytes.empty());
    EXPECT_EQ(seen[1].message, MidiCode::InClose);
    EXPECT_EQ(driver->InStart(handle), MidiCode::InvalidHandle);
}

TEST_F(RtMidiDriverJackTest, SendsMessagesByteForByte) {
    const int device = FindDevice(*driver, false, "ZEL-1 E2E Listener:in");
    ASSERT_GE(device, 0);
    MidiOutCaps caps;
    ASSERT_EQ(driver->OutGetDevCaps(device, caps), MidiCode::NoError);
    EXPECT_EQ(caps.technology, MidiCode::TechMidiPort);
    MidiHandle handle = 0;
    ASSERT_EQ(driver->OutOpen(handle, device), MidiCode::NoError);

    Bytes dump = SysEx(5531, 0x07);
    {
        // The driver copies the message: the caller's buffer may go at once.
        Bytes copy = dump;
        MidiHeader header;
        header.data = copy.data();
        header.bufferLength = static_cast<uint32_t>(copy.size());
        ASSERT_EQ(driver->OutPrepareHeader(handle, header), MidiCode::NoError);
        ASSERT_EQ(driver->OutLongMsg(handle, header), MidiCode::NoError);
        ASSERT_EQ(driver->OutUnprepareHeader(handle, header), MidiCode::NoError);
        std::fill(copy.begin(), copy.end(), 0);
    }
    EXPECT_EQ(driver->OutShortMsg(handle, 0x7F4091), MidiCode::NoError);  // note on
    EXPECT_EQ(driver->OutShortMsg(handle, 0x05C2), MidiCode::NoError);    // program change
    EXPECT_EQ(driver->OutShortMsg(handle, 0x40), MidiCode::InvalidParameter);
    EXPECT_EQ(listener->Take(3), (std::vector<Bytes>{dump, {0x91, 0x40, 0x7F}, {0xC2, 0x05}}));

    // JACK would drop a message this long without a word: it is refused, with a reason.
    Bytes tooLong = SysEx(20000, 0x01);
    MidiHeader longHeader;
    longHeader.data = tooLong.data();
    longHeader.bufferLength = static_cast<uint32_t>(tooLong.size());
    const MidiResult refused = driver->OutLongMsg(handle, longHeader);
    EXPECT_NE(refused, MidiCode::NoError);
    std::string reason;
    EXPECT_EQ(driver->OutGetErrorText(refused, reason, MidiCode::ErrorTextSize), MidiCode::NoError);
    EXPECT_EQ(reason.rfind("The message of 20000 bytes is longer than JACK can carry", 0), 0u)
        << reason;

    // A reset silences every channel.
    EXPECT_EQ(driver->OutReset(handle), MidiCode::NoError);
    const std::vector<Bytes> silenced = listener->Take(16);
    ASSERT_EQ(silenced.size(), 16u);
    for (uint8_t channel = 0; channel < 16; ++channel) {
        EXPECT_EQ(silenced[channel], (Bytes{static_cast<uint8_t>(0xB0 | channel), 123, 0}));
    }
    // The driver's own port is on the JACK graph now, but never offered as a device.
    driver->Refresh();
    EXPECT_GE(FindDevice(*driver, false, "ZEL-1 E2E Listener:in"), 0);
    for (uint32_t id = 0; id < driver->InGetNumDevs(); ++id) {
        MidiInCaps own;
        driver->InGetDevCaps(id, own);
        EXPECT_NE(own.productName.rfind(RtMidiDriver::kClientName, 0), 0u) << own.productName;
    }

    EXPECT_EQ(driver->OutClose(handle), MidiCode::NoError);
    EXPECT_EQ(driver->OutShortMsg(handle, 0x7F4091), MidiCode::InvalidHandle);

    std::string text;
    EXPECT_EQ(driver->OutOpen(handle, driver->OutGetNumDevs()), MidiCode::BadDeviceId);
    EXPECT_EQ(driver->OutGetErrorText(MidiCode::BadDeviceId, text, 20), MidiCode::NoError);
    EXPECT_EQ(text, "A device ID has bee");
}

TEST(RtMidiDriverStartTest, AnApiThatCannotStartIsLeftOutWithoutAWord) {
    const char* saved = std::getenv("JACK_DEFAULT_SERVER");
    const std::string previous = saved == nullptr ? "" : saved;
    setenv("JACK_DEFAULT_SERVER", "zel-e2e-no-such-server", 1);
    testing::internal::CaptureStderr();
    {
        RtMidiDriver driver(std::vector<std::string>{"jack"});
        EXPECT_TRUE(driver.StartedApis().empty());
        EXPECT_EQ(driver.InGetNumDevs(), 0u);
        EXPECT_EQ(driver.OutGetNumDevs(), 0u);
        MidiHandle handle = 0;
        EXPECT_EQ(driver.InOpen(handle, 0, nullptr, 0), MidiCode::BadDeviceId);
    }
    const std::string printed = testing::internal::GetCapturedStderr();
    if (saved == nullptr) {
        unsetenv("JACK_DEFAULT_SERVER");
    } else {
        setenv("JACK_DEFAULT_SERVER", previous.c_str(), 1);
    }
    EXPECT_EQ(printed, "");
}
