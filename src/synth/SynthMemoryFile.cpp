#include "synth/SynthMemoryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "synth/VirtualZel1.h"

QString SynthMemoryFile::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QLatin1Char('/') + QLatin1String(kFolder) + QLatin1Char('/') + QLatin1String(kFile);
}

bool SynthMemoryFile::Load(VirtualZel1& synth, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    return synth.LoadMemory(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

bool SynthMemoryFile::Save(const VirtualZel1& synth, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::vector<uint8_t> block = synth.SaveMemory();
    file.write(reinterpret_cast<const char*>(block.data()), static_cast<qint64>(block.size()));
    return file.commit();
}
