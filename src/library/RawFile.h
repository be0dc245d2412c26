#pragma once

#include <string>

#include "midi/RawData.h"

// Moving a raw array to and from a file of its own, one byte per element and nothing else.
// Neither routine shows anything: on failure they return false and put a description in
// `failure` that says what went wrong, with which file and the sizes involved, for the calling
// command to show.

// Creates or replaces the file at path so that it holds exactly raw.size() bytes, element i as
// byte i. The file is replaced only once it has been written completely, so a failure leaves an
// existing file as it was. An element outside 0..255 fails before anything is written.
bool WriteRawFile(const RawData& raw, const std::string& path, std::string& failure);

// Stores byte i of the file in raw[i] for every byte the file holds; elements beyond the file's
// length keep their values. An empty file fails, as does a file longer than raw, anything but a
// regular file (a folder, pipe or device) and any read error; raw is changed only after the whole
// file has been read.
bool ReadRawFile(RawData& raw, const std::string& path, std::string& failure);
