#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "midi/RawData.h"

// A temporary folder for file tests, and the bytes of files as they are on disk.
class TempFolder {
  public:
    std::string Path(const std::string& name) const {
        return dir_.filePath(QString::fromStdString(name)).toStdString();
    }
    std::string Root() const { return dir_.path().toStdString(); }

  private:
    QTemporaryDir dir_;
};

inline std::vector<uint8_t> FileBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return {bytes.begin(), bytes.end()};
}

inline bool FileExists(const std::string& path) {
    return QFile::exists(QString::fromStdString(path));
}

inline void PutFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    QFile file(QString::fromStdString(path));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
}

// Raw data of `size` elements running through every byte value, different for each seed.
inline RawData Pattern(size_t size, int seed) {
    RawData raw(size);
    for (size_t i = 0; i < size; ++i)
        raw[i] = static_cast<int16_t>((i * 37 + seed) % 256);
    return raw;
}

inline std::vector<uint8_t> AsBytes(const RawData& raw) {
    return {raw.begin(), raw.end()};
}
