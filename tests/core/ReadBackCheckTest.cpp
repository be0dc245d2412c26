#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ReadBackCheck.h"

using Records = ReadBackCheck::Records;

// Groups read back from the virtual ZEL-1: what the synth holds is named where it differs, and a
// synth that does not answer is not taken for one that holds everything.
class ReadBackCheckTest : public SynthFixture {};

TEST_F(ReadBackCheckTest, GroupsThatDifferAreNamedByTheirFirstParameter) {
    RawData sent = SynthGroups(Synth());
    ReadBackCheck::Outcome same = ReadBackCheck::Verify(midi, Records::Groups, 0, sent);
    EXPECT_TRUE(same.readBack);
    EXPECT_TRUE(same.differences.empty());
    EXPECT_EQ(TakeSent(), WireMessages{Frame(0x20, {3})});

    // Bank 3's volume (row 2) of group 4 and the name of group 19 are not what the synth holds.
    sent[4 * 82 + 2 * 8 + 2] = static_cast<int16_t>((sent[4 * 82 + 2 * 8 + 2] + 1) % 128);
    sent[19 * 82 + 72] = 'Q';
    const ReadBackCheck::Outcome differ = ReadBackCheck::Verify(midi, Records::Groups, 0, sent);
    ASSERT_EQ(differ.differences.size(), 2u);
    EXPECT_EQ(differ.differences[0].slot, 4);
    EXPECT_EQ(differ.differences[0].parameter, "the volume of bank 3");
    EXPECT_EQ(differ.differences[1].slot, 19);
    EXPECT_EQ(differ.differences[1].parameter, "the name");

    Synth().GetFaults().silent = true;
    const ReadBackCheck::Outcome none =
        ReadBackCheck::Verify(midi, Records::Groups, 5, Synth().Group(5));
    EXPECT_FALSE(none.readBack);
    EXPECT_EQ(ReadBackCheck::Report(Records::Groups, none),
              "The ZEL-1 did not send back the groups written to it, so they could not be "
              "verified.");
}
