#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tables/ParameterEntry.h"

// Every parameter of a raw sound (138 bytes) and of a raw group (82 bytes), described once:
// where it lies, what the windows call it, the values the editors offer and how the value is
// packed into its byte. Messages, undo step names, the MIDI monitor, variations and library
// search all take names and ranges from here.
//
// Use:
//   const int algorithm = ParameterTable::AlgorithmOf(raw);
//   for (const ParameterEntry& p : ParameterTable::Sound(algorithm)) {
//       p.Name();      // "Detune of Oscilator 2", "Rate 3 of Envelope 1", "Algorithm"
//       p.kind;        // number, choice (p.choices: the texts of p.min .. p.max), flag, name
//       p.group;       // node tuning, node waves, envelope rates, ..., for locking and filters
//       int value = p.Read(raw[p.offset]);                // the value the window shows
//       raw[p.offset] = p.Write(raw[p.offset], value);  // keeps the byte's other fields
//   }
// Parameters come in offset order. A byte may hold several parameters (a rate and its sustain
// marker, a detone and the fixed flag, a key break and its direction); each owns the bits of its
// mask. Node bytes mean what the node at that position of the algorithm makes of them, so the
// sound's table depends on its algorithm; an unknown algorithm describes them as plain bytes.
// A byte no parameter covers is unused: written 0 and never read (bytes 136-137, the node bytes
// of absent and parameterless nodes, the second byte of a wave selector, the top two bits of a
// bank's switches).
namespace ParameterTable {
inline constexpr int kSoundBytes = 138;
inline constexpr int kGroupBytes = 82;
inline constexpr int kAlgorithmOffset = 116;

// The parameters of a sound built by that algorithm (0..27; anything else: unknown).
const std::vector<ParameterEntry>& Sound(int algorithm);
const std::vector<ParameterEntry>& Group();

// The algorithm a raw sound names, or -1 when it is too short to hold one.
int AlgorithmOf(std::span<const int16_t> raw);

// The parameters whose value differs between two raw records of the same kind, in offset
// order; a sound's nodes are read by the algorithm of after. A record too short to hold its
// kind differs in nothing.
std::vector<const ParameterEntry*> ChangedInSound(std::span<const int16_t> before,
                                                  std::span<const int16_t> after);
std::vector<const ParameterEntry*> ChangedInGroup(std::span<const int16_t> before,
                                                  std::span<const int16_t> after);

// The names of those parameters, each once, in order.
std::vector<std::string> Names(const std::vector<const ParameterEntry*>& parameters);
}  // namespace ParameterTable
