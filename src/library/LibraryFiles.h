#pragma once

#include <string>

#include "midi/RawData.h"

// Reading the librarian's files into the arrays that go to the synth. Each routine fills a fresh
// array (all 0 where the file is shorter) and changes `data` only when the whole file was read;
// on failure it returns false with a description for the calling command to show.

// A raw sound of 138 elements: a .zel file as it is, any other file read as an SND record and
// converted.
bool ReadSoundFile(const std::string& path, RawData& rawSound, std::string& failure);

// An all-sounds array of 2,761 elements: a .zas file as it is, any other file read as an ALS file
// whose 20 records are converted into the 20 sounds.
bool ReadAllSoundsFile(const std::string& path, RawData& allSounds, std::string& failure);

// A raw group of 82 elements.
bool ReadGroupFile(const std::string& path, RawData& rawGroup, std::string& failure);

// An all-groups array of 1,641 elements (a file of up to 1,641 bytes is accepted).
bool ReadAllGroupsFile(const std::string& path, RawData& allGroups, std::string& failure);
