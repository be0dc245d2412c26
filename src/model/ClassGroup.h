#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "midi/RawData.h"
#include "model/ClassBank.h"

class ModuleMIDI;

// One group of the ZEL-1: a name and eight banks, exchanged with the synth as an 82-byte raw
// group (bytes 0..71 the banks by rows, 72..81 the name). Bank edits and the name go to the synth
// at once as parameter changes to the group the synth is editing; whole groups move as dumps to
// the slot GroupNumber.
class ClassGroup {
  public:
    static constexpr int kRawBytes = 82;
    static constexpr int kNameOffset = 72;
    static constexpr int kGroupCount = 20;

    explicit ClassGroup(ModuleMIDI& midi);

    // The group's slot in the synth, 0..19. Nothing is sent.
    int16_t GroupNumber() const { return groupNumber_; }
    void SetGroupNumber(int16_t number) { groupNumber_ = number; }

    // True when the name or any bank was edited since the last decode.
    bool HasChanged() const;

    // The default of every bank, then the name "New"; everything is sent.
    void DefaultValues();

    // Loads the name and the eight banks and clears every changed flag; sends nothing. Raw data
    // shorter than a group is refused (false, nothing changed).
    bool DecodeRawGroup(const RawData& raw);
    // Writes the whole group into raw(0..81), growing a shorter array; later elements stay.
    // A name that was never set is written as ten blanks.
    void EncodeRawGroup(RawData& raw) const;

    // Reads this group from the synth's slot GroupNumber.
    bool RequestGroup();
    // Writes raw to slot GroupNumber and, once the synth took it, loads it into the object.
    bool OpenGroup(const RawData& raw);
    // Puts the group back to raw as edits go out: a parameter change to the group the synth is
    // editing for each value that differs (the name as a whole when it does); the group is then
    // changed, and its slot keeps what it held until a commit. Short raw data is refused.
    bool RestoreRawGroup(const RawData& raw);
    // Writes the object's content to slot GroupNumber; the changed flags stay as they are.
    bool RefreshSynth();

    // The stored name without trailing blanks.
    std::string Name() const;
    // Normalises (ten characters, "Noname" for blanks only), stores and sends the name.
    void SetName(const std::string& name);

    // The bank object itself, or nullptr for an index outside 0..7.
    ClassBank* Bank(int index);
    const ClassBank* Bank(int index) const;

  private:
    // Whole-group transfers address the slot by a number byte; outside 0..19 the synth would
    // misread the dump, so nothing is sent.
    bool ValidSlot() const { return groupNumber_ >= 0 && groupNumber_ < kGroupCount; }

    ModuleMIDI& midi_;
    int16_t groupNumber_ = 0;
    std::string name_;
    bool nameChanged_ = false;
    std::array<std::unique_ptr<ClassBank>, ClassBank::kBankCount> banks_;
};
