#pragma once

#include <vector>

#include "midi/RawData.h"

// An all-sounds array (2,761 elements: 20 sounds and a final 0) from up to 20 sound records of
// the library, in order; slots beyond them hold the sound File "New" makes, so that sending the
// bank never leaves a slot with leftovers. Records past the twentieth are left out.
RawData BankFromRecords(const std::vector<RawData>& records);

// The 138-byte sound File "New" makes, as the model builds it (nothing is sent anywhere).
RawData NewSoundRecord();
