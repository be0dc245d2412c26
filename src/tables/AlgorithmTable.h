#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// The 28 algorithms of the ZEL-1: fixed networks of nodes. Each lists its node numbers in
// node-position order; position j owns bytes 118 + 2j and 119 + 2j of a raw sound.
inline constexpr int kAlgorithmCount = 28;
inline constexpr int kMaxNodesPerAlgorithm = 9;

bool IsAlgorithm(int algorithm);
// The name the node editor shows, or "" for a number outside 0..27.
std::string_view AlgorithmName(int algorithm);
// The node numbers by position; empty for a number outside 0..27.
std::span<const int16_t> AlgorithmNodes(int algorithm);
