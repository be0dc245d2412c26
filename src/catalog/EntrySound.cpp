#include "catalog/EntrySound.h"

#include "library/FileKinds.h"
#include "library/LibraryFiles.h"
#include "tables/SoundLayout.h"

bool ReadEntrySound(const QString& path, int place, RawData& sound, std::string& failure) {
    const std::string file = path.toStdString();
    const FileKind kind = KindOfFile(file);
    if (kind == FileKind::Sound || kind == FileKind::Snd)
        return ReadSoundFile(file, sound, failure);
    if (place < 0 || place >= SoundLayout::kUserSounds) {
        failure = "\"" + file + "\" has no sound " + std::to_string(place) + ".";
        return false;
    }
    RawData all;
    if (!ReadAllSoundsFile(file, all, failure))
        return false;
    sound.assign(all.begin() + place * SoundLayout::kSize,
                 all.begin() + (place + 1) * SoundLayout::kSize);
    return true;
}
