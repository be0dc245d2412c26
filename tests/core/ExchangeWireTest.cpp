#include <gtest/gtest.h>

#include "SynthFixture.h"

using Bytes = std::vector<uint8_t>;

class ExchangeWireTest : public SynthFixture {};

TEST_F(ExchangeWireTest, RequestsAndDumpsUseTheFrame) {
    midi.SendRequest(0, 5);
    midi.SendData(RawData{0xAB}, 0, 3);
    midi.SetSystemChannel(9);
    midi.SendRequest(1, -1);
    EXPECT_EQ(TakeSent(), (std::vector<Bytes>{
                              {0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x00, 0x05, 0xF7},
                              {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x00, 0x02, 0x03, 0x0A,
                               0x0B, 0x2B, 0xF7},
                              {0xF0, 0x00, 0x20, 0x08, 0x01, 0x29, 0x01, 0xF7},
                          }));
}
