#include "library/LibraryFiles.h"

#include "library/ConvertFromSND.h"
#include "library/FileKinds.h"
#include "library/RawFile.h"
#include "library/SoundPage.h"
#include "model/ClassGroup.h"
#include "model/ClassGroups.h"
#include "model/ClassSound.h"
#include "model/ClassSounds.h"

namespace {
constexpr int kSounds = 20;

bool ReadFresh(const std::string& path, int size, RawData& data, std::string& failure) {
    RawData fresh(static_cast<size_t>(size), 0);
    if (!ReadRawFile(fresh, path, failure))
        return false;
    data = std::move(fresh);
    return true;
}
}  // namespace

bool ReadSoundFile(const std::string& path, RawData& rawSound, std::string& failure) {
    if (KindOfFile(path) == FileKind::Sound) {
        return ReadFresh(path, kSoundFileBytes, rawSound, failure);
    }
    RawData snd;
    if (!ReadFresh(path, kSndFileBytes, snd, failure))
        return false;
    RawData converted(kSoundFileBytes, 0);
    ConvertFromSND(snd, converted, 0);
    rawSound = std::move(converted);
    return true;
}

bool ReadAllSoundsFile(const std::string& path, RawData& allSounds, std::string& failure) {
    if (KindOfFile(path) == FileKind::AllSounds) {
        return ReadFresh(path, kAllSoundsFileBytes, allSounds, failure);
    }
    RawData als;
    if (!ReadFresh(path, kAlsFileBytes, als, failure))
        return false;
    RawData converted(kAllSoundsFileBytes, 0);
    for (int record = 0; record < kSounds; ++record)
        ConvertFromSND(als, converted, record);
    allSounds = std::move(converted);
    return true;
}

bool ReadGroupFile(const std::string& path, RawData& rawGroup, std::string& failure) {
    return ReadFresh(path, kGroupFileBytes, rawGroup, failure);
}

bool ReadAllGroupsFile(const std::string& path, RawData& allGroups, std::string& failure) {
    return ReadFresh(path, kAllGroupsReadBytes, allGroups, failure);
}

bool SaveSoundFile(const ClassSound& sound, const std::string& path, std::string& failure) {
    if (KindOfFile(path) == FileKind::Html)
        return ExportSoundPage(sound, path, failure);
    return WriteRawFile(sound.EncodeRawSound(), path, failure);
}

bool SaveAllSoundsFile(const ClassSounds& sounds, const std::string& path, std::string& failure) {
    RawData all(kAllSoundsFileBytes, 0);
    if (!sounds.EncodeRaw(all)) {
        failure = "Cannot save \"" + path + "\": the sounds have not been read from the ZEL-1 yet.";
        return false;
    }
    return WriteRawFile(all, path, failure);
}

bool SaveGroupFile(const ClassGroup& group, const std::string& path, std::string& failure) {
    RawData raw(kGroupFileBytes, 0);
    group.EncodeRawGroup(raw);
    return WriteRawFile(raw, path, failure);
}

bool SaveAllGroupsFile(const ClassGroups& groups, const std::string& path, std::string& failure) {
    RawData all(kAllGroupsFileBytes, 0);
    if (!groups.EncodeRaw(all)) {
        failure = "Cannot save \"" + path + "\": the groups have not been read from the ZEL-1 yet.";
        return false;
    }
    return WriteRawFile(all, path, failure);
}

OpenOutcome OpenSoundFile(ClassSound& sound, const std::string& path, std::string& failure) {
    RawData raw;
    if (!ReadSoundFile(path, raw, failure))
        return OpenOutcome::kFileFailed;
    return sound.SendSound(raw) ? OpenOutcome::kDone : OpenOutcome::kSynthFailed;
}

OpenOutcome OpenAllSoundsFile(ClassSounds& sounds, const std::string& path, std::string& failure) {
    RawData all;
    if (!ReadAllSoundsFile(path, all, failure))
        return OpenOutcome::kFileFailed;
    return sounds.SendAllSoundsToSynth(all) ? OpenOutcome::kDone : OpenOutcome::kSynthFailed;
}

OpenOutcome OpenGroupFile(ClassGroup& group, const std::string& path, std::string& failure) {
    RawData raw;
    if (!ReadGroupFile(path, raw, failure))
        return OpenOutcome::kFileFailed;
    return group.OpenGroup(raw) ? OpenOutcome::kDone : OpenOutcome::kSynthFailed;
}

OpenOutcome OpenAllGroupsFile(ClassGroups& groups, const std::string& path, std::string& failure) {
    RawData all;
    if (!ReadAllGroupsFile(path, all, failure))
        return OpenOutcome::kFileFailed;
    return groups.SendAllGroupsToSynth(all) ? OpenOutcome::kDone : OpenOutcome::kSynthFailed;
}
