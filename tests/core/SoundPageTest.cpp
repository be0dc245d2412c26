#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "SynthFixture.h"
#include "library/SoundPage.h"
#include "model/ClassSound.h"

namespace {
// Algorithm 0 with a fixed oscillator (detune 5, detone 12), envelope 1 with sustain 3 and end 6,
// LFO destinations naming a node, a control target and a node the algorithm lacks, and a
// modulation entry breaking at key 60 right to left. The name needs escaping.
RawData KnownSound() {
    RawData raw(138, 0);
    const std::string name = "Hi\"&<Lo>  ";
    for (int i = 0; i < 10; ++i)
        raw[i] = static_cast<int16_t>(name[i]);
    for (int p = 0; p < 6; ++p) {
        raw[10 + 2 * p] = static_cast<int16_t>(10 + p);
        raw[11 + 2 * p] = static_cast<int16_t>(20 + p);
    }
    raw[14] |= 0x80;  // sustain at point 3
    raw[21] |= 0x80;  // end at point 6
    raw[22] = 1;
    raw[23] = 50;
    raw[24] = 15;
    raw[25] = 7;
    const int16_t lfos[14] = {1, 10, 40, 2, 30, 11, 5, 8, 0, 0, 9, 200, 0, 0};
    for (int i = 0; i < 14; ++i)
        raw[74 + i] = lfos[i];
    raw[88] = 5;
    raw[92] = 172;  // key break 60, right to left
    raw[96] = 246;
    raw[100] = 20;
    raw[108] = 255;
    raw[112] = 3;
    raw[89] = 14;
    raw[93] = 48;  // key break 24, left to right
    raw[94] = 24;
    raw[95] = 24;
    raw[117] = 253;
    raw[118] = 5;
    raw[119] = 12 + 64 + 128;  // detone 12, fixed
    raw[120] = 254;
    raw[121] = 63;
    raw[123] = 64;
    raw[125] = 64;
    return raw;
}

const std::string kKnownPage =
    R"~(<html><head><title>Corvane ZEL-1 Editor</title></head><body><h2>Sound Data</h2><hr>)~"
    R"~(<h3>General</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right")~"
    R"~(>Name</td><td>Hi&quot;&amp;&lt;Lo&gt;</td></tr><tr><td bgcolor="#F0F0D0" align="right">Tra)~"
    R"~(nspose</td><td>-3</td></tr><tr><td bgcolor="#F0F0D0" align="right">Algorithm</td><td>Frequ)~"
    R"~(ency Modulation 1</td></tr></table>)~"
    R"~(<h3>Nodes</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">O)~"
    R"~(scillator 1</td><td><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="ce)~"
    R"~(nter">Detune</td><td bgcolor="#F0F0D0" align="center">Detone</td></tr><tr><td>5</td><td>12)~"
    R"~((fixed) </td></tr></table></td></tr><tr><td bgcolor="#F0F0D0" align="right">Oscillator 2</)~"
    R"~(td><td><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Detune<)~"
    R"~(/td><td bgcolor="#F0F0D0" align="center">Detone</td></tr><tr><td>-2</td><td>-1</td></tr></)~"
    R"~(table></td></tr><tr><td bgcolor="#F0F0D0" align="right">Oscillator 3</td><td><table border)~"
    R"~(="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Detune</td><td bgcolor="#F0)~"
    R"~(F0D0" align="center">Detone</td></tr><tr><td>0</td><td>0</td></tr></table></td></tr><tr><t)~"
    R"~(d bgcolor="#F0F0D0" align="right">Oscillator 4</td><td><table border="0" cellpadding="2" >)~"
    R"~(<tr><td bgcolor="#F0F0D0" align="center">Detune</td><td bgcolor="#F0F0D0" align="center">D)~"
    R"~(etone</td></tr><tr><td>0</td><td>0</td></tr></table></td></tr><tr><td bgcolor="#F0F0D0" al)~"
    R"~(ign="right">Amplifier 1</td><td><i>Non editable</i></td></tr><tr><td bgcolor="#F0F0D0" ali)~"
    R"~(gn="right">Amplifier 2</td><td><i>Non editable</i></td></tr><tr><td bgcolor="#F0F0D0" alig)~"
    R"~(n="right">Amplifier 3</td><td><i>Non editable</i></td></tr><tr><td bgcolor="#F0F0D0" align)~"
    R"~(="right">Amplifier 4</td><td><i>Non editable</i></td></tr></table><p>&nbsp;</p><table bord)~"
    R"~(er="0" cellpadding="2" ><tr><td>)~"
    R"~(<h3>LFO 1</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">W)~"
    R"~(ave</td><td>Triangle</td></tr><tr><td bgcolor="#F0F0D0" align="right">Delay</td><td>10</td)~"
    R"~(></tr><tr><td bgcolor="#F0F0D0" align="right">Speed</td><td>40</td></tr></table><table bor)~"
    R"~(der="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">Destination 1</td><td><ta)~"
    R"~(ble border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgco)~"
    R"~(lor="#F0F0D0" align="center">Depth</td></tr><tr><td>Oscillator 2</td><td>30</td></tr></tab)~"
    R"~(le></td></tr><tr><td bgcolor="#F0F0D0" align="right">Destination 2</td><td><table border=")~"
    R"~(0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgcolor="#F0F0D0)~"
    R"~(" align="center">Depth</td></tr><tr><td>LFO 1 Speed</td><td>5</td></tr></table></td></tr><)~"
    R"~(/table></td><td>)~"
    R"~(<h3>LFO 2</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">W)~"
    R"~(ave</td><td>Random 2</td></tr><tr><td bgcolor="#F0F0D0" align="right">Delay</td><td>0</td>)~"
    R"~(</tr><tr><td bgcolor="#F0F0D0" align="right">Speed</td><td>0</td></tr></table><table borde)~"
    R"~(r="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">Destination 1</td><td><tabl)~"
    R"~(e border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgcolo)~"
    R"~(r="#F0F0D0" align="center">Depth</td></tr><tr><td>Node 9</td><td>200</td></tr></table></td)~"
    R"~(></tr><tr><td bgcolor="#F0F0D0" align="right">Destination 2</td><td><table border="0" cell)~"
    R"~(padding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgcolor="#F0F0D0" align)~"
    R"~(="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr></table></td></tr></table></td></t)~"
    R"~(r></table><p>&nbsp;</p><table border="0" cellpadding="2" ><tr><td>)~"
    R"~(<h3>Envelope 1</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">Node</td><td bgcolor="#F0F0D0" align="center">Rate</td><td bgcolor="#F0F0D0" align="ce)~"
    R"~(nter">Level</td></tr><tr><td bgcolor="#F0F0D0" align="right">1</td><td>10</td><td>20</td><)~"
    R"~(/tr><tr><td bgcolor="#F0F0D0" align="right">2</td><td>11</td><td>21</td></tr><tr><td bgcol)~"
    R"~(or="#F0F0D0" align="right">3</td><td>12 (sustain)</td><td>22</td></tr><tr><td bgcolor="#F0)~"
    R"~(F0D0" align="right">4</td><td>13</td><td>23</td></tr><tr><td bgcolor="#F0F0D0" align="righ)~"
    R"~(t">5</td><td>14</td><td>24</td></tr><tr><td bgcolor="#F0F0D0" align="right">6</td><td>15</)~"
    R"~(td><td>25 (end)</td></tr></table><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0)~"
    R"~(D0" align="right">Destination 1</td><td><table border="0" cellpadding="2" ><tr><td bgcolor)~"
    R"~(="#F0F0D0" align="center">Node</td><td bgcolor="#F0F0D0" align="center">Depth</td></tr><tr)~"
    R"~(><td>Oscillator 1</td><td>50</td></tr></table></td></tr><tr><td bgcolor="#F0F0D0" align="r)~"
    R"~(ight">Destination 2</td><td><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" a)~"
    R"~(lign="center">Node</td><td bgcolor="#F0F0D0" align="center">Depth</td></tr><tr><td>EG Rate)~"
    R"~(</td><td>7</td></tr></table></td></tr></table></td><td>)~"
    R"~(<h3>Envelope 2</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">Node</td><td bgcolor="#F0F0D0" align="center">Rate</td><td bgcolor="#F0F0D0" align="ce)~"
    R"~(nter">Level</td></tr><tr><td bgcolor="#F0F0D0" align="right">1</td><td>0</td><td>0</td></t)~"
    R"~(r><tr><td bgcolor="#F0F0D0" align="right">2</td><td>0</td><td>0</td></tr><tr><td bgcolor=")~"
    R"~(#F0F0D0" align="right">3</td><td>0</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">4</td><td>0</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">5</td><td>0</td)~"
    R"~(><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">6</td><td>0</td><td>0</td></tr></t)~"
    R"~(able><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">Destinatio)~"
    R"~(n 1</td><td><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">No)~"
    R"~(de</td><td bgcolor="#F0F0D0" align="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr>)~"
    R"~(</table></td></tr><tr><td bgcolor="#F0F0D0" align="right">Destination 2</td><td><table bor)~"
    R"~(der="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgcolor="#F)~"
    R"~(0F0D0" align="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr></table></td></tr></ta)~"
    R"~(ble></td><td>)~"
    R"~(<h3>Envelope 3</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">Node</td><td bgcolor="#F0F0D0" align="center">Rate</td><td bgcolor="#F0F0D0" align="ce)~"
    R"~(nter">Level</td></tr><tr><td bgcolor="#F0F0D0" align="right">1</td><td>0</td><td>0</td></t)~"
    R"~(r><tr><td bgcolor="#F0F0D0" align="right">2</td><td>0</td><td>0</td></tr><tr><td bgcolor=")~"
    R"~(#F0F0D0" align="right">3</td><td>0</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">4</td><td>0</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">5</td><td>0</td)~"
    R"~(><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">6</td><td>0</td><td>0</td></tr></t)~"
    R"~(able><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">Destinatio)~"
    R"~(n 1</td><td><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">No)~"
    R"~(de</td><td bgcolor="#F0F0D0" align="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr>)~"
    R"~(</table></td></tr><tr><td bgcolor="#F0F0D0" align="right">Destination 2</td><td><table bor)~"
    R"~(der="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgcolor="#F)~"
    R"~(0F0D0" align="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr></table></td></tr></ta)~"
    R"~(ble></td><td>)~"
    R"~(<h3>Envelope 4</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">Node</td><td bgcolor="#F0F0D0" align="center">Rate</td><td bgcolor="#F0F0D0" align="ce)~"
    R"~(nter">Level</td></tr><tr><td bgcolor="#F0F0D0" align="right">1</td><td>0</td><td>0</td></t)~"
    R"~(r><tr><td bgcolor="#F0F0D0" align="right">2</td><td>0</td><td>0</td></tr><tr><td bgcolor=")~"
    R"~(#F0F0D0" align="right">3</td><td>0</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">4</td><td>0</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">5</td><td>0</td)~"
    R"~(><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">6</td><td>0</td><td>0</td></tr></t)~"
    R"~(able><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="right">Destinatio)~"
    R"~(n 1</td><td><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">No)~"
    R"~(de</td><td bgcolor="#F0F0D0" align="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr>)~"
    R"~(</table></td></tr><tr><td bgcolor="#F0F0D0" align="right">Destination 2</td><td><table bor)~"
    R"~(der="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" align="center">Node</td><td bgcolor="#F)~"
    R"~(0F0D0" align="center">Depth</td></tr><tr><td>Off</td><td>0</td></tr></table></td></tr></ta)~"
    R"~(ble></td></tr></table><p>&nbsp;</p><table border="0" cellpadding="2" ><tr><td>)~"
    R"~(<h3>Modulation Matrix 1</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" a)~"
    R"~(lign="right">Destination Node</td><td>Amplifier 1</td></tr><tr><td bgcolor="#F0F0D0" align)~"
    R"~(="right">Key Break</td><td>C5 (right to left)</td></tr><tr><td bgcolor="#F0F0D0" align="ri)~"
    R"~(ght">Key Depth</td><td>-10</td></tr><tr><td bgcolor="#F0F0D0" align="right">Velocity</td><)~"
    R"~(td>20</td></tr><tr><td bgcolor="#F0F0D0" align="right">Aftertouch</td><td>0</td></tr><tr><)~"
    R"~(td bgcolor="#F0F0D0" align="right">Controller</td><td>-1</td></tr><tr><td bgcolor="#F0F0D0)~"
    R"~(" align="right">Mod Wheel</td><td>3</td></tr></table></td><td>)~"
    R"~(<h3>Modulation Matrix 2</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" a)~"
    R"~(lign="right">Destination Node</td><td>LFO 2 Depth</td></tr><tr><td bgcolor="#F0F0D0" align)~"
    R"~(="right">Key Break</td><td>C2 (left to right)</td></tr><tr><td bgcolor="#F0F0D0" align="ri)~"
    R"~(ght">Key Depth</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">Velocity</td><td)~"
    R"~(>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">Aftertouch</td><td>0</td></tr><tr><td )~"
    R"~(bgcolor="#F0F0D0" align="right">Controller</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" al)~"
    R"~(ign="right">Mod Wheel</td><td>0</td></tr></table></td><td>)~"
    R"~(<h3>Modulation Matrix 3</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" a)~"
    R"~(lign="right">Destination Node</td><td>Off</td></tr><tr><td bgcolor="#F0F0D0" align="right")~"
    R"~(>Key Break</td><td>C0 (left to right)</td></tr><tr><td bgcolor="#F0F0D0" align="right">Key)~"
    R"~( Depth</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">Velocity</td><td>0</td><)~"
    R"~(/tr><tr><td bgcolor="#F0F0D0" align="right">Aftertouch</td><td>0</td></tr><tr><td bgcolor=)~"
    R"~("#F0F0D0" align="right">Controller</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">Mod Wheel</td><td>0</td></tr></table></td><td>)~"
    R"~(<h3>Modulation Matrix 4</h3><table border="0" cellpadding="2" ><tr><td bgcolor="#F0F0D0" a)~"
    R"~(lign="right">Destination Node</td><td>Off</td></tr><tr><td bgcolor="#F0F0D0" align="right")~"
    R"~(>Key Break</td><td>C0 (left to right)</td></tr><tr><td bgcolor="#F0F0D0" align="right">Key)~"
    R"~( Depth</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="right">Velocity</td><td>0</td><)~"
    R"~(/tr><tr><td bgcolor="#F0F0D0" align="right">Aftertouch</td><td>0</td></tr><tr><td bgcolor=)~"
    R"~("#F0F0D0" align="right">Controller</td><td>0</td></tr><tr><td bgcolor="#F0F0D0" align="rig)~"
    R"~(ht">Mod Wheel</td><td>0</td></tr></table></td></tr></table><p>&nbsp;</p></body></html>)~";
}  // namespace

class SoundPageTest : public SynthFixture {};

TEST_F(SoundPageTest, KnownSoundGivesTheCompletePageOnOneLine) {
    ClassSound sound(midi);
    ASSERT_TRUE(sound.DecodeRawSound(KnownSound()));
    std::string page;
    std::string failure;
    ASSERT_TRUE(BuildSoundPage(sound, page, failure)) << failure;
    EXPECT_EQ(page, kKnownPage);

    TempFolder folder;
    const std::string path = folder.Path("known.htm");
    PutFile(path, std::vector<uint8_t>(20000, 'x'));
    ASSERT_TRUE(ExportSoundPage(sound, path, failure)) << failure;
    const std::string written = kKnownPage + "\r\n";
    EXPECT_EQ(FileBytes(path), std::vector<uint8_t>(written.begin(), written.end()));
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(SoundPageTest, CodesWithoutANameWriteNothing) {
    TempFolder folder;
    const std::string path = folder.Path("bad.htm");
    struct Case {
        int offset;
        int16_t value;
        const char* what;
    };
    for (const Case& c :
         {Case{74, 9, "the wave of LFO 1 is 9"}, Case{24, 16, "destination 2 of Envelope 1 is 16"},
          Case{91, 99, "the destination of Modulation Matrix 4 is 99"}}) {
        RawData raw = KnownSound();
        raw[c.offset] = c.value;
        ClassSound sound(midi);
        ASSERT_TRUE(sound.DecodeRawSound(raw));
        std::string failure;
        EXPECT_FALSE(ExportSoundPage(sound, path, failure));
        EXPECT_NE(failure.find(c.what), std::string::npos) << failure;
        EXPECT_NE(failure.find(std::to_string(c.value)), std::string::npos) << failure;
        EXPECT_FALSE(FileExists(path));
    }

    // A wave selector's wave outside the list, and a name byte above 127 written as it is.
    RawData raw = KnownSound();
    raw[116] = 12;  // Waves 1: positions 6..8 are wave selectors
    raw[130] = 31;
    raw[132] = 32;
    raw[0] = 0xE9;
    ClassSound sound(midi);
    ASSERT_TRUE(sound.DecodeRawSound(raw));
    std::string failure;
    EXPECT_FALSE(ExportSoundPage(sound, path, failure));
    EXPECT_NE(failure.find("the wave of WaveSelect 2 is 32"), std::string::npos) << failure;
    sound.Node(7)->SetWave(0);
    ASSERT_TRUE(ExportSoundPage(sound, path, failure)) << failure;
    const std::vector<uint8_t> bytes = FileBytes(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("<td>\xE9i&quot;"), std::string::npos);
    EXPECT_NE(text.find(">WaveSelect 1</td><td>Smooth Sawtooth</td>"), std::string::npos);

    // Control bytes of a name are written as the command line's show writes them.
    const std::string rude("Pad\0\x01Lead\x7f", 10);
    for (size_t i = 0; i < rude.size(); ++i)
        raw[i] = static_cast<unsigned char>(rude[i]);
    ClassSound named(midi);
    ASSERT_TRUE(named.DecodeRawSound(raw));
    named.Node(7)->SetWave(0);
    ASSERT_TRUE(ExportSoundPage(named, path, failure)) << failure;
    const std::vector<uint8_t> namedBytes = FileBytes(path);
    const std::string page(namedBytes.begin(), namedBytes.end());
    EXPECT_NE(page.find(">Name</td><td>Pad\\x00\\x01Lead\\x7F</td>"), std::string::npos) << page;
}
