#include <gtest/gtest.h>

#include "SynthFixture.h"

using Bytes = std::vector<uint8_t>;
using Msg = RecordingMessageSink::Message;

class ExchangeWireTest : public SynthFixture {};

TEST_F(ExchangeWireTest, RequestsAndDumpsUseTheFrame) {
    midi.SendRequest(0, 5);
    midi.SendData(RawData{0xAB}, 0, 3);
    midi.SetSystemChannel(9);
    midi.SendRequest(1, -1);
    EXPECT_EQ(
        TakeSent(),
        (std::vector<Bytes>{
            {0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x00, 0x05, 0xF7},
            {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x00, 0x02, 0x03, 0x0A, 0x0B, 0x2B, 0xF7},
            {0xF0, 0x00, 0x20, 0x08, 0x01, 0x29, 0x01, 0xF7},
        }));
}

TEST_F(ExchangeWireTest, LongDumpsSplitTheCountAndSumEveryByte) {
    RawData payload(300);
    for (size_t i = 0; i < payload.size(); ++i)
        payload[i] = static_cast<int16_t>(i % 256);
    midi.SendData(payload, 1, -1);
    const Bytes m = TakeSent().at(0);
    ASSERT_EQ(m.size(), 7u + 3 + 600 + 1);
    EXPECT_EQ(m[6], 1);
    EXPECT_EQ(m[7], 4);   // 600 / 128
    EXPECT_EQ(m[8], 88);  // 600 % 128
    EXPECT_EQ(m[9], 0);   // no number byte: the payload starts here
    EXPECT_EQ(m[9 + 2 * 255], 15);
    EXPECT_EQ(m[9 + 2 * 255 + 1], 15);
    int sum = 0;
    for (int16_t b : payload)
        sum += b;
    EXPECT_EQ(m[9 + 600], sum & 0x7F);
    EXPECT_EQ(m.back(), 0xF7);
}

TEST_F(ExchangeWireTest, ParameterChangesAddressHighParametersAndSplitTheValue) {
    midi.SendParameter(2, 116, 12);
    midi.SendParameter(4, 9, 'A');
    midi.SendParameter(0, 10, -1);
    midi.SendBankParameter(3, 3, -10);
    midi.SendParameter50(7);
    EXPECT_EQ(TakeSent(),
              (std::vector<Bytes>{
                  {0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 22, 106, 0, 12, 0xF7},
                  {0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 4, 9, 4, 1, 0xF7},
                  {0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 20, 0, 15, 15, 0xF7},
                  {0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 43, 3, 15, 6, 0xF7},  // bank: no +20 rule
                  {0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 50, 0, 0, 7, 0xF7},
              }));
}

TEST_F(ExchangeWireTest, GroupNamesGoOutAsTenCharactersPaddedWithBlanksEachWithItsPause) {
    const double start = clock.Now();
    midi.SendGroupName("Strings");
    EXPECT_NEAR(clock.Now() - start, 10 * 0.05, 0.011);
    EXPECT_TRUE(midi.SysExSentFlag);
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 10u);
    const std::string expected = "Strings   ";
    for (int i = 0; i < 10; ++i) {
        const int c = static_cast<unsigned char>(expected[i]);
        EXPECT_EQ(sent[i],
                  (Bytes{0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 48, static_cast<uint8_t>(i),
                         static_cast<uint8_t>(c / 16), static_cast<uint8_t>(c % 16), 0xF7}));
    }
}

TEST_F(ExchangeWireTest, ADriverFailureIsShownAndNoOutputPortIsSilent) {
    // The device went away behind the editor's back.
    driver.OutClose(midi.MidiOutHandle());
    EXPECT_FALSE(midi.SendSysEx(2, RawData{1}, 1));
    EXPECT_EQ(messages.Messages(),
              (std::vector<Msg>{{"The specified device handle is invalid.", "ZEL Data Out", 48}}));

    messages.Clear();
    midi.OpenOutPort(-1);
    EXPECT_EQ(midi.MidiOutHandle(), 0u);
    midi.SysExSentFlag = false;
    EXPECT_FALSE(midi.SendSysEx(0, RawData{1, 2, 3, 4}, 4));
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_FALSE(midi.SysExSentFlag);
}

TEST_F(ExchangeWireTest, DataBytesNeverCarryBitSeven) {
    // A stray high bit would end the message early at the synth.
    midi.SendSysEx(0, RawData{200, 1, 0, 0}, 4);
    const Bytes m = TakeSent().at(0);
    for (size_t i = 1; i + 1 < m.size(); ++i)
        EXPECT_LT(m[i], 0x80) << i;
}
