#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

// The texts of the group editor's bank lists, computed without a window.
namespace BankEntries {
inline constexpr int kSoundEntries = 100;
inline constexpr int kUserSounds = 20;
inline constexpr int kChannelEntries = 17;
// The lowest key a split row offers; it reads C0.
inline constexpr int kFirstSplitKey = 24;

// The name of user sound 0..19 when the editor knows it, "" otherwise.
using UserSoundName = std::function<std::string(int number)>;

// Entry i names sound number i: the user sounds as their number right-aligned in five
// characters, followed by two blanks and the name when one is known ("    3  Strings"); the
// synth's fixed sounds as number, blank, name ("20 ChorStrPad").
std::vector<std::string> SoundEntries(const UserSoundName& userName = {});
std::string UserSoundEntry(int number, const std::string& name);
// "Omni", then the channels 1..16 right-aligned in two characters.
std::vector<std::string> ChannelEntries();
// A split key as the note it plays: 24 reads C0, 60 reads C3, 102 reads F#6.
std::string SplitText(int key);
}  // namespace BankEntries
