#pragma once

#include "midi/RawData.h"

// The older one-sound record (147 bytes; an SND file holds one, an ALS file twenty back to back)
// and its conversion into the raw sound layout.
inline constexpr int kSndRecordBytes = 147;
inline constexpr int kSndFileBytes = kSndRecordBytes;
inline constexpr int kAlsFileBytes = 20 * kSndRecordBytes;

// Converts the record starting at source[147 * record] into the raw sound starting at
// destination[138 * record]: every value is copied unchanged to its new place, and each
// envelope's sustain and end point indexes (0..5; anything else marks nothing) become bit 7 of
// that point's rate or level byte. Returns false, changing nothing, when either array is too
// short for the record.
bool ConvertFromSND(const RawData& source, RawData& destination, int record);
