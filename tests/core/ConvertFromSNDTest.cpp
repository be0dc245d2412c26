#include <gtest/gtest.h>

#include "library/ConvertFromSND.h"

namespace {
// An SND record whose every byte tells where it came from (offset + 1, below 128 so that no
// value looks like a mark), with envelope points set apart.
RawData NumberedRecord() {
    RawData snd(kSndRecordBytes);
    for (int i = 0; i < kSndRecordBytes; ++i)
        snd[i] = static_cast<int16_t>((i % 120) + 1);
    for (int e = 0; e < 4; ++e) {
        snd[76 + 18 * e] = 6;  // no sustain point
        snd[77 + 18 * e] = 9;  // no end point
    }
    return snd;
}
}  // namespace

TEST(ConvertFromSNDTest, MovesEveryBlockToItsRawPlace) {
    RawData snd = NumberedRecord();
    snd[76] = 2;  // envelope 0: sustain at point 2
    snd[77] = 5;  // end at point 5
    RawData raw(138, 99);
    ASSERT_TRUE(ConvertFromSND(snd, raw, 0));

    EXPECT_EQ(raw[0], snd[136]);  // name
    EXPECT_EQ(raw[9], snd[145]);
    EXPECT_EQ(raw[10], snd[64]);        // envelope 0, rate of point 0
    EXPECT_EQ(raw[14], snd[68] + 128);  // rate of point 2, marked as sustain
    EXPECT_EQ(raw[21], snd[75] + 128);  // level of point 5, marked as end
    EXPECT_EQ(raw[22], snd[78]);        // envelope 0 destinations
    EXPECT_EQ(raw[25], snd[81]);
    EXPECT_EQ(raw[58], snd[64 + 54]);  // envelope 3, rate of point 0
    EXPECT_EQ(raw[73], snd[81 + 54]);  // envelope 3, last depth
    EXPECT_EQ(raw[74], snd[2]);        // LFOs
    EXPECT_EQ(raw[87], snd[15]);
    EXPECT_EQ(raw[88], snd[16]);  // modulation matrix
    EXPECT_EQ(raw[115], snd[43]);
    EXPECT_EQ(raw[116], snd[0]);   // algorithm
    EXPECT_EQ(raw[117], snd[1]);   // transpose
    EXPECT_EQ(raw[118], snd[44]);  // nodes
    EXPECT_EQ(raw[136], snd[62]);
    EXPECT_EQ(raw[137], snd[63]);
    int marked = 0;
    for (int16_t byte : raw)
        marked += byte >= 128 ? 1 : 0;
    EXPECT_EQ(marked, 2);
}

TEST(ConvertFromSNDTest, MarksStayWithinAByteAndBadIndexesMarkNothing) {
    RawData snd(kSndRecordBytes, 0);
    snd[64 + 2 * 1] = 200;  // rate of point 1 already carries bit 7
    snd[76] = 1;
    snd[77] = 6;
    RawData raw(138);
    ASSERT_TRUE(ConvertFromSND(snd, raw, 0));
    EXPECT_EQ(raw[12], 200);
    for (int i = 10; i < 26; ++i) {
        if (i != 12) {
            EXPECT_EQ(raw[i], 0) << i;
        }
    }
    // Too short for the record: refused, nothing changed.
    RawData small(137, 5);
    EXPECT_FALSE(ConvertFromSND(snd, small, 0));
    EXPECT_EQ(small, RawData(137, 5));
    EXPECT_FALSE(ConvertFromSND(snd, raw, 1));
}
