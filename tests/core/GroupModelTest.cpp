#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "SoundTestSupport.h"
#include "SynthFixture.h"
#include "model/ClassGroups.h"

namespace {
RawData RawWithName(const std::string& name) {
    RawData raw(ClassGroup::kRawBytes, 0);
    for (int i = 0; i < 10; ++i)
        raw[72 + i] = i < int(name.size()) ? name[i] : ' ';
    return raw;
}

RawData Encoded(const ClassGroup& group) {
    RawData raw;
    group.EncodeRawGroup(raw);
    return raw;
}
}  // namespace

class GroupModelTest : public SynthFixture {
  protected:
    std::unique_ptr<ClassGroup> SynthGroup(int number) {
        auto group = std::make_unique<ClassGroup>(midi);
        group->SetGroupNumber(static_cast<int16_t>(number));
        EXPECT_TRUE(group->DecodeRawGroup(Synth().Group(number)));
        return group;
    }
};

TEST_F(GroupModelTest, SynthAndAdversarialGroupsRoundTripExceptSwitchBits6And7) {
    std::set<std::string> names;
    for (int n = 0; n < 20; ++n) {
        auto group = SynthGroup(n);
        EXPECT_EQ(Encoded(*group), Synth().Group(n)) << n;
        names.insert(group->Name());
    }
    EXPECT_EQ(names.size(), 20u);

    std::mt19937 random(1234);
    ClassGroup group(midi);
    for (int round = 0; round < 50; ++round) {
        RawData raw(ClassGroup::kRawBytes);
        for (auto& value : raw)
            value = static_cast<int16_t>(random() % 256);
        RawData expected = raw;
        for (int b = 0; b < 8; ++b)
            expected[32 + b] &= 0x3F;
        ASSERT_TRUE(group.DecodeRawGroup(raw));
        ASSERT_EQ(Encoded(group), expected) << round;
    }
    EXPECT_TRUE(TakeSent().empty()) << "decoding and encoding send nothing";
}

TEST_F(GroupModelTest, DecodeReadsBanksByRowsAndSignedBytes) {
    RawData raw = RawWithName("Strings");
    raw[5] = 12;
    raw[13] = 6;
    const int bank3[9] = {77, 16, 55, 246, 0x25 | 0xC0, 244, 200, 36, 96};
    for (int p = 0; p < 9; ++p)
        raw[8 * p + 3] = static_cast<int16_t>(bank3[p]);
    ClassGroup group(midi);
    ASSERT_TRUE(group.DecodeRawGroup(raw));
    EXPECT_EQ(group.Name(), "Strings");
    EXPECT_EQ(group.Bank(5)->SoundNumber(), 12);
    EXPECT_EQ(group.Bank(5)->Channel(), 6);
    const ClassBank& b = *group.Bank(3);
    EXPECT_EQ((std::vector<int>{b.SoundNumber(), b.Channel(), b.Volume(), b.Pan(), b.Transpose(),
                                b.Detune(), b.LowSplit(), b.HighSplit()}),
              (std::vector<int>{77, 16, 55, -10, -12, -56, 36, 96}));
    EXPECT_EQ((std::vector<bool>{b.ModVelocity(), b.ModController(), b.ModModWheel(),
                                 b.ModAftertouch(), b.ModPitchBend(), b.ModLfo()}),
              (std::vector<bool>{true, false, true, false, false, true}));

    EXPECT_FALSE(group.DecodeRawGroup(RawData(81, 1)));
    EXPECT_EQ(group.Name(), "Strings") << "a short raw group changes nothing";
    EXPECT_EQ(group.Bank(-1), nullptr);
    EXPECT_EQ(group.Bank(8), nullptr);
}

TEST_F(GroupModelTest, BankAndNameEditsSendTheirWireBytes) {
    auto group = SynthGroup(1);
    ClassBank& bank = *group->Bank(2);
    TakeSent();
    bank.SetPan(-10);
    EXPECT_EQ(TakeSent(), WireMessages{Parameter(42, 3, 246)});
    EXPECT_EQ(Encoded(*group)[24 + 2], 246);

    bank.DefaultValue();
    TakeSent();
    bank.SetModPitchBend(false);
    EXPECT_EQ(TakeSent(), WireMessages{Parameter(42, 4, 47)});

    group->Bank(7)->DefaultValue();
    EXPECT_EQ(TakeSent(),
              (WireMessages{Parameter(47, 0, 7), Parameter(47, 1, 8), Parameter(47, 2, 99),
                            Parameter(47, 3, 0), Parameter(47, 5, 0), Parameter(47, 6, 0),
                            Parameter(47, 7, 24), Parameter(47, 8, 102), Parameter(47, 4, 63)}));

    ASSERT_TRUE(group->DecodeRawGroup(RawWithName("Strings")));
    group->SetName(group->Name());
    EXPECT_EQ(TakeSent(), NameChanges(48, "Strings   "));
    group->SetName("     ");
    EXPECT_EQ(TakeSent(), NameChanges(48, "Noname    "));
    const RawData raw = Encoded(*group);
    EXPECT_EQ(std::string(raw.begin() + 72, raw.end()), "Noname    ");
    EXPECT_EQ(Encoded(ClassGroup(midi)), RawWithName("")) << "a name never set is ten blanks";
}

TEST_F(GroupModelTest, HasChangedIsSetByOneEditAndClearedOnlyByADecode) {
    auto group = SynthGroup(2);
    EXPECT_FALSE(group->HasChanged());
    group->Bank(2)->SetPan(3);
    EXPECT_TRUE(group->HasChanged());
    ASSERT_TRUE(group->RefreshSynth());
    EXPECT_TRUE(group->HasChanged()) << "a commit leaves the flags";
    ASSERT_TRUE(group->DecodeRawGroup(Synth().Group(2)));
    EXPECT_FALSE(group->HasChanged());
    group->SetName("Renamed");
    EXPECT_TRUE(group->HasChanged());
    ASSERT_TRUE(group->OpenGroup(Synth().Group(7)));
    EXPECT_FALSE(group->HasChanged());
    ASSERT_TRUE(group->RefreshSynth());
    EXPECT_FALSE(group->HasChanged());
}

TEST_F(GroupModelTest, WholeGroupTransfersUseTheSlotAndKeepTheObjectOnFailure) {
    auto group = SynthGroup(6);
    group->Bank(0)->SetVolume(50);
    TakeSent();
    ASSERT_TRUE(group->RefreshSynth());
    EXPECT_EQ(TakeSent(), WireMessages{DumpMessage(2, 6, Encoded(*group))});  // 82 data bytes
    EXPECT_EQ(Synth().Group(6), Encoded(*group));

    group->SetGroupNumber(4);
    ASSERT_TRUE(group->RequestGroup());
    EXPECT_EQ(TakeSent(), WireMessages{Frame(0x20, {2, 4})});
    EXPECT_EQ(Encoded(*group), Synth().Group(4));
    const RawData strings = RawWithName("Strings");
    ASSERT_TRUE(group->OpenGroup(strings));
    EXPECT_EQ(TakeSent(), WireMessages{DumpMessage(2, 4, strings)});
    EXPECT_EQ(Synth().Group(4), strings);
    EXPECT_EQ(group->Name(), "Strings");

    EXPECT_FALSE(group->OpenGroup(RawData(81, 0)));
    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(group->OpenGroup(Synth().Group(9)));
    EXPECT_EQ(messages.Messages().back().text, "Cannot write to ZEL-1 as memory protect is ON");
    Synth().GetFaults().silent = true;
    EXPECT_FALSE(group->RequestGroup());
    EXPECT_EQ(messages.Messages().back().text, "Timeout waiting for message from ZEL-1");
    EXPECT_EQ(Encoded(*group), strings);

    // A dump for a slot the synth lacks would land in another slot: nothing goes out.
    TakeSent();
    for (int16_t number : {int16_t{-1}, int16_t{20}}) {
        group->SetGroupNumber(number);
        EXPECT_FALSE(group->RequestGroup() || group->OpenGroup(strings) || group->RefreshSynth());
    }
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(GroupModelTest, EditsLandInTheGroupTheSynthSelected) {
    auto group = SynthGroup(3);
    midi.SendParameter50(3);
    const RawData other = Synth().Group(0);
    ClassBank& bank = *group->Bank(5);
    bank.SetSoundNumber(98);
    bank.SetChannel(0);
    bank.SetVolume(12);
    bank.SetPan(-7);
    bank.SetTranspose(-12);
    bank.SetDetune(19);
    bank.SetLowSplit(30);
    bank.SetHighSplit(90);
    bank.SetModVelocity(false);
    bank.SetModController(true);
    bank.SetModModWheel(false);
    bank.SetModAftertouch(true);
    bank.SetModPitchBend(false);
    bank.SetModLfo(false);
    group->SetName("Live Set");
    EXPECT_EQ(Synth().Group(3), Encoded(*group));
    EXPECT_EQ(Encoded(*group)[32 + 5], 0x0A);
    group->DefaultValues();
    EXPECT_EQ(Synth().Group(3), Encoded(*group));
    EXPECT_EQ(Synth().Group(0), other);
}

TEST_F(GroupModelTest, CollectionFetchesOnceAndRefusesOtherReplies) {
    ClassGroups groups(midi);
    EXPECT_EQ(groups.Group(0), nullptr);
    Synth().GetFaults().silent = true;
    driver.Inject(DumpMessage(2, 0, Synth().Group(0)), 0.1);  // one group in reply to all groups
    EXPECT_FALSE(groups.GetGroupsFromSynth());
    driver.Inject(DumpMessage(3, -1, Synth().Group(0)), 0.1);  // an all-groups dump too short
    EXPECT_FALSE(groups.GetGroupsFromSynth());
    EXPECT_FALSE(groups.Syncronised());
    EXPECT_EQ(groups.Group(0), nullptr);

    Synth().GetFaults().silent = false;
    TakeSent();
    ASSERT_TRUE(groups.GetGroupsFromSynth());
    EXPECT_EQ(TakeSent(), WireMessages{Frame(0x20, {3})});
    const auto first = groups.Group(0);
    ASSERT_TRUE(groups.GetGroupsFromSynth());
    EXPECT_TRUE(TakeSent().empty());
    EXPECT_EQ(groups.Group(0), first);
    EXPECT_EQ(groups.Group(19)->GroupNumber(), 19);
    EXPECT_EQ(groups.Group(20), nullptr);

    midi.SendParameter50(3);
    groups.Group(3)->SetName("Third One");
    groups.Group(3)->Bank(0)->SetSoundNumber(42);
    RawData all(1641, 7);
    ASSERT_TRUE(groups.EncodeRaw(all));
    EXPECT_EQ(std::string(all.begin() + 318, all.begin() + 328), "Third One ");
    EXPECT_EQ(all[246], 42);
    EXPECT_EQ(all[1640], 7) << "elements after the groups stay";
    all.pop_back();
    EXPECT_EQ(all, SynthGroups(Synth()));
}

TEST_F(GroupModelTest, SendingAllGroupsKeepsTheObjectsWindowsHold) {
    ClassGroups groups(midi);
    RawData all = SynthGroups(Synth());
    all[82 * 19 + 72] = 'Z';
    all.push_back(0);  // as the all-groups file command hands it over
    ASSERT_TRUE(groups.SendAllGroupsToSynth(all));
    EXPECT_EQ(TakeSent(), WireMessages{DumpMessage(3, -1, all)});
    EXPECT_FALSE(groups.Syncronised());
    EXPECT_EQ(groups.Group(19)->Name()[0], 'Z');
    EXPECT_EQ(Synth().Group(19)[72], 'Z');

    ASSERT_TRUE(groups.GetGroupsFromSynth());
    const auto held = groups.Group(11);
    std::reverse(all.begin(), all.end() - 1);
    for (int i = 0; i < 160; ++i)
        all[82 * (i / 8) + 32 + i % 8] &= 0x3F;
    ASSERT_TRUE(groups.SendAllGroupsToSynth(all));
    EXPECT_EQ(groups.Group(11), held);
    RawData encoded;
    ASSERT_TRUE(groups.EncodeRaw(encoded));
    EXPECT_EQ(encoded, RawData(all.begin(), all.end() - 1));
    EXPECT_EQ(SynthGroups(Synth()), encoded);

    TakeSent();
    EXPECT_FALSE(groups.SendAllGroupsToSynth(RawData(1639, 0)));
    EXPECT_FALSE(groups.SendAllGroupsToSynth(RawData(8192, 0)));
    EXPECT_TRUE(TakeSent().empty());
    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(groups.SendAllGroupsToSynth(RawData(1640, 0)));
    ASSERT_TRUE(groups.EncodeRaw(encoded));
    EXPECT_EQ(encoded, RawData(all.begin(), all.end() - 1)) << "a refused send changes nothing";
}
