#include <gtest/gtest.h>

#include "windowlogic/KeyboardNotes.h"
#include "windowlogic/PianoLayout.h"

// Black keys sit centred on the line between their white neighbours; a range that ends on a
// black key is that much wider; nothing overlaps but a black key over two white ones.
TEST(PianoLayoutTest, BlackKeysSitOnTheLinesBetweenTheWhiteOnes) {
    const PianoLayout two(0, 24);
    EXPECT_EQ(two.Width(), 15.0);
    EXPECT_EQ(two.KeyOf(0).left, 0.0);
    EXPECT_EQ(two.KeyOf(4).left, 2.0);
    EXPECT_EQ(two.KeyOf(5).left, 3.0);
    EXPECT_EQ(two.KeyOf(24).left, 14.0);
    EXPECT_DOUBLE_EQ(two.KeyOf(1).left + two.KeyOf(1).width / 2, 1.0);
    EXPECT_DOUBLE_EQ(two.KeyOf(10).left + two.KeyOf(10).width / 2, 6.0);
    EXPECT_LT(two.KeyOf(10).height, two.KeyOf(11).height);

    const PianoLayout split(24, 102);
    EXPECT_DOUBLE_EQ(split.Width(), 46 + PianoLayout::kBlackWidth / 2);
    const PianoLayout fromBlack(1, 2);
    EXPECT_EQ(fromBlack.KeyOf(1).left, 0.0);
}

TEST(PianoLayoutTest, TwoRowsOfComputerKeysPlayTheTwentyFiveKeys) {
    const std::pair<char, int> keys[] = {{'Z', 0},  {'S', 1},  {'M', 11}, {',', 12},
                                         {'/', 16}, {'Q', 12}, {'2', 13}, {'U', 23},
                                         {'I', 24}, {'A', -1}, {'1', -1}, {'z', -1}};
    for (const auto& [typed, key] : keys)
        EXPECT_EQ(KeyboardNotes::KeyOfComputerKey(typed), key) << typed;
    EXPECT_EQ(KeyboardNotes::KeyOfComputerKey(0x01000000), -1);  // Escape
}
