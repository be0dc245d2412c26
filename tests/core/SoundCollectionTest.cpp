#include <gtest/gtest.h>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassSounds.h"

class SoundCollectionTest : public SynthFixture {
  protected:
    ClassSounds sounds{midi};
};

TEST_F(SoundCollectionTest, FetchesAllSoundsInOneExchangeOnlyOnce) {
    EXPECT_EQ(sounds.Sound(0), nullptr);
    ASSERT_TRUE(sounds.GetSoundsFromSynth());
    EXPECT_EQ(TakeSent(), (WireMessages{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 0x01, 0xF7}}));
    EXPECT_TRUE(sounds.Syncronised());
    for (int n = 0; n < 20; ++n) {
        ASSERT_NE(sounds.Sound(n), nullptr);
        EXPECT_EQ(sounds.Sound(n)->Number(), n);
        EXPECT_EQ(sounds.Sound(n)->EncodeRawSound(), Synth().Sound(n));
    }
    EXPECT_EQ(sounds.Sound(20), nullptr);
    EXPECT_EQ(sounds.Sound(-1), nullptr);

    const auto first = sounds.Sound(4);
    EXPECT_TRUE(sounds.GetSoundsFromSynth());
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(sounds.Sound(4), first);
}

TEST_F(SoundCollectionTest, RefusesAReplyThatIsNotAllSounds) {
    Synth().GetFaults().silent = true;
    driver.Inject(DumpMessage(0, 3, Synth().Sound(3)), 0.1);
    EXPECT_FALSE(sounds.GetSoundsFromSynth());
    RawData short2759 = SynthSounds(Synth());
    short2759.pop_back();
    driver.Inject(DumpMessage(1, -1, short2759), 0.1);
    EXPECT_FALSE(sounds.GetSoundsFromSynth());
    EXPECT_FALSE(sounds.Syncronised());
    EXPECT_EQ(sounds.Sound(0), nullptr);

    Synth().GetFaults().silent = false;
    EXPECT_TRUE(sounds.GetSoundsFromSynth());
}

TEST_F(SoundCollectionTest, EncodesTwentySoundsBackToBack) {
    RawData all(2761, 0);
    EXPECT_FALSE(sounds.EncodeRaw(all));  // nothing to encode yet
    ASSERT_TRUE(sounds.GetSoundsFromSynth());
    all[2760] = 99;
    ASSERT_TRUE(sounds.EncodeRaw(all));
    EXPECT_EQ(RawData(all.begin(), all.begin() + 2760), SynthSounds(Synth()));
    EXPECT_EQ(all[2760], 99);  // later elements are left as they are

    sounds.Sound(7)->SetName("Seven");
    sounds.Sound(7)->SetAlgorithm(19);
    ASSERT_TRUE(sounds.EncodeRaw(all));
    EXPECT_EQ(RawData(all.begin() + 966, all.begin() + 976),
              RawData({'S', 'e', 'v', 'e', 'n', ' ', ' ', ' ', ' ', ' '}));
    EXPECT_EQ(all[1082], 19);

    RawData tooShort(2759, 5);
    EXPECT_FALSE(sounds.EncodeRaw(tooShort));
    EXPECT_EQ(tooShort, RawData(2759, 5));
}

TEST_F(SoundCollectionTest, SendingAllSoundsKeepsTheObjectsAndAnnouncesEach) {
    ASSERT_TRUE(sounds.GetSoundsFromSynth());
    std::vector<std::shared_ptr<ClassSound>> before;
    std::vector<std::unique_ptr<DataChangedCounter>> counters;
    for (int n = 0; n < 20; ++n) {
        before.push_back(sounds.Sound(n));
        counters.push_back(std::make_unique<DataChangedCounter>(*sounds.Sound(n)));
    }
    // Sound i of the new data is the synth's preset 20 + i, as a file would hold it.
    RawData all = SynthSounds(Synth(), 20);
    all.push_back(0);  // the file commands hold 2,761 elements
    TakeSent();
    ASSERT_TRUE(sounds.SendAllSoundsToSynth(all));

    const WireMessages sent = TakeSent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].size(), 7u + 3 + 2 * 2761 + 1);
    for (int n = 0; n < 20; ++n) {
        EXPECT_EQ(sounds.Sound(n), before[n]);
        EXPECT_EQ(counters[n]->Count(), 1);
        EXPECT_EQ(sounds.Sound(n)->EncodeRawSound(), Synth().Sound(20 + n));
        EXPECT_EQ(Synth().Sound(n), Synth().Sound(20 + n));
    }
    EXPECT_TRUE(sounds.Syncronised());

    // Refused by the synth: false, nothing changes.
    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(sounds.SendAllSoundsToSynth(SynthSounds(Synth())));
    // Too short: refused before anything is sent.
    TakeSent();
    EXPECT_FALSE(sounds.SendAllSoundsToSynth(RawData(2759, 0)));
    EXPECT_TRUE(TakeSent().empty());
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(counters[n]->Count(), 1);
}

TEST_F(SoundCollectionTest, SendingBeforeAnyFetchFillsButDoesNotSynchronise) {
    const RawData all = SynthSounds(Synth(), 40);
    ASSERT_TRUE(sounds.SendAllSoundsToSynth(all));
    EXPECT_FALSE(sounds.Syncronised());
    ASSERT_NE(sounds.Sound(19), nullptr);
    EXPECT_EQ(sounds.Sound(19)->Number(), 19);
    EXPECT_EQ(sounds.Sound(19)->EncodeRawSound(), Synth().Sound(59));

    // A second send before any fetch: an editor holding sound 3 stays attached to the
    // collection, so its edits are in what the collection encodes (and a save-all writes).
    const auto held = sounds.Sound(3);
    DataChangedCounter changed(*held);
    ASSERT_TRUE(sounds.SendAllSoundsToSynth(all));
    EXPECT_EQ(sounds.Sound(3), held);
    EXPECT_EQ(changed.Count(), 1);
    held->SetName("Held");
    RawData encoded(2760);
    ASSERT_TRUE(sounds.EncodeRaw(encoded));
    EXPECT_EQ(RawData(encoded.begin() + 3 * 138, encoded.begin() + 4 * 138), Synth().Sound(3));
}
