#pragma once

#include <string>

// The librarian's file layouts, none with a header: the file is the raw array, byte by byte.
inline constexpr int kSoundFileBytes = 138;       // .zel: one raw sound
inline constexpr int kAllSoundsFileBytes = 2761;  // .zas: 20 raw sounds and a final 0
inline constexpr int kGroupFileBytes = 82;        // .zeg: one raw group
inline constexpr int kAllGroupsFileBytes = 1640;  // .zag as written: 20 raw groups
inline constexpr int kAllGroupsReadBytes = 1641;  // .zag as read: one byte more is accepted

enum class FileKind { Other, Sound, AllSounds, Group, AllGroups, Snd, Als, Html };

// The kind a file's extension names. Letter case is not looked at: "PAD.ZEL" is a sound file.
FileKind KindOfFile(const std::string& path);

// "sound file", "all-sounds file", ... for messages and listings.
std::string DescribeKind(FileKind kind);
