#pragma once

#include <array>
#include <string_view>

// What an envelope, LFO or modulation entry drives, as one byte: 0 "Off", 1..10 the node at
// position code - 1 of the sound's algorithm, then the LFO and envelope-rate targets.
inline constexpr int kDestinationCount = 16;
inline constexpr int kDestinationOff = 0;
inline constexpr int kFirstNodeDestination = 1;
inline constexpr int kLastNodeDestination = 10;
extern const std::array<std::string_view, kDestinationCount> kDestinationNames;

// The list entry of a code ("Node 3" for 3), or "" outside 0..15.
std::string_view DestinationName(int code);
// The node position a code names, or -1 when it names no node.
int DestinationNodePosition(int code);
