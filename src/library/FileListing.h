#pragma once

#include <string>

#include "library/FileKinds.h"
#include "midi/RawData.h"

// The contents of a librarian file as text for a terminal, from the array the file was read
// into (SND and ALS files already converted into raw sounds).
std::string ListFile(FileKind kind, const RawData& data);
