#include <algorithm>
#include <functional>
#include <random>
#include <set>
#include <string>

#include "GroupWire.h"
#include "SynthFixture.h"
#include "model/ClassGroup.h"

using GroupWire::Bytes;
using GroupWire::Dump;
using GroupWire::Parameter;

namespace {
RawData RawWithName(const std::string& name) {
    RawData raw(ClassGroup::kRawBytes, 0);
    for (int i = 0; i < 10; ++i) {
        raw[72 + i] = i < static_cast<int>(name.size()) ? name[i] : ' ';
    }
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
    // A group decoded from the synth's memory, as the collection gives it.
    std::unique_ptr<ClassGroup> DecodedGroup(int number) {
        auto group = std::make_unique<ClassGroup>(midi);
        group->SetGroupNumber(static_cast<int16_t>(number));
        EXPECT_TRUE(group->DecodeRawGroup(Synth().Group(number)));
        return group;
    }
};

TEST_F(GroupModelTest, SynthAndAdversarialGroupsRoundTripExceptSwitchBits6And7) {
    std::set<std::string> names;
    for (int n = 0; n < ClassGroup::kGroupCount; ++n) {
        auto group = DecodedGroup(n);
        EXPECT_EQ(Encoded(*group), Synth().Group(n)) << "group " << n;
        names.insert(group->Name());
        for (int b = 0; b < 8; ++b) {
            // The synth's own groups stay inside what the group editor can show.
            const ClassBank& bank = *group->Bank(b);
            EXPECT_LE(bank.SoundNumber(), 99);
            EXPECT_LE(bank.Channel(), 16);
            EXPECT_LE(bank.Volume(), 99);
            EXPECT_LE(std::abs(bank.Pan()), 7);
            EXPECT_LE(std::abs(bank.Transpose()), 12);
            EXPECT_LE(std::abs(bank.Detune()), 19);
            EXPECT_GE(bank.LowSplit(), 24);
            EXPECT_LE(bank.LowSplit(), bank.HighSplit());
            EXPECT_LE(bank.HighSplit(), 102);
        }
    }
    EXPECT_EQ(names.size(), 20u) << "the synth's groups have distinct names";

    std::mt19937 random(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    ClassGroup group(midi);
    for (int round = 0; round < 50; ++round) {
        RawData raw(ClassGroup::kRawBytes);
        for (auto& value : raw)
            value = static_cast<int16_t>(byte(random));
        RawData expected = raw;
        for (int b = 0; b < 8; ++b)
            expected[32 + b] &= 0x3F;
        ASSERT_TRUE(group.DecodeRawGroup(raw));
        ASSERT_EQ(Encoded(group), expected) << "round " << round;
    }
    EXPECT_TRUE(TakeSent().empty()) << "decoding and encoding send nothing";
}

TEST_F(GroupModelTest, DecodeReadsBanksByRowsAndSignedBytes) {
    RawData raw = RawWithName("Strings");
    raw[5] = 12;
    raw[13] = 6;
    // Bank 3: bytes 3, 11, ..., 67.
    const int bank3[9] = {77, 16, 55, 246, 0x25 | 0xC0, 244, 200, 36, 96};
    for (int p = 0; p < 9; ++p)
        raw[8 * p + 3] = static_cast<int16_t>(bank3[p]);

    ClassGroup group(midi);
    ASSERT_TRUE(group.DecodeRawGroup(raw));
    EXPECT_EQ(group.Name(), "Strings");
    EXPECT_EQ(group.Bank(5)->SoundNumber(), 12);
    EXPECT_EQ(group.Bank(5)->Channel(), 6);
    const ClassBank& b = *group.Bank(3);
    EXPECT_EQ(b.Index(), 3);
    EXPECT_EQ(b.SoundNumber(), 77);
    EXPECT_EQ(b.Channel(), 16);
    EXPECT_EQ(b.Volume(), 55);
    EXPECT_EQ(b.Pan(), -10);
    EXPECT_EQ(b.Transpose(), -12);
    EXPECT_EQ(b.Detune(), -56);
    EXPECT_EQ(b.LowSplit(), 36);
    EXPECT_EQ(b.HighSplit(), 96);
    EXPECT_EQ((std::vector<bool>{b.ModVelocity(), b.ModController(), b.ModModWheel(),
                                 b.ModAftertouch(), b.ModPitchBend(), b.ModLfo()}),
              (std::vector<bool>{true, false, true, false, false, true}));
    EXPECT_EQ(b.SwitchByte(), 0x25);

    // Too short a raw group changes nothing; a bank index outside 0..7 is no bank.
    EXPECT_FALSE(group.DecodeRawGroup(RawData(81, 1)));
    EXPECT_EQ(group.Name(), "Strings");
    EXPECT_EQ(group.Bank(-1), nullptr);
    EXPECT_EQ(group.Bank(8), nullptr);
    EXPECT_FALSE(group.Bank(0)->DecodeRaw(raw, 8));
}

TEST_F(GroupModelTest, BankSettersSendOneChangeEachToAddress40PlusBank) {
    auto group = DecodedGroup(1);
    ClassBank& bank = *group->Bank(2);
    TakeSent();

    bank.SetPan(-10);
    EXPECT_EQ(TakeSent(), std::vector<Bytes>{Parameter(42, 3, 246)});
    EXPECT_EQ(Encoded(*group)[24 + 2], 246);

    const std::vector<std::pair<std::function<void(int16_t)>, int>> setters = {
        {[&](int16_t v) { bank.SetSoundNumber(v); }, 0},
        {[&](int16_t v) { bank.SetChannel(v); }, 1},
        {[&](int16_t v) { bank.SetVolume(v); }, 2},
        {[&](int16_t v) { bank.SetTranspose(v); }, 5},
        {[&](int16_t v) { bank.SetDetune(v); }, 6},
        {[&](int16_t v) { bank.SetLowSplit(v); }, 7},
        {[&](int16_t v) { bank.SetHighSplit(v); }, 8},
    };
    int16_t value = 30;
    for (const auto& [set, index] : setters) {
        set(++value);
        EXPECT_EQ(TakeSent(), std::vector<Bytes>{Parameter(42, index, value)}) << index;
        EXPECT_EQ(Encoded(*group)[8 * index + 2], value) << index;
    }

    // Every switch sends the whole switch byte: pitch bend off with the others on is 47.
    const std::vector<std::function<void(bool)>> switches = {
        [&](bool on) { bank.SetModVelocity(on); },  [&](bool on) { bank.SetModController(on); },
        [&](bool on) { bank.SetModModWheel(on); },  [&](bool on) { bank.SetModAftertouch(on); },
        [&](bool on) { bank.SetModPitchBend(on); }, [&](bool on) { bank.SetModLfo(on); }};
    for (const auto& set : switches)
        set(true);
    TakeSent();
    bank.SetModPitchBend(false);
    EXPECT_EQ(TakeSent(), std::vector<Bytes>{Parameter(42, 4, 47)});
    for (int bit = 0; bit < 6; ++bit) {
        for (const auto& set : switches)
            set(false);
        TakeSent();
        switches[bit](true);
        EXPECT_EQ(TakeSent(), std::vector<Bytes>{Parameter(42, 4, 1 << bit)}) << bit;
        EXPECT_EQ(Encoded(*group)[32 + 2], 1 << bit);
    }
}

TEST_F(GroupModelTest, DefaultValueOfBank7SendsNineMessagesEndingWithTheSwitches) {
    auto group = DecodedGroup(5);
    TakeSent();
    group->Bank(7)->DefaultValue();
    EXPECT_EQ(TakeSent(), (std::vector<Bytes>{
                              Parameter(47, 0, 7), Parameter(47, 1, 8), Parameter(47, 2, 99),
                              Parameter(47, 3, 0), Parameter(47, 5, 0), Parameter(47, 6, 0),
                              Parameter(47, 7, 24), Parameter(47, 8, 102), Parameter(47, 4, 63)}));
    EXPECT_TRUE(group->Bank(7)->HasChanged());
    EXPECT_TRUE(group->HasChanged());
    const RawData raw = Encoded(*group);
    const int expected[9] = {7, 8, 99, 0, 63, 0, 0, 24, 102};
    for (int p = 0; p < 9; ++p)
        EXPECT_EQ(raw[8 * p + 7], expected[p]) << p;
}

TEST_F(GroupModelTest, NamesFollowTheSharedRuleAndGoToAddress48) {
    ClassGroup fresh(midi);
    const RawData blank = Encoded(fresh);
    EXPECT_TRUE(std::all_of(blank.begin() + 72, blank.end(), [](int16_t c) { return c == ' '; }))
        << "a name never set encodes as ten blanks";
    EXPECT_EQ(fresh.Name(), "");

    ClassGroup group(midi);
    ASSERT_TRUE(group.DecodeRawGroup(RawWithName("Strings")));
    TakeSent();
    group.SetName(group.Name());
    std::vector<Bytes> expected;
    for (int i = 0; i < 10; ++i)
        expected.push_back(Parameter(48, i, "Strings   "[i]));
    EXPECT_EQ(TakeSent(), expected);

    group.SetName("     ");
    expected.clear();
    for (int i = 0; i < 10; ++i)
        expected.push_back(Parameter(48, i, "Noname    "[i]));
    EXPECT_EQ(TakeSent(), expected);
    EXPECT_EQ(group.Name(), "Noname");
    const RawData raw = Encoded(group);
    EXPECT_EQ(std::string(raw.begin() + 72, raw.end()), "Noname    ");

    group.SetName("  A very long name");
    EXPECT_EQ(group.Name(), "A very l");
    EXPECT_EQ(TakeSent().size(), 10u);
}

TEST_F(GroupModelTest, HasChangedIsSetByOneEditAndClearedOnlyByADecode) {
    auto group = DecodedGroup(2);
    EXPECT_FALSE(group->HasChanged());
    group->Bank(2)->SetPan(3);
    EXPECT_TRUE(group->HasChanged());
    EXPECT_TRUE(group->RefreshSynth());
    EXPECT_TRUE(group->HasChanged()) << "a commit does not clear the flags";
    ASSERT_TRUE(group->DecodeRawGroup(Synth().Group(2)));
    EXPECT_FALSE(group->HasChanged());

    group->SetName("Renamed");
    EXPECT_TRUE(group->HasChanged());
    EXPECT_FALSE(group->Bank(0)->HasChanged());
    ASSERT_TRUE(group->OpenGroup(Synth().Group(7)));
    EXPECT_FALSE(group->HasChanged());

    group->Bank(4)->SetModLfo(group->Bank(4)->ModLfo());
    EXPECT_TRUE(group->HasChanged()) << "a switch setter marks the bank even without a change";
    group->DefaultValues();
    EXPECT_TRUE(group->HasChanged());
    EXPECT_EQ(group->Name(), "New");
}

TEST_F(GroupModelTest, RefreshSynthSendsExactly82BytesToTheGroupsSlot) {
    auto group = DecodedGroup(6);
    group->Bank(0)->SetVolume(50);
    TakeSent();
    ASSERT_TRUE(group->RefreshSynth());
    const RawData raw = Encoded(*group);
    EXPECT_EQ(TakeSent(), std::vector<Bytes>{Dump(2, 6, raw)});
    EXPECT_EQ(Dump(2, 6, raw).size(), 7u + 4u + 164u + 1u);
    EXPECT_EQ(Synth().Group(6), raw);
    EXPECT_TRUE(group->HasChanged());

    auto clean = DecodedGroup(8);
    ASSERT_TRUE(clean->RefreshSynth());
    EXPECT_FALSE(clean->HasChanged());

    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(group->RefreshSynth());
    EXPECT_EQ(messages.Messages().back().text, "Cannot write to ZEL-1 as memory protect is ON");
}

TEST_F(GroupModelTest, RequestAndOpenMoveWholeGroupsAndKeepTheObjectOnFailure) {
    auto group = DecodedGroup(0);
    group->SetGroupNumber(4);
    TakeSent();
    ASSERT_TRUE(group->RequestGroup());
    EXPECT_EQ(TakeSent(), (std::vector<Bytes>{{0xF0, 0x00, 0x20, 0x08, 0x01, 0x20, 2, 4, 0xF7}}));
    EXPECT_EQ(Encoded(*group), Synth().Group(4));

    RawData strings = RawWithName("Strings");
    strings[5] = 12;
    ASSERT_TRUE(group->OpenGroup(strings));
    EXPECT_EQ(TakeSent(), std::vector<Bytes>{Dump(2, 4, strings)});
    EXPECT_EQ(Synth().Group(4), strings);
    EXPECT_EQ(group->Name(), "Strings");

    const RawData before = Encoded(*group);
    EXPECT_FALSE(group->OpenGroup(RawData(81, 0)));
    EXPECT_TRUE(TakeSent().empty()) << "a short raw group is not sent";

    Synth().SetMemoryProtect(true);
    EXPECT_FALSE(group->OpenGroup(Synth().Group(9)));
    Synth().GetFaults().silent = true;
    EXPECT_FALSE(group->RequestGroup());
    EXPECT_EQ(messages.Messages().back().text, "Timeout waiting for message from ZEL-1");
    EXPECT_EQ(Encoded(*group), before);

    // A slot the synth does not have: a dump without a valid number byte would land in the wrong
    // slot, so nothing goes out.
    TakeSent();
    for (int16_t number : {int16_t{-1}, int16_t{20}}) {
        group->SetGroupNumber(number);
        EXPECT_FALSE(group->RequestGroup());
        EXPECT_FALSE(group->OpenGroup(before));
        EXPECT_FALSE(group->RefreshSynth());
    }
    EXPECT_TRUE(TakeSent().empty());
}

TEST_F(GroupModelTest, EditsLandInTheGroupTheSynthSelected) {
    auto group = DecodedGroup(3);
    midi.SendParameter50(3);
    EXPECT_EQ(Synth().SelectedGroup(), 3);
    const RawData otherBefore = Synth().Group(0);

    group->Bank(0)->SetSoundNumber(98);
    group->Bank(1)->SetPan(-7);
    group->Bank(5)->SetDetune(-19);
    group->Bank(7)->SetModAftertouch(!group->Bank(7)->ModAftertouch());
    group->Bank(6)->DefaultValue();
    group->SetName("Live Set");
    EXPECT_EQ(Synth().Group(3), Encoded(*group));

    group->DefaultValues();
    EXPECT_EQ(Synth().Group(3), Encoded(*group));
    EXPECT_EQ(Synth().Group(0), otherBefore);
}
