#include "library/FileKinds.h"

#include <QString>

#include "midi/ModuleGlobals.h"

FileKind KindOfFile(const std::string& path) {
    const QString extension = QString::fromStdString(FileExtension(path)).toLower();
    if (extension == "zel")
        return FileKind::Sound;
    if (extension == "zas")
        return FileKind::AllSounds;
    if (extension == "zeg")
        return FileKind::Group;
    if (extension == "zag")
        return FileKind::AllGroups;
    if (extension == "snd")
        return FileKind::Snd;
    if (extension == "als")
        return FileKind::Als;
    if (extension == "htm")
        return FileKind::Html;
    return FileKind::Other;
}

std::string DescribeKind(FileKind kind) {
    switch (kind) {
        case FileKind::Sound:
            return "sound file";
        case FileKind::AllSounds:
            return "all-sounds file";
        case FileKind::Group:
            return "group file";
        case FileKind::AllGroups:
            return "all-groups file";
        case FileKind::Snd:
            return "SND file";
        case FileKind::Als:
            return "ALS file";
        case FileKind::Html:
            return "web page";
        case FileKind::Other:
            break;
    }
    return "file of unknown kind";
}
