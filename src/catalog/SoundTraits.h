#pragma once

#include <QString>

#include "midi/RawData.h"

// What the library's filters and "Find Similar" read from a sound record, through the parameter
// table so that a node byte means what the sound's algorithm makes of it.

// The waves its wave-selector nodes play, as " 3 17 " (each once, spaces around every number),
// so that a filter can ask for " 17 ".
QString NodeWaves(const RawData& raw, int offset = 0);

// How far apart two sounds are: the sum over every parameter except the name of the difference
// of its values scaled by its range (0..1), where a choice or flag counts 0 when equal and 1 when
// not. Node bytes are read by the algorithm of `reference`.
double SoundDistance(const RawData& reference, const RawData& other);
