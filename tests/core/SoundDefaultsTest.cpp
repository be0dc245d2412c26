#include <gtest/gtest.h>

#include <iostream>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassSound.h"
#include "synth/FactoryContent.h"

class SoundDefaultsTest : public SynthFixture {};

// The messages DefaultValues must send for sound `n` as `before` holds it: envelopes, LFOs and
// modulation entries through their setters, then name, transpose and the nodes of algorithm 0.
static WireMessages DefaultSequence(int n, const RawData& before) {
    WireMessages m;
    for (int e = 0; e < 4; ++e) {
        const int base = 10 + 16 * e;
        int rates[6], levels[6];
        for (int i = 0; i < 6; ++i) {
            rates[i] = before[base + 2 * i] & 0x7F;
            levels[i] = before[base + 2 * i + 1] & 0x7F;
        }
        for (int i = 5; i >= 0; --i) {  // the sustain marker as decoding found it
            if (before[base + 2 * i] & 0x80) {
                m.push_back(Change(n, base + 2 * i, rates[i]));
                break;
            }
        }
        m.push_back(Change(n, base + 2, rates[1] + 128));
        for (int i = 0; i < 6; ++i) {
            m.push_back(Change(n, base + 2 * i, rates[i] + (i == 1 ? 128 : 0)));
            m.push_back(Change(n, base + 2 * i + 1, levels[i] + (i == 2 ? 128 : 0)));
        }
        const int defaultRates[6] = {63, 63, 0, 0, 0, 0};
        const int defaultLevels[6] = {127, 63, 0, 0, 0, 0};
        for (int i = 0; i < 6; ++i) {
            m.push_back(Change(n, base + 2 * i, defaultRates[i] + (i == 1 ? 128 : 0)));
            m.push_back(Change(n, base + 2 * i + 1, defaultLevels[i] + (i == 2 ? 128 : 0)));
        }
        m.push_back(Change(n, base + 12, e + 5));
        m.push_back(Change(n, base + 14, 0));
        m.push_back(Change(n, base + 13, 127));
        m.push_back(Change(n, base + 15, 0));
    }
    for (int l = 0; l < 2; ++l) {
        const int base = 74 + 7 * l;
        for (int offset : {0, 1})
            m.push_back(Change(n, base + offset, 0));
        m.push_back(Change(n, base + 2, 63));
        for (int offset : {3, 5, 4, 6})
            m.push_back(Change(n, base + offset, 0));
    }
    for (int e = 0; e < 4; ++e) {
        m.push_back(Change(n, 88 + e, 0));
        // The key break is set while the direction is still the decoded one.
        m.push_back(Change(n, 92 + e, before[92 + e] >= 128 ? 232 : 24));
        m.push_back(Change(n, 92 + e, 24));
        for (int row = 96; row <= 112; row += 4)
            m.push_back(Change(n, row + e, 0));
    }
    const std::string name = "New       ";
    for (int i = 0; i < 10; ++i)
        m.push_back(Change(n, i, name[i]));
    m.push_back(Change(n, 117, 0));
    for (int j = 0; j < 8; ++j) {
        m.push_back(Change(n, 118 + 2 * j, 0));
        m.push_back(Change(n, 119 + 2 * j, j < 4 ? 64 : 0));
    }
    // Position 8 of a nine-node algorithm is cleared, so the synth keeps no stale node bytes.
    for (int offset : {134, 135}) {
        if (before[offset] != 0)
            m.push_back(Change(n, offset, 0));
    }
    m.push_back(Change(n, 116, 0));
    return m;
}

TEST_F(SoundDefaultsTest, DefaultValuesSendsTheWholeDefaultSoundAndTheSynthHoldsIt) {
    for (int n : {0, 7}) {  // a nine-node and an eight-node algorithm
        SCOPED_TRACE(n);
        const RawData before = Synth().Sound(n);
        ClassSound sound(midi);
        sound.SetNumber(static_cast<int16_t>(n));
        ASSERT_TRUE(sound.DecodeRawSound(before));
        DataChangedCounter changed(sound);
        TakeSent();

        const double start = clock.Now();
        sound.DefaultValues();
        const double seconds = clock.Now() - start;
        const WireMessages sent = TakeSent();

        const WireMessages expected = DefaultSequence(n, before);
        ASSERT_EQ(sent.size(), expected.size());
        for (size_t i = 0; i < sent.size(); ++i)
            EXPECT_EQ(sent[i], expected[i]) << "message " << i;
        EXPECT_EQ(Synth().Sound(n), sound.EncodeRawSound());
        EXPECT_EQ(sound.Name(), "New");
        EXPECT_EQ(sound.NodeCount(), 8);
        EXPECT_EQ(sound.Envelope(2)->DestinationNode(0), 7);
        EXPECT_EQ(sound.Modulation(1)->KeyBreak(), 0);
        EXPECT_EQ(changed.Count(), 2);  // the name and the algorithm
        // Every parameter change is followed by the send pause.
        EXPECT_NEAR(seconds, sent.size() * ModuleMIDI::kSendPause, 0.01);
        std::cout << "DefaultValues of sound " << n << " (algorithm " << before[116]
                  << "): " << sent.size() << " parameter changes, " << seconds
                  << " s on the virtual clock\n";
    }
}

TEST_F(SoundDefaultsTest, FreshSoundAddressesItsOwnSlot) {
    // Never decoded: the records still belong to the sound's own slot and index.
    ClassSound sound(midi);
    sound.SetNumber(9);
    sound.DefaultValues();
    for (const WireMessage& message : TakeSent()) {
        EXPECT_TRUE(message[6] == 9 || message[6] == 29) << int(message[6]);
    }
    EXPECT_EQ(Synth().Sound(9), sound.EncodeRawSound());
    EXPECT_EQ(Synth().Sound(0), FactoryContent::Sound(0));
}
