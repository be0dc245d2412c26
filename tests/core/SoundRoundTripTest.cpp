#include <gtest/gtest.h>

#include <random>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassSound.h"
#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"

namespace {
// What decoding and encoding must give back for `raw`: every byte, except the unused bytes, the
// bytes no node reads (positions beyond the algorithm, type-2 nodes, the second byte of type-3
// nodes) and envelope markers other than the first end marker and the last sustain marker up
// to it.
RawData ExpectedRoundTrip(const RawData& raw) {
    RawData out = raw;
    out[136] = out[137] = 0;
    if (raw[116] < kAlgorithmCount) {
        const auto nodes = AlgorithmNodes(raw[116]);
        for (int j = 0; j < kMaxNodesPerAlgorithm; ++j) {
            const int b1 = 118 + 2 * j;
            const int type = j < static_cast<int>(nodes.size()) ? NodeType(nodes[j]) : 0;
            if (type != kNodeTuned && type != kNodeWave)
                out[b1] = 0;
            if (type != kNodeTuned)
                out[b1 + 1] = 0;
        }
    }
    for (int e = 0; e < 4; ++e) {
        const int base = 10 + 16 * e;
        int end = -1;
        for (int i = 0; i < 6 && end < 0; ++i) {
            if (raw[base + 2 * i + 1] & 0x80)
                end = i;
        }
        int sustain = -1;
        for (int i = 0; i <= (end < 0 ? 5 : end); ++i) {
            if (raw[base + 2 * i] & 0x80)
                sustain = i;
        }
        for (int i = 0; i < 12; ++i)
            out[base + i] &= 0x7F;
        if (end >= 0)
            out[base + 2 * end + 1] |= 0x80;
        if (sustain >= 0)
            out[base + 2 * sustain] |= 0x80;
    }
    return out;
}
}  // namespace

class SoundRoundTripTest : public SynthFixture {};

TEST_F(SoundRoundTripTest, SynthSoundsComeBackByteForByte) {
    ClassSound sound(midi);
    for (int n = 0; n < VirtualZel1::kAllSounds; ++n) {
        SCOPED_TRACE(n);
        const RawData raw = Synth().Sound(n);
        ASSERT_TRUE(sound.DecodeRawSound(raw));
        EXPECT_EQ(sound.EncodeRawSound(), raw);
        EXPECT_EQ(sound.NodeCount(), static_cast<int>(AlgorithmNodes(raw[116]).size()));
    }
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(SoundRoundTripTest, EveryValueOfEveryByteKeepsWhatTheLayoutReads) {
    std::mt19937 random(7);
    RawData noise(138);
    for (int16_t& byte : noise)
        byte = static_cast<int16_t>(random() % 256);
    noise[116] = 25;  // a short algorithm: most node bytes are unused
    const RawData bases[] = {Synth().Sound(3), Synth().Sound(57), noise};

    ClassSound sound(midi);
    for (const RawData& base : bases) {
        for (int offset = 0; offset < 138; ++offset) {
            for (int value = 0; value < 256; ++value) {
                RawData raw = base;
                raw[offset] = static_cast<int16_t>(value);
                ASSERT_TRUE(sound.DecodeRawSound(raw));
                ASSERT_EQ(sound.EncodeRawSound(), ExpectedRoundTrip(raw))
                    << "offset " << offset << " value " << value;
                // An algorithm without a table row keeps its node bytes but builds no nodes.
                if (offset == 116 && value >= kAlgorithmCount) {
                    ASSERT_EQ(sound.Algorithm(), value);
                    ASSERT_EQ(sound.Node(0), nullptr);
                }
            }
        }
    }
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(SoundRoundTripTest, FieldsDecodeAsTheirEncodingsSay) {
    RawData raw = Synth().Sound(1);
    raw[116] = 12;
    raw[117] = 200;                   // transpose -56
    raw[118] = 250, raw[119] = 0xC5;  // Oscillator 1: detune -6, detone 5, fixed
    raw[120] = 0, raw[121] = 0x00;    // Oscillator 2: detone -64, not fixed
    raw[130] = 31;                    // WaveSelect 1
    raw[28] = 0xBF, raw[29] = 5;      // envelope 1: sustain point 2, rate(1) 63
    raw[31] = 0xC0;                   // level(2) 64, end point 3
    for (int i = 0; i < 7; ++i)
        raw[81 + i] = RawData{4, 10, 63, 12, 100, 0, 0}[i];
    raw[94] = 200;   // entry 2: key break 32, right to left
    raw[98] = 0x80;  // entry 2: key depth -128
    ClassSound sound(midi);
    ASSERT_TRUE(sound.DecodeRawSound(raw));
    EXPECT_EQ(sound.Transpose(), -56);
    EXPECT_EQ(sound.Node(0)->Detune(), -6);
    EXPECT_EQ(sound.Node(0)->Detone(), 5);
    EXPECT_TRUE(sound.Node(0)->Fixed());
    EXPECT_EQ(sound.Node(1)->Detone(), -64);
    EXPECT_FALSE(sound.Node(1)->Fixed());
    EXPECT_EQ(sound.Node(6)->NodeName(), "WaveSelect 1");
    EXPECT_EQ(sound.Node(6)->Wave(), 31);
    const ClassEnvelope& envelope = *sound.Envelope(1);
    EXPECT_EQ(envelope.EnvelopeRate(1), 63);
    EXPECT_EQ(envelope.EnvelopeLevel(2), 64);
    EXPECT_EQ(envelope.SustainPoint(), 2);
    EXPECT_EQ(envelope.EndPoint(), 3);
    const ClassLFO& lfo = *sound.LFO(1);
    EXPECT_EQ(lfo.Wave(), 4);
    EXPECT_EQ(lfo.Delay(), 10);
    EXPECT_EQ(lfo.Rate(), 63);
    EXPECT_EQ(lfo.DestinationNode(0), 12);
    EXPECT_EQ(lfo.DestinationDepth(0), 100);
    EXPECT_EQ(sound.Modulation(2)->KeyBreak(), 32);
    EXPECT_TRUE(sound.Modulation(2)->KeyRightToLeft());
    EXPECT_EQ(sound.Modulation(2)->KeyDepth(), -128);
}

TEST_F(SoundRoundTripTest, FreshSoundEncodesBlankNameAndShortArraysAreRefused) {
    ClassSound sound(midi);
    DataChangedCounter changed(sound);
    const RawData fresh = sound.EncodeRawSound();
    EXPECT_EQ(RawData(fresh.begin(), fresh.begin() + 10), RawData(10, ' '));
    EXPECT_EQ(sound.Name(), "");

    ASSERT_TRUE(sound.DecodeRawSound(Synth().Sound(4)));
    EXPECT_EQ(changed.Count(), 1);
    RawData shortRaw = Synth().Sound(5);
    shortRaw.resize(137);
    EXPECT_FALSE(sound.DecodeRawSound(shortRaw));
    EXPECT_EQ(changed.Count(), 1);
    EXPECT_EQ(sound.EncodeRawSound(), Synth().Sound(4));

    RawData tooShort(137, 7);
    EXPECT_FALSE(sound.EncodeRawSound(tooShort));
    EXPECT_EQ(tooShort, RawData(137, 7));
    RawData longer(140, 7);
    EXPECT_TRUE(sound.EncodeRawSound(longer));
    EXPECT_EQ(longer[139], 7);
}
