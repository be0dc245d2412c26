#include "library/SoundBackup.h"

#include <QDir>
#include <QFileInfo>

#include "library/LibraryFiles.h"

namespace {
// The first name in the folder not taken yet.
QString FreeName(const QDir& folder, const QString& stem) {
    QString name = stem + QStringLiteral(".zas");
    for (int n = 2; QFileInfo::exists(folder.filePath(name)); ++n)
        name = stem + QStringLiteral(" (%1).zas").arg(n);
    return folder.filePath(name);
}
}  // namespace

QString WriteSoundBackup(const ClassSounds& sounds, const QString& folder, const QDateTime& taken,
                         std::string& failure) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        failure = "Cannot make the backup folder \"" + folder.toStdString() + "\".";
        return {};
    }
    const QString path = FreeName(
        dir, QStringLiteral("Sounds ") + taken.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")));
    if (!SaveAllSoundsFile(sounds, path.toStdString(), failure))
        return {};
    return path;
}
