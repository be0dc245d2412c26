#include "LibrarianFixture.h"
#include "model/SoundVariation.h"

class VaryCommandsTest : public LibrarianFixture {
  protected:
    // The synth's sound n in a file, and as the model holds it.
    RawData PutSound(int n, const std::string& path) {
        PutFile(path, AsBytes(Synth().Sound(n)));
        ModuleMIDI offline(driver, messages, pump, clock);
        ClassSound sound(offline);
        sound.DecodeRawSound(Synth().Sound(n));
        return sound.EncodeRawSound();
    }
    RecordingMessageSink messages;
};

TEST_F(VaryCommandsTest, WritesTheVariationsAsSoundFiles) {
    const std::string a = folder.Path("a.zel");
    const std::string b = folder.Path("b.zel");
    const std::string out1 = folder.Path("out1.zel");
    const std::string out2 = folder.Path("out2.zel");
    const RawData soundA = PutSound(3, a);
    const RawData soundB = PutSound(11, b);

    ASSERT_EQ(Run({"vary", "randomise", a, out1, "--amount", "25", "--seed", "9"}), 0);
    EXPECT_EQ(FileBytes(out1),
              AsBytes(SoundVariation::Randomise(soundA, 25, VariationLocks::Default(), 9)));
    EXPECT_NE(out.str().find("(seed 9)"), std::string::npos);
    VariationLocks envelopes;
    envelopes.Set(VariationGroup::EnvelopeRates, true);
    envelopes.Set(VariationGroup::EnvelopeLevels, true);
    ASSERT_EQ(
        Run({"vary", "randomise", a, out1, "--amount", "50", "--lock", "envelopes", "--seed", "4"}),
        0);
    EXPECT_EQ(FileBytes(out1), AsBytes(SoundVariation::Randomise(soundA, 50, envelopes, 4)));

    // A seed not given is drawn and printed; given back, it makes the same sound.
    ASSERT_EQ(Run({"vary", "randomise", a, out1}), 0);
    const std::string printed = out.str();
    const size_t at = printed.find("(seed ");
    ASSERT_NE(at, std::string::npos);
    const std::string seed = printed.substr(at + 6, printed.find(')', at) - at - 6);
    ASSERT_EQ(Run({"vary", "randomise", a, out2, "--seed", seed}), 0);
    EXPECT_EQ(FileBytes(out2), FileBytes(out1));

    ASSERT_EQ(Run({"vary", "nudge", a, b, out1, "--away", "--amount", "50", "--seed", "3"}), 0);
    EXPECT_EQ(FileBytes(out1),
              AsBytes(SoundVariation::Nudge(soundA, soundB, 50, true, VariationLocks(), 3)));

    ASSERT_EQ(Run({"vary", "morph", a, b, out1, "--at", "0"}), 0);
    EXPECT_EQ(FileBytes(out1), AsBytes(soundA));
    ASSERT_EQ(Run({"vary", "morph", a, b, out2, "--at", "1"}), 0);
    RawData expected = soundB;
    std::copy(soundA.begin(), soundA.begin() + 10, expected.begin());
    EXPECT_EQ(FileBytes(out2), AsBytes(expected));
}

TEST_F(VaryCommandsTest, WrongUsageWritesNothing) {
    const std::string a = folder.Path("a.zel");
    const std::string made = folder.Path("made.zel");
    PutSound(3, a);
    EXPECT_EQ(Run({"vary", "morph", a, a, made}), 2);
    EXPECT_EQ(Run({"vary", "morph", a, a, made, "--at", "1.5"}), 2);
    EXPECT_EQ(Run({"vary", "morph", a, a, made, "--at", "nan"}), 2);
    EXPECT_EQ(Run({"vary", "morph", a, a, made, "--at", "0.5", "--amount", "50"}), 2);
    EXPECT_EQ(Run({"vary", "randomise", a, made, "--away"}), 2);
    EXPECT_EQ(Run({"vary", "nudge", a, a, made, "--at", "0.5"}), 2);
    EXPECT_EQ(Run({"vary", "randomise", a, made, "--lock", "envelopes,colour"}), 2);
    EXPECT_EQ(Run({"vary", "randomise", a, made, "--lock", ""}), 2);
    EXPECT_EQ(Run({"vary", "randomise", a, made, "--amount", "150"}), 2);
    EXPECT_EQ(Run({"vary", "randomise", a, folder.Path("made.zas")}), 2);
    EXPECT_EQ(Run({"vary", "nudge", a, made}), 2);
    EXPECT_EQ(Run({"vary", "shuffle", a, made}), 2);
    EXPECT_EQ(Run({"vary", "randomise", folder.Path("missing.zel"), made}), 1);
    EXPECT_FALSE(FileExists(made));
    EXPECT_TRUE(Synth().Received().empty());
}
