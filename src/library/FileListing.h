#pragma once

#include <string>

#include "library/FileKinds.h"
#include "midi/RawData.h"

class ModuleMIDI;

// The contents of a librarian file as text for a terminal, from the array the file was read
// into (SND and ALS files already converted into raw sounds). The data is decoded by the model's
// own sounds and groups, made on `midi` and never sent anywhere.
std::string ListFile(FileKind kind, const RawData& data, ModuleMIDI& midi);
