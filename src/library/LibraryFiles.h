#pragma once

#include <string>

#include "midi/RawData.h"

class ClassGroup;
class ClassGroups;
class ClassSound;
class ClassSounds;

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

// Saving what the editor holds. Nothing here talks to the synth. A .htm path (letter case aside)
// gets the sound's web page instead of the 138-byte sound file.
bool SaveSoundFile(const ClassSound& sound, const std::string& path, std::string& failure);
// 2,761 bytes: the 20 sounds and a final 0.
bool SaveAllSoundsFile(const ClassSounds& sounds, const std::string& path, std::string& failure);
bool SaveGroupFile(const ClassGroup& group, const std::string& path, std::string& failure);
// 1,640 bytes: the 20 groups.
bool SaveAllGroupsFile(const ClassGroups& groups, const std::string& path, std::string& failure);

// Opening a file sends it to the synth at once: the file is read completely first, so a file
// that fails sends nothing; on success the model holds what the synth took.
enum class OpenOutcome {
    kDone,
    kFileFailed,   // nothing sent; the description is in failure
    kSynthFailed,  // the exchange failed and has shown its own message
};
OpenOutcome OpenSoundFile(ClassSound& sound, const std::string& path, std::string& failure);
OpenOutcome OpenAllSoundsFile(ClassSounds& sounds, const std::string& path, std::string& failure);
OpenOutcome OpenGroupFile(ClassGroup& group, const std::string& path, std::string& failure);
OpenOutcome OpenAllGroupsFile(ClassGroups& groups, const std::string& path, std::string& failure);
