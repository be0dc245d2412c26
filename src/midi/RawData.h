#pragma once

#include <cstdint>
#include <vector>

// One element per data byte, each holding 0..255. Bit 7 carries a flag or a sign in some bytes;
// the 7-bit limit exists only on the wire, where every byte travels as two nibbles.
using RawData = std::vector<int16_t>;
