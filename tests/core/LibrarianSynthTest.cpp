#include "LibrarianFixture.h"
#include "SoundTestSupport.h"
#include "midi/CompositeMidiDriver.h"

using Bytes = std::vector<uint8_t>;

namespace {
Bytes Slice(const Bytes& bytes, size_t start, size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                 bytes.begin() + static_cast<std::ptrdiff_t>(start + count));
}
}  // namespace

class LibrarianSynthTest : public LibrarianFixture {};

TEST_F(LibrarianSynthTest, GetSoundsWritesTheSynthsSoundsOnTheSavedPorts) {
    settings.Write("ZEL_EDITOR", "settings", "ZelIn", "zel-1 EMULATOR");
    settings.Write("ZEL_EDITOR", "settings", "ZelOut", "ZEL-1 Emulator");
    settings.Write("ZEL_EDITOR", "settings", "SystemChannel", "3");
    Synth().SetSystemChannel(3);
    const std::string path = folder.Path("backup.zas");
    ASSERT_EQ(Run({"get-sounds", path}), 0) << err.str();
    EXPECT_EQ(TakeSent(), (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x23, 0x01, 0xF7}}));
    const Bytes file = FileBytes(path);
    ASSERT_EQ(file.size(), 2761u);
    EXPECT_EQ(Slice(file, 0, 2760), AsBytes(SynthSounds(Synth())));
    EXPECT_EQ(file.back(), 0);
    EXPECT_TRUE(err.str().empty());

    // The channel option wins over the saved one; a missing device is named.
    Synth().SetSystemChannel(12);
    ASSERT_EQ(Run({"--channel", "13", "get-sound", "4", folder.Path("four.zel")}), 0) << err.str();
    EXPECT_EQ(TakeSent(),
              (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x2C, 0x00, 0x04, 0xF7}}));
    EXPECT_EQ(FileBytes(folder.Path("four.zel")), Slice(file, 4 * 138, 138));
    EXPECT_EQ(Run({"--out", "Elsewhere", "get-sound", "4", folder.Path("x.zel")}), 1);
    EXPECT_NE(err.str().find("\"Elsewhere\""), std::string::npos);
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(LibrarianSynthTest, PutSoundSendsAZelOrAnSndFileToItsSlot) {
    const std::string zel = folder.Path("two.zel");
    ASSERT_EQ(Run({"--virtual-synth", "get-sound", "2", zel}), 0) << err.str();
    TakeSent();
    ASSERT_EQ(Run({"--virtual-synth", "put-sound", "5", zel}), 0) << err.str();
    EXPECT_EQ(Synth().Sound(5), Synth().Sound(2));
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 3u);
    // A one-sound dump for slot 5 with 276 nibbles, then the algorithm once more, then the
    // request that reads it back.
    EXPECT_EQ(Slice(sent[0], 0, 10),
              (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x02, 0x14, 0x05}));
    EXPECT_EQ(sent[0].size(), 10u + 276 + 2);
    EXPECT_EQ(sent[1], Change(5, 116, Synth().Sound(2)[116]));
    EXPECT_EQ(sent[2], (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x00, 0x05, 0xF7}));

    const std::string name = "Old Brass ";
    Bytes snd = SndRecord(name, 3);
    snd[76] = 1;  // envelope 0 sustains at point 1
    snd[77] = 9;
    PutFile(folder.Path("brass.SND"), snd);
    ASSERT_EQ(Run({"--virtual-synth", "put-sound", "7", folder.Path("brass.SND")}), 0) << err.str();
    const RawData seven = Synth().Sound(7);
    EXPECT_EQ(std::string(seven.begin(), seven.begin() + 10), name);
    EXPECT_EQ(seven[116], 3);
    EXPECT_EQ(seven[12], 0x80);

    // A file too long for a sound sends nothing.
    TakeSent();
    PutFile(folder.Path("long.zel"), Bytes(139, 65));
    EXPECT_EQ(Run({"--virtual-synth", "put-sound", "7", folder.Path("long.zel")}), 1);
    EXPECT_EQ(err.str().rfind("Open: Cannot read", 0), 0u) << err.str();
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(Synth().Sound(7), seven);
}

TEST_F(LibrarianSynthTest, PutSoundsSendsAnAlsFileAsTwentySounds) {
    Bytes als;
    for (int r = 0; r < 20; ++r) {
        const Bytes record = SndRecord("Als " + std::to_string(r), static_cast<uint8_t>(27 - r));
        als.insert(als.end(), record.begin(), record.end());
    }
    PutFile(folder.Path("old.als"), als);
    ASSERT_EQ(Run({"--virtual-synth", "put-sounds", folder.Path("old.als")}), 0) << err.str();
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1], (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x01, 0xF7}));
    // The whole 2,761-element array travels: 5,522 nibbles.
    EXPECT_EQ(Slice(sent[0], 0, 9), (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x01, 43, 18}));
    EXPECT_EQ(sent[0].size(), 9u + 5522 + 2);
    const RawData three = Synth().Sound(3);
    EXPECT_EQ(std::string(three.begin(), three.begin() + 10), "Als 3     ");
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(Synth().Sound(n)[116], 27 - n) << "each record lands in its own sound";
}

TEST_F(LibrarianSynthTest, GroupsTravelBothWays) {
    const std::string all = folder.Path("groups.zag");
    ASSERT_EQ(Run({"--virtual-synth", "get-groups", all}), 0) << err.str();
    Bytes file = FileBytes(all);
    ASSERT_EQ(file.size(), 1640u);
    EXPECT_EQ(file, AsBytes(SynthGroups(Synth())));

    const std::string one = folder.Path("one.zeg");
    ASSERT_EQ(Run({"--virtual-synth", "get-group", "1", one}), 0) << err.str();
    EXPECT_EQ(FileBytes(one), Slice(file, 82, 82));
    ASSERT_EQ(Run({"--virtual-synth", "put-group", "4", one}), 0) << err.str();
    EXPECT_EQ(Synth().Group(4), Synth().Group(1));

    // A 1,641-byte file is accepted (its last byte travels too); group 3 gets a new name.
    const std::string name = "Renamed   ";
    for (int i = 0; i < 10; ++i)
        file[3 * 82 + 72 + i] = static_cast<uint8_t>(name[i]);
    file.push_back(0);
    PutFile(all, file);
    TakeSent();
    ASSERT_EQ(Run({"--virtual-synth", "put-groups", all}), 0) << err.str();
    const RawData three = Synth().Group(3);
    EXPECT_EQ(std::string(three.begin() + 72, three.end()), name);
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(Slice(sent[0], 0, 9), (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x03, 25, 82}));
    EXPECT_EQ(sent[1], (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x03, 0xF7}));

    // One byte too many for either kind: refused, nothing sent.
    file.push_back(0);
    PutFile(all, file);
    EXPECT_EQ(Run({"--virtual-synth", "put-groups", all}), 1);
    EXPECT_NE(err.str().find("Group Editor: Cannot read"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("1642 bytes"), std::string::npos);
    PutFile(one, Bytes(83, 1));
    EXPECT_EQ(Run({"--virtual-synth", "put-group", "4", one}), 1);
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(AsBytes(Synth().Group(4)), Slice(file, 4 * 82, 82));
}

TEST_F(LibrarianSynthTest, SynthFailuresExitWithOneAndWriteNothing) {
    Synth().GetFaults().silent = true;
    EXPECT_EQ(Run({"--virtual-synth", "get-sounds", folder.Path("none.zas")}), 1);
    EXPECT_EQ(err.str(), "System Exclusive: Timeout waiting for message from ZEL-1\n");
    EXPECT_FALSE(FileExists(folder.Path("none.zas")));
    EXPECT_EQ(Run({"--virtual-synth", "get-group", "2", folder.Path("none.zeg")}), 1);
    EXPECT_FALSE(FileExists(folder.Path("none.zeg")));

    Synth().GetFaults().silent = false;
    Synth().GetFaults().cutShort = true;
    EXPECT_EQ(Run({"--virtual-synth", "get-groups", folder.Path("cut.zag")}), 1);
    EXPECT_FALSE(err.str().empty());
    EXPECT_FALSE(FileExists(folder.Path("cut.zag")));

    // A one-group dump where a sound was asked for: refused, and said so.
    Synth().GetFaults().cutShort = false;
    Synth().GetFaults().silent = true;
    driver.Inject(DumpMessage(2, 0, RawData(82, 0)), 0.1);
    EXPECT_EQ(Run({"--virtual-synth", "get-sound", "3", folder.Path("wrong.zel")}), 1);
    Synth().GetFaults().silent = false;
    EXPECT_NE(err.str().find("answered with other data"), std::string::npos) << err.str();
    EXPECT_FALSE(FileExists(folder.Path("wrong.zel")));

    const std::string zel = folder.Path("zero.zel");
    ASSERT_EQ(Run({"--virtual-synth", "get-sound", "0", zel}), 0) << err.str();
    Synth().SetMemoryProtect(true);
    const RawData before = Synth().Sound(9);
    EXPECT_EQ(Run({"--virtual-synth", "put-sound", "9", zel}), 1);
    EXPECT_EQ(err.str(), "System Exclusive: Cannot write to ZEL-1 as memory protect is ON\n");
    EXPECT_EQ(Synth().Sound(9), before);
}

TEST_F(LibrarianSynthTest, PutCommandsFailWhenTheSynthDoesNotHoldWhatWasSent) {
    const std::string zel = folder.Path("two.zel");
    const std::string zeg = folder.Path("one.zeg");
    const std::string zas = folder.Path("all.zas");
    ASSERT_EQ(Run({"--virtual-synth", "get-sound", "2", zel}), 0) << err.str();
    ASSERT_EQ(Run({"--virtual-synth", "get-group", "1", zeg}), 0) << err.str();
    ASSERT_EQ(Run({"--virtual-synth", "get-sounds", zas}), 0) << err.str();

    // Protected, but too slow to say so: the dumps are lost without a word.
    Synth().GetFaults().dropDumps = true;
    EXPECT_EQ(Run({"--virtual-synth", "put-sound", "5", zel}), 1);
    EXPECT_EQ(err.str().rfind("zel1-cli: sound 5 (", 0), 0u) << err.str();
    EXPECT_NE(err.str().find("differs on the ZEL-1 from what was sent, in Name, "),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(Run({"--virtual-synth", "put-group", "4", zeg}), 1);
    EXPECT_EQ(err.str().rfind("zel1-cli: group 4 (", 0), 0u) << err.str();
    // Without the check the command trusts the silence.
    EXPECT_EQ(Run({"--virtual-synth", "--no-verify", "put-sound", "5", zel}), 0) << err.str();

    // A slot that differs further in: all sounds match but one byte of sound 7.
    Synth().GetFaults().dropDumps = false;
    ASSERT_EQ(Run({"--virtual-synth", "put-sounds", zas}), 0) << err.str();
    Bytes file = FileBytes(zas);
    file[7 * 138 + 117] = static_cast<uint8_t>(file[7 * 138 + 117] + 1);
    PutFile(zas, file);
    Synth().GetFaults().dropDumps = true;
    EXPECT_EQ(Run({"--virtual-synth", "put-sounds", zas}), 1);
    EXPECT_NE(err.str().find("sound 7 ("), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("from what was sent, in Transpose.\n"), std::string::npos)
        << err.str();

    // Silent (or on another channel): nothing comes back to compare.
    Synth().GetFaults().dropDumps = false;
    Synth().GetFaults().silent = true;
    ASSERT_EQ(Run({"--virtual-synth", "--no-verify", "put-group", "4", zeg}), 0) << err.str();
    EXPECT_EQ(Run({"--virtual-synth", "put-group", "4", zeg}), 1);
    EXPECT_NE(err.str().find("Group 4 could not be read back"), std::string::npos) << err.str();
}

namespace {
// The virtual ZEL-1 under another name, as a second device beside the first.
class RenamedEmulator : public EmulatorMidiDriver {
  public:
    RenamedEmulator(Clock& clock, std::string name)
        : EmulatorMidiDriver(clock), name_(std::move(name)) {}
    MidiResult InGetDevCaps(uint32_t deviceId, MidiInCaps& caps) override {
        const MidiResult result = EmulatorMidiDriver::InGetDevCaps(deviceId, caps);
        caps.productName = name_;
        return result;
    }
    MidiResult OutGetDevCaps(uint32_t deviceId, MidiOutCaps& caps) override {
        const MidiResult result = EmulatorMidiDriver::OutGetDevCaps(deviceId, caps);
        caps.productName = name_;
        return result;
    }

  private:
    std::string name_;
};
}  // namespace

TEST_F(LibrarianSynthTest, PortsAreFoundByAnyPartOfTheirNameThatOnlyOneHolds) {
    CompositeMidiDriver devices;
    auto plain = std::make_unique<EmulatorMidiDriver>(clock);
    auto bench = std::make_unique<RenamedEmulator>(clock, "Bench Synth Emulated:MIDI Out");
    VirtualZel1& plainSynth = plain->Synth();
    VirtualZel1& benchSynth = bench->Synth();
    devices.Add(std::move(plain));
    devices.Add(std::move(bench));
    LibrarianCommands commands([&]() -> MidiDriver& { return devices; }, driver, settings, pump,
                               clock, out, err);
    const QString path = QString::fromStdString(folder.Path("three.zel"));
    EXPECT_EQ(
        commands.Run({"zel1-cli", "--in", "BENCH", "--out", "midi out", "get-sound", "3", path}), 0)
        << err.str();
    EXPECT_EQ(benchSynth.Received().size(), 1u);
    EXPECT_TRUE(plainSynth.Received().empty());

    EXPECT_EQ(commands.Run(
                  {"zel1-cli", "--in", "emu", "--out", "zel-1 emulator", "get-sound", "3", path}),
              1);
    EXPECT_EQ(err.str(),
              "zel1-cli: \"emu\" names several MIDI input devices: \"ZEL-1 Emulator\" \"Bench "
              "Synth Emulated:MIDI Out\"; give more of the name.\n");
    EXPECT_EQ(benchSynth.Received().size(), 1u);
}
