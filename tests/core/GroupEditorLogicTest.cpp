#include <gtest/gtest.h>

#include "windowlogic/BankEntries.h"
#include "windowlogic/KeySplitLayout.h"

TEST(GroupEditorLogicTest, BankListsNameEveryEntryAsTheSynthNumbersThem) {
    const auto plain = BankEntries::SoundEntries();
    ASSERT_EQ(plain.size(), 100u);
    EXPECT_EQ(plain[0], "    0");
    EXPECT_EQ(plain[19], "   19");
    EXPECT_EQ(plain[20], "20 ChorStrPad");
    EXPECT_EQ(plain[99], "99 Drumkit 2");

    const auto named =
        BankEntries::SoundEntries([](int n) { return n == 3 ? "Strings" : std::string(); });
    EXPECT_EQ(named[3], "    3  Strings");
    EXPECT_EQ(named[4], "    4") << "a user sound without a known name shows its number only";
    EXPECT_EQ(named[20], plain[20]);

    const auto channels = BankEntries::ChannelEntries();
    EXPECT_EQ(channels,
              (std::vector<std::string>{"Omni", " 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8",
                                        " 9", "10", "11", "12", "13", "14", "15", "16"}));
    EXPECT_EQ(BankEntries::SplitText(24), "C0");
    EXPECT_EQ(BankEntries::SplitText(60), "C3");
    EXPECT_EQ(BankEntries::SplitText(102), "F#6");
}

TEST(GroupEditorLogicTest, SplitLayoutMarksOverlapsAndCutsRangesToTheKeyboard) {
    std::array<KeySplitLayout::Range, 8> ranges{};
    ranges.fill({1, 0});
    ranges[0] = {24, 59};    // lower half
    ranges[1] = {60, 102};   // upper half, touching but not sharing a key
    ranges[2] = {55, 65};    // across the split point: shares keys with both
    ranges[3] = {0, 30};     // starts below the keyboard
    ranges[4] = {90, 127};   // ends above it
    ranges[5] = {70, 40};    // inverted: plays nothing
    ranges[6] = {103, 120};  // wholly above the keyboard
    const KeySplitLayout layout(ranges);

    EXPECT_EQ(layout.BarOf(0).first, 0);
    EXPECT_EQ(layout.BarOf(0).last, 35);
    EXPECT_EQ(layout.BarOf(1).first, 36);
    EXPECT_EQ(layout.BarOf(1).last, KeySplitLayout::kColumns - 1);
    EXPECT_TRUE(layout.BarOf(2).overlaps);
    EXPECT_EQ(layout.BarOf(3).first, 0);
    EXPECT_EQ(layout.BarOf(3).last, 6);
    EXPECT_EQ(layout.BarOf(4).last, KeySplitLayout::kColumns - 1);
    for (int bank : {5, 6, 7}) {
        EXPECT_TRUE(layout.BarOf(bank).empty) << bank;
        EXPECT_FALSE(layout.BarOf(bank).overlaps) << bank;
    }
    // Keys 55..59 are played by banks 0 and 2, key 24 by banks 0 and 3, key 61 by 1 and 2.
    EXPECT_EQ(layout.Layers(55 - 24), 2);
    EXPECT_EQ(layout.Layers(24 - 24), 2);
    EXPECT_EQ(layout.Layers(61 - 24), 2);
    EXPECT_EQ(layout.Layers(80 - 24), 1);

    std::array<KeySplitLayout::Range, 8> apart{};
    apart.fill({1, 0});
    apart[0] = {24, 59};
    apart[1] = {60, 102};
    const KeySplitLayout split(apart);
    EXPECT_FALSE(split.BarOf(0).overlaps);
    EXPECT_FALSE(split.BarOf(1).overlaps);

    EXPECT_TRUE(KeySplitLayout::IsBlackKey(25));
    EXPECT_FALSE(KeySplitLayout::IsBlackKey(24));
    EXPECT_FALSE(KeySplitLayout::IsBlackKey(28));
}
