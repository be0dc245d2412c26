#include "library/LibraryFiles.h"

#include "library/ConvertFromSND.h"
#include "library/FileKinds.h"
#include "library/RawFile.h"

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
