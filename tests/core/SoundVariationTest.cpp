#include <algorithm>
#include <vector>

#include "SynthFixture.h"
#include "midi/ModuleGlobals.h"
#include "model/LiveSoundWriter.h"
#include "model/SoundVariation.h"
#include "tables/AlgorithmTable.h"
#include "tables/NodeTable.h"
#include "tables/ParameterTable.h"

namespace {
using Group = VariationGroup;

// The values of one lockable group as the model reads them.
std::vector<int> GroupValues(const ClassSound& s, Group group) {
    std::vector<int> values;
    auto add = [&values](std::initializer_list<int> more) {
        values.insert(values.end(), more.begin(), more.end());
    };
    for (int e = 0; e < ClassSound::kEnvelopes; ++e) {
        const ClassEnvelope& env = *s.Envelope(e);
        for (int i = 0; i < 6; ++i) {
            if (group == Group::EnvelopeRates)
                add({env.EnvelopeRate(i), env.SustainPoint()});
            if (group == Group::EnvelopeLevels)
                add({env.EnvelopeLevel(i), env.EndPoint()});
        }
        if (group == Group::Modulation) {
            add({env.DestinationNode(0), env.DestinationDepth(0), env.DestinationNode(1),
                 env.DestinationDepth(1)});
        }
    }
    for (int l = 0; l < ClassSound::kLfos && group == Group::Lfos; ++l) {
        const ClassLFO& lfo = *s.LFO(l);
        add({lfo.Wave(), lfo.Delay(), lfo.Rate(), lfo.DestinationNode(0), lfo.DestinationDepth(0),
             lfo.DestinationNode(1), lfo.DestinationDepth(1)});
    }
    for (int m = 0; m < ClassSound::kModulations && group == Group::Modulation; ++m) {
        const ClassModulation& mod = *s.Modulation(m);
        add({mod.Destination(), mod.KeyBreak(), mod.KeyRightToLeft(), mod.KeyDepth(),
             mod.Velocity(), mod.AfterTouch(), mod.Controller(), mod.ModWheel()});
    }
    if (group == Group::Algorithm)
        add({s.Algorithm()});
    if (group == Group::Tuning)
        add({s.Transpose()});
    for (int j = 0; j < s.NodeCount(); ++j) {
        const ClassNode& node = *s.Node(j);
        if (group == Group::Tuning && node.NodeType() == kNodeTuned)
            add({node.Detune(), node.Detone(), node.Fixed()});
        if (group == Group::Waves && node.NodeType() == kNodeWave)
            add({node.Wave()});
    }
    return values;
}

// Every value within what the editors offer.
void ExpectWithinRanges(const ClassSound& s, const std::string& where) {
    SCOPED_TRACE(where);
    auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    EXPECT_TRUE(IsAlgorithm(s.Algorithm()));
    EXPECT_TRUE(within(s.Transpose(), -64, 63));
    for (int e = 0; e < ClassSound::kEnvelopes; ++e) {
        for (int k = 0; k < 2; ++k) {
            EXPECT_TRUE(within(s.Envelope(e)->DestinationNode(k), 0, 15));
            EXPECT_TRUE(within(s.Envelope(e)->DestinationDepth(k), 0, 127));
        }
    }
    for (int l = 0; l < ClassSound::kLfos; ++l) {
        const ClassLFO& lfo = *s.LFO(l);
        EXPECT_TRUE(within(lfo.Wave(), 0, 8));
        EXPECT_TRUE(within(SignedFromByte(lfo.Delay()), -64, 63));
        EXPECT_TRUE(within(SignedFromByte(lfo.Rate()), -64, 63));
        for (int k = 0; k < 2; ++k) {
            EXPECT_TRUE(within(lfo.DestinationNode(k), 0, 15));
            EXPECT_TRUE(within(lfo.DestinationDepth(k), 0, 127));
        }
    }
    for (int m = 0; m < ClassSound::kModulations; ++m) {
        EXPECT_TRUE(within(s.Modulation(m)->Destination(), 0, 15));
        EXPECT_TRUE(within(s.Modulation(m)->KeyBreak(), 0, 78));
    }
    for (int j = 0; j < s.NodeCount(); ++j) {
        EXPECT_TRUE(within(s.Node(j)->Detune(), -64, 63));
        EXPECT_TRUE(within(s.Node(j)->Wave(), 0, 31));
    }
}

RawData WithoutName(RawData raw) {
    std::fill(raw.begin(), raw.begin() + 10, int16_t{0});
    return raw;
}
}  // namespace

class SoundVariationTest : public SynthFixture {
  protected:
    void SetUp() override {
        // The synth's own sounds, as the model holds them.
        for (int n = 0; n < 20; ++n) {
            ClassSound sound(midi);
            sound.DecodeRawSound(Synth().Sound(n));
            sounds.push_back(sound.EncodeRawSound());
        }
    }
    // A model sound decoded from raw, and raw as that model encodes it again.
    ClassSound& Decoded(const RawData& raw) {
        decoded = std::make_unique<ClassSound>(midi);
        decoded->DecodeRawSound(raw);
        return *decoded;
    }

    std::vector<RawData> sounds;
    std::unique_ptr<ClassSound> decoded;
};

TEST_F(SoundVariationTest, ResultsStayInRangeKeepLocksAndRepeatWithTheirSeed) {
    constexpr int kAmounts[] = {1, 2, 5, 10, 25, 50, 100};
    int algorithmChanges = 0;
    for (uint64_t seed = 0; seed < 400; ++seed) {
        const RawData& a = sounds[seed % 20];
        const RawData& b = sounds[(seed * 7 + 3) % 20];
        VariationLocks locks;
        for (int g = 0; g < kVariationGroupCount; ++g)
            locks.Set(static_cast<Group>(g), ((seed >> (g % 4 + seed % 3)) & 3) == 0);
        const int amount = kAmounts[seed % 7];
        const std::vector<std::pair<std::string, RawData>> results = {
            {"randomise", SoundVariation::Randomise(a, amount, locks, seed)},
            {"towards", SoundVariation::Nudge(a, b, amount, false, locks, seed)},
            {"away", SoundVariation::Nudge(a, b, amount, true, locks, seed)},
            {"morph", SoundVariation::Morph(a, b, (seed % 11) / 10.0, locks)},
        };
        ClassSound start(midi);
        start.DecodeRawSound(a);
        for (const auto& [what, result] : results) {
            const std::string where = what + " seed " + std::to_string(seed);
            ASSERT_EQ(result.size(), 138u);
            ClassSound& varied = Decoded(result);
            // What the model holds is the result itself, every byte.
            EXPECT_EQ(varied.EncodeRawSound(), result) << where;
            ExpectWithinRanges(varied, where);
            for (const ParameterEntry& p : ParameterTable::Sound(varied.Algorithm())) {
                const int value = p.Read(result[p.offset]);
                EXPECT_TRUE(value >= p.min && value <= p.max) << where << " " << p.Name();
            }
            EXPECT_EQ(varied.StoredName(), start.StoredName()) << where;
            for (int g = 0; g < kVariationGroupCount; ++g) {
                if (locks.Locked(static_cast<Group>(g))) {
                    EXPECT_EQ(GroupValues(varied, static_cast<Group>(g)),
                              GroupValues(start, static_cast<Group>(g)))
                        << where << " group " << g;
                }
            }
            algorithmChanges += varied.Algorithm() != start.Algorithm();
        }
        EXPECT_EQ(SoundVariation::Randomise(a, amount, locks, seed), results[0].second);
        EXPECT_EQ(SoundVariation::Nudge(a, b, amount, true, locks, seed), results[2].second);
        if (amount >= 10 && results[0].second != a) {
            EXPECT_NE(SoundVariation::Randomise(a, amount, locks, seed + 1000), results[0].second);
        }
    }
    // Unlocked, the algorithm does change.
    EXPECT_GT(algorithmChanges, 20);
}

TEST_F(SoundVariationTest, MorphAndFullNudgeReachTheirEndsAcrossAlgorithms) {
    const VariationLocks none;
    for (size_t i = 0; i < sounds.size(); ++i) {
        const RawData& a = sounds[i];
        const RawData& b = sounds[(i + 5) % 20];
        EXPECT_EQ(SoundVariation::Morph(a, b, 0.0, none), a);
        EXPECT_EQ(WithoutName(SoundVariation::Morph(a, b, 1.0, none)), WithoutName(b));
        EXPECT_EQ(WithoutName(SoundVariation::Nudge(a, b, 100, false, none, i)), WithoutName(b));
        EXPECT_EQ(SoundVariation::Nudge(a, b, 0, true, none, i), a);
    }

    // Morphing to a sound whose algorithm has other nodes: its nodes grow from their defaults.
    RawData a = sounds[0];
    RawData b = sounds[1];
    a[116] = 0;   // eight nodes: four oscillators, four amplifiers
    b[116] = 25;  // Vosim: oscillator, width, delay, amplifier
    a = Decoded(a).EncodeRawSound();
    b = Decoded(b).EncodeRawSound();
    b[118] = 40;   // oscillator 1's detune
    b[122] = 200;  // the delay's detune, -56
    ClassSound& half = Decoded(SoundVariation::Morph(a, b, 0.5, none));
    EXPECT_EQ(half.Algorithm(), 25);
    EXPECT_EQ(half.Node(0)->Detune(), 20);
    EXPECT_EQ(half.Node(2)->Detune(), -28);
    EXPECT_EQ(half.Node(3)->NodeNumber(), 4);
    // With the waves locked, the algorithm may not take other nodes.
    VariationLocks waves;
    waves.Set(Group::Waves, true);
    EXPECT_EQ(Decoded(SoundVariation::Morph(a, b, 1.0, waves)).Algorithm(), 0);
}

class LiveSoundWriterTest : public SynthFixture {};

TEST_F(LiveSoundWriterTest, SendsOnlyTheLatestVersionAfterABusyCable) {
    ClassSound sound(midi);
    sound.SetNumber(4);
    ASSERT_TRUE(sound.RequestSound());
    const RawData start = sound.EncodeRawSound();
    // Three envelope levels moved by a distance, so each version differs in all three.
    auto version = [&](int distance) {
        RawData raw = start;
        for (int offset : {11, 13, 15})
            raw[offset] =
                static_cast<int16_t>((raw[offset] & 0x80) | ((raw[offset] + distance) & 0x7F));
        return raw;
    };
    const RawData first = version(10);
    const RawData between = version(50);
    const RawData latest = version(90);
    LiveSoundWriter writer(sound, midi);
    // Two more positions come while the first message is on the cable.
    int pumped = 0;
    pump.SetStep([&] {
        if (++pumped == 1) {
            writer.Write(between);
            writer.Write(latest);
        }
    });
    TakeSent();
    ASSERT_TRUE(writer.Write(first));
    EXPECT_EQ(TakeSent(), (WireMessages{Change(4, 11, first[11]), Change(4, 11, latest[11]),
                                        Change(4, 13, latest[13]), Change(4, 15, latest[15])}));
    EXPECT_EQ(Synth().Sound(4), latest);
    EXPECT_EQ(sound.EncodeRawSound(), latest);

    // A version that differs in more bytes than a dump is long goes as one dump.
    pump.SetStep({});
    const RawData other = Synth().Sound(9);
    RawData whole = other;
    std::copy(start.begin(), start.begin() + 10, whole.begin());
    ASSERT_TRUE(writer.Write(whole));
    const WireMessages sent = TakeSent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0], DumpMessage(0, 4, whole));
    EXPECT_EQ(sent[1], Change(4, 116, whole[116]));
    EXPECT_EQ(Synth().Sound(4), whole);
}
