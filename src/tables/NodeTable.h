#pragma once

#include <cstdint>
#include <string_view>

// The 24 synthesis nodes a ZEL-1 algorithm is built from. The number fixes the node's name and
// its type, and the type fixes how the node's two bytes of a raw sound are read:
// type 1 (oscillators, width, ring, delay): detune, detone and the fixed flag;
// type 2 (amplifiers, outs, wave shaping, feedback, cut-off): no parameters, both bytes 0;
// type 3 (wave selectors): a wave in the first byte, the second byte 0.
inline constexpr int kNodeNumberCount = 24;

enum NodeTypeCode : int16_t { kNodeTypeUnknown = 0, kNodeTuned = 1, kNodePlain = 2, kNodeWave = 3 };

// The node's name, or "" for a number outside 0..23.
std::string_view NodeName(int nodeNumber);
// The caption the node editor gives the node's frame, or "" outside 0..23. The editor's captions
// are its own and differ in places from the node names ("Oscilator 1", "Decay").
std::string_view NodeCaption(int nodeNumber);
// 1, 2 or 3; kNodeTypeUnknown for a number outside 0..23.
int16_t NodeType(int nodeNumber);
