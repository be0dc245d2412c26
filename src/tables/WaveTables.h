#pragma once

#include <array>
#include <string_view>

// The waves a wave-selector node can play (its Wave value 0..31), as the node editor lists them.
// "Bass Sustain" stands at 11 and again at 20: the synth names both so.
inline constexpr int kNodeWaveCount = 32;
extern const std::array<std::string_view, kNodeWaveCount> kNodeWaveNames;

// The shapes of an LFO (its Wave value 0..8), as the LFO editor lists them.
inline constexpr int kLfoWaveCount = 9;
extern const std::array<std::string_view, kLfoWaveCount> kLfoWaveNames;

// The name of a wave, or "" outside the list.
std::string_view NodeWaveName(int wave);
std::string_view LfoWaveName(int wave);
