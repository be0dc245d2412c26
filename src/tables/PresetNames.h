#pragma once

#include <array>
#include <string_view>

// The names of the synth's fixed sounds 20..99, in order (entry 0 is sound 20).
inline constexpr int kFirstPresetSound = 20;
inline constexpr int kPresetSoundCount = 80;
extern const std::array<std::string_view, kPresetSoundCount> kPresetSoundNames;

// The name of fixed sound number (20..99), or "" for any other number.
std::string_view PresetSoundName(int number);
