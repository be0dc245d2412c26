#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ReadBackCheck.h"

using Records = ReadBackCheck::Records;

// Groups read back from the virtual ZEL-1: what the synth holds is named where it differs, and a
// synth that does not answer is not taken for one that holds everything.
class ReadBackCheckTest : public SynthFixture {};

TEST_F(ReadBackCheckTest, GroupsThatDifferAreNamedByTheirParameters) {
    RawData sent = SynthGroups(Synth());
    ReadBackCheck::Outcome same = ReadBackCheck::Verify(midi, Records::Groups, 0, sent);
    EXPECT_TRUE(same.readBack);
    EXPECT_TRUE(same.differences.empty());
    EXPECT_EQ(TakeSent(), WireMessages{Frame(0x20, {3})});

    // Bank 3's volume (row 2) and pan (row 3) of group 4 and the last character of the name of
    // group 19 are not what the synth holds.
    sent[4 * 82 + 2 * 8 + 2] = static_cast<int16_t>((sent[4 * 82 + 2 * 8 + 2] + 1) % 99);
    sent[4 * 82 + 3 * 8 + 2] = static_cast<int16_t>(sent[4 * 82 + 3 * 8 + 2] == 3 ? 4 : 3);
    sent[19 * 82 + 81] = 'Q';
    const ReadBackCheck::Outcome differ = ReadBackCheck::Verify(midi, Records::Groups, 0, sent);
    ASSERT_EQ(differ.differences.size(), 2u);
    EXPECT_EQ(differ.differences[0].slot, 4);
    EXPECT_EQ(differ.differences[1].slot, 19);
    EXPECT_EQ(ReadBackCheck::Report(Records::Groups, differ),
              "The ZEL-1 does not hold what was sent to it:\nGroup 4 (" +
                  differ.differences[0].name + "): Volume of Bank 3 and Pan of Bank 3\nGroup 19 (" +
                  differ.differences[1].name + "): Name");

    Synth().GetFaults().silent = true;
    const ReadBackCheck::Outcome none =
        ReadBackCheck::Verify(midi, Records::Groups, 5, Synth().Group(5));
    EXPECT_FALSE(none.readBack);
    EXPECT_EQ(ReadBackCheck::Report(Records::Groups, none),
              "The ZEL-1 did not send back the groups written to it, so they could not be "
              "verified.");
}

TEST_F(ReadBackCheckTest, ASoundNamesFiveOfItsDifferencesAndCountsTheRest) {
    RawData sent = Synth().Sound(3);
    auto bump = [&sent](int offset, int keep, int modulo) {
        sent[offset] = static_cast<int16_t>((sent[offset] & keep) |
                                            ((sent[offset] & ~keep & 0xFF) + 1) % modulo);
    };
    bump(0, 0, 127);      // the name
    bump(10, 0x80, 128);  // rate 1 of envelope 1, its sustain marker kept
    bump(39, 0, 128);     // depth 1 of envelope 2
    bump(76, 0, 64);      // speed of LFO 1
    bump(81, 0, 9);       // wave of LFO 2
    bump(100, 0, 127);    // velocity of modulation 1
    bump(117, 0, 64);     // transpose
    const ReadBackCheck::Outcome outcome = ReadBackCheck::Verify(midi, Records::Sounds, 3, sent);
    ASSERT_EQ(outcome.differences.size(), 1u);
    EXPECT_EQ(ReadBackCheck::Report(Records::Sounds, outcome),
              "The ZEL-1 does not hold what was sent to it:\nSound 3 (" +
                  outcome.differences[0].name +
                  "): Name, Rate 1 of Envelope 1, Depth 1 of Envelope 2, Speed of LFO 1, Wave of "
                  "LFO 2 and 2 more");
}
