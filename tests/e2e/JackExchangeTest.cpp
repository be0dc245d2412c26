#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "E2eLink.h"
#include "model/ClassSounds.h"
#include "synth/FactoryContent.h"

namespace {
using Message = RecordingMessageSink::Message;

constexpr double kCableBytesPerSecond = 3125.0;

double Seconds(const std::chrono::steady_clock::time_point& since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

RawData FactoryBlock(RawData (*item)(int), int count) {
    RawData block;
    for (int n = 0; n < count; ++n) {
        const RawData one = item(n);
        block.insert(block.end(), one.begin(), one.end());
    }
    return block;
}

// Requests one kind and returns the extracted payload (empty on failure).
RawData Fetch(ModuleMIDI& midi, int kind, int number) {
    midi.SendRequest(kind, number);
    if (!midi.WaitForMessage(false))
        return {};
    RawData data;
    return midi.ExtractData(data) == kind ? data : RawData{};
}
}  // namespace

class JackExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        name = E2eLink::EmulatorName("ZEL_E2E_JACK_NAME");
        if (name.empty())
            GTEST_SKIP() << "run through run-e2e.sh: no emulator is running";
        link = std::make_unique<E2eLink>(std::vector<std::string>{"jack"});
        link->Open(name);
    }

    std::string name;
    std::unique_ptr<E2eLink> link;
};

TEST_F(JackExchangeTest, FetchesAllSoundsWholeAtCableSpeed) {
    EXPECT_EQ(link->outTechnology, MidiCode::TechMidiPort);
    const auto start = std::chrono::steady_clock::now();
    const RawData sounds = Fetch(link->midi, ModuleMIDI::kAllSounds, -1);
    const double wall = Seconds(start);
    EXPECT_TRUE(link->messages.Messages().empty());
    EXPECT_EQ(link->midi.ReceivedMessage().size(), 5531u);
    ASSERT_EQ(sounds.size(), 2760u);
    EXPECT_EQ(sounds, FactoryBlock(&FactoryContent::Sound, 20));

    const double wire = (8 + 5531) / kCableBytesPerSecond;
    std::printf("[ measure  ] all-sounds fetch through JACK: %.3f s wall, %.3f s on the wire\n",
                wall, wire);
    EXPECT_GE(wall, wire);
    EXPECT_LT(wall, wire + 1.0);
}

TEST_F(JackExchangeTest, FetchesAllGroups) {
    const RawData groups = Fetch(link->midi, ModuleMIDI::kAllGroups, -1);
    ASSERT_EQ(groups.size(), 1640u);
    EXPECT_EQ(groups, FactoryBlock(&FactoryContent::Group, 20));
    EXPECT_TRUE(link->messages.Messages().empty());
}

TEST_F(JackExchangeTest, SendsASoundDumpAndReadsItBackEqual) {
    constexpr int kNumber = 7;
    const RawData original = Fetch(link->midi, ModuleMIDI::kOneSound, kNumber);
    ASSERT_EQ(original.size(), 138u);
    RawData changed = original;
    for (size_t i = 10; i < changed.size(); i += 3)
        changed[i] = static_cast<int16_t>(255 - i);

    link->midi.SendData(changed, ModuleMIDI::kOneSound, kNumber);
    EXPECT_TRUE(link->midi.WaitForMessage(true));  // silence: taken
    EXPECT_EQ(Fetch(link->midi, ModuleMIDI::kOneSound, kNumber), changed);

    link->midi.SendData(original, ModuleMIDI::kOneSound, kNumber);
    EXPECT_TRUE(link->midi.WaitForMessage(true));
    EXPECT_EQ(Fetch(link->midi, ModuleMIDI::kOneSound, kNumber), original);
    EXPECT_TRUE(link->messages.Messages().empty());
}

TEST_F(JackExchangeTest, TimeOutCostsLittleProcessorTime) {
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link->midi.WaitForMessage(false));
    const double wall = Seconds(start);
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("[ measure  ] 5 s reply time-out: %.3f s wall, %.3f s processor time\n", wall, cpu);
    EXPECT_EQ(link->messages.Messages(),
              (std::vector<Message>{{"Timeout waiting for message from ZEL-1", "System Exclusive",
                                     MessageFlags::Critical}}));
    EXPECT_GE(wall, 5.0);
    // A wait that spins would cost about the whole five seconds.
    EXPECT_LT(cpu, 1.0);
}

TEST(JackProtectedTest, ProtectedSynthRefusesADump) {
    const std::string name = E2eLink::EmulatorName("ZEL_E2E_PROTECTED_NAME");
    if (name.empty())
        GTEST_SKIP() << "run through run-e2e.sh: no emulator is running";
    E2eLink link({"jack"});
    link.Open(name);
    link.midi.SendData(FactoryContent::Sound(3), ModuleMIDI::kOneSound, 3);
    EXPECT_FALSE(link.midi.WaitForMessage(true));
    // At cable speed the refusal of the 5,531-byte dump comes 1.77 s after it was sent.
    ClassSounds sounds(link.midi);
    EXPECT_FALSE(sounds.SendAllSoundsToSynth(FactoryBlock(&FactoryContent::Sound, 20)));
    EXPECT_EQ(sounds.Sound(0), nullptr);
    const Message refused{"Cannot write to ZEL-1 as memory protect is ON", "System Exclusive",
                          MessageFlags::Exclamation};
    EXPECT_EQ(link.messages.Messages(), (std::vector<Message>{refused, refused}));
    // And the refusal does not linger to fail the next exchange.
    EXPECT_EQ(Fetch(link.midi, ModuleMIDI::kOneSound, 2), FactoryContent::Sound(2));
}

TEST(AlsaExchangeTest, FetchesAllSoundsAndGroupsThroughTheSequencer) {
    if (!std::filesystem::exists("/dev/snd/seq")) {
        GTEST_SKIP() << "no ALSA sequencer (/dev/snd/seq): the ALSA part is not run";
    }
    const std::string name = E2eLink::EmulatorName("ZEL_E2E_ALSA_NAME");
    if (name.empty())
        GTEST_SKIP() << "run through run-e2e.sh: no ALSA emulator is running";
    E2eLink link({"alsa"});
    link.Open(name);
    EXPECT_EQ(Fetch(link.midi, ModuleMIDI::kAllSounds, -1),
              FactoryBlock(&FactoryContent::Sound, 20));
    EXPECT_EQ(link.midi.ReceivedMessage().size(), 5531u);
    EXPECT_EQ(Fetch(link.midi, ModuleMIDI::kAllGroups, -1),
              FactoryBlock(&FactoryContent::Group, 20));
    EXPECT_TRUE(link.messages.Messages().empty());
}
