#pragma once

#include <string>
#include <vector>

#include "midi/RawData.h"

class ModuleMIDI;
class SettingsStore;

// After a write the synth is asked for what it now holds, and that is compared with what was
// sent. Both sides go through the model (decode, encode) first, so bytes the model does not keep
// cannot count as a difference; what is left names the record and the parameters that differ, in
// the windows' words.
class ReadBackCheck {
  public:
    enum class Records { Sounds, Groups };

    // The settings key that turns the read-back off ("0"); absent means on.
    static constexpr const char* kKeyVerify = "VerifyWrites";
    static bool Enabled(SettingsStore& store);
    static void SetEnabled(SettingsStore& store, bool on);

    struct Difference {
        int slot = 0;
        std::string name;                     // the record's name as it was sent
        std::vector<std::string> parameters;  // those that differ, in record order, each once
    };

    struct Outcome {
        bool readBack = false;  // false: the synth did not answer the request
        std::vector<Difference> differences;
    };

    // Reads the records written from slot firstSlot on (a whole bank when sent holds all of
    // them, else the one record) and compares them with sent.
    static Outcome Verify(ModuleMIDI& midi, Records records, int firstSlot, const RawData& sent);
    // The comparison alone; sent and held hold the same number of records.
    static std::vector<Difference> Compare(ModuleMIDI& midi, Records records, int firstSlot,
                                           const RawData& sent, const RawData& held);
    // The message box text for an outcome with differences or without a read-back: the first
    // record that differs with its parameters, the others with their first.
    static std::string Report(Records records, const Outcome& outcome);
    // "Name, Transpose and Pan of Bank 2", at most `shown` names: "A, B, C, D, E and 3 more".
    static std::string ParameterList(const std::vector<std::string>& names, size_t shown = 5);
};
