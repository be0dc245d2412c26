#include "synth/SynthMemoryFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/FileAccess.h"
#include "synth/VirtualZel1.h"

QString SynthMemoryFile::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + QLatin1String(kFolder) + QLatin1Char('/') + QLatin1String(kFile);
}

bool SynthMemoryFile::Load(VirtualZel1& synth, const QString& path, std::string* failure) {
    QByteArray bytes;
    qint64 size = 0;
    std::string reason;
    const ReadOutcome outcome = ReadRegularFile(path, kMaxBytes, bytes, size, reason);
    if (outcome == ReadOutcome::kRead &&
        synth.LoadMemory(std::vector<uint8_t>(bytes.begin(), bytes.end()))) {
        return true;
    }
    if (outcome != ReadOutcome::kFailed)
        reason = "not a ZEL-1 memory image (" + std::to_string(size) + " bytes)";
    if (failure)
        *failure = reason;
    return false;
}

bool SynthMemoryFile::Save(const VirtualZel1& synth, const QString& path, std::string* failure) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    const std::vector<uint8_t> block = synth.SaveMemory();
    const QByteArray bytes(reinterpret_cast<const char*>(block.data()),
                           static_cast<qsizetype>(block.size()));
    std::string reason;
    if (WriteWholeFile(path, bytes, reason))
        return true;
    if (failure)
        *failure = reason;
    return false;
}
