#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One line that says what a MIDI message means, for the MIDI monitor: the synth's SysEx in its
// own terms ("Dump, all sounds, 2,760 bytes, checksum ok", "Parameter change: sound 3,
// Algorithm = 12"), short messages by their MIDI meaning. Anything it cannot read is named as such,
// never guessed.
std::string MidiMessageText(const std::vector<uint8_t>& message);

// The bytes as two-digit hexadecimal numbers separated by blanks.
std::string MidiMessageHex(const std::vector<uint8_t>& message);
