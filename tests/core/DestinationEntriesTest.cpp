#include <gtest/gtest.h>

#include "SynthFixture.h"
#include "model/ClassSound.h"
#include "windowlogic/DestinationEntries.h"

class DestinationEntriesTest : public SynthFixture {};

// Entries 1..10 name the nodes in position order and "." fills the rest; an algorithm change
// renames them.
TEST_F(DestinationEntriesTest, NodeEntriesFollowTheAlgorithm) {
    ClassSound sound(midi);
    sound.SetNumber(2);
    sound.SetAlgorithm(0);
    DestinationTexts texts = DestinationEntries(sound);
    EXPECT_EQ(texts[0], "Off");
    EXPECT_EQ(texts[15], "EG Rate");
    ASSERT_EQ(sound.NodeCount(), 8);
    for (int position = 0; position < 8; ++position)
        EXPECT_EQ(texts[position + 1], sound.Node(position)->NodeName());
    EXPECT_EQ(texts[9], ".");
    EXPECT_EQ(texts[10], ".");

    sound.SetAlgorithm(12);
    texts = DestinationEntries(sound);
    EXPECT_EQ(texts[sound.NodeCount()], sound.Node(sound.NodeCount() - 1)->NodeName());
    EXPECT_EQ(texts[11], "LFO 1 Speed");
}
