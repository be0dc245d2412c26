#pragma once

#include <QDateTime>
#include <QFile>
#include <ostream>
#include <string>
#include <vector>

#include "core/FileTestSupport.h"
#include "tables/SoundLayout.h"

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Sound records and files for the library's tests: a record is a pattern of values (its
// "sound", from the seed) with a name in its first ten bytes.
inline RawData NamedSound(const std::string& name, int seed, int algorithm = 3) {
    RawData raw = Pattern(SoundLayout::kSize, seed);
    for (int i = 0; i < SoundLayout::kNameBytes; ++i)
        raw[i] = i < static_cast<int>(name.size()) ? static_cast<uint8_t>(name[i]) : ' ';
    raw[SoundLayout::kAlgorithm] = static_cast<int16_t>(algorithm);
    return raw;
}

// An all-sounds file's bytes: the given sounds first, then numbered ones, and the final 0.
inline std::vector<uint8_t> BankBytes(const std::vector<RawData>& first, int seed) {
    std::vector<uint8_t> bytes;
    for (int slot = 0; slot < SoundLayout::kUserSounds; ++slot) {
        const RawData sound = slot < static_cast<int>(first.size())
                                  ? first[slot]
                                  : NamedSound("Bank " + std::to_string(slot), seed + slot);
        bytes.insert(bytes.end(), sound.begin(), sound.end());
    }
    bytes.push_back(0);
    return bytes;
}

// An older SND record: algorithm first, the name in its last ten bytes.
inline std::vector<uint8_t> SndBytes(const std::string& name, int algorithm) {
    std::vector<uint8_t> bytes(147, 0);
    bytes[0] = static_cast<uint8_t>(algorithm);
    for (size_t i = 0; i < 10; ++i)
        bytes[136 + i] = i < name.size() ? static_cast<uint8_t>(name[i]) : ' ';
    return bytes;
}

// Moves a file's time so a rescan sees it as changed even within the same second.
inline void Touch(const std::string& path, int secondsLater) {
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                     QFileDevice::FileModificationTime);
}
