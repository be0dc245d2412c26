#pragma once

#include <string>

// What the editor does with a file named on its command line, as a file manager names the file
// the user opened: where it goes, and what the user is asked before it replaces what the synth
// holds.
namespace GivenFile {

enum class Target {
    Sound,      // into the sound selected in the sound browser (.zel, or an older .snd)
    AllSounds,  // the synth's 20 sounds, as Open All (.zas, or an older .als)
    Group,      // into the group being edited (.zeg)
    AllGroups,  // the synth's 20 groups, as Open All (.zag)
    None,       // not a file the editor opens
};

// By the file's extension, letter case aside, as the file commands judge it.
Target TargetOf(const std::string& path);

bool GoesToSounds(Target target);

// The question before the file is sent; slot (0..19) and name say what it replaces when one
// sound or group does.
std::string Question(Target target, const std::string& fileName, int slot, const std::string& name);

// Said when the file is none of the editor's.
std::string Refusal(const std::string& fileName);

}  // namespace GivenFile
