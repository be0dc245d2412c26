#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassSound.h"

// What each setter puts on the wire, byte for byte.
class SoundWireTest : public SynthFixture {
  protected:
    // Sound 3 of the synth with the algorithm given, decoded into `sound`.
    void Load(int algorithm) {
        RawData raw = Synth().Sound(3);
        raw[116] = static_cast<int16_t>(algorithm);
        sound.SetNumber(3);
        ASSERT_TRUE(sound.DecodeRawSound(raw));
        TakeSent();
    }
    ClassSound sound{midi};
};

TEST_F(SoundWireTest, NodeSettersSendTheirBytes) {
    Load(25);  // Oscillator 1, Width 1, Delay, Amplifier 1
    ClassNode& oscillator = *sound.Node(0);
    oscillator.SetDetone(-10);
    oscillator.SetDetune(-6);
    oscillator.SetFixed(true);
    oscillator.SetFixed(false);
    sound.Node(2)->SetDetune(5);  // "Delay" sits at position 2
    sound.Node(0)->DefaultValue();
    sound.Node(3)->DefaultValue();
    // One literal message: address 3 + 20, index 118 - 10, 250 as two nibbles.
    EXPECT_EQ(Change(3, 118, 250),
              (WireMessage{0xF0, 0x00, 0x20, 0x08, 0x01, 0x00, 23, 108, 0x0F, 0x0A, 0xF7}));
    EXPECT_EQ(TakeSent(),
              (WireMessages{Change(3, 119, 54), Change(3, 118, 250), Change(3, 119, 182),
                            Change(3, 119, 54), Change(3, 122, 5), Change(3, 118, 0),
                            Change(3, 119, 64), Change(3, 124, 0), Change(3, 125, 0)}));
    EXPECT_EQ(sound.Node(2)->NodeName(), "Delay");

    Load(12);
    sound.Node(6)->SetWave(7);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 130, 7), Change(3, 131, 0)}));
}

TEST_F(SoundWireTest, EnvelopeMarkersMoveWithTheirBytes) {
    Load(0);
    ClassEnvelope& envelope = *sound.Envelope(1);  // base 26
    envelope.SetEndPoint(6);
    envelope.SetSustainPoint(2);
    envelope.SetEnvelopeRate(1, 10);
    envelope.SetEnvelopeRate(3, 20);
    TakeSent();

    envelope.SetSustainPoint(4);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 28, 10), Change(3, 32, 148)}));
    envelope.SetSustainPoint(2);
    TakeSent();
    envelope.SetSustainPoint(0);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 28, 10)}));

    envelope.SetSustainPoint(2);
    TakeSent();
    envelope.SetEndPoint(4);
    WireMessages twelve;
    for (int i = 0; i < 6; ++i) {
        twelve.push_back(Change(3, 26 + 2 * i, envelope.EnvelopeRate(i) + (i == 1 ? 128 : 0)));
        twelve.push_back(Change(3, 27 + 2 * i, envelope.EnvelopeLevel(i) + (i == 3 ? 128 : 0)));
    }
    EXPECT_EQ(TakeSent(), twelve);

    envelope.SetEnvelopeRate(1, 30);   // the sustain point keeps its marker
    envelope.SetEnvelopeLevel(3, 40);  // the end point keeps its marker
    envelope.SetEnvelopeLevel(2, 41);
    envelope.SetDestinationNode(1, 15);
    envelope.SetDestinationDepth(1, 99);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 28, 158), Change(3, 33, 168), Change(3, 31, 41),
                                        Change(3, 40, 15), Change(3, 41, 99)}));
}

TEST_F(SoundWireTest, LfoAndModulationSettersSendTheirBytes) {
    Load(0);
    ClassLFO& lfo = *sound.LFO(1);  // bytes 81-87
    lfo.SetWave(4);
    lfo.SetDelay(-5);
    lfo.SetRate(63);
    lfo.SetDestinationNode(0, 12);
    sound.LFO(0)->SetDestinationDepth(1, 50);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 81, 4), Change(3, 82, 251), Change(3, 83, 63),
                                        Change(3, 84, 12), Change(3, 80, 50)}));
    EXPECT_EQ(lfo.Delay(), 251);  // the byte, as decoding would give it
    EXPECT_EQ(sound.EncodeRawSound()[82], 251);

    ClassModulation& entry = *sound.Modulation(2);  // bytes 90, 94, ... 114
    entry.SetKeyRightToLeft(false);
    entry.SetKeyBreak(36);
    TakeSent();
    entry.SetKeyRightToLeft(true);
    entry.SetKeyRightToLeft(false);
    entry.SetDestination(3);
    entry.SetKeyDepth(-1);
    entry.SetVelocity(-128);
    entry.SetAfterTouch(5);
    entry.SetController(-20);
    entry.SetModWheel(127);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 94, 196), Change(3, 94, 60), Change(3, 90, 3),
                                        Change(3, 98, 255), Change(3, 102, 128), Change(3, 106, 5),
                                        Change(3, 110, 236), Change(3, 114, 127)}));
}

TEST_F(SoundWireTest, SoundSettersSendNameTransposeAndAlgorithm) {
    Load(25);
    DataChangedCounter changed(sound);

    sound.SetTranspose(-5);
    EXPECT_EQ(TakeSent(), (WireMessages{Change(3, 117, 251)}));
    EXPECT_EQ(sound.EncodeRawSound()[117], 251);

    sound.SetName("  Pad  ");
    EXPECT_EQ(TakeSent(), NameChanges(3, "Pad       "));
    EXPECT_EQ(sound.Name(), "Pad");
    sound.SetName("   ");
    EXPECT_EQ(TakeSent(), NameChanges(3, "Noname    "));
    sound.SetName("TwelveLetter");
    EXPECT_EQ(TakeSent(), NameChanges(3, "TwelveLett"));
    EXPECT_EQ(sound.Name(), "TwelveLett");
    EXPECT_EQ(changed.Count(), 3);

    sound.SetAlgorithm(12);
    WireMessages expected;
    for (int j = 0; j < 9; ++j) {
        expected.push_back(Change(3, 118 + 2 * j, 0));
        expected.push_back(Change(3, 119 + 2 * j, j < 3 ? 64 : 0));  // three oscillators first
    }
    expected.push_back(Change(3, 116, 12));
    EXPECT_EQ(TakeSent(), expected);
    EXPECT_EQ(sound.NodeCount(), 9);
    EXPECT_EQ(changed.Count(), 4);

    // No table row: nothing stored, sent or announced.
    sound.SetAlgorithm(28);
    sound.SetAlgorithm(-1);
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(sound.Algorithm(), 12);
    EXPECT_EQ(changed.Count(), 4);
}

TEST_F(SoundWireTest, SendSoundIsFollowedByTheAlgorithm) {
    Load(0);
    DataChangedCounter changed(sound);
    RawData raw = Synth().Sound(42);
    raw.push_back(99);  // a longer array still sends one raw sound
    ASSERT_TRUE(sound.SendSound(raw));
    raw.pop_back();
    const WireMessages sent = TakeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].size(), 7u + 4 + 2 * 138 + 1);
    EXPECT_EQ(sent[1], Change(3, 116, raw[116]));
    EXPECT_EQ(Synth().Sound(3), raw);
    EXPECT_EQ(sound.EncodeRawSound(), raw);
    EXPECT_EQ(changed.Count(), 1);

    // Refused by the synth (memory protect): false, the object keeps its data.
    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(sound.SendSound(Synth().Sound(50)));
    EXPECT_EQ(sound.EncodeRawSound(), raw);
    EXPECT_EQ(changed.Count(), 1);
    // A short array is refused before anything is sent.
    TakeSent();
    EXPECT_FALSE(sound.SendSound(RawData(137, 0)));
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(SoundWireTest, RequestSoundTakesOnlyACompleteSingleSound) {
    sound.SetNumber(6);
    ASSERT_TRUE(sound.RequestSound());
    EXPECT_EQ(TakeSent(), (WireMessages{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x00, 6, 0xF7}}));
    EXPECT_EQ(sound.EncodeRawSound(), Synth().Sound(6));

    DataChangedCounter changed(sound);
    Synth().GetFaults().silent = true;
    driver.Inject(DumpMessage(0, 6, RawData(100, 1)), 0.1);
    EXPECT_FALSE(sound.RequestSound());
    driver.Inject(DumpMessage(1, -1, Synth().Sound(7)), 0.1);
    EXPECT_FALSE(sound.RequestSound());
    EXPECT_EQ(changed.Count(), 0);
    EXPECT_EQ(sound.EncodeRawSound(), Synth().Sound(6));
}

TEST_F(SoundWireTest, IndexesOutsideTheirRangesReachNothing) {
    Load(25);
    EXPECT_EQ(sound.Envelope(4), nullptr);
    EXPECT_EQ(sound.Envelope(-1), nullptr);
    EXPECT_EQ(sound.LFO(2), nullptr);
    EXPECT_EQ(sound.Modulation(4), nullptr);
    EXPECT_EQ(sound.Node(4), nullptr);
    EXPECT_EQ(sound.Node(-1), nullptr);

    const RawData before = sound.EncodeRawSound();
    ClassEnvelope& envelope = *sound.Envelope(3);
    envelope.SetEnvelopeRate(6, 1);
    envelope.SetEnvelopeLevel(-1, 1);
    envelope.SetDestinationNode(2, 1);
    envelope.SetDestinationDepth(-1, 1);
    envelope.SetSustainPoint(7);
    envelope.SetEndPoint(-1);
    sound.LFO(0)->SetDestinationNode(2, 1);
    sound.LFO(1)->SetDestinationDepth(-1, 1);
    EXPECT_EQ(envelope.EnvelopeRate(6), 0);
    EXPECT_EQ(envelope.DestinationDepth(2), 0);
    EXPECT_EQ(sound.LFO(0)->DestinationNode(5), 0);
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(sound.EncodeRawSound(), before);
}
