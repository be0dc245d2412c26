#pragma once

#include <QString>
#include <string>

#include "midi/RawData.h"

// The sound at `place` of a library file, read from the file as it is now (the file is the
// truth; it may have changed since the last scan): a single sound or SND file as File "Open"
// reads it, a bank or ALS file's sound number place. False with the reason when the file fails.
bool ReadEntrySound(const QString& path, int place, RawData& sound, std::string& failure);
