#include <gtest/gtest.h>

#include "SynthFixture.h"

using Bytes = std::vector<uint8_t>;
using Msg = RecordingMessageSink::Message;

class ExtractDataTest : public SynthFixture {};

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
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 4, 0, 2, 10, 11, 0x2C, 0xF7},
         "Checksum error"},
        {"count beyond the message",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 4, 0x7F, 0x7F, 10, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"count reaching the end byte",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 4, 0, 3, 10, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"bytes between the checksum and the end",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 4, 0, 2, 10, 11, 0x2B, 0, 0xF7},
         "Checksum error"},
        {"nibble above 15",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 4, 0, 2, 0x1A, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"sound number missing",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0, 0, 0xF7},
         "Checksum error"},
        {"one sound of one byte",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0, 0, 2, 3, 10, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"globals of one byte",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 5, 0, 2, 10, 11, 0x2B, 0xF7},
         "Checksum error"},
        {"kind not a data byte",
         {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x80, 0, 2, 10, 11, 0x2B, 0xF7},
         "Unknown message recieved"},
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

// Alone in a fresh link, so that the received message's storage ends where the message does and
// a read past it is caught by the address sanitizer.
TEST_F(ExtractDataTest, AnEightByteDumpIsRefusedWithoutReadingPastItsEnd) {
    driver.Inject({0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0xF7});
    ASSERT_TRUE(midi.WaitForMessage(false));
    RawData data{1};
    EXPECT_EQ(midi.ExtractData(data), -1);
    EXPECT_EQ(data, RawData{1});
    EXPECT_EQ(messages.Messages(), (std::vector<Msg>{{"Checksum error", "Extract Data", 16}}));
}

TEST_F(ExtractDataTest, TheSynthsFaultModesAreCaught) {
    Synth().GetFaults().corruptChecksum = true;
    EXPECT_TRUE(Fetch(1, -1).empty());
    Synth().GetFaults().corruptChecksum = false;
    Synth().GetFaults().cutShort = true;
    EXPECT_TRUE(Fetch(1, -1).empty());
    EXPECT_EQ(messages.Messages(), (std::vector<Msg>{{"Checksum error", "Extract Data", 16},
                                                     {"Checksum error", "Extract Data", 16}}));
}

TEST_F(ExtractDataTest, NothingReceivedYetIsNoDump) {
    RawData data;
    EXPECT_EQ(midi.ExtractData(data), -1);
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{"Unknown message recieved", "Extract Data", 16}}));
}
