#include <gtest/gtest.h>

#include "SynthFixture.h"

using Bytes = std::vector<uint8_t>;
using Msg = RecordingMessageSink::Message;

class ExtractDataTest : public SynthFixture {
  protected:
    int Fetch(int kind, int number, RawData& data) {
        midi.SendRequest(kind, number);
        if (!midi.WaitForMessage(false))
            return -2;
        return midi.ExtractData(data);
    }
};

TEST_F(ExtractDataTest, EveryKindComesBackWithItsWholePayload) {
    RawData data;
    EXPECT_EQ(Fetch(0, 7, data), 0);
    EXPECT_EQ(data, Synth().Sound(7));
    EXPECT_EQ(Fetch(0, 42, data), 0);  // a fixed sound
    EXPECT_EQ(data, Synth().Sound(42));
    EXPECT_EQ(Fetch(1, -1, data), 1);
    ASSERT_EQ(data.size(), 2760u);
    EXPECT_EQ(RawData(data.begin() + 138 * 19, data.end()), Synth().Sound(19));
    EXPECT_EQ(Fetch(2, 3, data), 2);
    EXPECT_EQ(data, Synth().Group(3));
    EXPECT_EQ(Fetch(3, -1, data), 3);
    ASSERT_EQ(data.size(), 1640u);
    EXPECT_EQ(RawData(data.begin() + 82 * 3, data.begin() + 82 * 4), Synth().Group(3));
    EXPECT_EQ(Fetch(5, -1, data), 5);
    EXPECT_EQ(data, Synth().Globals());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(ExtractDataTest, AKindFourDumpIsReadFromOffsetNine) {
    // Only kinds 0 and 2 carry a number byte.
    driver.Inject({0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x04, 0x00, 0x02, 0x0A, 0x0B, 0x2B, 0xF7});
    ASSERT_TRUE(midi.WaitForMessage(false));
    RawData data;
    EXPECT_EQ(midi.ExtractData(data), 4);
    EXPECT_EQ(data, RawData{0xAB});
}

TEST_F(ExtractDataTest, BadDumpsAreRefusedAndLeaveTheCallersDataAlone) {
    const RawData before{1, 2, 3};
    struct Case {
        const char* what;
        Bytes reply;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"wrong checksum",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0, 0, 2, 3, 10, 11, 0x2C, 0xF7},
         "Checksum error"},
        {"count beyond the message",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0, 0x7F, 0x7F, 3, 10, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"count reaching the end byte",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0, 0, 3, 3, 10, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"nibble above 15",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0, 0, 2, 3, 0x1A, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"not a dump",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0, 5, 0xF7},
         "Unknown message recieved"},
    };
    for (const Case& c : cases) {
        messages.Clear();
        driver.Inject(c.reply);
        ASSERT_TRUE(midi.WaitForMessage(false)) << c.what;
        RawData data = before;
        EXPECT_EQ(midi.ExtractData(data), -1) << c.what;
        EXPECT_EQ(data, before) << c.what;
        EXPECT_EQ(messages.Messages(), (std::vector<Msg>{{c.text, "Extract Data", 16}})) << c.what;
    }
}

TEST_F(ExtractDataTest, TheSynthsFaultModesAreCaught) {
    RawData data;
    Synth().GetFaults().corruptChecksum = true;
    EXPECT_EQ(Fetch(1, -1, data), -1);
    Synth().GetFaults().corruptChecksum = false;
    Synth().GetFaults().cutShort = true;
    EXPECT_EQ(Fetch(1, -1, data), -1);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(messages.Messages(), (std::vector<Msg>{{"Checksum error", "Extract Data", 16},
                                                     {"Checksum error", "Extract Data", 16}}));
}

TEST_F(ExtractDataTest, NothingReceivedYetIsNoDump) {
    RawData data;
    EXPECT_EQ(midi.ExtractData(data), -1);
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{"Unknown message recieved", "Extract Data", 16}}));
}
