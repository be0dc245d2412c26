#pragma once

#include <string>

#include "midi/RawData.h"

// What an undo step changed, in the words of the editor's labels, from a sound's raw form
// before and after it: "Detune of Oscilator 2", "Algorithm", "Envelope 1" (several values of
// one record, an anchor drag), "Sound" when edits reach several records.
namespace EditStepName {
std::string ForSound(const RawData& before, const RawData& after);
// The same for a group: "Volume of Bank 2", "Bank 2" (several values of one bank), "Name", or
// "Group" when edits reach several parts of it.
std::string ForGroup(const RawData& before, const RawData& after);
// A file opened into a slot: "Open Pad.zel into Sound 3" (the path's folders left out).
std::string ForOpen(const std::string& path, const std::string& kind, int slot);
}  // namespace EditStepName
