#include <gtest/gtest.h>

#include "SynthFixture.h"
#include "model/GlobalParameters.h"

using G = GlobalParameters;

TEST(GlobalParametersTest, OnlyWhatWasSetChangesOnTheWayBack) {
    // Bytes no control can show: controller past 121, protect neither 0 nor 255, two unknown
    // accept bits, tune past 19, key mode past the list.
    const RawData odd{200, 17, 7, 0xC1, 40, 30, 9};
    G globals;
    globals.DecodeRaw(odd);
    EXPECT_EQ(globals.EncodeRaw(), odd);

    globals.SetAccepts(G::kSystemExclusive, true);
    globals.SetAccepts(G::kVelocity, false);
    globals.SetTune(-1);
    EXPECT_EQ(globals.EncodeRaw(), (RawData{200, 17, 7, 0xE0, 255, 30, 9}));
    globals.SetMemoryProtect(true);
    globals.SetController(500);
    EXPECT_EQ(globals.EncodeRaw(), (RawData{121, 17, 255, 0xE0, 255, 30, 9}));
}

TEST(GlobalParametersTest, EachAcceptSwitchFlipsExactlyItsOwnBit) {
    for (int kind = G::kVelocity; kind <= G::kSystemExclusive; ++kind) {
        const auto accept = static_cast<G::Accept>(kind);
        for (const int16_t start : {int16_t{0x00}, int16_t{0xFF}}) {
            G globals;
            globals.DecodeRaw(RawData{0, 0, 0, start, 0, 0, 0});
            const bool on = start == 0x00;
            globals.SetAccepts(accept, on);
            EXPECT_EQ(globals.EncodeRaw()[3], start ^ (1 << kind)) << kind << " from " << start;
            for (int other = G::kVelocity; other <= G::kSystemExclusive; ++other)
                EXPECT_EQ(globals.Accepts(static_cast<G::Accept>(other)), (other == kind) == on);
            globals.SetAccepts(accept, !on);
            EXPECT_EQ(globals.EncodeRaw()[3], start) << kind;
        }
    }
}

class GlobalParametersSynthTest : public SynthFixture {};

TEST_F(GlobalParametersSynthTest, ReadsAndWritesTheSynthsRecord) {
    Synth().SetGlobals(RawData{64, 1, 0, 0x21, 255, 7, 2});
    G globals;
    ASSERT_TRUE(globals.GetFromSynth(midi));
    EXPECT_EQ(globals.EncodeRaw(), Synth().Globals());
    globals.SetPitchBendRange(2);
    TakeSent();
    ASSERT_TRUE(globals.SendToSynth(midi));
    EXPECT_EQ(Synth().Globals(), (RawData{64, 1, 0, 0x21, 255, 2, 2}));
    const auto sent = TakeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][5], 0x10);  // a dump on channel 0
    EXPECT_EQ(sent[0][6], 5);     // of the global parameters
}

TEST_F(GlobalParametersSynthTest, AnotherKindOfReplyIsAFailedRead) {
    G globals;
    const RawData before = globals.EncodeRaw();
    // The reply is a well-formed dump, but of one sound.
    Synth().GetFaults().silent = true;
    driver.Inject(
        {0xF0, 0x00, 0x20, 0x08, 0x01, 0x10, 0x00, 0x00, 0x02, 0x00, 0x00, 0x01, 0x01, 0xF7});
    EXPECT_FALSE(globals.GetFromSynth(midi));
    EXPECT_EQ(globals.EncodeRaw(), before);
}
