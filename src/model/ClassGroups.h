#pragma once

#include <array>
#include <memory>

#include "midi/RawData.h"
#include "model/ClassGroup.h"

class ModuleMIDI;

// The synth's 20 groups, slot i holding the group whose GroupNumber is i. They are fetched in one
// exchange and moved as one all-groups array: the 20 raw groups one after another, element
// 82i + k being byte k of group i. The group objects are shared with the windows that show them.
class ClassGroups {
  public:
    static constexpr int kGroupCount = ClassGroup::kGroupCount;
    static constexpr int kAllGroupsBytes = kGroupCount * ClassGroup::kRawBytes;

    explicit ClassGroups(ModuleMIDI& midi);

    // True once GetGroupsFromSynth has read all groups from the synth.
    bool Syncronised() const { return syncronised_; }
    // The group in a slot, or nullptr before the slots were filled or outside 0..19.
    std::shared_ptr<ClassGroup> Group(int slot) const;

    // Writes all 20 groups into elements 0..1639, growing a shorter array; later elements stay.
    // Refused (false, nothing written) while the slots are empty.
    bool EncodeRaw(RawData& all) const;
    // Reads all groups from the synth unless that was done already (then nothing is sent).
    bool GetGroupsFromSynth();
    // Sends the whole array as the dump's payload, then loads its first 1,640 elements into the
    // groups. Group objects already in the slots are kept. An array shorter than 1,640 elements,
    // or too long for one dump, is refused (false, nothing sent or changed).
    bool SendAllGroupsToSynth(const RawData& all);

  private:
    void CreateGroups();
    void DecodeAllGroups(const RawData& all);

    ModuleMIDI& midi_;
    std::array<std::shared_ptr<ClassGroup>, kGroupCount> groups_;
    bool syncronised_ = false;
};
