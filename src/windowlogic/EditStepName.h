#pragma once

#include <string>

#include "midi/RawData.h"

// What an undo step changed, in the words of the editor's labels, from a sound's raw form
// before and after it: "Detune of Oscilator 2", "Algorithm", "Envelope 1" (several values of
// one record, an anchor drag), "Sound" when edits reach several records.
namespace EditStepName {
std::string ForSound(const RawData& before, const RawData& after);
// "Name", "Banks" or "Group".
std::string ForGroup(const RawData& before, const RawData& after);
}  // namespace EditStepName
