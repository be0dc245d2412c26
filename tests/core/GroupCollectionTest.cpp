#include <algorithm>
#include <string>

#include "GroupWire.h"
#include "SynthFixture.h"
#include "model/ClassGroups.h"

using GroupWire::Bytes;
using GroupWire::Dump;

namespace {
RawData SynthMemory(VirtualZel1& synth) {
    RawData all;
    for (int n = 0; n < 20; ++n) {
        const RawData group = synth.Group(n);
        all.insert(all.end(), group.begin(), group.end());
    }
    return all;
}
}  // namespace

class GroupCollectionTest : public SynthFixture {
  protected:
    ClassGroups groups{midi};
};

TEST_F(GroupCollectionTest, OneExchangeFillsTheSlotsAndASecondCallSendsNothing) {
    EXPECT_EQ(groups.Group(0), nullptr);
    RawData unused;
    EXPECT_FALSE(groups.EncodeRaw(unused));

    ASSERT_TRUE(groups.GetGroupsFromSynth());
    EXPECT_EQ(TakeSent(), (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 3, 0xF7}}));
    EXPECT_TRUE(groups.Syncronised());
    for (int n = 0; n < 20; ++n) {
        ASSERT_NE(groups.Group(n), nullptr);
        EXPECT_EQ(groups.Group(n)->GroupNumber(), n);
        EXPECT_FALSE(groups.Group(n)->HasChanged());
    }
    EXPECT_EQ(groups.Group(-1), nullptr);
    EXPECT_EQ(groups.Group(20), nullptr);

    const auto first = groups.Group(0);
    ASSERT_TRUE(groups.GetGroupsFromSynth());
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(groups.Group(0), first);
}

TEST_F(GroupCollectionTest, RepliesThatAreNotAllGroupsAreRefused) {
    Synth().GetFaults().silent = true;
    // A single-group dump waiting when the all-groups request goes out.
    driver.Inject(Dump(2, 0, Synth().Group(0)));
    EXPECT_FALSE(groups.GetGroupsFromSynth());
    // An all-groups dump that holds only one group.
    driver.Inject(Dump(3, -1, Synth().Group(0)));
    EXPECT_FALSE(groups.GetGroupsFromSynth());
    Synth().GetFaults().silent = false;
    Synth().GetFaults().corruptChecksum = true;
    EXPECT_FALSE(groups.GetGroupsFromSynth());
    EXPECT_EQ(messages.Messages().back().text, "Checksum error");

    EXPECT_FALSE(groups.Syncronised());
    EXPECT_EQ(groups.Group(0), nullptr);
}

TEST_F(GroupCollectionTest, AllGroupsArrayHoldsGroupIAt82TimesI) {
    ASSERT_TRUE(groups.GetGroupsFromSynth());
    midi.SendParameter50(3);
    groups.Group(3)->SetName("Third One");
    groups.Group(3)->Bank(0)->SetSoundNumber(42);

    RawData all(1641, 0);
    all[1640] = 7;
    ASSERT_TRUE(groups.EncodeRaw(all));
    EXPECT_EQ(all.size(), 1641u);
    EXPECT_EQ(all[1640], 7) << "elements after the groups are left alone";
    EXPECT_EQ(std::string(all.begin() + 318, all.begin() + 328), "Third One ");
    EXPECT_EQ(all[246], 42);
    all.resize(1640);
    EXPECT_EQ(all, SynthMemory(Synth())) << "the edits went to the synth's selected group";
}

TEST_F(GroupCollectionTest, SendingAllGroupsKeepsTheObjectsWindowsHold) {
    ASSERT_TRUE(groups.GetGroupsFromSynth());
    const auto held = groups.Group(11);

    RawData all = SynthMemory(Synth());
    std::reverse(all.begin(), all.end());
    // Keep every switch byte clean so the array round-trips unchanged.
    for (int n = 0; n < 20; ++n) {
        for (int b = 0; b < 8; ++b)
            all[82 * n + 32 + b] &= 0x3F;
    }
    all.push_back(0);  // as the all-groups file command hands it over
    TakeSent();
    ASSERT_TRUE(groups.SendAllGroupsToSynth(all));
    EXPECT_EQ(TakeSent(), std::vector<Bytes>{Dump(3, -1, all)});
    EXPECT_EQ(groups.Group(11), held);
    EXPECT_TRUE(groups.Syncronised());

    RawData encoded;
    ASSERT_TRUE(groups.EncodeRaw(encoded));
    EXPECT_EQ(encoded, RawData(all.begin(), all.end() - 1));
    EXPECT_EQ(SynthMemory(Synth()), encoded);

    EXPECT_FALSE(groups.SendAllGroupsToSynth(RawData(1639, 0)));
    EXPECT_FALSE(groups.SendAllGroupsToSynth(RawData(8192, 0)));
    EXPECT_TRUE(TakeSent().empty());

    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(groups.SendAllGroupsToSynth(RawData(1640, 0)));
    RawData after;
    ASSERT_TRUE(groups.EncodeRaw(after));
    EXPECT_EQ(after, encoded) << "a refused send changes nothing";
}

TEST_F(GroupCollectionTest, SendingToAnEmptyCollectionFillsItWithoutSynchronising) {
    RawData all = SynthMemory(Synth());
    all[82 * 19 + 72] = 'Z';
    ASSERT_TRUE(groups.SendAllGroupsToSynth(all));
    EXPECT_FALSE(groups.Syncronised());
    ASSERT_NE(groups.Group(19), nullptr);
    EXPECT_EQ(groups.Group(19)->GroupNumber(), 19);
    EXPECT_EQ(groups.Group(19)->Name()[0], 'Z');
    EXPECT_EQ(Synth().Group(19)[72], 'Z');
}
