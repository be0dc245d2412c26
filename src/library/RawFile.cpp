#include "library/RawFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace {
std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string Bytes(qint64 count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}
}  // namespace

bool WriteRawFile(const RawData& raw, const std::string& path, std::string& failure) {
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] < 0 || raw[i] > 255) {
            failure = "Cannot save " + Quoted(path) + ": the value " + std::to_string(raw[i]) +
                      " at position " + std::to_string(i) +
                      " does not fit in one byte (0 to 255). The file was not changed.";
            return false;
        }
    }
    QByteArray bytes(static_cast<qsizetype>(raw.size()), '\0');
    for (size_t i = 0; i < raw.size(); ++i)
        bytes[static_cast<qsizetype>(i)] = static_cast<char>(raw[i]);

    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        failure = "Cannot save " + Quoted(path) + ": " + file.errorString().toStdString() + ".";
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        failure = "Cannot save " + Quoted(path) + " (" + Bytes(bytes.size()) +
                  "): " + file.errorString().toStdString() +
                  ". An earlier file of that name is unchanged.";
        file.cancelWriting();
        return false;
    }
    return true;
}

bool ReadRawFile(RawData& raw, const std::string& path, std::string& failure) {
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir()) {
        failure = "Cannot open " + Quoted(path) + ": it is a folder, not a file.";
        return false;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        failure = "Cannot open " + Quoted(path) + ": " + file.errorString().toStdString() + ".";
        return false;
    }
    const qint64 length = file.size();
    const qint64 capacity = static_cast<qint64>(raw.size());
    if (length > capacity) {
        failure = "Cannot read " + Quoted(path) + ": the file is " + Bytes(length) +
                  " long, but at most " + Bytes(capacity) +
                  " fit here. It is not a file of this kind.";
        return false;
    }
    const QByteArray bytes = file.read(length);
    if (bytes.size() != length) {
        failure = "Cannot read " + Quoted(path) + ": only " + Bytes(bytes.size()) + " of " +
                  Bytes(length) + " could be read (" + file.errorString().toStdString() + ").";
        return false;
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        raw[static_cast<size_t>(i)] = static_cast<int16_t>(static_cast<unsigned char>(bytes[i]));
    }
    return true;
}
