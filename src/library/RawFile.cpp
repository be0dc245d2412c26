#include "library/RawFile.h"

#include <QByteArray>
#include <QString>

#include "platform/FileAccess.h"

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

    std::string reason;
    if (!WriteWholeFile(QString::fromStdString(path), bytes, reason)) {
        failure = "Cannot save " + Quoted(path) + " (" + Bytes(bytes.size()) + "): " + reason +
                  ". An earlier file of that name is unchanged.";
        return false;
    }
    return true;
}

bool ReadRawFile(RawData& raw, const std::string& path, std::string& failure) {
    const qint64 capacity = static_cast<qint64>(raw.size());
    QByteArray bytes;
    qint64 length = 0;
    std::string reason;
    switch (ReadRegularFile(QString::fromStdString(path), capacity, bytes, length, reason)) {
        case ReadOutcome::kFailed:
            failure = "Cannot open " + Quoted(path) + ": " + reason + ".";
            return false;
        case ReadOutcome::kTooLong:
            failure = "Cannot read " + Quoted(path) + ": the file is " + Bytes(length) +
                      " long, but at most " + Bytes(capacity) +
                      " fit here. It is not a file of this kind.";
            return false;
        case ReadOutcome::kRead:
            break;
    }
    // A file that a full disk or a failed copy left empty would otherwise read as all zeros.
    if (bytes.isEmpty()) {
        failure = "Cannot read " + Quoted(path) + ": the file is empty. Nothing was read.";
        return false;
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        raw[static_cast<size_t>(i)] = static_cast<int16_t>(static_cast<unsigned char>(bytes[i]));
    }
    return true;
}
