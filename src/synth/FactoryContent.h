#pragma once

#include "midi/RawData.h"

// What a new virtual ZEL-1 holds: valid, distinct, named sounds and groups.
namespace FactoryContent {
inline constexpr int kSoundBytes = 138;
inline constexpr int kGroupBytes = 82;
inline constexpr int kGlobalBytes = 7;

// Sound number 0..99 (20..99 are the fixed sounds, named as the preset list).
RawData Sound(int number);
// Group number 0..19.
RawData Group(int number);
RawData Globals();
}  // namespace FactoryContent
