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

inline std::vector<uint8_t> AsBytes(const RawData& raw) {
    return {raw.begin(), raw.end()};
}
