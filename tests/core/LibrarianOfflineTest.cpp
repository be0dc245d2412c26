#include <QDir>

#include "LibrarianFixture.h"

class LibrarianOfflineTest : public LibrarianFixture {};

TEST_F(LibrarianOfflineTest, UsageErrorsExitWithTwoAndTouchNothing) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_NE(err.str().find("no command"), std::string::npos);
    EXPECT_EQ(Run({"dance"}), 2);
    EXPECT_EQ(Run({"--bogus", "ports"}), 2);
    EXPECT_EQ(Run({"--channel", "17", "get-sounds", folder.Path("a.zas")}), 2);
    EXPECT_EQ(Run({"--channel", "x", "ports"}), 2);
    EXPECT_EQ(Run({"-1"}), 2);
    EXPECT_EQ(err.str(), "zel1-cli: Unknown option '1'. Try zel1-cli --help.\n");
    EXPECT_EQ(Run({"get-sound", "20", folder.Path("a.zel")}), 2);
    EXPECT_EQ(Run({"get-sound", "3"}), 2);
    EXPECT_EQ(Run({"get-sounds", folder.Path("a.zel")}), 2);
    EXPECT_EQ(Run({"put-sound", "3", folder.Path("a.txt")}), 2);
    EXPECT_EQ(Run({"convert", folder.Path("a.zel"), folder.Path("b.zel")}), 2);
    EXPECT_EQ(Run({"convert", folder.Path("a.snd"), folder.Path("b.zas")}), 2);
    EXPECT_EQ(Run({"show", folder.Path("page.htm")}), 2);
    // No port given and none saved.
    EXPECT_EQ(Run({"get-sounds", folder.Path("a.zas")}), 2);
    EXPECT_TRUE(Synth().Received().empty());
    EXPECT_TRUE(QDir(QString::fromStdString(folder.Root())).isEmpty());

    EXPECT_EQ(Run({"--help"}), 0);
    for (const char* command : {"ports", "get-sounds", "put-sounds", "get-sound", "put-sound",
                                "get-groups", "put-groups", "get-group", "put-group", "convert",
                                "export-html", "show", "--virtual-synth", "--channel"}) {
        EXPECT_NE(out.str().find(command), std::string::npos) << command;
    }
}

TEST_F(LibrarianOfflineTest, PortsListsDevicesByName) {
    EXPECT_EQ(Run({"ports"}), 0);
    EXPECT_EQ(out.str(), "MIDI In:\n  ZEL-1 Emulator\nMIDI Out:\n  ZEL-1 Emulator\n");
}

TEST_F(LibrarianOfflineTest, ConvertsOneFileOrManyIntoAFolder) {
    PutFile(folder.Path("pad.snd"), SndRecord("Soft Pad", 4));
    ASSERT_EQ(Run({"convert", folder.Path("pad.snd"), folder.Path("pad.zel")}), 0) << err.str();
    std::vector<uint8_t> zel = FileBytes(folder.Path("pad.zel"));
    ASSERT_EQ(zel.size(), 138u);
    EXPECT_EQ(std::string(zel.begin(), zel.begin() + 8), "Soft Pad");
    EXPECT_EQ(zel[116], 4);

    std::vector<uint8_t> als;
    for (int r = 0; r < 20; ++r) {
        auto record = SndRecord("Sound " + std::to_string(r), static_cast<uint8_t>(r));
        als.insert(als.end(), record.begin(), record.end());
    }
    PutFile(folder.Path("set.ALS"), als);
    PutFile(folder.Path("bass.snd"), SndRecord("Bass", 7));
    QDir(QString::fromStdString(folder.Root())).mkdir("out");
    ASSERT_EQ(Run({"convert", folder.Path("set.ALS"), folder.Path("bass.snd"), folder.Path("out")}),
              0)
        << err.str();
    std::vector<uint8_t> zas = FileBytes(folder.Path("out/set.zas"));
    ASSERT_EQ(zas.size(), 2761u);
    EXPECT_EQ(std::string(zas.begin() + 138 * 19, zas.begin() + 138 * 19 + 8), "Sound 19");
    EXPECT_EQ(zas[138 * 19 + 116], 19);
    EXPECT_EQ(zas[2760], 0);
    EXPECT_EQ(FileBytes(folder.Path("out/bass.zel")).size(), 138u);

    // A file that cannot be read is reported; the others are still converted.
    PutFile(folder.Path("long.snd"), std::vector<uint8_t>(148, 0));
    EXPECT_EQ(Run({"convert", folder.Path("long.snd"), folder.Path("pad.snd"), folder.Path("out")}),
              1);
    EXPECT_EQ(err.str().rfind("Open: Cannot read \"" + folder.Path("long.snd") + "\"", 0), 0u)
        << err.str();
    EXPECT_FALSE(FileExists(folder.Path("out/long.zel")));
    EXPECT_TRUE(FileExists(folder.Path("out/pad.zel")));

    // Two inputs of one name would land in one file: refused before anything is written.
    QDir(QString::fromStdString(folder.Root())).mkpath("d1");
    QDir(QString::fromStdString(folder.Root())).mkpath("d2");
    QDir(QString::fromStdString(folder.Root())).mkpath("same");
    PutFile(folder.Path("d1/x.snd"), SndRecord("First", 1));
    PutFile(folder.Path("d2/x.snd"), SndRecord("Second", 2));
    EXPECT_EQ(Run({"convert", folder.Path("pad.snd"), folder.Path("d1/x.snd"),
                   folder.Path("d2/x.snd"), folder.Path("same")}),
              2);
    EXPECT_NE(err.str().find("\"" + folder.Path("d1/x.snd") + "\" and \"" +
                             folder.Path("d2/x.snd") + "\""),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(QDir(QString::fromStdString(folder.Path("same"))).isEmpty());
}

TEST_F(LibrarianOfflineTest, ShowsFilesAsText) {
    PutFile(folder.Path("pad.snd"), SndRecord("Soft Pad", 4));
    ASSERT_EQ(Run({"show", folder.Path("pad.snd")}), 0) << err.str();
    EXPECT_NE(out.str().find("SND file, 147 bytes"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Soft Pad"), std::string::npos);

    EXPECT_NE(out.str().find("Algorithm: 4 Phase Modulation 1\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Node 8: Amplifier 4\n"), std::string::npos);

    std::vector<uint8_t> group(82, 0);
    group[5] = 12;  // bank 5 plays sound 12 on channel 6
    group[13] = 6;
    group[61] = 24;  // its key range as the group editor names it: C0 to F#6
    group[69] = 102;
    const std::string name = "Strings   ";
    for (int i = 0; i < 10; ++i)
        group[72 + i] = static_cast<uint8_t>(name[i]);
    PutFile(folder.Path("strings.zeg"), group);
    ASSERT_EQ(Run({"show", folder.Path("strings.zeg")}), 0) << err.str();
    EXPECT_NE(out.str().find("Name: Strings\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("Bank 6: user sound 12, channel 6, volume 0, pan 0, transpose 0, "
                             "detune 0, keys C0 to F#6\n"),
              std::string::npos);

    // A name's control bytes reach the terminal escaped; the NULs that end it are dropped.
    std::vector<uint8_t> raw(138, 0);
    const std::string rude = std::string("A\x1b[2J\\\x9b") + std::string(3, '\0');
    std::copy(rude.begin(), rude.end(), raw.begin());
    PutFile(folder.Path("rude.zel"), raw);
    ASSERT_EQ(Run({"show", folder.Path("rude.zel")}), 0) << err.str();
    EXPECT_NE(out.str().find("Name: A\\x1B[2J\\x5C\\x9B\n"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
    EXPECT_EQ(FileBytes(folder.Path("rude.zel")), raw);

    PutFile(folder.Path("big.zeg"), std::vector<uint8_t>(83, 0));
    EXPECT_EQ(Run({"show", folder.Path("big.zeg")}), 1);
    EXPECT_NE(err.str().find("83 bytes"), std::string::npos);
}

TEST_F(LibrarianOfflineTest, ExportsTheWebPageOfASoundFile) {
    PutFile(folder.Path("pad.snd"), SndRecord("A&B", 25));
    const std::string page = folder.Path("pad.htm");
    ASSERT_EQ(Run({"export-html", folder.Path("pad.snd"), page}), 0) << err.str();
    const std::vector<uint8_t> bytes = FileBytes(page);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("<html><head><title>Corvane ZEL-1 Editor</title>", 0), 0u);
    EXPECT_NE(text.find(">Name</td><td>A&amp;B</td>"), std::string::npos);
    EXPECT_NE(text.find(">Algorithm</td><td>Vosim</td>"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 9), "</html>\r\n");

    // An LFO wave without a name: reported, and the old page stays.
    std::vector<uint8_t> snd = SndRecord("Odd", 0);
    snd[2] = 40;
    PutFile(folder.Path("odd.zel"), std::vector<uint8_t>(138, 0));
    PutFile(folder.Path("odd.snd"), snd);
    EXPECT_EQ(Run({"export-html", folder.Path("odd.snd"), page}), 1);
    EXPECT_EQ(err.str().rfind("Save As: Cannot export the sound \"Odd\"", 0), 0u) << err.str();
    EXPECT_EQ(FileBytes(page), bytes);
    EXPECT_EQ(Run({"export-html", folder.Path("odd.snd"), folder.Path("odd.zel")}), 2);
}
