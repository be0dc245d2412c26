#pragma once

#include <string>

// What a byte of a raw sound (0..137) or of a raw group (0..81) holds, in words for messages:
// "the rate of point 2 of envelope 1", "the pan of bank 3".
std::string SoundParameterName(int offset);
std::string GroupParameterName(int offset);
