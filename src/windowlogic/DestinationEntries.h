#pragma once

#include <array>
#include <string>

#include "tables/DestinationTable.h"

class ClassSound;

// The texts of a destination list for one sound: entries 1..10 name the sound's nodes in
// position order and "." stands where the algorithm has no node; the other entries are fixed.
using DestinationTexts = std::array<std::string, kDestinationCount>;
DestinationTexts DestinationEntries(const ClassSound& sound);
