#pragma once

#include <QString>

#include "midi/RawData.h"

// The name held in the ten name bytes of the sound record at `offset`: up to the first NUL, as
// Latin-1, without trailing spaces.
QString SoundName(const RawData& raw, int offset = 0);
