#include <gtest/gtest.h>

#include <set>
#include <string>

#include <QFile>
#include <QTemporaryDir>

#include "FileTestSupport.h"
#include "SynthFixture.h"
#include "synth/SynthMemoryFile.h"

using Bytes = std::vector<uint8_t>;
using Msg = RecordingMessageSink::Message;

class VirtualZel1Test : public SynthFixture {
  protected:
    bool Store(const RawData& data, int kind, int number) {
        midi.SendData(data, kind, number);
        return midi.WaitForMessage(true);
    }
};

// Also the test of ExtractData: every kind comes back with its whole payload.
TEST_F(VirtualZel1Test, DumpsOfEveryKindAreStoredAndReadBack) {
    const RawData sound = Pattern(138, 1);
    EXPECT_TRUE(Store(sound, 0, 11));
    EXPECT_EQ(Fetch(0, 11), sound);

    const RawData sounds = Pattern(2760, 2);
    EXPECT_TRUE(Store(sounds, 1, -1));
    EXPECT_EQ(Fetch(1, -1), sounds);

    const RawData group = Pattern(82, 3);
    EXPECT_TRUE(Store(group, 2, 19));
    EXPECT_EQ(Fetch(2, 19), group);

    const RawData groups = Pattern(1640, 4);
    EXPECT_TRUE(Store(groups, 3, -1));
    EXPECT_EQ(Fetch(3, -1), groups);

    const RawData globals{5, 1, 0, 0x21, 255, 12, 4};
    EXPECT_TRUE(Store(globals, 5, -1));
    EXPECT_EQ(Fetch(5, -1), globals);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(VirtualZel1Test, FixedSoundsCanBeReadButNotOverwritten) {
    const RawData before = Synth().Sound(20);
    EXPECT_TRUE(Store(Pattern(138, 9), 0, 20));
    EXPECT_EQ(Synth().Sound(20), before);
    EXPECT_EQ(Fetch(0, 20), before);
}

// The refusal fails the wait even though silence would have been taken as success.
TEST_F(VirtualZel1Test, MemoryProtectRefusesDumpsButNotTheGlobalParameters) {
    Synth().SetMemoryProtect(true);
    const RawData before = Synth().Sound(3);
    EXPECT_FALSE(Store(Pattern(138, 5), 0, 3));
    EXPECT_EQ(Synth().Sound(3), before);
    EXPECT_FALSE(Store(Pattern(1640, 5), 3, -1));
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{
                  {"Cannot write to ZEL-1 as memory protect is ON", "System Exclusive", 48},
                  {"Cannot write to ZEL-1 as memory protect is ON", "System Exclusive", 48}}));
    // Switching the protection off goes through the global parameters themselves.
    RawData globals = Synth().Globals();
    globals[2] = 0;
    EXPECT_TRUE(Store(globals, 5, -1));
    EXPECT_FALSE(Synth().MemoryProtect());
}

TEST_F(VirtualZel1Test, ACorruptDumpGetsAChecksumMismatchReply) {
    const RawData before = Synth().Sound(0);
    midi.SendSysEx(1, RawData{0, 0, 2, 0, 0x0A, 0x0B, 0x2C}, 7);
    EXPECT_FALSE(midi.WaitForMessage(true));
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{"Checksum mismatch", "System Exclusive", 16}}));
    EXPECT_EQ(Synth().Sound(0), before);
}

TEST_F(VirtualZel1Test, ParameterChangesLandInTheirBytes) {
    midi.SendParameter(2, 116, 12);  // address 22, index 106
    midi.SendParameter(2, 0, 'Z');
    midi.SendParameter(19, 137, -1);
    EXPECT_EQ(Synth().Sound(2)[116], 12);
    EXPECT_EQ(Synth().Sound(2)[0], 'Z');
    EXPECT_EQ(Synth().Sound(19)[137], 255);

    // Bank parameters and group-name characters go to the group chosen with address 50.
    const RawData group0 = Synth().Group(0);
    midi.SendParameter50(6);
    midi.SendBankParameter(3, 3, -10);
    midi.SendBankParameter(7, 8, 100);
    midi.SendGroupName("Strings");
    const RawData group6 = Synth().Group(6);
    EXPECT_EQ(Synth().SelectedGroup(), 6);
    EXPECT_EQ(group6[8 * 3 + 3], 246);
    EXPECT_EQ(group6[8 * 8 + 7], 100);
    EXPECT_EQ(std::string(group6.begin() + 72, group6.end()), "Strings   ");
    EXPECT_EQ(Synth().Group(0), group0);
}

TEST_F(VirtualZel1Test, MessagesForAnotherSystemChannelAreIgnored) {
    const RawData before = Synth().Sound(1);
    midi.SetSystemChannel(4);
    midi.SendParameter(1, 20, 99);
    EXPECT_EQ(Synth().Sound(1), before);
    midi.SendRequest(1, -1);
    EXPECT_FALSE(midi.WaitForMessage(false));
    EXPECT_EQ(
        messages.Messages(),
        (std::vector<Msg>{{"Timeout waiting for message from ZEL-1", "System Exclusive", 16}}));

    // Once the synth is told to listen there, it answers there.
    Synth().SetSystemChannel(4);
    EXPECT_EQ(Fetch(5, -1).size(), 7u);

    // The editor's built-in synth answers whatever channel the editor is set to.
    Synth().SetAnswersAnyChannel(true);
    midi.SetSystemChannel(9);
    EXPECT_EQ(Fetch(5, -1).size(), 7u);
}

TEST_F(VirtualZel1Test, RepliesTakeTheirCableTime) {
    driver.SetCableSpeed(true);
    const double start = clock.Now();
    EXPECT_EQ(Fetch(1, -1).size(), 2760u);
    // The 8-byte request and the 5,531-byte dump at 3,125 bytes per second.
    EXPECT_NEAR(clock.Now() - start, (8 + 5531) / 3125.0, 0.01);
}

TEST_F(VirtualZel1Test, FactoryContentIsNamedAndDistinct) {
    std::set<RawData> sounds;
    std::set<std::string> names;
    for (int n = 0; n < 100; ++n) {
        const RawData raw = Synth().Sound(n);
        ASSERT_EQ(raw.size(), 138u);
        for (int16_t b : raw)
            ASSERT_TRUE(b >= 0 && b <= 255);
        sounds.insert(raw);
        names.insert(std::string(raw.begin(), raw.begin() + 10));
    }
    EXPECT_EQ(sounds.size(), 100u);
    EXPECT_EQ(names.size(), 100u);
    const RawData first = Synth().Sound(20);
    const RawData last = Synth().Sound(99);
    EXPECT_EQ(std::string(first.begin(), first.begin() + 10), "ChorStrPad");
    EXPECT_EQ(std::string(last.begin(), last.begin() + 10), "Drumkit 2 ");
    std::set<RawData> groups;
    for (int n = 0; n < 20; ++n)
        groups.insert(Synth().Group(n));
    EXPECT_EQ(groups.size(), 20u);
}

TEST(SynthMemoryFileTest, TheMemoryFileCarriesEverythingAndADamagedOneChangesNothing) {
    QTemporaryDir folder;
    const QString path = folder.filePath("nested/virtual-zel1.mem");
    VirtualZel1 synth;
    synth.SetSound(4, Pattern(138, 4));
    synth.SetGroup(5, Pattern(82, 5));
    synth.SetMemoryProtect(true);
    synth.SetSystemChannel(6);
    ASSERT_TRUE(SynthMemoryFile::Save(synth, path));

    VirtualZel1 restored;
    ASSERT_TRUE(SynthMemoryFile::Load(restored, path));
    EXPECT_EQ(restored.Sound(4), Pattern(138, 4));
    EXPECT_EQ(restored.Group(5), Pattern(82, 5));
    EXPECT_TRUE(restored.MemoryProtect());
    EXPECT_EQ(restored.SaveMemory(), synth.SaveMemory());

    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::Append));
    damaged.write("x");
    damaged.close();
    VirtualZel1 fresh;
    const auto factory = fresh.SaveMemory();
    EXPECT_FALSE(SynthMemoryFile::Load(fresh, path));
    EXPECT_FALSE(fresh.LoadMemory(std::vector<uint8_t>(factory.begin(), factory.end() - 1)));
    EXPECT_EQ(fresh.SaveMemory(), factory);
    EXPECT_FALSE(SynthMemoryFile::Load(fresh, folder.filePath("missing.mem")));
}

TEST(VirtualZel1LogTest, ALongRunKeepsOnlyTheMostRecentMessages) {
    VirtualZel1 synth;
    // 32 MB of SysEx, as a day of dumps would bring, and many short messages.
    for (uint8_t n = 0; n < 128; ++n) {
        Bytes message(250000, n);
        message.front() = 0xF0;
        message.back() = 0xF7;
        synth.Receive(message);
    }
    for (uint32_t n = 0; n < 100000; ++n)
        synth.ReceiveShort(n);
    const std::vector<Bytes> log = synth.Received();
    size_t bytes = 0;
    for (const Bytes& message : log)
        bytes += message.size();
    EXPECT_LE(bytes, VirtualZel1::kLogBytes);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back()[1], 127);
    EXPECT_LE(synth.ShortMessages().size(), VirtualZel1::kLogShortMessages);
    EXPECT_EQ(synth.ShortMessages().back(), 99999u);
}
