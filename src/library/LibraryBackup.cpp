#include "library/LibraryBackup.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

#include "library/LibraryFiles.h"

namespace {
// Makes the folder and returns the first name in it not taken yet for a backup of this kind
// taken then; "" (with failure) when the folder cannot be made.
QString FreeBackupPath(const QString& folder, const QString& kind, const QString& extension,
                       const QDateTime& taken, std::string& failure) {
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        failure = "Cannot make the backup folder \"" + folder.toStdString() + "\".";
        return {};
    }
    const QString stem = kind + ' ' + taken.toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString name = stem + extension;
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n)
        name = stem + QStringLiteral(" (%1)").arg(n) + extension;
    return dir.filePath(name);
}

QString WriteBackup(const QString& folder, const QString& kind, const QString& extension,
                    const QDateTime& taken, std::string& failure,
                    const std::function<bool(const std::string&)>& write) {
    const QString path = FreeBackupPath(folder, kind, extension, taken, failure);
    if (path.isEmpty() || !write(path.toStdString()))
        return {};
    return path;
}
}  // namespace

QString WriteSoundBackup(const ClassSounds& sounds, const QString& folder, const QDateTime& taken,
                         std::string& failure) {
    return WriteBackup(
        folder, QStringLiteral("Sounds"), QStringLiteral(".zas"), taken, failure,
        [&](const std::string& path) { return SaveAllSoundsFile(sounds, path, failure); });
}

QString WriteGroupBackup(const ClassGroups& groups, const QString& folder, const QDateTime& taken,
                         std::string& failure) {
    return WriteBackup(
        folder, QStringLiteral("Groups"), QStringLiteral(".zag"), taken, failure,
        [&](const std::string& path) { return SaveAllGroupsFile(groups, path, failure); });
}
