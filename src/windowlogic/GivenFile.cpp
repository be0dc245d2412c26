#include "windowlogic/GivenFile.h"

#include "library/FileKinds.h"

namespace GivenFile {

Target TargetOf(const std::string& path) {
    switch (KindOfFile(path)) {
        case FileKind::Sound:
        case FileKind::Snd:
            return Target::Sound;
        case FileKind::AllSounds:
        case FileKind::Als:
            return Target::AllSounds;
        case FileKind::Group:
            return Target::Group;
        case FileKind::AllGroups:
            return Target::AllGroups;
        case FileKind::Html:
        case FileKind::Other:
            break;
    }
    return Target::None;
}

bool GoesToSounds(Target target) {
    return target == Target::Sound || target == Target::AllSounds;
}

std::string Question(Target target, const std::string& fileName, int slot,
                     const std::string& name) {
    const std::string quoted = "\"" + fileName + "\"";
    const std::string replaced = " (" + name + ")";
    switch (target) {
        case Target::Sound:
            return "Send " + quoted + " to the ZEL-1 as sound " + std::to_string(slot) + replaced +
                   "?";
        case Target::Group:
            return "Send " + quoted + " to the ZEL-1 as group " + std::to_string(slot) + replaced +
                   "?";
        case Target::AllSounds:
            return "Send " + quoted +
                   " to the ZEL-1 in place of all 20 sounds? What it holds now is kept in a "
                   "backup file first.";
        case Target::AllGroups:
            return "Send " + quoted +
                   " to the ZEL-1 in place of all 20 groups? What it holds now is kept in a "
                   "backup file first.";
        case Target::None:
            break;
    }
    return Refusal(fileName);
}

std::string Refusal(const std::string& fileName) {
    return "\"" + fileName +
           "\" is not a file the editor opens: it opens sounds (.zel, .snd), groups (.zeg) "
           "and banks (.zas, .als, .zag).";
}

}  // namespace GivenFile
